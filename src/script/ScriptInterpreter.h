#pragma once

#include "script/ProgramLines.h"
#include "script/ScriptHost.h"

#include <QString>

#include <array>
#include <memory>

// The floating-point faults of a run, with the runtime's texts.
namespace ScriptFault {
[[noreturn]] void divisionByZero();
[[noreturn]] void invalidOperation();
[[noreturn]] void overflow();
}

class LibraryObject;

// The interpreter of Fortavo scripts (".fvs"). A run loads the file, normalizes its
// lines, expands includes, collects the declarations and executes the main flow.
// The variable and subroutine tables keep their values from run to run: the program
// keeps one interpreter for its whole life.
//
// Expressions are evaluated straight from their text, split at the first operator
// character; there is no syntax tree. To keep loops fast, the analysis of each line
// (its statement form, operands and the matching lines of its block) is cached per
// run; a line whose string literals insert variable values is expanded and analysed
// anew every time it runs.
class ScriptInterpreter {
public:
    static constexpr int TableSlots = 30;
    // Calls, blocks and functions nested deeper than this end the run instead of the
    // stack.
    static constexpr int MaxNesting = 1000;
    // Executed lines between two questions to the host whether to stop.
    static constexpr int StopCheckInterval = 256;

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
    // A double result rounded to single; raises ScriptError for an overflow or an
    // invalid operation (NaN).
    static float toSingle(double value);

    // The object a member text names: "math", "string" and "array", then the host's.
    ScriptObject *findObject(const QString &name);

    // Declared names, for tools that show them.
    int numericCount() const { return m_numericCount; }
    int textCount() const { return m_textCount; }
    int subroutineCount() const { return m_subroutineCount; }

private:
    // The cached analysis of texts and lines (defined with the interpreter).
    struct Operand;
    struct NumberExpression;
    struct TextExpression;
    struct TextSide;
    struct Condition;
    struct Statement;
    struct LineCode;

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

    // Analysis of texts into their cached form, and its evaluation.
    Operand analyzeOperand(const QString &t) const;
    NumberExpression analyzeNumber(const QString &t) const;
    TextExpression analyzeText(const QString &t) const;
    TextSide analyzeSide(const QString &t) const;
    Condition analyzeCondition(const QString &c) const;
    Statement analyzeStatement(const QString &s) const;
    void buildLine(LineCode &code, int position, const QString &expanded) const;
    LineCode &lineCode(int position);

    float evaluate(const Operand &o);
    float evaluate(const NumberExpression &e);
    QString evaluate(const TextExpression &e);
    QString evaluate(const TextSide &side);
    bool evaluate(const Condition &c);
    void execute(const Statement &s);
    // Runs an if, while or call line; returns the position to continue after.
    int executeBlock(int position, const LineCode &code, bool inSubroutine);

    // Raises ScriptError when one more function level would nest too deep.
    void enterMember();
    bool literalsNeedValues(const QString &line) const;
    void countLine(int position);

    ScriptHost *m_host;
    ProgramLines m_lines;

    std::array<NumericSlot, TableSlots> m_numbers;
    std::array<TextSlot, TableSlots> m_texts;
    std::array<Subroutine, TableSlots> m_subroutines;
    int m_numericCount = 0;
    int m_textCount = 0;
    int m_subroutineCount = 0;
    QList<bool> m_subroutineLines;

    std::unique_ptr<LibraryObject> m_math;
    std::unique_ptr<LibraryObject> m_string;
    std::unique_ptr<LibraryObject> m_array;

    struct CodeCache;
    std::unique_ptr<CodeCache> m_cache;

    int m_currentLine = -1;
    int m_depth = 0;
    int m_linesToStopCheck = StopCheckInterval;
};
