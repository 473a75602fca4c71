#include "store/DamageCheck.h"

#include "common/LittleEndian.h"

#include <QFileInfo>

namespace {
constexpr int OlderRecordSize = 2032;

struct Damaged {
    int count = 0;
    int first = -1; // record number
    void add(int record)
    {
        if (count++ == 0)
            first = record;
    }
};
}

QStringList damageFindings(TrainingFile &file, int trainingTypeCount, const ProgressCallback &progress)
{
    const QString name = QFileInfo(file.fileName()).fileName();
    const qint64 size = file.byteSize();
    const qint64 tail = size % WorkoutRecord::Size;
    if (tail != 0 && size % OlderRecordSize == 0)
        return {QStringLiteral("\"%1\" looks like a training file of the older record layout (%2 bytes per workout). "
                               "Convert it with the \"Format converter\" (ribbon tab \"Tools\", group \"Converter\"; "
                               "or fortavo-cli convert) before working with it; read as it is, its workouts show "
                               "wrong values.")
                    .arg(name)
                    .arg(OlderRecordSize)};

    QStringList findings;
    if (tail != 0)
        findings << QStringLiteral("\"%1\" ends with an incomplete workout record (%2 bytes). It is ignored, and the next "
                                   "new workout is saved in its place.")
                        .arg(name)
                        .arg(tail);

    Damaged rows, types;
    int record = 0;
    file.forEachRaw(0, file.RecordCount(), [&](const char *bytes) {
        if (LittleEndian::readU8(bytes + WorkoutLayout::CardioCount) > WorkoutRecord::MaxRows
            || LittleEndian::readU8(bytes + WorkoutLayout::ExerciseCount) > WorkoutRecord::MaxRows)
            rows.add(record);
        if (LittleEndian::readU8(bytes + WorkoutLayout::TrainingType) >= trainingTypeCount)
            types.add(record);
        ++record;
    }, progress);

    if (rows.count > 0)
        findings << QStringLiteral("%1 workout(s) of \"%2\" claim more than 20 cardio or exercise rows (the first is "
                                   "workout %3), so the file is damaged. They are shown with their first 20 rows; "
                                   "saving such a workout stores those.")
                        .arg(rows.count)
                        .arg(name)
                        .arg(rows.first + 1);
    if (types.count > 0)
        findings << QStringLiteral("%1 workout(s) of \"%2\" have a type of training beyond the %3 types of the list (the "
                                   "first is workout %4). They are shown with an empty type.")
                        .arg(types.count)
                        .arg(name)
                        .arg(trainingTypeCount)
                        .arg(types.first + 1);
    return findings;
}
