#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "script/ScriptLibrary.h"

#include <cmath>
#include <vector>

// ---- the analysed form of texts ----
//
// Each analysis follows the text algorithm of its Evaluate... operation exactly and
// only moves the work that does not depend on values (splitting, reading constant
// numbers, finding the slot of a name, matching block lines) out of the evaluation.
// Faults found while analysing (a number that does not read, a missing operand) are
// kept and raised only when the value is needed, as the text algorithm would.

struct ScriptInterpreter::Operand {
    enum Kind : quint8 { Constant, Variable, Member, Failure };
    Kind kind = Constant;
    bool conversionFailure = false;
    int slot = -1;
    float value = 0;
    QString text; // a member text, or the message of a failure
};

struct ScriptInterpreter::NumberExpression {
    char op = 0; // 0: a single operand
    Operand left;
    Operand right;
};

struct ScriptInterpreter::TextExpression {
    enum Kind : quint8 { Literal, TextVariable, Number, Member, Missing };
    Kind kind = Literal;
    int slot = -1;
    QString text;
    NumberExpression number;
};

struct ScriptInterpreter::TextSide {
    enum Kind : quint8 { Literal, TextVariable, Member };
    Kind kind = Literal;
    int slot = -1;
    QString text;
};

struct ScriptInterpreter::Condition {
    enum Op : quint8 { Equal, Unequal, Less, LessEqual, Greater, GreaterEqual };
    Op op = GreaterEqual;
    bool missingComparison = false;
    bool isText = false;
    TextSide leftText, rightText;
    NumberExpression left, right;
};

struct ScriptInterpreter::Statement {
    enum Kind : quint8 { Nothing, Output, Input, TextAssignment, NumberAssignment, ObjectStatement };
    Kind kind = Nothing;
    bool textTarget = false;
    int slot = -1;
    TextExpression value;  // output: the value; input: the prompt
    TextExpression second; // input: the default
    TextSide side;         // text assignment
    NumberExpression number;
    QString object, member;
};

struct ScriptInterpreter::LineCode {
    enum Kind : quint8 { Unanalysed, Skip, Dynamic, Simple, If, While, Call };
    Kind kind = Unanalysed;
    QString source; // the line this code was made from
    std::unique_ptr<Statement> statement;
    std::unique_ptr<Condition> condition;
    int elseLine = -1;
    int endLine = -1;
    int subroutine = -1;
};

struct ScriptInterpreter::CodeCache {
    std::vector<LineCode> lines;
};

// ---- small text helpers ----

