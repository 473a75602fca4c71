#pragma once

#include "store/WorkoutRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The workout text file: information, cardio rows and exercise rows, CRLF line ends.
QString workoutText(const WorkoutRecord &record, const QStringList &trainingTypes);

// The HTML fragment that stands for the template's marker line. Stored texts go in
// unescaped, so a comment may carry its own tags.
QString htmlFragment(const QString &heading, const WorkoutRecord &record, const QStringList &trainingTypes);

// The lines of a template split at CRLF, LF or CR; a last line without a break counts.
QList<QByteArray> templateLines(const QByteArray &content);

// The exported page: the template's lines before its first line holding "$", the
// fragment, then the lines after it, each line ending with CRLF. Template lines are
// copied byte for byte. Raises FortavoError naming templateName when no line holds "$".
QByteArray htmlPage(const QByteArray &templateContent, const QString &templateName, const QString &heading,
                    const WorkoutRecord &record, const QStringList &trainingTypes);

// Reads a whole template file; raises IoError naming it.
QByteArray readTemplate(const QString &path);
