#pragma once

#include "store/TrainingFile.h"

#include <QStringList>

// The list of past workouts: one line per record in record order, with a week
// separator wherever the weekday steps back between two neighbouring records.
namespace WorkoutList {
inline const QString Separator = QStringLiteral("-----------------");

inline bool isSeparator(const QString &line) { return line == Separator; }
// "12.3.2009 - Chest (Heavy)"; a type index beyond the list shows an empty type.
QString workoutLine(double date, const QString &bodypart, int trainingType, const QStringList &trainingTypes);
QString workoutLine(const WorkoutRecord &record, const QStringList &trainingTypes);
// damaged, when given, receives the number of records whose row counts exceed 20.
QStringList build(TrainingFile &file, const QStringList &trainingTypes, const ProgressCallback &progress = {},
                  int *damaged = nullptr);
// The number of workout lines (records) in the list.
int workoutCount(const QStringList &lines);
// The record number of line i: the workout lines among lines 0..i, minus 1.
int RecordNumberOfItem(const QStringList &lines, int i);
// The line index of a record number, or -1.
int lineOfRecord(const QStringList &lines, int record);
}
