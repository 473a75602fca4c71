#include "cli/CliPrompts.h"

QString cliLines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    return text;
}

void CliPrompts::error(const QString &text)
{
    m_errorShown = true;
    m_out.flush();
    m_err << cliLines(text);
    m_err.flush();
}

void CliPrompts::warning(const QString &text)
{
    m_out.flush();
    m_err << cliLines(text);
    m_err.flush();
}

void CliPrompts::information(const QString &text)
{
    m_out << cliLines(text);
}

void CliPrompts::message(const QString &text)
{
    m_out << cliLines(text);
}

UserPrompts::Answer CliPrompts::confirm(const QString &, bool)
{
    return Answer::No;
}

bool CliPrompts::input(const QString &, const QString &, QString &)
{
    return false;
}

QString CliPrompts::nextFile()
{
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString CliPrompts::openFileName(const FileDialog &)
{
    return nextFile();
}

QString CliPrompts::saveFileName(const FileDialog &)
{
    return nextFile();
}
