#include "app/Main.h"

#include "app/ScriptRunner.h"
#include "common/RegionalSettings.h"
#include "editing/WorkoutGrid.h"
#include "script/PromptsScriptHost.h"
#include "scriptdata/TrainingObjects.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>

// The scripts' training-data objects read this window's editor as it stands.
void TfrmMain::registerTrainingObjects()
{
    m_trainingObjects = std::make_unique<TrainingObjects>(*this);
    for (const char *name : {"workouts", "cardio", "exercises"})
        m_scripts->host().addObject(QLatin1String(name), m_trainingObjects->object(QLatin1String(name)));
}

QString TfrmMain::shownDateText() const { return RegionalSettings::current().dateText(m_form.dtpDatum->date()); }

QString TfrmMain::shownTimeText() const { return RegionalSettings::current().timeText(m_form.dtpVrijeme->time()); }

QString TfrmMain::shownDurationText() const { return maskText(m_form.mskTrajanjeTrening); }

QString TfrmMain::shownBodypart() const { return m_form.cmbDioTijela->currentText(); }

QString TfrmMain::shownTrainingType() const { return m_form.cmbTipTreninga->currentText(); }

QString TfrmMain::shownComment() const
{
    return m_form.memKomentar->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

int TfrmMain::shownCardioCount() const { return m_form.stgKardio->entryCount(); }

QString TfrmMain::shownCardioCell(int row, int column) const
{
    return row >= 1 && row <= shownCardioCount() ? m_form.stgKardio->cell(row, column) : QString();
}

int TfrmMain::shownExerciseCount() const { return m_form.stgVjezbe->entryCount(); }

QString TfrmMain::shownExerciseCell(int row, int column) const
{
    return row >= 1 && row <= shownExerciseCount() ? m_form.stgVjezbe->cell(row, column) : QString();
}
