// The analysis of a line: its statement form, its operands bound to variable slots
// and library functions, and the lines that end its block. Each line is analysed
// once per run, when it first runs.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptLibrary.h"
#include "script/ScriptText.h"

using namespace ScriptText;
using namespace ScriptCode;

namespace {
bool isLibraryObject(const QString &name)
{
    return name == QLatin1String("math") || name == QLatin1String("string") || name == QLatin1String("array");
}
}

void ScriptInterpreter::prepareCode()
{
    const int count = m_lines.count();
    m_code.clear();
    m_code.resize(size_t(count));
    if (m_subroutineLines.size() != count)
        m_subroutineLines.resize(count, false);
    for (int k = 0; k < count; ++k) {
        m_code[size_t(k)].subroutineLine = m_subroutineLines.at(k);
        if (m_lines.line(k).isEmpty())
            m_code[size_t(k)].kind = Instruction::Skip;
    }
    matchBlocks();
    m_flatRun = planFlatRun();
    m_frames.clear();
    m_kept.clear();
}

// The else and endif of every line that opens an if, and the endwhile of every line
// that opens a while, as a forward scan from that line finds them: a nested opening
// line counts one level deeper, and the last else at the block's own level is its
// else. One pass with a stack per kind gives all of them at once.
void ScriptInterpreter::matchBlocks()
{
    const int count = m_lines.count();
    m_elseLine.assign(size_t(count), -1);
    m_endIfLine.assign(size_t(count), -1);
    m_endWhileLine.assign(size_t(count), -1);
    std::vector<int> openIfs;
    std::vector<int> openWhiles;
    for (int d = 0; d < count; ++d) {
        const QString &l = m_lines.line(d);
        if (l.size() > 2 && l.startsWith(QLatin1String("if"))) {
            openIfs.push_back(d);
        } else if (l == QLatin1String("else")) {
            if (!openIfs.empty())
                m_elseLine[size_t(openIfs.back())] = d;
        } else if (l == QLatin1String("endif")) {
            if (!openIfs.empty()) {
                m_endIfLine[size_t(openIfs.back())] = d;
                openIfs.pop_back();
            }
        }
        if (l.size() > 5 && l.startsWith(QLatin1String("while"))) {
            openWhiles.push_back(d);
        } else if (l == QLatin1String("endwhile")) {
            if (!openWhiles.empty()) {
                m_endWhileLine[size_t(openWhiles.back())] = d;
                openWhiles.pop_back();
            }
        }
    }
}

Instruction &ScriptInterpreter::analyzedLine(int position)
{
    Instruction &code = m_code[size_t(position)];
    if (code.kind != Instruction::Unanalysed)
        return code;
    const QString &line = m_lines.line(position);
    if (line.isEmpty() || isEndWord(line))
        code.kind = Instruction::Skip;
    else if (literalsNeedValues(line))
        code.kind = Instruction::Dynamic;
    else
        buildLine(code, position, ExpandLiterals(line));
    return code;
}

bool ScriptInterpreter::literalsNeedValues(const QString &line)
{
    bool inLiteral = false;
    for (QChar c : line) {
        if (c == QLatin1Char('"'))
            inLiteral = !inLiteral;
        else if (inLiteral && c == QLatin1Char('$'))
            return true;
    }
    return false;
}

// The direct form of an expression of constants and variables. The expression must
// stay where it is from now on: its constants are read where they stand.
void ScriptInterpreter::bind(Condition &c) const
{
    if (!c.isText && !c.missingComparison) {
        bind(c.left);
        bind(c.right);
        c.direct = c.left.form == NumberExpression::Value && c.right.form == NumberExpression::Value;
    }
}

void ScriptInterpreter::bind(NumberExpression &e) const
{
    const auto place = [this](const Operand &o) -> const float * {
        if (o.kind == Operand::Constant)
            return &o.value;
        if (o.kind == Operand::Variable)
            return &m_numbers[size_t(o.slot)].value;
        return nullptr;
    };
    e.a = place(e.left);
    e.b = e.op ? place(e.right) : nullptr;
    if (!e.a || (e.op && !e.b))
        e.form = NumberExpression::General;
    else if (e.op == 0)
        e.form = NumberExpression::Value;
    else if (e.op == '+')
        e.form = NumberExpression::Sum;
    else if (e.op == '-')
        e.form = NumberExpression::Difference;
    else if (e.op == '*')
        e.form = NumberExpression::Product;
    else
        e.form = NumberExpression::General;
}

