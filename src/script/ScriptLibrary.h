#pragma once

#include "script/ScriptHost.h"

class ScriptInterpreter;
namespace ScriptCode {
struct Member;
struct TextExpression;
}

#include <QString>

// The library objects of the script language: "math" (numeric functions), "string"
// (text functions) and "array" (functions on arrays held in text variables).

// x cut to n decimal places toward zero, on the decimal digits the single stands
// for (math_round): the main window's TruncateToDecimals without building texts.
float truncateToDecimals(int n, float x);

// Arrays are texts in which each element is followed by ":"; "3:1:2:" holds the
// elements 3, 1 and 2, the empty text is the empty array. Positions count from 1.
namespace ScriptArray {
int ArraySize(const QString &array);
// The text of element k; empty when k < 1 or beyond the size.
QString elementText(const QString &array, qint64 k);
// Element k read as a number; raises ConversionError for an empty or non-numeric one.
float ArrayElement(const QString &array, qint64 k);
int ArrayFind(const QString &array, const QString &value);
QString ArrayInsert(const QString &array, const QString &value, qint64 k);
QString ArrayRemove(const QString &array, qint64 k);
QString pop(const QString &array);
QString reverse(const QString &array);
// Elements read as numbers, sorted ascending, written back as numbers.
QString ArraySort(const QString &array);
QString explode(const QString &array, const QString &separator);
}

// A member's function name and argument text: "max(a,b)" gives max and a,b (the
// last character of the member is taken as the closing parenthesis).
struct ScriptCall {
    QString name;
    QString arguments;
    bool hasArguments = false;
    explicit ScriptCall(const QString &member);
    // Numeric functions: the text before the first comma and all the rest.
    void splitTwoWay(QString &first, QString &second) const;
    // Text functions: the first two commas separate; the third keeps any further ones.
    void splitThreeWay(QString &first, QString &second, QString &third) const;
};

// The arguments of one library call, evaluated only when the function asks, in the
// order it asks. A missing argument is the empty text.
class ScriptArguments {
public:
    ScriptArguments(ScriptInterpreter &interpreter, ScriptCode::Member &member)
        : m_in(interpreter), m_member(member)
    {
    }

    float number(int i);        // the argument as a numeric expression
    QString text(int i);        // the argument as a text
    QString textOfText(int i);  // the argument's text evaluated as a text again
    float numberOfText(int i);  // the argument's text evaluated as a number
    int whole(int i);           // a string position or count: numberOfText, rounded
    qint64 position(int i);     // an array position: the text read as a whole number

private:
    ScriptCode::TextExpression &textForm(int i);
    void valueText(int i, const QString &value);

    ScriptInterpreter &m_in;
    ScriptCode::Member &m_member;
};

// One library function. A numeric function splits its arguments two ways, a text
// function three ways.
struct LibraryFunction {
    const char *name;
    float (*numeric)(ScriptArguments &);
    QString (*text)(ScriptArguments &);
};

// The library function of an object ("math", "string", "array") and name, or nullptr.
const LibraryFunction *findLibraryFunction(const QString &object, const QString &name);

