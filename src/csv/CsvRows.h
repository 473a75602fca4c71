#pragma once

#include "csv/CsvColumns.h"
#include "csv/CsvImport.h"
#include "csv/CsvTable.h"
#include "csv/CsvValues.h"

#include <QHash>

#include <optional>

// The rows of a CSV file read one by one into sets, cardio rows and workout fields.
namespace CsvRows {
// Rows of one workout share the date and start time, or without a time the workout's
// name on that date. In Fortavo's own exports every row also repeats the workout's
// duration, body part, type and comment, which tell apart workouts of the same time.
struct GroupKey {
    qint64 day = 0;
    int msecs = -1;
    QString name;
    QString workout;
    bool operator==(const GroupKey &) const = default;
};

inline size_t qHash(const GroupKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.day, key.msecs, key.name, key.workout);
}

enum class RowKind {
    Set,      // an exercise set or a cardio row
    Empty,    // a workout without rows (Fortavo's exports)
    Rest,     // a rest timer, no row at all
    Note,     // a note on the workout, added to its comment
    NotDone,  // a set planned but not done
};

// One row of the file, read.
struct SetRow {
    int line = 0;
    CsvValues::When when;
    GroupKey groupKey;
    RowKind kind = RowKind::Set;
    bool cardio = false;
    QString name, execution, note;
    int sets = 1, reps = 0;
    int setOrder = -1; // the number of the set within its row in Fortavo's per-set export
    float weight = 0;
    double distanceMetres = 0, seconds = 0, calories = 0;
    QTime cardioStart;
    std::optional<int> cardioMinutes;
    // Workout fields, taken from the first row that has them.
    QString workoutName, workoutNotes, comment, bodypart, trainingType;
    std::optional<int> workoutMinutes;
    bool durationCut = false; // longer than the record holds, cut to the longest
    QTime endTime;
};

class RowReader {
public:
    RowReader(const CsvColumns::Header &header, const CsvImport::Options &options) : h(header), o(options) {}

    // Raises CsvValues::RowError with the reason when the row cannot be read.
    SetRow read(const CsvTable::Row &row) const;
    // The row's fields fitted to the header: the extra fields of a name with commas
    // in an unquoted file joined back into the name. Raises RowError when they do not fit.
    QStringList fitted(const QStringList &fields) const;

private:
    template <typename Field>
    void readWhen(const Field &field, SetRow &r) const;
    template <typename Field>
    void readSet(const Field &field, SetRow &r) const;
    std::optional<CsvValues::When> cachedDateTime(const QString &text) const;
    std::optional<double> cachedDuration(const QString &text) const;
    QTime cachedTime(const QString &text) const;
    double weightFactor(const QString &rowUnit) const;
    double metresPer(const QString &rowUnit) const;

    const CsvColumns::Header &h;
    const CsvImport::Options &o;
    mutable QHash<QString, std::optional<CsvValues::When>> m_dates;
    mutable QHash<QString, std::optional<double>> m_durations;
    mutable QHash<QString, QTime> m_times;
};
}
