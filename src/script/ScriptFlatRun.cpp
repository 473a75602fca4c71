// The flat run: the whole program executed as one list of lines with resolved
// jumps, instead of a stack of ranges.
//
// Blocks are ranges of lines executed within ranges: a range ends past its last
// line even when a block inside it reaches further. When every block, else and
// subroutine of a program nests properly inside the others, no range ever ends
// anywhere but at its block's own end line, and the ranges can be replaced by
// jumps: an if jumps past its first branch when the condition is false, an else
// jumps past its endif, an endwhile jumps back to its while line, an endsub returns
// from a call. The nesting depth a range would add is known from the line alone.
// Programs whose blocks cross, and those with a while or call line that inserts
// values into literals, keep the ranges.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"

#include <algorithm>

using namespace ScriptCode;
using Step = Instruction::Step;

namespace {
struct Span {
    int first = 0; // the opening line
    int last = 0;  // the end line
    bool block = true; // an if or while; otherwise a subroutine
};

bool startsBlockWord(const QString &line)
{
    return line.startsWith(QLatin1String("if")) || line.startsWith(QLatin1String("while"))
        || line.startsWith(QLatin1String("call"));
}

// Whether the spans nest: each two either lie apart or one inside the other.
bool spansNest(const std::vector<Span> &sorted)
{
    std::vector<int> open; // the last lines of the spans around the current one
    for (const Span &s : sorted) {
        while (!open.empty() && open.back() < s.first)
            open.pop_back();
        if (!open.empty() && s.last > open.back())
            return false;
        open.push_back(s.last);
    }
    return true;
}

// One pass over the lines with the (nesting, sorted) spans around each: checks that
// every else stands in its own if's range and not inside a block or subroutine
// nested in it, so that it is reached at the end of the first branch alone, and
// gives each line the depth a range executor would have there: one level per block
// around it, counted from the start of its subroutine, since a call counts afresh
// from the depth of its call line.
bool placeLines(const std::vector<Span> &sorted, const std::vector<int> &elseOf, std::vector<Instruction> &code)
{
    struct Open {
        const Span *span;
        int depth; // the blocks open inside the innermost subroutine, this one included
    };
    std::vector<Open> open; // the spans strictly around the current line
    size_t next = 0;
    for (int k = 0; k < int(code.size()); ++k) {
        while (!open.empty() && open.back().span->last <= k)
            open.pop_back();
        const int owner = elseOf[size_t(k)];
        if (owner >= 0 && (open.empty() || open.back().span->first != owner))
            return false;
        code[size_t(k)].blockDepth = open.empty() ? 0 : open.back().depth;
        for (; next < sorted.size() && sorted[next].first == k; ++next) {
            const int outer = open.empty() ? 0 : open.back().depth;
            open.push_back({&sorted[next], sorted[next].block ? outer + 1 : 0});
        }
    }
    return true;
}
}