namespace {
inline bool isOperator(QChar c)
{
    switch (c.unicode()) {
    case '*': case '+': case '-': case '/': case '<': case '=': case '>': case '^':
        return true;
    default:
        return false;
    }
}

inline bool isComparison(QChar c)
{
    return c == QLatin1Char('<') || c == QLatin1Char('=') || c == QLatin1Char('>');
}

inline bool startsNumber(QChar c)
{
    return c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

// The text before the first c; empty when there is no c.
QString textBefore(const QString &s, QChar c)
{
    const qsizetype i = s.indexOf(c);
    return i < 0 ? QString() : s.left(i);
}

// The text after the first c; all of s when there is no c.
QString textAfter(const QString &s, QChar c)
{
    return s.mid(s.indexOf(c) + 1);
}

QString withoutLast(const QString &s)
{
    return s.isEmpty() ? s : s.left(s.size() - 1);
}

// Compares two texts code unit by code unit; a prefix is the smaller.
int compareCodeUnits(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (a.at(i) != b.at(i))
            return a.at(i).unicode() < b.at(i).unicode() ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool isEndWord(const QString &line)
{
    return line == QLatin1String("endif") || line == QLatin1String("endwhile") || line == QLatin1String("endsub");
}

const QString &missingOperandText()
{
    static const QString text = QStringLiteral("Missing operand");
    return text;
}
}

void ScriptFault::divisionByZero()
{
    throw ScriptError(QStringLiteral("Floating point division by zero"));
}

void ScriptFault::invalidOperation()
{
    throw ScriptError(QStringLiteral("Invalid floating point operation"));
}

void ScriptFault::overflow()
{
    throw ScriptError(QStringLiteral("Floating point overflow"));
}

// ---- construction and tables ----

ScriptInterpreter::ScriptInterpreter(ScriptHost &host)
    : m_host(&host), m_math(std::make_unique<MathObject>()), m_string(std::make_unique<StringObject>()),
      m_array(std::make_unique<ArrayObject>()), m_cache(std::make_unique<CodeCache>())
{
}

ScriptInterpreter::~ScriptInterpreter() = default;

int ScriptInterpreter::numericSlot(const QString &name) const
{
    for (int i = 0; i < m_numericCount; ++i)
        if (m_numbers[i].name == name)
            return i;
    return -1;
}

int ScriptInterpreter::textSlot(const QString &name) const
{
    for (int i = 0; i < m_textCount; ++i)
        if (m_texts[i].name == name)
            return i;
    return -1;
}

int ScriptInterpreter::subroutineSlot(const QString &name) const
{
    for (int i = 0; i < m_subroutineCount; ++i)
        if (m_subroutines[i].name == name)
            return i;
    return -1;
}

float ScriptInterpreter::GetNumber(const QString &name) const
{
    const int slot = numericSlot(name);
    return slot < 0 ? 0.0f : m_numbers[slot].value;
}

void ScriptInterpreter::SetNumber(const QString &name, float value)
{
    const int slot = numericSlot(name);
    if (slot >= 0)
        m_numbers[slot].value = value;
}

QString ScriptInterpreter::GetText(const QString &name) const
{
    const int slot = textSlot(name);
    return slot < 0 ? QString() : m_texts[slot].value;
}

void ScriptInterpreter::SetText(const QString &name, const QString &value)
{
    const int slot = textSlot(name);
    if (slot >= 0)
        m_texts[slot].value = value;
}

ScriptObject *ScriptInterpreter::findObject(const QString &name)
{
    if (name == QLatin1String("math"))
        return m_math.get();
    if (name == QLatin1String("string"))
        return m_string.get();
    if (name == QLatin1String("array"))
        return m_array.get();
    return m_host->object(name);
}

// ---- running ----

void ScriptInterpreter::RunScript(const QString &fileName)
{
    m_currentLine = -1;
    try {
        m_lines.loadFile(fileName);
        NormalizeLines();
        if (ExpandIncludes())
            NormalizeLines();
        CollectDeclarations();
        m_currentLine = -1;
        m_linesToStopCheck = StopCheckInterval;
        ExecuteRange(0, m_lines.count() - 1, false);
    } catch (const FortavoError &e) {
        QString where;
        if (m_currentLine >= 0 && m_currentLine < m_lines.count()) {
            const QString &text = m_lines.line(m_currentLine);
            where = QStringLiteral(" (") + m_lines.describe(m_currentLine)
                + (text.isEmpty() ? QString() : QStringLiteral(": ") + text) + QLatin1Char(')');
        }
        throw ScriptError(e.message() + where);
    }
}

QString ScriptInterpreter::NormalizeLine(const QString &line)
{
    const QString lower = asciiLower(line);
    const qsizetype n = lower.size();
    QString out;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = lower.at(i);
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char(' ')) {
            const QChar before = i > 0 ? lower.at(i - 1) : QChar();
            const QChar after = i + 1 < n ? lower.at(i + 1) : QChar();
            if (out.isEmpty() || before == QLatin1Char(' ') || isOperator(after) || isOperator(before)
                || before == QLatin1Char(','))
                continue;
            if (after == QLatin1Char(';'))
                break;
            out += c;
            continue;
        }
        if (c.unicode() >= 33)
            out += c;
    }
    return out;
}

void ScriptInterpreter::NormalizeLines()
{
    for (int k = 0; k < m_lines.count(); ++k)
        m_lines.replace(k, NormalizeLine(m_lines.line(k)));
}

bool ScriptInterpreter::ExpandIncludes()
{
    bool found = false;
    const int n = m_lines.count();
    for (int position = 0; position < n; ++position) {
        const QString line = m_lines.line(position);
        if (line.size() <= 7 || !line.startsWith(QLatin1String("include")))
            continue;
        found = true;
        m_currentLine = position;
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString name = space < 0 ? line : line.mid(space + 1);
        const QStringList included = ProgramLines::readSingleByteLines(name);
        const int source = m_lines.addSource(name);
        for (int j = 0; j < included.size(); ++j)
            m_lines.insert(position + 1 + j, included.at(j), source, j + 1);
        m_lines.replace(position, QString());
    }
    return found;
}

