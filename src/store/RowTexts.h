#pragma once

#include "store/WorkoutRecord.h"

#include <QStringList>

// The texts of a workout grid row and back: the cells of columns 0..5 of the cardio
// and exercise grids, as the main window, the second window and the scripts show them.
namespace RowTexts {
constexpr int Columns = 6;
const QStringList &cardioHeaders();
const QStringList &exerciseHeaders();

// Row k (from 1) of the grid: "k.", then the entry's columns.
QStringList cardioCells(const CardioEntry &entry, int k);
QStringList exerciseCells(const ExerciseEntry &entry, int k);
// The weight cell: "BW" for 0, else the number cut to two decimals.
QString weightText(float weight);

// Reads columns 1..5 back into an entry. A cell that does not read, or a whole number
// that does not fit its field, raises ConversionError naming the text.
CardioEntry readCardio(const QStringList &cells);
ExerciseEntry readExercise(const QStringList &cells);

// Checks a value before it goes into a field of the given width.
void requireFits(qint64 value, qint64 maximum, const QString &field);
}
