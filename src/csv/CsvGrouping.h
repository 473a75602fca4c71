#pragma once

#include "csv/CsvImport.h"
#include "csv/CsvRows.h"

#include <vector>

// The rows of one workout made into its records: consecutive equal sets joined, more
// than 20 rows of a kind continued in further records.
namespace CsvGrouping {
// The rows of every workout in one list, in file order.
struct Rows {
    std::vector<CsvRows::SetRow> sets;
    std::vector<qsizetype> next; // the index of the same workout's next row, or -1
};

struct Group {
    CsvValues::When when;           // of its first row
    CsvRows::WorkoutFields workout; // each field from the first row that has it
    qsizetype first = -1, last = -1; // its rows in Rows; none when left out
    bool isEmpty() const { return first < 0; }
};

class Builder {
public:
    Builder(const CsvImport::Options &options, CsvImport::Plan &plan, const CsvColumns::Header &header)
        : o(options), p(plan), h(header)
    {
    }
    QList<WorkoutRecord> build(const Group &g, const Rows &rows);

private:
    QString fit(const QString &text, int capacity);
    QString fitText(const QString &text, int capacity);
    void countFit(const QString &text, const QString &stored, int capacity);
    CardioEntry cardioEntry(const CsvRows::SetRow &r, double workoutStart);
    void addSet(QList<ExerciseEntry> &rows, const CsvRows::SetRow &r);
    QList<WorkoutRecord> split(const WorkoutRecord &base, const QList<ExerciseEntry> &ex, const QList<CardioEntry> &cardio);

    const CsvImport::Options &o;
    CsvImport::Plan &p;
    const CsvColumns::Header &h;
    QHash<int, QHash<QString, QString>> m_fitted; // by capacity
    struct Last {
        QString text, stored;
        bool valid = false;
    };
    QHash<int, Last> m_last; // the last text fitted, by capacity
};
}
