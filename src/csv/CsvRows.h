#pragma once

#include "csv/CsvColumns.h"
#include "csv/CsvImport.h"
#include "csv/CsvTable.h"
#include "csv/CsvValues.h"

#include <QHash>

#include <array>
#include <optional>
#include <tuple>

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

// Keys in the order of a file sorted by date and time.
inline bool operator<(const GroupKey &a, const GroupKey &b)
{
    return std::tie(a.day, a.msecs, a.name, a.workout) < std::tie(b.day, b.msecs, b.name, b.workout);
}

enum class RowKind {
    Set,      // an exercise set or a cardio row
    Empty,    // a workout without rows (Fortavo's exports)
    Rest,     // a rest timer, no row at all
    Note,     // a note on the workout, added to its comment
    NotDone,  // a set planned but not done
};

// The workout's own fields of a row. Its texts are the reader's: valid until the reader
// reads the next row.
struct RowWorkoutFields {
    const QString *workoutName = nullptr, *workoutNotes = nullptr, *comment = nullptr, *bodypart = nullptr,
                  *trainingType = nullptr;
    std::optional<int> workoutMinutes;
    bool durationCut = false; // longer than the record holds, cut to the longest
    QTime endTime;
};

// A workout's own fields, each from the first of its rows that has it.
struct WorkoutFields {
    QString workoutName, workoutNotes, comment, bodypart, trainingType;
    std::optional<int> workoutMinutes;
    bool durationCut = false;
    QTime endTime;

    void takeMissing(const RowWorkoutFields &row);
};

// One row of the file, read; its texts are views valid until the reader's next row.
struct SetRow {
    RowKind kind = RowKind::Set;
    bool cardio = false;
    QStringView name, execution, note;
    int sets = 1, reps = 0;
    int setOrder = -1; // the number of the set within its row in Fortavo's per-set export
    float weight = 0;
    double distanceMetres = 0, seconds = 0, calories = 0;
    QTime cardioStart;
    std::optional<int> cardioMinutes;
};

struct ReadRow {
    CsvValues::When when;
    GroupKey groupKey;
    RowWorkoutFields workout;
    SetRow set;
};

class RowReader {
public:
    RowReader(const CsvTable &table, const CsvColumns::Header &header, const CsvImport::Options &options);

    // Raises CsvValues::RowError with the reason when the row cannot be read.
    ReadRow read(const CsvTable::Row &row) const;

private:
    class Fields;
    void readWhen(const Fields &f, ReadRow &r) const;
    void readSet(const Fields &f, SetRow &r) const;
    double weightFactor(const Fields &f) const;
    template <typename UnitIs>
    double weightFactor(UnitIs unitIs) const;
    double metresPer(const Fields &f) const;

    const CsvTable &t;
    const CsvColumns::Header &h;
    const CsvImport::Options &o;
    // The rows of a workout repeat its date, name and duration: each column keeps its
    // last bytes and what they were read as, and dates and durations are read once per
    // distinct text. A column's text gets a new stamp whenever its bytes change, so a
    // value read from the text of the row above is found without comparing texts.
    struct Memo {
        QByteArray bytes;
        QString text, trimmed;
        quint64 stamp = 0; // 0: not read yet
    };
    template <typename Value>
    struct Cache {
        QHash<QString, Value> values;
        quint64 lastStamp = 0;
        Value last{};
        template <typename Read>
        const Value &get(const Memo &memo, Read read);
    };
    mutable std::array<Memo, CsvColumns::Count> m_texts;
    mutable quint64 m_stamps = 0;
    mutable Cache<std::optional<CsvValues::When>> m_dates;
    mutable Cache<std::optional<double>> m_durations;
    mutable Cache<QTime> m_times;
    mutable QByteArray m_joined; // a name put together from fields split at its commas
    mutable QString m_heldFor;   // the execution of a timed set with a weight
    double m_headerWeightFactor = 1; // for rows that state no weight unit
};
}
