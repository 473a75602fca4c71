#pragma once

#include "script/ScriptInterpreter.h"

#include <memory>

struct LibraryFunction;

// The analysed form of lines and texts.
//
// Each analysis follows the text algorithm of its Evaluate... operation exactly and
// only moves the work that does not depend on values (splitting, reading constant
// numbers, finding the slot of a name, binding a member to its function, matching
// block lines) out of the evaluation. Faults found while analysing (a number that
// does not read, a missing operand) are kept and raised only when the value is
// needed, as the text algorithm would.
namespace ScriptCode {

struct Operand {
    enum Kind : quint8 { Constant, Variable, Member, Failure };
    Kind kind = Constant;
    bool conversionFailure = false;
    int slot = -1;
    float value = 0;
    QString text; // the message of a failure
    std::shared_ptr<ScriptCode::Member> member;
};

struct NumberExpression {
    char op = 0; // 0: a single operand
    Operand left;
    Operand right;
    // Set once the expression has its place in a line's instruction: the common
    // forms of constants and variables, read through pointers to their values.
    enum Form : quint8 { General, Value, Sum, Difference, Product };
    Form form = General;
    const float *a = nullptr;
    const float *b = nullptr;
};

struct TextExpression {
    enum Kind : quint8 { Literal, TextVariable, Number, Member, Missing };
    Kind kind = Literal;
    int slot = -1;
    QString text;
    NumberExpression number;
    std::shared_ptr<ScriptCode::Member> member;
};

struct TextSide {
    enum Kind : quint8 { Literal, TextVariable, Member };
    Kind kind = Literal;
    int slot = -1;
    QString text;
    std::shared_ptr<ScriptCode::Member> member;
};

struct Condition {
    enum Op : quint8 { Equal, Unequal, Less, LessEqual, Greater, GreaterEqual };
    Op op = GreaterEqual;
    bool missingComparison = false;
    bool isText = false;
    bool direct = false; // two numeric operands bound to their values
    TextSide leftText, rightText;
    NumberExpression left, right;
};

// One argument of a library call: its text, analysed the first time the function
// evaluates it in a numeric or a text place. A function that evaluates the
// argument's value once more as a text (string_str, string_val, string positions)
// keeps the analysis of the last such text.
struct Argument {
    QString text;
    std::unique_ptr<NumberExpression> number;
    std::unique_ptr<TextExpression> textForm;
    QString lastValueText;
    std::shared_ptr<TextExpression> lastValueAsText;
    std::shared_ptr<NumberExpression> lastValueAsNumber;
};

// A member bound to what it names: a library function with its arguments split as
// that function's kind splits them, or an object of the host with the member's rest.
struct Member {
    enum Kind : quint8 { Nothing, Library, Host, NeedsArguments };
    Kind kind = Nothing;
    QString text;         // the whole member text
    QString rest;         // the text after the object's "_"
    ScriptObject *object = nullptr;
    const LibraryFunction *function = nullptr;
    int argumentCount = 0;
    Argument arguments[3];
};

struct Statement {
    enum Kind : quint8 {
        Nothing,
        Output,
        Input,
        TextAssignment,
        NumberAssignment,
        AppendText,   // $t=string_concat($t,x): x appended to $t's own storage
        PrependArray, // $a=array_push($a,x): x and ":" put in front of $a's own storage
        ObjectStatement
    };
    Kind kind = Nothing;
    bool textTarget = false;
    int slot = -1;
    TextExpression value;  // output: the value; input: the prompt
    TextExpression second; // input: the default
    TextSide side;         // text assignment
    NumberExpression number;
    ScriptObject *object = nullptr;
    QString member;
};

struct Instruction {
    enum Kind : quint8 { Unanalysed, Skip, Simple, Assign, If, While, Call, Dynamic };
    Kind kind = Unanalysed;
    bool subroutineLine = false;
    int elseLine = -1;
    int endLine = -1;
    int subroutine = -1;
    std::unique_ptr<Statement> statement;
    std::unique_ptr<Condition> condition;
    // A line with "$" in a literal: its last expansion and that expansion's analysis.
    QString expanded;
    std::shared_ptr<Instruction> expandedCode;

    // The line's step in the flat run (ScriptFlatRun.cpp): what the line does, with
    // its block lines turned into tests and jumps to resolved targets.
    enum class Step : quint8 {
        Analyse,   // not analysed yet: analysed when first reached, then given its step
        Pass,      // does nothing: an empty line or an end word
        Counted,   // does nothing, but counts as a line run: an if or while without an end
        Assign,    // a numeric assignment
        AssignValue, AssignSum, AssignDifference, AssignProduct, // of constants and variables
        Statement, // any other statement
        Dynamic,   // a statement whose literals insert values
        Call,      // a call line
        IfTest,    // a false condition goes to target: after the else, or after the endif
        WhileTest, // a false condition goes to target, after the endwhile
        Jump,      // an else, endif or endwhile: goes on at target
        SubStart,  // a subroutine's first line: the main flow goes on after its endsub
        SubEnd     // an endsub: returns from a call
    };
    Step step = Step::Analyse;
    int target = -1;
    // A numeric assignment of constants and variables: its operands and its target.
    const float *a = nullptr;
    const float *b = nullptr;
    float *out = nullptr;
    int blockDepth = 0; // the blocks open around the line, counted from its subroutine's start
};

// One range of lines being executed: the main flow, a branch, a loop pass or a
// subroutine body. A loop's range starts again while its condition holds.
struct Frame {
    int position = 0;
    int last = -1;
    int loopLine = -1;
    bool inSubroutine = false;
    bool keeps = false; // holds an entry of the kept list: the owner of its condition
    const Condition *condition = nullptr;
};

// Leaves the nesting depth as it was, also when an error unwinds.
struct DepthGuard {
    int &depth;
    explicit DepthGuard(int &d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};
}

inline float ScriptInterpreter::operandValue(const Operand &o)
{
    if (o.kind == Operand::Variable)
        return m_numbers[size_t(o.slot)].value;
    if (o.kind == Operand::Constant)
        return o.value;
    return evaluate(o);
}

inline float ScriptInterpreter::numberValue(const NumberExpression &e)
{
    switch (e.form) {
    case NumberExpression::Value:
        return *e.a;
    case NumberExpression::Sum:
        return toSingle(double(*e.a) + double(*e.b));
    case NumberExpression::Difference:
        return toSingle(double(*e.a) - double(*e.b));
    case NumberExpression::Product:
        return toSingle(double(*e.a) * double(*e.b));
    case NumberExpression::General:
        break;
    }
    switch (e.op) {
    case 0:
        return operandValue(e.left);
    case '+': {
        const double l = operandValue(e.left);
        return toSingle(l + operandValue(e.right));
    }
    case '-': {
        const double l = operandValue(e.left);
        return toSingle(l - operandValue(e.right));
    }
    case '*': {
        const double l = operandValue(e.left);
        return toSingle(l * operandValue(e.right));
    }
    default:
        return evaluate(e);
    }
}

inline bool ScriptInterpreter::conditionHolds(const Condition &c)
{
    float l = 0;
    float r = 0;
    if (c.direct) {
        l = *c.left.a;
        r = *c.right.a;
    } else if (c.isText || c.missingComparison) {
        return evaluate(c);
    } else {
        l = numberValue(c.left);
        r = numberValue(c.right);
    }
    const int order = l < r ? -1 : (l > r ? 1 : 0);
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
