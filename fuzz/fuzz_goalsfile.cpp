// A goals file of arbitrary bytes: listed as the goals window and fortavo-cli list it,
// then every goal written back and read again (it must give the same bytes), a status
// changed and a goal removed (the count must fall by one, the tail must stay).

#include "FuzzSupport.h"

#include "goals/GoalLists.h"
#include "goals/GoalsFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::inputFile(QStringLiteral("goals.dat"), data, size);
    QString note;
    (void)ListGoalsFile(path, &note);
    GoalsFile file;
    file.open(path);
    const int count = file.RecordCount();
    const int tail = file.partialTailSize();
    if (qint64(count) * GoalRecord::Size + tail != qint64(size) || (tail > 0) == note.isEmpty())
        std::abort();
    (void)GoalListingText(GoalLists::read(file));
    for (int n = 0; n < count; ++n) {
        const GoalRecord goal = file.ReadRecord(n);
        file.WriteRecord(n, goal);
        if (file.ReadRecord(n).encode() != goal.encode()) // bytes: a NaN date equals itself
            std::abort();
    }
    if (count > 0) {
        file.setStatus(0, GoalStatus::Completed);
        if (file.ReadRecord(0).Status != GoalStatus::Completed)
            std::abort();
        file.RemoveRecord(0);
        if (file.RecordCount() != count - 1 || file.partialTailSize() != tail)
            std::abort();
    }
    return 0;
}
