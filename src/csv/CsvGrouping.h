#pragma once

#include "csv/CsvImport.h"
#include "csv/CsvRows.h"

// The rows of one workout made into its records: consecutive equal sets joined, more
// than 20 rows of a kind continued in further records.
namespace CsvGrouping {
// What a workout's rows add to the import's report; counted into the plan only for a
// workout that is imported, not for one the file's cut end leaves out.
struct Counts {
    int restTimerRows = 0;
    int setsNotDone = 0;
    int textsCut = 0;
    int textsWithReplacedCharacters = 0;
};

// A workout while its rows are read: sets and cardio rows made into record rows as
// they come.
struct Group {
    CsvRows::GroupKey key;
    CsvValues::When when;           // of its first row
    CsvRows::WorkoutFields workout; // each field from the first row that has it
    QList<ExerciseEntry> exercises;
    QList<CardioEntry> cardio;
    QStringList notes; // of its note rows
    Counts counts;
    bool leftOut = false;
};
}
// Its members are Qt's implicitly shared types and plain values: a list of groups grows
// by moving their bytes.
Q_DECLARE_TYPEINFO(CsvGrouping::Group, Q_RELOCATABLE_TYPE);

namespace CsvGrouping {

class Builder {
public:
    Builder(const CsvImport::Options &options, CsvImport::Plan &plan, const CsvColumns::Header &header)
        : o(options), p(plan), h(header)
    {
    }
    // A row of the workout, in file order.
    void add(Group &g, const CsvRows::SetRow &r);
    // Appends the workout's records to records; its rows move into them.
    void build(Group &g, QList<WorkoutRecord> &records);

private:
    struct Fitting;
    // The text as its field stores it; valid until the next text fitted to that field.
    const QString &fit(Fitting &field, QStringView text, Counts &counts);
    static QString fitText(const QString &text, int capacity);
    static Counts countFit(const QString &text, const QString &stored, int capacity);
    CardioEntry cardioEntry(const CsvRows::SetRow &r, double workoutStart, Counts &counts);
    void addSet(QList<ExerciseEntry> &rows, const CsvRows::SetRow &r, Counts &counts);
    void split(WorkoutRecord &base, QList<ExerciseEntry> &ex, QList<CardioEntry> &cardio, QList<WorkoutRecord> &records);

    const CsvImport::Options &o;
    CsvImport::Plan &p;
    const CsvColumns::Header &h;
    struct Fitted {
        QString stored;
        Counts counts; // what fitting the text counts
    };
    // The texts fitted to one field, and the last of them: at first the empty text,
    // which fits whole.
    struct Fitting {
        explicit Fitting(int bytes) : capacity(bytes) {}
        const int capacity;
        QHash<QString, Fitted> texts;
        QString lastText;
        Fitted last;
    };
    Fitting m_names{ExerciseEntry::NameCapacity}, m_executions{ExerciseEntry::ExecutionTypeCapacity},
        m_cardioTypes{CardioEntry::TypeCapacity}, m_bodyparts{WorkoutRecord::BodypartCapacity},
        m_comments{WorkoutRecord::CommentCapacity};
};
}
