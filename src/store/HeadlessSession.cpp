#include "store/HeadlessSession.h"

#include "store/RowTexts.h"
#include "store/WorkoutList.h"

void HeadlessSession::open(const QString &path)
{
    file.open(path);
    refresh();
}

void HeadlessSession::refresh()
{
    lines = WorkoutList::build(file, types);
}

void HeadlessSession::selectRecord(int n)
{
    selected = WorkoutList::lineOfRecord(lines, n);
    current = n;
}

QList<QStringList> HeadlessSession::exerciseGridRows()
{
    if (!gridRows.isEmpty())
        return gridRows;
    QList<QStringList> rows;
    for (const ExerciseEntry &e : form.Exercises)
        rows << RowTexts::exerciseCells(e, int(rows.size()) + 1);
    return rows;
}

ProgressCallback HeadlessSession::progress(const QString &)
{
    return {};
}
