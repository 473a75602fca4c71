#include "analysis/AnalysisCommands.h"

#include "analysis/Density.h"
#include "analysis/ReportText.h"
#include "analysis/WeekStatistics.h"
#include "analysis/WorkoutExport.h"
#include "common/WholeFile.h"
#include "common/ProgramFolder.h"
#include "store/WorkoutList.h"

namespace {
AnalysisTypeLists typeLists(const WorkoutSession &session)
{
    return {session.cardioTypes(), session.trainingTypes()};
}

// The selected line, or -1 after the error box when there is none.
int requireSelection(WorkoutSession &session, const QStringList &lines)
{
    const int s = session.selectedLine();
    if (s < 0 || s >= lines.size()) {
        session.prompts().error(AnalysisTexts::NoSelection);
        return -1;
    }
    return s;
}

// The exports write the stored workout at the save position; a new workout in the
// form has no stored record yet.
bool requireSavedWorkout(WorkoutSession &session)
{
    const int n = session.currentRecordIndex();
    if (n < 0 || n >= session.trainingFile().RecordCount()) {
        session.prompts().error(AnalysisTexts::NotSaved);
        return false;
    }
    return true;
}

QString askTarget(WorkoutSession &session, const QString &title, const QString &filter, const QString &extension)
{
    UserPrompts::FileDialog dialog;
    dialog.title = title;
    dialog.filter = filter;
    dialog.defaultExtension = extension;
    dialog.askBeforeOverwrite = true;
    return session.prompts().saveFileName(dialog);
}

const QString TextFilter = QStringLiteral("Text files (*.txt)|*.txt");
}

void ShowWeekAnalysis(WorkoutSession &session)
{
    const QStringList lines = session.workoutLines();
    const int s = requireSelection(session, lines);
    if (s < 0)
        return;
    const QString text = WeekStatistics(session.trainingFile(), lines, s, typeLists(session));
    session.prompts().information(text);
}

void ShowTrainingAnalysis(WorkoutSession &session)
{
    const QString text = trainingPeriodAnalysis(session.trainingFile(), session.workoutLines(), typeLists(session),
                                                session.progress(QStringLiteral("Analysing the training period")));
    session.prompts().information(text.isNull() ? AnalysisTexts::NoWorkouts : text);
}

void ShowWorkoutDensity(WorkoutSession &session)
{
    const QString text = workoutDensity(session.exerciseGridRows());
    session.prompts().information(text);
}

void ShowDayDensity(WorkoutSession &session)
{
    const QStringList lines = session.workoutLines();
    const int s = requireSelection(session, lines);
    if (s < 0)
        return;
    if (WorkoutList::isSeparator(lines.at(s))) {
        session.prompts().error(AnalysisTexts::NoSelection);
        return;
    }
    const QString text = dayDensity(session.trainingFile(), lines, s);
    session.prompts().information(text);
}

void ExportWorkoutText(WorkoutSession &session)
{
    if (requireSelection(session, session.workoutLines()) < 0 || !requireSavedWorkout(session))
        return;
    const QString path = askTarget(session, QStringLiteral("Export to a text file"), TextFilter, QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    const WorkoutRecord record = session.trainingFile().ReadRecord(session.currentRecordIndex());
    WholeFile::write(path, ReportText::encode(workoutText(record, session.trainingTypes())));
}

void ExportAllWeekAnalyses(WorkoutSession &session)
{
    const QString path = askTarget(session, QStringLiteral("Export week statictics"), TextFilter, QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    const QString text = allWeekStatistics(session.trainingFile(), session.workoutLines(), typeLists(session),
                                           session.progress(QStringLiteral("Exporting the week analyses")));
    WholeFile::write(path, ReportText::encode(text));
}

void ExportHtml(WorkoutSession &session)
{
    const QStringList lines = session.workoutLines();
    const int s = requireSelection(session, lines);
    if (s < 0 || !requireSavedWorkout(session))
        return;
    const QString path = askTarget(session, QStringLiteral("Export to HTML"), QStringLiteral("HTML files (*.html)|*.html"),
                                   QStringLiteral("html"));
    if (path.isEmpty())
        return;
    const QString templatePath = ProgramFolder::resolve(session.templateFileName());
    const QByteArray templateContent = readTemplate(templatePath);
    const WorkoutRecord record = session.trainingFile().ReadRecord(session.currentRecordIndex());
    WholeFile::write(path, htmlPage(templateContent, templatePath, lines.at(s), record, session.trainingTypes()));
}
