#include "TestPrompts.h"

#include <QTest>

UserPrompts::Answer TestPrompts::confirm(const QString &text, bool)
{
    record(QStringLiteral("confirm"), text);
    if (confirmAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__, __LINE__);
        return Answer::No;
    }
    return confirmAnswers.dequeue();
}

bool TestPrompts::input(const QString &caption, const QString &prompt, QString &value)
{
    record(QStringLiteral("input"), caption + QLatin1Char('|') + prompt + QLatin1Char('|') + value);
    if (inputAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected input box: ") + prompt), __FILE__, __LINE__);
        return false;
    }
    const QString answer = inputAnswers.dequeue();
    if (answer.isNull())
        return false;
    value = answer;
    return true;
}

QString TestPrompts::openFileName(const FileDialog &dialog)
{
    record(QStringLiteral("open"), dialog.title);
    fileDialogs.append(dialog);
    if (fileAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected open dialog: ") + dialog.title), __FILE__, __LINE__);
        return QString();
    }
    return fileAnswers.dequeue();
}

QString TestPrompts::saveFileName(const FileDialog &dialog)
{
    record(QStringLiteral("save"), dialog.title);
    fileDialogs.append(dialog);
    if (fileAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected save dialog: ") + dialog.title), __FILE__, __LINE__);
        return QString();
    }
    return fileAnswers.dequeue();
}

bool TestPrompts::openWithDesktop(const QString &pathOrUrl)
{
    record(QStringLiteral("desktop"), pathOrUrl);
    return desktopOpenSucceeds;
}

QList<TestPrompts::Shown> TestPrompts::take()
{
    QList<Shown> result;
    result.swap(shown);
    return result;
}

QStringList TestPrompts::texts(const QString &kind) const
{
    QStringList result;
    for (const Shown &s : shown)
        if (s.kind == kind)
            result << s.text;
    return result;
}

char *toString(const TestPrompts::Shown &shown)
{
    return qstrdup(qPrintable(shown.kind + QStringLiteral(": ") + shown.text));
}
