// Execution: the lines of a range, blocks, calls and the simple statements.
//
// A range of lines is a frame on a stack: an if branch, a loop pass or a called
// body pushes one and the executor goes on with it; when a frame runs past its last
// line it is dropped (a loop's frame starts again while the condition holds). This
// is the recursion of ranges within ranges, without using the machine's stack.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptLibrary.h"
#include "script/ScriptText.h"

using namespace ScriptText;
using namespace ScriptCode;

void ScriptInterpreter::nestedTooDeep()
{
    throw ScriptError(QStringLiteral("Calls and blocks are nested more than %1 levels deep").arg(MaxNesting));
}

inline void ScriptInterpreter::pushFrame(int first, int last, bool inSubroutine, int loopLine, const Condition *condition,
                                         const std::shared_ptr<const void> *keep)
{
    enterBlock();
    ++m_depth;
    Frame &frame = m_frames.emplace_back();
    frame.position = first;
    frame.last = last;
    frame.loopLine = loopLine;
    frame.inSubroutine = inSubroutine;
    frame.condition = condition;
    frame.keeps = keep != nullptr;
    if (keep)
        m_kept.push_back(*keep);
}

inline void ScriptInterpreter::popFrame()
{
    if (m_frames.back().keeps)
        m_kept.pop_back();
    m_frames.pop_back();
    --m_depth;
}

void ScriptInterpreter::askToStop()
{
    m_linesToStopCheck = StopCheckInterval;
    if (m_host->stopRequested())
        throw ScriptError(QStringLiteral("The script was stopped"));
}

inline void ScriptInterpreter::runBlock(int position, const Instruction &code, bool inSubroutine,
                                        const std::shared_ptr<const void> *keep)
{
    switch (code.kind) {
    case Instruction::If: {
        if (code.endLine < 0)
            return; // no endif: the lines run as ordinary lines
        const bool holds = conditionHolds(*code.condition);
        m_frames.back().position = code.endLine + 1;
        if (code.elseLine < 0) {
            if (holds)
                pushFrame(position + 1, code.endLine - 1, inSubroutine);
        } else if (holds) {
            pushFrame(position + 1, code.elseLine - 1, inSubroutine);
        } else {
            pushFrame(code.elseLine + 1, code.endLine - 1, inSubroutine);
        }
        return;
    }
    case Instruction::While:
        if (code.endLine < 0)
            return;
        m_frames.back().position = code.endLine + 1;
        if (conditionHolds(*code.condition))
            pushFrame(position + 1, code.endLine - 1, inSubroutine, position, code.condition.get(), keep);
        return;
    case Instruction::Call:
        if (code.subroutine >= 0) {
            const Subroutine &sub = m_subroutines[size_t(code.subroutine)];
            pushRange(sub.firstLine, sub.lastLine, true);
        }
        return;
    default:
        return;
    }
}

// A range given from outside the block structure, cut to the program's lines.
void ScriptInterpreter::pushRange(int first, int last, bool inSubroutine)
{
    pushFrame(std::max(first, 0), std::min(last, m_lines.count() - 1), inSubroutine);
}

void ScriptInterpreter::ExecuteRange(int first, int last, bool inSubroutine)
{
    if (m_code.size() != size_t(m_lines.count()))
        prepareCode();
    m_frames.reserve(size_t(MaxNesting) + 1); // pushes never move the frames
    const size_t base = m_frames.size();
    const int depth = m_depth;
    try {
        if (m_flatRun && first == 0 && last == m_lines.count() - 1 && !inSubroutine) {
            runFlat();
            m_depth = depth;
        } else {
            pushRange(first, last, inSubroutine);
            runFrames(base);
        }
    } catch (...) {
        while (m_frames.size() > base)
            popFrame();
        m_depth = depth;
        throw;
    }
}

