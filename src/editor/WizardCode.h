#pragma once

#include <QString>
#include <QStringList>

// The first lines of a new script, made from the script wizard's answers.
namespace WizardCode {
// Puts "$" before the first character (unless it is "$") and before every ASCII
// letter that follows a blank or a comma: "name, title" gives "$name, $title".
QString prefixStringVariables(const QString &text);

// One "include" line per file, then "var " + the number variables and "var " + the
// string variables with their "$"; every line ended by "\n".
QString scriptText(const QStringList &includes, const QString &numberVariables, const QString &stringVariables);
}

// What the wizard asked: the script's name, the files to include (full names) and
// the number and string variables as typed.
struct WizardAnswers {
    QString name;
    QStringList includes;
    QString numberVariables;
    QString stringVariables;
};
