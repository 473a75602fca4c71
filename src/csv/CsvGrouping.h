#pragma once

#include "csv/CsvImport.h"
#include "csv/CsvRows.h"

// The rows of one workout made into its records: consecutive equal sets joined, more
// than 20 rows of a kind continued in further records.
namespace CsvGrouping {
struct Group {
    CsvValues::When when;           // of its first row
    CsvRows::WorkoutFields workout; // each field from the first row that has it
    QList<CsvRows::SetRow> rows;    // in file order
};

class Builder {
public:
    Builder(const CsvImport::Options &options, CsvImport::Plan &plan, const CsvColumns::Header &header)
        : o(options), p(plan), h(header)
    {
    }
    QList<WorkoutRecord> build(const Group &g);

private:
    QString fit(const QString &text, int capacity);
    void countFit(const QString &text, const QString &stored, int capacity);
    CardioEntry cardioEntry(const CsvRows::SetRow &r, double workoutStart);
    void addSet(QList<ExerciseEntry> &rows, const CsvRows::SetRow &r);
    QList<WorkoutRecord> split(const WorkoutRecord &base, const QList<ExerciseEntry> &ex, const QList<CardioEntry> &cardio);

    const CsvImport::Options &o;
    CsvImport::Plan &p;
    const CsvColumns::Header &h;
    QHash<int, QHash<QString, QString>> m_fitted; // by capacity
};
}
