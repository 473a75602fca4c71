#pragma once

#include "script/ScriptHost.h"

#include <QString>

// The library objects of the script language: "math" (numeric functions), "string"
// (text functions) and "array" (functions on arrays held in text variables).

// Latin letters A-Z to lower (or a-z to upper) case; every other character stays,
// as scripts expect of their keywords and of string_lower and string_upper.
QString asciiLower(QString text);
QString asciiUpper(QString text);

// Arrays are texts in which each element is followed by ":"; "3:1:2:" holds the
// elements 3, 1 and 2, the empty text is the empty array. Positions count from 1.
namespace ScriptArray {
int size(const QString &array);
// The text of element k; empty when k < 1 or beyond the size.
QString elementText(const QString &array, qint64 k);
// Element k read as a number; raises ConversionError for an empty or non-numeric one.
float element(const QString &array, qint64 k);
int find(const QString &array, const QString &value);
QString insert(const QString &array, const QString &value, qint64 k);
QString remove(const QString &array, qint64 k);
QString pop(const QString &array);
QString reverse(const QString &array);
// Elements read as numbers, sorted ascending, written back as numbers.
QString sort(const QString &array);
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

class MathObject : public ScriptObject {
public:
    float numericMember(ScriptInterpreter &interpreter, const QString &member) override;
    QString textMember(ScriptInterpreter &, const QString &) override { return QString(); }
};

class StringObject : public ScriptObject {
public:
    float numericMember(ScriptInterpreter &interpreter, const QString &member) override;
    QString textMember(ScriptInterpreter &interpreter, const QString &member) override;
};

class ArrayObject : public ScriptObject {
public:
    float numericMember(ScriptInterpreter &interpreter, const QString &member) override;
    QString textMember(ScriptInterpreter &interpreter, const QString &member) override;
};