void ScriptInterpreter::buildLine(Instruction &code, int position, const QString &line) const
{
    code.kind = Instruction::Simple;
    if (line.contains(QLatin1Char(' '))) {
        if (line.startsWith(QLatin1String("if"))) {
            code.kind = Instruction::If;
            code.endLine = m_endIfLine[size_t(position)];
            code.elseLine = code.endLine < 0 ? -1 : m_elseLine[size_t(position)];
            code.condition = std::make_unique<Condition>(analyzeCondition(line.mid(3)));
            bind(*code.condition);
            return;
        }
        if (line.startsWith(QLatin1String("while"))) {
            code.kind = Instruction::While;
            code.endLine = m_endWhileLine[size_t(position)];
            code.condition = std::make_unique<Condition>(analyzeCondition(line.mid(6)));
            bind(*code.condition);
            return;
        }
        if (line.startsWith(QLatin1String("call"))) {
            code.kind = Instruction::Call;
            code.subroutine = subroutineSlot(line.mid(5));
            return;
        }
    }
    code.statement = std::make_unique<Statement>(analyzeStatement(line));
    if (code.statement->kind == Statement::NumberAssignment) {
        code.kind = Instruction::Assign; // the commonest statement, run without a detour
        bind(code.statement->number);
    }
}

Statement ScriptInterpreter::analyzeStatement(const QString &s) const
{
    Statement st;
    if (s.startsWith(QLatin1String("output"))) {
        st.kind = Statement::Output;
        st.value = analyzeText(s.size() > 8 ? s.mid(7, s.size() - 8) : QString());
        return st;
    }
    const qsizetype equals = s.indexOf(QLatin1Char('='));
    const QString rest = s.mid(equals + 1);
    if (s.size() > 5 && rest.startsWith(QLatin1String("input"))) {
        st.kind = Statement::Input;
        const QString args = textAfter(rest, QLatin1Char('('));
        const QString afterComma = textAfter(rest, QLatin1Char(','));
        st.value = analyzeText(textBefore(args, QLatin1Char(',')));
        st.second = analyzeText(withoutLast(afterComma));
        const QString target = textBefore(s, QLatin1Char('='));
        st.textTarget = target.startsWith(QLatin1Char('$'));
        st.slot = st.textTarget ? textSlot(target) : numericSlot(target);
        return st;
    }
    if (equals >= 0) {
        const QString target = s.left(equals);
        if (target.startsWith(QLatin1Char('$'))) {
            st.kind = Statement::TextAssignment;
            st.slot = textSlot(target);
            st.side = analyzeSide(rest);
            // A text built onto itself grows in its own storage.
            const Member *m = st.side.member.get();
            if (st.slot >= 0 && m && m->kind == Member::Library && textSlot(m->arguments[0].text) == st.slot) {
                if (m->function == findLibraryFunction(QStringLiteral("string"), QStringLiteral("concat")))
                    st.kind = Statement::AppendText;
                else if (m->function == findLibraryFunction(QStringLiteral("array"), QStringLiteral("push")))
                    st.kind = Statement::PrependArray;
            }
        } else {
            st.kind = Statement::NumberAssignment;
            st.slot = numericSlot(target);
            st.number = analyzeNumber(rest);
        }
        return st;
    }
    if (s.contains(QLatin1Char('_'))) {
        const QString object = textBefore(s, QLatin1Char('_'));
        if (!isLibraryObject(object))
            st.object = hostObject(object);
        if (st.object) {
            st.kind = Statement::ObjectStatement;
            st.member = textAfter(s, QLatin1Char('_'));
        }
    }
    return st;
}

std::shared_ptr<Member> ScriptInterpreter::analyzeMember(const QString &t, bool numericPlace) const
{
    auto m = std::make_shared<Member>();
    m->text = t;
    const qsizetype underscore = t.indexOf(QLatin1Char('_'));
    const QString object = underscore < 0 ? QString() : t.left(underscore);
    m->rest = t.mid(underscore + 1);
    if (!isLibraryObject(object)) {
        m->object = hostObject(object);
        m->kind = m->object ? Member::Host : Member::Nothing;
        return m;
    }
    const ScriptCall call(m->rest);
    if (numericPlace && !call.hasArguments && object == QLatin1String("math")) {
        m->kind = Member::NeedsArguments;
        return m;
    }
    m->function = findLibraryFunction(object, call.name);
    if (!m->function || (numericPlace ? !m->function->numeric : !m->function->text))
        return m;
    m->kind = Member::Library;
    if (numericPlace) {
        m->argumentCount = 2;
        call.splitTwoWay(m->arguments[0].text, m->arguments[1].text);
    } else {
        m->argumentCount = 3;
        call.splitThreeWay(m->arguments[0].text, m->arguments[1].text, m->arguments[2].text);
    }
    return m;
}