// Gives every line its step and jump target, and tells whether the program can run
// flat. Runs after the blocks are matched and the declarations collected.
bool ScriptInterpreter::planFlatRun()
{
    const int count = m_lines.count();
    std::vector<Span> spans;
    std::vector<int> elseOf(size_t(count), -1); // the if line whose else a line is
    for (int k = 0; k < count; ++k) {
        const QString &line = m_lines.line(k);
        const bool hasSpace = line.contains(QLatin1Char(' '));
        const int endIf = m_endIfLine[size_t(k)];
        const int endWhile = m_endWhileLine[size_t(k)];
        const bool isIf = hasSpace && line.startsWith(QLatin1String("if")) && endIf >= 0;
        const bool isWhile = hasSpace && line.startsWith(QLatin1String("while")) && endWhile >= 0;
        // A while condition is taken once per loop, a call's name and an unmatched
        // block line are only known when the line runs: such lines need the ranges.
        if (!isIf && startsBlockWord(line) && literalsNeedValues(line))
            return false;
        Instruction &code = m_code[size_t(k)];
        if (isIf) {
            const int elseLine = m_elseLine[size_t(k)];
            spans.push_back({k, endIf});
            code.step = Step::IfTest;
            code.target = (elseLine >= 0 ? elseLine : endIf) + 1;
            code.elseLine = elseLine;
            if (elseLine >= 0) {
                elseOf[size_t(elseLine)] = k;
                m_code[size_t(elseLine)].step = Step::Jump;
                m_code[size_t(elseLine)].target = endIf + 1;
            }
            m_code[size_t(endIf)].step = Step::Jump;
            m_code[size_t(endIf)].target = endIf + 1;
        } else if (isWhile) {
            spans.push_back({k, endWhile});
            code.step = Step::WhileTest;
            code.target = endWhile + 1;
            m_code[size_t(endWhile)].step = Step::Jump;
            m_code[size_t(endWhile)].target = k;
        } else if (line == QLatin1String("endsub")) {
            code.step = Step::SubEnd;
        } else if (line.isEmpty() && code.step == Step::Analyse) {
            code.step = Step::Pass;
        }
    }
    for (int s = 0; s < m_subroutineCount; ++s) {
        const Subroutine &sub = m_subroutines[size_t(s)];
        spans.push_back({sub.firstLine - 1, sub.lastLine + 1, false});
        m_code[size_t(sub.firstLine - 1)].step = Step::SubStart;
        m_code[size_t(sub.firstLine - 1)].target = sub.lastLine + 2;
    }
    std::sort(spans.begin(), spans.end(), [](const Span &a, const Span &b) {
        return a.first != b.first ? a.first < b.first : a.last > b.last;
    });
    if (!spansNest(spans) || !placeLines(spans, elseOf, m_code))
        return false;
    shortenJumps();
    return true;
}

// A jump that lands on a jump or an empty line goes straight on to where that one
// leads. Lines are taken from the last: a forward jump's target is resolved already,
// a backward one (an endwhile) lands on its while line.
void ScriptInterpreter::shortenJumps()
{
    const int count = m_lines.count();
    std::vector<int> landing(size_t(count) + 1);
    landing[size_t(count)] = count;
    for (int k = count - 1; k >= 0; --k) {
        const Instruction &code = m_code[size_t(k)];
        if (code.step == Step::Pass)
            landing[size_t(k)] = landing[size_t(k) + 1];
        else if (code.step == Step::Jump && code.target > k)
            landing[size_t(k)] = landing[size_t(code.target)];
        else if (code.step == Step::Jump)
            landing[size_t(k)] = code.target;
        else
            landing[size_t(k)] = k;
    }
    for (Instruction &code : m_code)
        if (code.target >= 0 && code.step != Step::SubEnd)
            code.target = landing[size_t(code.target)];
}

// The step of a line that was just analysed.
void ScriptInterpreter::setStep(Instruction &code)
{
    switch (code.kind) {
    case Instruction::Assign: {
        const Statement &s = *code.statement;
        code.step = Step::Assign;
        if (s.slot < 0 || s.number.form == NumberExpression::General)
            return;
        code.a = s.number.a;
        code.b = s.number.b;
        code.out = &m_numbers[size_t(s.slot)].value;
        static constexpr Step direct[] = {Step::Assign, Step::AssignValue, Step::AssignSum, Step::AssignDifference,
                                          Step::AssignProduct};
        code.step = direct[s.number.form];
        return;
    }
    case Instruction::Simple:
        code.step = Step::Statement;
        return;
    case Instruction::Dynamic:
        code.step = Step::Dynamic;
        return;
    case Instruction::Call:
        code.step = Step::Call;
        return;
    case Instruction::If:
    case Instruction::While:
        code.step = Step::Counted; // without an end: the line itself does nothing
        return;
    default:
        code.step = Step::Pass;
        return;
    }
}

