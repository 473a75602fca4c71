// The analysis of a line: its statement form, its operands and the lines that end
// its block, kept per line so that loops do not split the same text again.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptText.h"

using namespace ScriptText;

ScriptInterpreter::LineCode &ScriptInterpreter::lineCode(int position)
{
    std::vector<LineCode> &codes = m_cache->lines;
    if (codes.size() != size_t(m_lines.count())) {
        codes.clear();
        codes.resize(size_t(m_lines.count()));
    }
    LineCode &code = codes[size_t(position)];
    const QString &line = m_lines.line(position);
    if (code.kind != LineCode::Unanalysed && code.source.constData() == line.constData()
        && code.source.size() == line.size())
        return code;
    code = LineCode();
    code.source = line;
    if (isEndWord(line))
        code.kind = LineCode::Skip;
    else if (literalsNeedValues(line))
        code.kind = LineCode::Dynamic;
    else
        buildLine(code, position, ExpandLiterals(line));
    return code;
}

bool ScriptInterpreter::literalsNeedValues(const QString &line) const
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

void ScriptInterpreter::buildLine(LineCode &code, int position, const QString &line) const
{
    code.kind = LineCode::Simple;
    if (line.contains(QLatin1Char(' '))) {
        const int count = m_lines.count();
        if (line.startsWith(QLatin1String("if"))) {
            code.kind = LineCode::If;
            int depth = 0;
            for (int d = position + 1; d < count; ++d) {
                const QString &l = m_lines.line(d);
                if (l.size() > 2 && l.startsWith(QLatin1String("if"))) {
                    ++depth;
                } else if (l == QLatin1String("else")) {
                    if (depth == 0)
                        code.elseLine = d;
                } else if (l == QLatin1String("endif")) {
                    if (depth == 0) {
                        code.endLine = d;
                        break;
                    }
                    --depth;
                }
            }
            if (code.endLine < 0)
                code.elseLine = -1;
            code.condition = std::make_unique<Condition>(analyzeCondition(line.mid(3)));
            return;
        }
        if (line.startsWith(QLatin1String("while"))) {
            code.kind = LineCode::While;
            int depth = 0;
            for (int d = position + 1; d < count; ++d) {
                const QString &l = m_lines.line(d);
                if (l.size() > 5 && l.startsWith(QLatin1String("while"))) {
                    ++depth;
                } else if (l == QLatin1String("endwhile")) {
                    if (depth == 0) {
                        code.endLine = d;
                        break;
                    }
                    --depth;
                }
            }
            code.condition = std::make_unique<Condition>(analyzeCondition(line.mid(6)));
            return;
        }
        if (line.startsWith(QLatin1String("call"))) {
            code.kind = LineCode::Call;
            code.subroutine = subroutineSlot(line.mid(5));
            return;
        }
    }
    code.statement = std::make_unique<Statement>(analyzeStatement(line));
}

ScriptInterpreter::Statement ScriptInterpreter::analyzeStatement(const QString &s) const
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
        } else {
            st.kind = Statement::NumberAssignment;
            st.slot = numericSlot(target);
            st.number = analyzeNumber(rest);
        }
        return st;
    }
    if (s.contains(QLatin1Char('_'))) {
        st.kind = Statement::ObjectStatement;
        st.object = textBefore(s, QLatin1Char('_'));
        st.member = textAfter(s, QLatin1Char('_'));
    }
    return st;
}

ScriptInterpreter::Operand ScriptInterpreter::analyzeOperand(const QString &t) const
{
    Operand o;
    if (t.isEmpty()) {
        o.kind = Operand::Failure;
        o.text = missingOperandText();
    } else if (t.contains(QLatin1Char('_'))) {
        o.kind = Operand::Member;
        o.text = t;
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

ScriptInterpreter::NumberExpression ScriptInterpreter::analyzeNumber(const QString &t) const
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

ScriptInterpreter::TextExpression ScriptInterpreter::analyzeText(const QString &t) const
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
        e.text = t;
        return e;
    }
    e.number.left = analyzeOperand(t); // the numeric variable named t
    return e;
}

ScriptInterpreter::TextSide ScriptInterpreter::analyzeSide(const QString &t) const
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
        side.text = t;
    }
    return side;
}

ScriptInterpreter::Condition ScriptInterpreter::analyzeCondition(const QString &c) const
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