Operand ScriptInterpreter::analyzeOperand(const QString &t) const
{
    Operand o;
    if (t.isEmpty()) {
        o.kind = Operand::Failure;
        o.text = missingOperandText();
    } else if (t.contains(QLatin1Char('_'))) {
        o.kind = Operand::Member;
        o.member = analyzeMember(t, true);
    } else if (startsNumber(t.at(0))) {
        try {
            o.value = parseSingle(t);
        } catch (const ConversionError &e) {
            o.kind = Operand::Failure;
            o.conversionFailure = true;
            o.text = e.message();
        } catch (const ScriptError &e) {
            o.kind = Operand::Failure;
            o.text = e.message();
        }
    } else {
        o.slot = numericSlot(t);
        if (o.slot >= 0)
            o.kind = Operand::Variable; // a name without a slot reads as the constant 0
    }
    return o;
}

NumberExpression ScriptInterpreter::analyzeNumber(const QString &t) const
{
    NumberExpression e;
    qsizetype i = 1;
    while (i < t.size() && !isOperator(t.at(i)))
        ++i;
    if (i >= t.size()) {
        e.left = analyzeOperand(t);
        return e;
    }
    e.op = char(t.at(i).unicode());
    if (!isComparison(t.at(i))) {
        e.left = analyzeOperand(t.left(i));
        e.right = analyzeOperand(t.mid(i + 1));
    }
    return e;
}

TextExpression ScriptInterpreter::analyzeText(const QString &t) const
{
    TextExpression e;
    if (t.isEmpty()) {
        e.kind = TextExpression::Missing;
        return e;
    }
    const QChar first = t.at(0);
    if (first == QLatin1Char('"')) {
        e.kind = TextExpression::Literal;
        e.text = t.mid(1, t.size() - 2);
        return e;
    }
    if (first == QLatin1Char('$')) {
        e.kind = TextExpression::TextVariable;
        e.slot = textSlot(t);
        return e;
    }
    e.kind = TextExpression::Number;
    if (startsNumber(first)) {
        e.number = analyzeNumber(t);
        return e;
    }
    for (qsizetype i = 1; i < t.size() - 1; ++i) {
        if (isOperator(t.at(i))) {
            e.number = analyzeNumber(t);
            return e;
        }
    }
    if (t.contains(QLatin1Char('_'))) {
        e.kind = TextExpression::Member;
        e.member = analyzeMember(t, false);
        return e;
    }
    e.number.left = analyzeOperand(t); // the numeric variable named t
    return e;
}

TextSide ScriptInterpreter::analyzeSide(const QString &t) const
{
    TextSide side;
    if (t.startsWith(QLatin1Char('"'))) {
        side.kind = TextSide::Literal;
        side.text = t.mid(1, t.size() - 2);
    } else if (t.startsWith(QLatin1Char('$'))) {
        side.kind = TextSide::TextVariable;
        side.slot = textSlot(t);
    } else {
        side.kind = TextSide::Member;
        side.member = analyzeMember(t, false);
    }
    return side;
}

Condition ScriptInterpreter::analyzeCondition(const QString &c) const
{
    Condition k;
    qsizetype i = 0;
    while (i < c.size() && !isComparison(c.at(i)))
        ++i;
    if (i >= c.size()) {
        k.missingComparison = true;
        return k;
    }
    const qsizetype length = i + 1 < c.size() && isComparison(c.at(i + 1)) ? 2 : 1;
    const QStringView op = QStringView(c).mid(i, length);
    if (op == QLatin1String("=="))
        k.op = Condition::Equal;
    else if (op == QLatin1String("<>"))
        k.op = Condition::Unequal;
    else if (op == QLatin1String("<"))
        k.op = Condition::Less;
    else if (op == QLatin1String("<="))
        k.op = Condition::LessEqual;
    else if (op == QLatin1String(">"))
        k.op = Condition::Greater;
    else
        k.op = Condition::GreaterEqual; // ">=", and also "=", "=<", "=>", "><", "<<", ">>"
    const QString left = c.left(i);
    const QString right = c.mid(i + length);
    const auto textual = [](const QString &side) {
        return side.startsWith(QLatin1Char('"')) || side.startsWith(QLatin1Char('$'));
    };
    k.isText = textual(left) || textual(right);
    if (k.isText) {
        k.leftText = analyzeSide(left);
        k.rightText = analyzeSide(right);
    } else {
        k.left = analyzeNumber(left);
        k.right = analyzeNumber(right);
    }
    return k;
}