// The executor's loop. Frames never move: their vector holds room for the deepest
// nesting allowed, so a reference to the top frame stays valid across a push.
void ScriptInterpreter::runFrames(size_t base)
{
    while (m_frames.size() > base) {
        Frame &frame = m_frames.back();
        if (frame.position > frame.last) {
            if (frame.loopLine >= 0) {
                countLine(frame.loopLine);
                if (conditionHolds(*frame.condition)) {
                    frame.position = frame.loopLine + 1;
                    continue;
                }
            }
            popFrame();
            continue;
        }
        const int a = frame.position++;
        Instruction *code = &m_code[size_t(a)];
        if (code->subroutineLine && !frame.inSubroutine)
            continue;
        switch (code->kind) {
        case Instruction::Skip:
            continue;
        case Instruction::Unanalysed:
            code = &analyzedLine(a);
            if (code->kind == Instruction::Skip)
                continue;
            break;
        default:
            break;
        }
        countLine(a);
        switch (code->kind) {
        case Instruction::Assign: {
            const Statement &s = *code->statement;
            const float value = numberValue(s.number);
            if (s.slot >= 0)
                m_numbers[size_t(s.slot)].value = value;
            break;
        }
        case Instruction::Simple:
            execute(*code->statement);
            break;
        case Instruction::Dynamic:
            runDynamic(a, *code, frame.inSubroutine);
            break;
        default:
            runBlock(a, *code, frame.inSubroutine, nullptr);
            break;
        }
    }
}

// The analysis of a line whose literals insert values, as the line expands now: the
// line is expanded each time it runs and analysed again only when the expansion
// differs from the last one. The caller holds the analysis while it uses it, so that
// a nested run of the same line cannot drop it.
std::shared_ptr<Instruction> ScriptInterpreter::expandedLine(int position, Instruction &code)
{
    QString expanded = ExpandLiterals(m_lines.line(position));
    if (!code.expandedCode || code.expanded != expanded) {
        auto fresh = std::make_shared<Instruction>();
        buildLine(*fresh, position, expanded);
        code.expanded = std::move(expanded);
        code.expandedCode = std::move(fresh);
    }
    return code.expandedCode;
}

void ScriptInterpreter::runDynamic(int position, Instruction &code, bool inSubroutine)
{
    const std::shared_ptr<const void> now = expandedLine(position, code);
    const Instruction &line = *static_cast<const Instruction *>(now.get());
    if (line.kind == Instruction::Simple || line.kind == Instruction::Assign)
        execute(*line.statement);
    else
        runBlock(position, line, inSubroutine, &now);
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
            checkTextLength(out.size() + (n - end));
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
            checkTextLength(answer.size());
            if (s.slot >= 0)
                m_texts[size_t(s.slot)].value = answer;
        } else {
            const float value = parseSingle(answer);
            if (s.slot >= 0)
                m_numbers[size_t(s.slot)].value = value;
        }
        break;
    }
    case Statement::TextAssignment: {
        QString value = evaluate(s.side);
        if (s.slot >= 0)
            m_texts[size_t(s.slot)].value = std::move(value);
        break;
    }
    case Statement::AppendText:
    case Statement::PrependArray:
        appendInPlace(s);
        break;
    case Statement::NumberAssignment: {
        const float value = numberValue(s.number);
        if (s.slot >= 0)
            m_numbers[size_t(s.slot)].value = value;
        break;
    }
    case Statement::ObjectStatement:
        s.object->statement(*this, s.member);
        break;
    case Statement::Nothing:
        break;
    }
}

// $t=string_concat($t,x) and $a=array_push($a,x): the same result as building a new
// text from a copy of the variable, but the variable's own storage grows, so that a
// text built piece by piece costs time in proportion to its length.
void ScriptInterpreter::appendInPlace(const Statement &s)
{
    enterMember();
    DepthGuard guard(m_depth);
    Member &member = *s.side.member;
    QString &target = m_texts[size_t(s.slot)].value;
    QString before = target; // the variable's value as the function reads it first
    ScriptArguments arguments(*this, member);
    const QString piece = arguments.text(1);
    const bool append = s.kind == Statement::AppendText;
    checkTextLength(qint64(before.size()) + piece.size() + (append ? 0 : 1));
    if (target.constData() != before.constData() || target.size() != before.size()) {
        // The piece's evaluation changed the variable: build from the value read first.
        target = append ? before + piece : piece + QLatin1Char(':') + before;
        return;
    }
    before = QString(); // the variable's storage is its own again
    if (append) {
        target.append(piece);
    } else {
        target.prepend(QLatin1Char(':'));
        target.prepend(piece);
    }
}
