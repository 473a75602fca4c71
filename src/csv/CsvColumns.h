#pragma once

#include <QStringList>

#include <array>
#include <optional>

// The columns an import understands, found by their header names.
namespace CsvColumns {
enum Column {
    Date, StartTime, EndTime, WorkoutName, Duration, Exercise, SetOrder, Weight, WeightUnit, Reps,
    Distance, DistanceUnit, Seconds, Notes, WorkoutNotes, SetType,
    // Fortavo's own export
    Kind, Sets, Execution, Bodypart, TrainingType, Comment, Calories, CardioStart, CardioDuration,
    Count
};

struct Header {
    std::array<int, Count> index; // -1 when absent
    QString weightUnit;           // a unit the header names ("kg", "lbs"), or empty
    QString distanceUnit;         // "km", "mi", "m" or empty
    bool fortavoLayout = false;   // the header of Fortavo's own export
    bool has(Column c) const { return index[c] >= 0; }
};

Header recognise(const QStringList &header);
}