// The condition of an if line not analysed yet, or one whose literals insert values:
// then analysed from the line as it expands now.
bool ScriptInterpreter::ifHolds(int position, Instruction &code)
{
    if (code.kind == Instruction::Unanalysed)
        analyzedLine(position);
    if (code.kind != Instruction::Dynamic)
        return conditionHolds(*code.condition);
    const std::shared_ptr<Instruction> now = expandedLine(position, code);
    return conditionHolds(*now->condition);
}

void ScriptInterpreter::runFlat()
{
    struct Return {
        int position;
        int depthBase;
        bool inSubroutine;
    };
    std::vector<Return> calls;
    const int count = m_lines.count();
    bool inSubroutine = false;
    int depthBase = m_depth + 1; // the main flow is one range deep
    int pc = 0;
    Instruction *const lines = m_code.data();
    const auto goTo = [&](int position) {
        pc = position;
        if (pc < count)
            m_depth = depthBase + lines[pc].blockDepth;
    };
    // Counts a line run, and asks now and then whether to stop.
    const auto tick = [this] {
        if (--m_linesToStopCheck <= 0)
            askToStop();
    };
    goTo(0);
    // The line an error names is set only when one leaves the loop.
    try {
        while (pc < count) {
            Instruction &code = lines[pc];
            switch (code.step) {
            case Step::Analyse:
                analyzedLine(pc);
                setStep(code);
                continue;
            case Step::Counted:
                tick();
                [[fallthrough]];
            case Step::Pass:
                ++pc;
                continue;
            case Step::Assign: {
                tick();
                const Statement &s = *code.statement;
                const float value = numberValue(s.number);
                if (s.slot >= 0)
                    m_numbers[size_t(s.slot)].value = value;
                ++pc;
                continue;
            }
            case Step::AssignValue:
                tick();
                *code.out = *code.a;
                ++pc;
                continue;
            case Step::AssignSum:
                tick();
                *code.out = toSingle(double(*code.a) + double(*code.b));
                ++pc;
                continue;
            case Step::AssignDifference:
                tick();
                *code.out = toSingle(double(*code.a) - double(*code.b));
                ++pc;
                continue;
            case Step::AssignProduct:
                tick();
                *code.out = toSingle(double(*code.a) * double(*code.b));
                ++pc;
                continue;
            case Step::Statement:
                tick();
                execute(*code.statement);
                ++pc;
                continue;
            case Step::Dynamic:
                tick();
                runDynamic(pc, code, inSubroutine); // a statement: block lines with values are not run flat
                ++pc;
                continue;
            case Step::Call:
                tick();
                if (code.subroutine < 0) {
                    ++pc;
                    continue;
                }
                enterBlock();
                calls.push_back({pc + 1, depthBase, inSubroutine});
                depthBase = m_depth + 1;
                inSubroutine = true;
                goTo(m_subroutines[size_t(code.subroutine)].firstLine);
                continue;
            case Step::IfTest: {
                tick();
                const bool holds =
                    code.kind == Instruction::If ? conditionHolds(*code.condition) : ifHolds(pc, code);
                if (holds || code.elseLine >= 0)
                    enterBlock(); // the range of a branch, as also an empty else branch opens one
                goTo(holds ? pc + 1 : code.target);
                continue;
            }
            case Step::WhileTest:
                tick();
                if (code.kind == Instruction::Unanalysed)
                    analyzedLine(pc);
                if (conditionHolds(*code.condition)) {
                    enterBlock();
                    goTo(pc + 1);
                } else {
                    goTo(code.target);
                }
                continue;
            case Step::Jump:
                goTo(code.target);
                continue;
            case Step::SubStart:
                if (inSubroutine)
                    ++pc;
                else
                    goTo(code.target);
                continue;
            case Step::SubEnd:
                if (calls.empty()) {
                    ++pc;
                    continue;
                }
                depthBase = calls.back().depthBase;
                inSubroutine = calls.back().inSubroutine;
                goTo(calls.back().position);
                calls.pop_back();
                continue;
            }
        }
    } catch (...) {
        m_currentLine = pc;
        throw;
    }
}
