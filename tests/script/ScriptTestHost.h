#pragma once

#include "support/TestEnvironment.h"
#include "common/Errors.h"
#include "script/ScriptInterpreter.h"

#include <QHash>
#include <QQueue>
#include <QTest>

// Records every output, answers input dialogs from a queue (a null answer is Cancel)
// and can ask to stop after a number of questions.
class RecordingHost : public ScriptHost {
public:
    QStringList outputs;
    QStringList asked; // "caption|prompt|default"
    QQueue<QString> answers;
    int stopAfter = -1; // questions answered "go on" before the stop
    int stopQuestions = 0;
    QHash<QString, ScriptObject *> objects;

    void showOutput(const QString &text) override { outputs << text; }
    QString askInput(const QString &caption, const QString &prompt, const QString &defaultText) override
    {
        asked << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + defaultText;
        if (answers.isEmpty()) {
            QTest::qFail("unexpected input dialog", __FILE__, __LINE__);
            return defaultText;
        }
        const QString answer = answers.dequeue();
        return answer.isNull() ? defaultText : answer;
    }
    bool stopRequested() override { return stopAfter >= 0 && ++stopQuestions > stopAfter; }
    ScriptObject *object(const QString &name) override { return objects.value(name, nullptr); }
};

// A stand-in for a training-data object: it shows that a host's object is reached
// for member reads, text members and statements without the interpreter knowing it.
class FakeWorkouts : public ScriptObject {
public:
    QStringList statements;
    float numericMember(ScriptInterpreter &in, const QString &member) override
    {
        if (member == QLatin1String("count"))
            return 3;
        if (member.startsWith(QLatin1String("twice(")))
            return 2 * in.EvaluateNumber(member.mid(6, member.size() - 7));
        return 0;
    }
    QString textMember(ScriptInterpreter &, const QString &member) override
    {
        return member == QLatin1String("info_date") ? QStringLiteral("1.2.2024") : QString();
    }
    void statement(ScriptInterpreter &, const QString &member) override { statements << member; }
};

// Writes the script into the program folder and runs it; the error message, or a
// null text when the run ended normally.
inline QString runScript(TestEnvironment &env, ScriptInterpreter &interpreter, const QString &script,
                         const QString &name = QStringLiteral("script.fvs"))
{
    env.writeFile(name, script.toUtf8());
    try {
        interpreter.RunScript(name);
    } catch (const ScriptError &e) {
        return e.message();
    }
    return QString();
}