void ScriptInterpreter::declare(const QString &name)
{
    if (name.isEmpty())
        throw ScriptError(QStringLiteral("Empty name in a declaration list"));
    if (name.startsWith(QLatin1Char('$'))) {
        if (m_textCount >= TableSlots)
            throw ScriptError(QStringLiteral("Too many text variables: at most %1 can be declared").arg(TableSlots));
        m_texts[m_textCount++].name = name;
    } else {
        if (m_numericCount >= TableSlots)
            throw ScriptError(
                QStringLiteral("Too many numeric variables: at most %1 can be declared").arg(TableSlots));
        m_numbers[m_numericCount++].name = name;
    }
}

void ScriptInterpreter::CollectDeclarations()
{
    m_numericCount = 0;
    m_textCount = 0;
    m_subroutineCount = 0;
    const int count = m_lines.count();
    m_subroutineLines.fill(false, count);
    m_cache->lines.clear();

    for (int p = 0; p < count; ++p) {
        const QString line = m_lines.line(p);
        if (line.isEmpty())
            continue;
        m_currentLine = p;
        if (line.startsWith(QLatin1String("sub"))) {
            if (m_subroutineCount >= TableSlots)
                throw ScriptError(QStringLiteral("Too many subroutines: at most %1 can be declared").arg(TableSlots));
            Subroutine &sub = m_subroutines[m_subroutineCount];
            sub.name = line.mid(4);
            sub.firstLine = p + 1;
            m_subroutineLines[p] = true;
            int q = p + 1;
            for (; q < count; ++q) {
                if (m_lines.line(q) == QLatin1String("endsub"))
                    break;
                m_subroutineLines[q] = true;
            }
            if (q >= count)
                throw ScriptError(QStringLiteral("The subroutine %1 has no endsub line").arg(sub.name));
            sub.lastLine = q - 1;
            ++m_subroutineCount;
        } else if (!line.startsWith(QLatin1String("var"))) {
            continue;
        }
        QString name;
        for (qsizetype i = 4; i < line.size(); ++i) {
            if (line.at(i) == QLatin1Char(',')) {
                declare(name);
                name.clear();
            } else {
                name += line.at(i);
            }
        }
        if (!name.isEmpty())
            declare(name);
        m_lines.replace(p, QString());
    }
    m_currentLine = -1;
}

namespace {
// Leaves the nesting depth as it was, also when an error unwinds.
struct DepthGuard {
    int &depth;
    explicit DepthGuard(int &d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};
}

void ScriptInterpreter::countLine(int position)
{
    m_currentLine = position;
    if (--m_linesToStopCheck > 0)
        return;
    m_linesToStopCheck = StopCheckInterval;
    if (m_host->stopRequested())
        throw ScriptError(QStringLiteral("The script was stopped"));
}

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

void ScriptInterpreter::ExecuteRange(int first, int last, bool inSubroutine)
{
    if (m_depth >= MaxNesting)
        throw ScriptError(QStringLiteral("Calls and blocks are nested more than %1 levels deep").arg(MaxNesting));
    DepthGuard guard(m_depth);
    last = std::min(last, m_lines.count() - 1);
    if (m_subroutineLines.size() != m_lines.count())
        m_subroutineLines.resize(m_lines.count(), false);
    for (int a = std::max(first, 0); a <= last; ++a) {
        const QString &line = m_lines.line(a);
        if (line.isEmpty() || (!inSubroutine && m_subroutineLines.at(a)))
            continue;
        LineCode &code = lineCode(a);
        if (code.kind == LineCode::Skip)
            continue;
        countLine(a);
        if (code.kind == LineCode::Simple) {
            execute(*code.statement);
        } else if (code.kind == LineCode::Dynamic) {
            // Literals insert current values: expand and analyse the line anew.
            LineCode now;
            buildLine(now, a, ExpandLiterals(line));
            if (now.kind == LineCode::Simple)
                execute(*now.statement);
            else
                a = executeBlock(a, now, inSubroutine);
        } else {
            a = executeBlock(a, code, inSubroutine);
        }
    }
}

int ScriptInterpreter::executeBlock(int position, const LineCode &code, bool inSubroutine)
{
    switch (code.kind) {
    case LineCode::If:
        if (code.endLine < 0)
            return position; // no endif: the lines run as ordinary lines
        if (code.elseLine < 0) {
            if (evaluate(*code.condition))
                ExecuteRange(position + 1, code.endLine - 1, inSubroutine);
        } else if (evaluate(*code.condition)) {
            ExecuteRange(position + 1, code.elseLine - 1, inSubroutine);
        } else {
            ExecuteRange(code.elseLine + 1, code.endLine - 1, inSubroutine);
        }
        return code.endLine;
    case LineCode::While:
        if (code.endLine < 0)
            return position;
        while (evaluate(*code.condition)) {
            ExecuteRange(position + 1, code.endLine - 1, inSubroutine);
            countLine(position);
        }
        return code.endLine;
    case LineCode::Call:
        if (code.subroutine >= 0) {
            const Subroutine &sub = m_subroutines[code.subroutine];
            ExecuteRange(sub.firstLine, sub.lastLine, true);
        }
        return position;
    default:
        return position;
    }
}

QString ScriptInterpreter::ExpandLiterals(const QString &line) const
{
    QString out;
    out.reserve(line.size());
    bool inLiteral = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"')) {
            out += c;
            inLiteral = !inLiteral;
        } else if (!inLiteral) {
            out += c;
        } else if (c == QLatin1Char('(')) {
            out += QLatin1Char('{');
        } else if (c == QLatin1Char('$')) {
            qsizetype end = i + 1;
            while (end < n && line.at(end) != QLatin1Char(' ') && line.at(end) != QLatin1Char('"'))
                ++end;
            const QString name = line.mid(i + 1, end - i - 1);
            if (name.isEmpty())
                out += c; // a "$" that names nothing stays
            else if (name.startsWith(QLatin1Char('$')))
                out += GetText(name);
            else
                out += FormatNumber(GetNumber(name));
            i = end - 1;
        } else {
            out += c;
        }
    }
    return out;
}

