// Writes one workout into a training file, as the program saves the workout on
// screen. Arguments: the training file, the record number (0-based; the record
// count appends), the workout's body part. Prints "written", or the error on
// standard error with exit status 1.

#include "common/DayCount.h"
#include "common/Errors.h"
#include "store/TrainingFile.h"

#include <QDate>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: recordwrite_helper TRAINING N BODYPART\n");
        return 2;
    }
    try {
        TrainingFile training;
        training.open(QString::fromLocal8Bit(argv[1]));
        WorkoutRecord record;
        record.Date = DayCount::fromDate(QDate(2024, 5, 6));
        record.Bodypart = QString::fromLocal8Bit(argv[3]);
        training.WriteRecord(std::atoi(argv[2]), record);
    } catch (const FortavoError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    std::printf("written\n");
    return 0;
}
