// A training file of arbitrary bytes, read as the program reads it: the damage scan,
// the list of past workouts, every week analysis and day density, the training
// period analysis, the statistics, text and HTML exports and the exercise analysis of
// the exercises it names.

#include "FuzzSupport.h"

#include "analysis/Density.h"
#include "analysis/WeekStatistics.h"
#include "analysis/WorkoutExport.h"
#include "common/Errors.h"
#include "exercises/ExerciseAnalysis.h"
#include "store/DamageCheck.h"
#include "store/RowTexts.h"
#include "store/WorkoutList.h"

#include <QSet>

namespace {
const QStringList kTrainingTypes = {QString(), "Light", "Heavy", "Volume", "Experimental"};
const QStringList kCardioTypes = {QString(), "Running", "Cycling", "Swimming", "Jumprope", "Walking"};

template <typename F>
void tolerate(F &&f)
{
    try {
        f();
    } catch (const FortavoError &) {
        // A damaged value may be refused with a message; it must never crash.
    }
}

void analyseLines(TrainingFile &file, const QStringList &lines)
{
    const AnalysisTypeLists lists{kCardioTypes, kTrainingTypes};
    tolerate([&] { trainingPeriodAnalysis(file, lines, lists); });
    tolerate([&] { allWeekStatistics(file, lines, lists); });
    for (int s = 0; s < lines.size(); ++s) {
        tolerate([&] { WeekStatistics(file, lines, s, lists); });
        if (!WorkoutList::isSeparator(lines.at(s)))
            tolerate([&] { dayDensity(file, lines, s); });
    }
}

void analyseRecords(TrainingFile &file, const QStringList &lines)
{
    const QByteArray htmlTemplate = "<html>\r\n$\r\n</html>";
    QSet<QString> names;
    for (int n = 0; n < file.RecordCount(); ++n) {
        const WorkoutRecord record = file.ReadRecord(n);
        tolerate([&] { workoutText(record, kTrainingTypes); });
        const int line = WorkoutList::lineOfRecord(lines, n);
        tolerate([&] { htmlPage(htmlTemplate, "template.html", lines.value(line), record, kTrainingTypes); });
        QList<QStringList> rows;
        for (int k = 0; k < record.Exercises.size(); ++k) {
            rows << RowTexts::exerciseCells(record.Exercises.at(k), k + 1);
            tolerate([&] { RowTexts::readExercise(rows.constLast()); });
            if (names.size() < 3)
                names.insert(record.Exercises.at(k).Name);
        }
        for (int k = 0; k < record.Cardio.size(); ++k)
            tolerate([&] { RowTexts::readCardio(RowTexts::cardioCells(record.Cardio.at(k), k + 1)); });
        tolerate([&] { workoutDensity(rows); });
    }
    for (const QString &name : std::as_const(names)) {
        tolerate([&] { AnalyseExercise(file, name); });
        tolerate([&] { ExerciseUsageRows(file, name, 5); });
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::inputFile(QStringLiteral("workouts.dat"), data, size);
    TrainingFile file;
    file.open(path, TrainingFile::Access::ReadOnly);
    damageFindings(file, int(kTrainingTypes.size()));
    const QStringList lines = WorkoutList::build(file, kTrainingTypes);
    analyseLines(file, lines);
    analyseRecords(file, lines);
    return 0;
}
