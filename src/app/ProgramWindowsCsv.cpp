#include "app/ProgramWindows.h"

#include "app/Main.h"
#include "common/CommandRegistry.h"
#include "common/UserPrompts.h"
#include "common/WholeFile.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "csv/ImportPreview.h"
#include "exercises/ExerciseFile.h"
#include "exercises/Vjezbe.h"

#include <QFileInfo>

namespace {
const QString CsvFilter = QStringLiteral("CSV files (*.csv)|*.csv");
}

// Workouts in and out as CSV, in the Tools tab. They reach both the training file the
// main window holds and the exercise list the exercise window holds.
void ProgramWindows::createCsvCommands()
{
    m_main->commands().bind("actImportCsv", [this] { importCsv(); });
    m_main->commands().bind("actExportCsv", [this] { exportCsvFile(); });
}

void ProgramWindows::importCsv()
{
    TrainingFile &training = m_main->trainingFile();
    UserPrompts::FileDialog dialog{QStringLiteral("Import workouts"), CsvFilter, QStringLiteral("csv"), QString()};
    dialog.mustExist = true;
    const QString chosen = m_prompts.openFileName(dialog);
    if (chosen.isEmpty())
        return;
    const CsvImport::Plan plan = CsvImport::plan(WholeFile::read(chosen), {CsvImport::WeightUnit::Kg, m_main->trainingTypes()},
                                                 CsvImport::workoutKeys(training), m_exercises->exerciseNames());
    if (!confirmImport(chosen, plan))
        return;
    // The exercise window holds its file open: it lets go while the import writes the
    // list, then reads it again, so the new names show there and in the exercise choice.
    m_exercises->closeExerciseFile();
    ExerciseFile exercises;
    try {
        CsvImport::apply(plan, training, exercises, m_exercises->exerciseFileName());
    } catch (...) {
        m_exercises->startUp(m_main->bodyparts(), m_exercises->exerciseFileName());
        m_main->FillWorkoutList();
        throw;
    }
    exercises.close();
    m_exercises->startUp(m_main->bodyparts(), m_exercises->exerciseFileName());
    m_exercises->fillExerciseChoice(*m_main->exerciseChoice());
    m_main->FillWorkoutList();
    m_prompts.information(plan.toAdd.size() == plan.workoutsToAdd
                              ? QStringLiteral("%1 workouts were imported.").arg(plan.workoutsToAdd)
                              : QStringLiteral("%1 workouts were imported (%2 records).").arg(plan.workoutsToAdd).arg(plan.toAdd.size()));
}

bool ProgramWindows::confirmImport(const QString &fileName, const CsvImport::Plan &plan)
{
    if (m_confirmImport)
        return m_confirmImport(plan);
    ImportPreview preview(fileName, plan, m_main.get());
    return preview.exec() == QDialog::Accepted;
}

void ProgramWindows::exportCsvFile()
{
    TrainingFile &training = m_main->trainingFile();
    UserPrompts::FileDialog dialog{QStringLiteral("Export to CSV"), CsvFilter, QStringLiteral("csv"), QString()};
    dialog.askBeforeOverwrite = true;
    const QString chosen = m_prompts.saveFileName(dialog);
    if (chosen.isEmpty())
        return;
    CsvExport::write(QFileInfo(chosen).absoluteFilePath(), training, CsvExport::Layout::Rows, m_main->trainingTypes(),
                     m_main->progress(QStringLiteral("Exporting...")));
}
