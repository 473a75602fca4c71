#pragma once

#include "script/ScriptInterpreter.h"

#include <memory>
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

// Leaves the nesting depth as it was, also when an error unwinds.
struct DepthGuard {
    int &depth;
    explicit DepthGuard(int &d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};
