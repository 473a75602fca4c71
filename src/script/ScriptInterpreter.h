#pragma once

#include "script/ProgramLines.h"
#include "script/ScriptHost.h"

#include <QString>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

// The floating-point faults of a run, with the runtime's texts.
namespace ScriptFault {
[[noreturn]] void divisionByZero();
[[noreturn]] void invalidOperation();
[[noreturn]] void overflow();
}

// The analysed form of lines and expressions (ScriptCode.h).
namespace ScriptCode {
struct Operand;
struct NumberExpression;
struct TextExpression;
struct TextSide;
struct Condition;
struct Member;
struct Argument;
struct Statement;
struct Instruction;
struct Frame;
}

class ScriptArguments;

// The interpreter of Fortavo scripts (".fvs"). A run loads the file, normalizes its
// lines, expands includes, collects the declarations and executes the main flow.
// The variable and subroutine tables keep their values from run to run: the program
// keeps one interpreter for its whole life.
//
// Expressions are defined on their text, split at the first operator character;
// there is no syntax tree. To keep loops fast, each line is analysed once per run
// into an instruction (its statement form, operands bound to variable slots and
// library functions, and the lines that end its block), and blocks and calls run
// on a stack of ranges instead of the machine's stack. A line whose string literals
// insert variable values is expanded anew every time it runs.
class ScriptInterpreter {
public:
    static constexpr int TableSlots = 30;
    // Calls, blocks and functions nested deeper than this end the run.
    static constexpr int MaxNesting = 1000;
    // Executed lines between two questions to the host whether to stop.
    static constexpr int StopCheckInterval = 256;
    // Bounds that keep a run within memory: the program after its includes, one
    // script or included file, and one text value.
    static constexpr int MaxProgramLines = 1000000;
    static constexpr qint64 MaxProgramCharacters = 64 * 1024 * 1024;
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
    static constexpr qsizetype MaxTextLength = 32 * 1024 * 1024;
    // Texts quoted in messages are cut to this many characters.
    static constexpr qsizetype MaxQuotedLength = 200;

    explicit ScriptInterpreter(ScriptHost &host);
    ~ScriptInterpreter();
    ScriptInterpreter(const ScriptInterpreter &) = delete;
    ScriptInterpreter &operator=(const ScriptInterpreter &) = delete;

    ScriptHost &host() const { return *m_host; }
    void setHost(ScriptHost &host) { m_host = &host; }

    // Runs a script file. Any error ends the run as ScriptError whose message is the
    // error's own text followed by the script line where it happened.
    void RunScript(const QString &fileName);

    float GetNumber(const QString &name) const; // 0 for a name without a slot
    void SetNumber(const QString &name, float value); // no slot: no effect
    QString GetText(const QString &name) const; // empty for a name without a slot
    void SetText(const QString &name, const QString &value);

    // The lines of the last run, as preprocessing left them.
    ProgramLines &programLines() { return m_lines; }
    const ProgramLines &programLines() const { return m_lines; }

    // Preprocessing passes over programLines().
    void NormalizeLines();
    static QString normalizeLine(const QString &line);
    // Returns whether an include line was found.
    bool ExpandIncludes();
    void CollectDeclarations();

    // Execution.
    void ExecuteRange(int first, int last, bool inSubroutine);
    QString ExpandLiterals(const QString &line) const;
    void ExecuteStatement(const QString &statement);

    // Values.
    float EvaluateNumber(const QString &expression);
    float EvaluateOperand(const QString &operand);
    QString EvaluateText(const QString &operand);
    bool EvaluateCondition(const QString &condition);
    float NumericMember(const QString &member);
    QString TextMember(const QString &member);
    static QString FormatNumber(float x);
    // Raises ConversionError for a text that is not a number, ScriptError when the
    // number lies outside the range of a single.
    static float parseSingle(const QString &text);
    static float parseSingle(QStringView text);
    // A double result rounded to single; raises ScriptError for an overflow or an
    // invalid operation (NaN).
    static float toSingle(double value)
    {
        const float single = float(value);
        if (std::isfinite(single)) [[likely]]
            return single;
        nonFinite(value);
    }
    // Raises ScriptError when a text of this length would exceed MaxTextLength.
    static void checkTextLength(qint64 length);
    // A text cut to MaxQuotedLength characters and "...", for messages.
    static QString quoted(const QString &text);

