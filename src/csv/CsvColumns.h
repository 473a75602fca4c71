#pragma once

#include <QStringList>

#include <array>
#include <optional>

// The columns an import understands, found by their header names, or by position in
// the known layouts of a translated header.
namespace CsvColumns {
enum Column {
    Date, StartTime, EndTime, WorkoutName, Duration, Exercise, SetOrder, Weight, WeightUnit, Reps,
    Distance, DistanceUnit, Seconds, Notes, WorkoutNotes, SetType,
    Warmup, // a 0/1 warm-up flag
    // Fortavo's own export
    Kind, Sets, Execution, Bodypart, TrainingType, Comment, Calories, CardioStart, CardioDuration,
    Count
};

struct Header {
    std::array<int, Count> index; // -1 when absent
    int fieldCount = 0;           // fields of the header line
    QString weightUnit;           // a unit the header names ("kg", "lbs"), or empty
    QString distanceUnit;         // "km", "mi", "m" or empty
    bool fortavoLayout = false;   // the header of Fortavo's own row export
    bool fortavoSets = false;     // the header of Fortavo's own per-set export
    bool completedOnly = false;   // rows without completed reps are sets not done
    QStringList takenByPosition;  // "Weight: "Poids"", when the header's words were unknown
    QStringList unreadColumns;    // header names that look like a weight but are not read
    bool has(Column c) const { return index[c] >= 0; }
    bool ownExport() const { return fortavoLayout || fortavoSets; }
};

Header recognise(const QStringList &header);
// The name of a column as the report shows it.
QString columnName(Column c);
}
