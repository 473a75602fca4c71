// Evaluation: numbers, texts, conditions and members from their analysed form.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptLibrary.h"
#include "script/ScriptText.h"

#include <cmath>

using namespace ScriptText;
using namespace ScriptCode;

float ScriptInterpreter::evaluate(const Operand &o)
{
    switch (o.kind) {
    case Operand::Constant:
        return o.value;
    case Operand::Variable:
        return m_numbers[o.slot].value;
    case Operand::Member:
        return numericMember(*o.member);
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
        return ScriptInterpreter::toSingle(result);
    }
    if (x == 0)
        return 0;
    if (x < 0)
        ScriptFault::invalidOperation();
    return ScriptInterpreter::toSingle(std::exp(y * std::log(x)));
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
        return toSingle(l + r);
    case '-':
        return toSingle(l - r);
    case '*':
        return toSingle(l * r);
    case '/':
        if (r == 0) {
            if (l == 0)
                ScriptFault::invalidOperation();
            ScriptFault::divisionByZero();
        }
        return toSingle(l / r);
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
        return textMember(*e.member);
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
    return textMember(*side.member);
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
    return numericMember(*analyzeMember(member, true));
}

QString ScriptInterpreter::TextMember(const QString &member)
{
    return textMember(*analyzeMember(member, false));
}

float ScriptInterpreter::numericMember(Member &m)
{
    enterMember();
    DepthGuard guard(m_depth);
    switch (m.kind) {
    case Member::Library: {
        ScriptArguments arguments(*this, m);
        return m.function->numeric(arguments);
    }
    case Member::Host:
        return m.object->numericMember(*this, m.rest);
    case Member::NeedsArguments:
        throw ScriptError(QStringLiteral("The function math_%1 needs an argument list").arg(quoted(m.rest)));
    case Member::Nothing:
        break;
    }
    return 0;
}

QString ScriptInterpreter::textMember(Member &m)
{
    enterMember();
    DepthGuard guard(m_depth);
    switch (m.kind) {
    case Member::Library: {
        ScriptArguments arguments(*this, m);
        return m.function->text(arguments);
    }
    case Member::Host:
        return m.object->textMember(*this, m.rest);
    case Member::NeedsArguments:
    case Member::Nothing:
        break;
    }
    return QString();
}