    // Declared names, for tools that show them.
    int numericCount() const { return m_numericCount; }
    int textCount() const { return m_textCount; }
    int subroutineCount() const { return m_subroutineCount; }

private:
    friend class ScriptArguments;
    using Operand = ScriptCode::Operand;
    using NumberExpression = ScriptCode::NumberExpression;
    using TextExpression = ScriptCode::TextExpression;
    using TextSide = ScriptCode::TextSide;
    using Condition = ScriptCode::Condition;
    using Member = ScriptCode::Member;
    using Statement = ScriptCode::Statement;
    using Instruction = ScriptCode::Instruction;

    struct NumericSlot {
        QString name;
        float value = 0;
    };
    struct TextSlot {
        QString name;
        QString value;
    };
    struct Subroutine {
        QString name;
        int firstLine = 0;
        int lastLine = -1;
    };

    int numericSlot(const QString &name) const;
    int textSlot(const QString &name) const;
    int subroutineSlot(const QString &name) const;
    void declare(const QString &name);
    ScriptObject *hostObject(const QString &name) const;

    // Preprocessing.
    QStringList includedLines(const QString &name);
    void checkStopWhilePreparing(qint64 &work);

    // Analysis of texts into their instruction form.
    Operand analyzeOperand(const QString &t) const;
    NumberExpression analyzeNumber(const QString &t) const;
    TextExpression analyzeText(const QString &t) const;
    TextSide analyzeSide(const QString &t) const;
    Condition analyzeCondition(const QString &c) const;
    Statement analyzeStatement(const QString &s) const;
    std::shared_ptr<Member> analyzeMember(const QString &t, bool numericPlace) const;
    void buildLine(Instruction &code, int position, const QString &expanded) const;
    void bind(NumberExpression &e) const;
    void bind(Condition &c) const;
    void matchBlocks();
    void prepareCode();
    Instruction &analyzedLine(int position);

    // Evaluation of the analysed forms.
    // The evaluation of the common forms, inline in the executor's loop.
    float operandValue(const Operand &o);
    float numberValue(const NumberExpression &e);
    bool conditionHolds(const Condition &c);
    float evaluate(const Operand &o);
    float evaluate(const NumberExpression &e);
    QString evaluate(const TextExpression &e);
    QString evaluate(const TextSide &side);
    bool evaluate(const Condition &c);
    float numericMember(Member &m);
    QString textMember(Member &m);
    void execute(const Statement &s);
    void appendInPlace(const Statement &s);

    // The stack of ranges that replaces recursion for blocks and calls.
    void pushFrame(int first, int last, bool inSubroutine, int loopLine = -1, const Condition *condition = nullptr,
                   const std::shared_ptr<const void> *keep = nullptr);
    void pushRange(int first, int last, bool inSubroutine);
    void popFrame();
    void runFrames(size_t base);
    void runBlock(int position, const Instruction &code, bool inSubroutine, const std::shared_ptr<const void> *keep);
    std::shared_ptr<Instruction> expandedLine(int position, Instruction &code);
    void runDynamic(int position, Instruction &code, bool inSubroutine);
    // A branch, loop pass or call opens one more level, as a range does.
    void enterBlock() const
    {
        if (m_depth >= MaxNesting) [[unlikely]]
            nestedTooDeep();
    }
    [[noreturn]] static void nestedTooDeep();

    // The flat run of a program whose blocks nest (ScriptFlatRun.cpp).
    bool planFlatRun();
    void shortenJumps();
    void setStep(Instruction &code);
    bool ifHolds(int position, Instruction &code);
    void runFlat();

    // Raises ScriptError when one more function level would nest too deep.
    void enterMember();
    static bool literalsNeedValues(const QString &line);
    void countLine(int position)
    {
        m_currentLine = position;
        if (--m_linesToStopCheck <= 0)
            askToStop();
    }
    void askToStop();
    [[noreturn]] static void nonFinite(double value);
    QString where() const;

    ScriptHost *m_host;
    ProgramLines m_lines;

    std::array<NumericSlot, TableSlots> m_numbers;
    std::array<TextSlot, TableSlots> m_texts;
    std::array<Subroutine, TableSlots> m_subroutines;
    int m_numericCount = 0;
    int m_textCount = 0;
    int m_subroutineCount = 0;
    QList<bool> m_subroutineLines;

    // The instructions of the run, one per line, analysed when first reached; the
    // matching else, endif and endwhile of every block line.
    std::vector<Instruction> m_code;
    std::vector<int> m_elseLine;
    std::vector<int> m_endIfLine;
    std::vector<int> m_endWhileLine;
    std::vector<ScriptCode::Frame> m_frames;
    std::vector<std::shared_ptr<const void>> m_kept; // what the frames that keep one hold

    bool m_flatRun = false;
    int m_currentLine = -1;
    int m_depth = 0;
    int m_linesToStopCheck = StopCheckInterval;
};
