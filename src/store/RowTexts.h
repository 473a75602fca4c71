#pragma once

#include "store/WorkoutRecord.h"

#include <QStringList>

// The texts of a workout grid row and back: the cells of columns 0..5 of the cardio
// and exercise grids, as the main window, the second window and the scripts show them.
namespace RowTexts {
constexpr int Columns = 6;
const QStringList &cardioHeaders();
const QStringList &exerciseHeaders();

// How durations and weights show: cut to two decimals, as added and shown rows have
// them, or exact, as a row put back by an undo has them.
enum class Numbers { TwoDecimals, Exact };

// Row k (from 1) of the grid: "k.", then the entry's columns.
QStringList cardioCells(const CardioEntry &entry, int k, Numbers numbers = Numbers::TwoDecimals);
QStringList exerciseCells(const ExerciseEntry &entry, int k, Numbers numbers = Numbers::TwoDecimals);
// A duration or weight cut to two decimals: 82.567 gives 82.56.
QString twoDecimalsText(float value);

// Reads columns 1..5 back into an entry. A cell that does not read, or a whole number
// that does not fit its field, raises ConversionError naming the text.
CardioEntry readCardio(const QStringList &cells);
ExerciseEntry readExercise(const QStringList &cells);

// Checks a value before it goes into a field of the given width.
void requireFits(qint64 value, qint64 maximum, const QString &field);
}
