#pragma once

#include "store/TrainingFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Pieces shared by the report texts and the export files.
namespace ReportText {
inline const QString CRLF = QStringLiteral("\r\n");

// The text of a type index: the list's item, or "Undefined" for an empty item or an
// index beyond the list.
QString typeName(const QStringList &items, int index);
// The item at index, or the empty text beyond the list (as the list of past workouts shows it).
QString itemOrEmpty(const QStringList &items, int index);

// Text in the single-byte code page of the exported files.
QByteArray encode(const QString &text);

// Decodes records [first, first+count), read in chunks, and hands each one to visit;
// progress counts the records done.
void forEachRecord(TrainingFile &file, int first, int count,
                   const std::function<void(const WorkoutRecord &)> &visit,
                   const ProgressCallback &progress = {});
}