void ScriptInterpreter::ExecuteStatement(const QString &statement)
{
    execute(analyzeStatement(statement));
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

void ScriptInterpreter::execute(const Statement &s)
{
    switch (s.kind) {
    case Statement::Output:
        m_host->showOutput(evaluate(s.value));
        break;
    case Statement::Input: {
        const QString prompt = evaluate(s.value);
        const QString defaultText = evaluate(s.second);
        const QString answer = m_host->askInput(QStringLiteral("Input"), prompt, defaultText);
        if (s.textTarget) {
            if (s.slot >= 0)
                m_texts[s.slot].value = answer;
        } else {
            const float value = ParseNumber(answer);
            if (s.slot >= 0)
                m_numbers[s.slot].value = value;
        }
        break;
    }
    case Statement::TextAssignment: {
        QString value = evaluate(s.side);
        if (s.slot >= 0)
            m_texts[s.slot].value = std::move(value);
        break;
    }
    case Statement::NumberAssignment: {
        const float value = evaluate(s.number);
        if (s.slot >= 0)
            m_numbers[s.slot].value = value;
        break;
    }
    case Statement::ObjectStatement:
        if (ScriptObject *object = findObject(s.object))
            object->statement(*this, s.member);
        break;
    case Statement::Nothing:
        break;
    }
}

// ---- values ----

float ScriptInterpreter::ToSingle(double value)
{
    if (std::isnan(value))
        ScriptFault::invalidOperation();
    // Overflow is judged after rounding: a value a little above the largest single
    // that rounds to it (as 3.4028235E38, the text of the largest single) is no overflow.
    const float single = float(value);
    if (std::isinf(single))
        ScriptFault::overflow();
    return single;
}

QString ScriptInterpreter::FormatNumber(float x)
{
    return NumberText(x);
}

float ScriptInterpreter::ParseNumber(const QString &text)
{
    return ToSingle(::ParseNumber(text));
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
            o.value = ParseNumber(t);
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

float ScriptInterpreter::evaluate(const Operand &o)
{
    switch (o.kind) {
    case Operand::Constant:
        return o.value;
    case Operand::Variable:
        return m_numbers[o.slot].value;
    case Operand::Member:
        return NumericMember(o.text);
    case Operand::Failure:
        break;
    }
    if (o.conversionFailure)
        throw ConversionError(o.text);
    throw ScriptError(o.text);
}

namespace {
// x to the power y: an integral exponent by repeated squaring, any other through
// the logarithm.
float power(double x, double y)
{
    if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0) {
        auto n = static_cast<unsigned long long>(std::fabs(y));
        double result = 1;
        double base = x;
        while (n) {
            if (n & 1)
                result *= base;
            n >>= 1;
            if (n)
                base *= base;
        }
        if (y < 0) {
            if (result == 0)
                ScriptFault::divisionByZero();
            result = 1 / result;
        }
        return ScriptInterpreter::ToSingle(result);
    }
    if (x == 0)
        return 0;
    if (x < 0)
        ScriptFault::invalidOperation();
    return ScriptInterpreter::ToSingle(std::exp(y * std::log(x)));
}
}

float ScriptInterpreter::evaluate(const NumberExpression &e)
{
    if (e.op == 0)
        return evaluate(e.left);
    if (isComparison(QLatin1Char(e.op)))
        throw ScriptError(QStringLiteral("The comparison operator %1 cannot stand in a numeric expression")
                              .arg(QLatin1Char(e.op)));
    const double l = evaluate(e.left);
    const double r = evaluate(e.right);
    switch (e.op) {
    case '+':
        return ToSingle(l + r);
    case '-':
        return ToSingle(l - r);
    case '*':
        return ToSingle(l * r);
    case '/':
        if (r == 0) {
            if (l == 0)
                ScriptFault::invalidOperation();
            ScriptFault::divisionByZero();
        }
        return ToSingle(l / r);
    default:
        return power(l, r);
    }
}

QString ScriptInterpreter::evaluate(const TextExpression &e)
{
    switch (e.kind) {
    case TextExpression::Literal:
        return e.text;
    case TextExpression::TextVariable:
        return e.slot < 0 ? QString() : m_texts[e.slot].value;
    case TextExpression::Number:
        return FormatNumber(evaluate(e.number));
    case TextExpression::Member:
        return TextMember(e.text);
    case TextExpression::Missing:
        break;
    }
    throw ScriptError(missingOperandText());
}

QString ScriptInterpreter::evaluate(const TextSide &side)
{
    switch (side.kind) {
    case TextSide::Literal:
        return side.text;
    case TextSide::TextVariable:
        return side.slot < 0 ? QString() : m_texts[side.slot].value;
    case TextSide::Member:
        break;
    }
    return TextMember(side.text);
}

bool ScriptInterpreter::evaluate(const Condition &c)
{
    if (c.missingComparison)
        throw ScriptError(QStringLiteral("The condition has no comparison operator"));
    int order = 0;
    if (c.isText) {
        const QString left = evaluate(c.leftText);
        order = compareCodeUnits(left, evaluate(c.rightText));
    } else {
        const float left = evaluate(c.left);
        const float right = evaluate(c.right);
        order = left < right ? -1 : (left > right ? 1 : 0);
    }
    switch (c.op) {
    case Condition::Equal:
        return order == 0;
    case Condition::Unequal:
        return order != 0;
    case Condition::Less:
        return order < 0;
    case Condition::LessEqual:
        return order <= 0;
    case Condition::Greater:
        return order > 0;
    case Condition::GreaterEqual:
        break;
    }
    return order >= 0;
}

float ScriptInterpreter::EvaluateNumber(const QString &expression)
{
    return evaluate(analyzeNumber(expression));
}

float ScriptInterpreter::EvaluateOperand(const QString &operand)
{
    return evaluate(analyzeOperand(operand));
}

QString ScriptInterpreter::EvaluateText(const QString &operand)
{
    return evaluate(analyzeText(operand));
}

bool ScriptInterpreter::EvaluateCondition(const QString &condition)
{
    return evaluate(analyzeCondition(condition));
}

void ScriptInterpreter::enterMember()
{
    // A text can name a function whose argument is that text again (string_str($a)
    // with $a holding "string_str($a)"): such nesting ends the run, not the stack.
    if (m_depth >= MaxNesting)
        throw ScriptError(QStringLiteral("Functions are nested more than %1 levels deep").arg(MaxNesting));
}

float ScriptInterpreter::NumericMember(const QString &member)
{
    enterMember();
    DepthGuard guard(m_depth);
    const qsizetype underscore = member.indexOf(QLatin1Char('_'));
    ScriptObject *object = findObject(underscore < 0 ? QString() : member.left(underscore));
    return object ? object->numericMember(*this, member.mid(underscore + 1)) : 0.0f;
}

QString ScriptInterpreter::TextMember(const QString &member)
{
    enterMember();
    DepthGuard guard(m_depth);
    const qsizetype underscore = member.indexOf(QLatin1Char('_'));
    ScriptObject *object = findObject(underscore < 0 ? QString() : member.left(underscore));
    return object ? object->textMember(*this, member.mid(underscore + 1)) : QString();
}
