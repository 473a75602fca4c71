// The main window's side of other programs writing its training file: the file is
// watched while it is open and read again when it changed, keeping the form.

#include "app/Main.h"

#include "common/FileWatch.h"

void TfrmMain::watchTrainingFile()
{
    if (!m_trainingWatch)
        m_trainingWatch = new FileWatch([this] {
            if (m_training.isOpen() && m_training.changedOutside())
                runCommand([this] { reloadChangedTrainingFile(true); });
        }, this);
    // A write that finds the file changed reads it again before it reports the change.
    m_training.setOutsideChangeHandler([this] { reloadChangedTrainingFile(false); });
    m_trainingWatch->setFile(m_training.isOpen() ? m_training.fileName() : QString());
}

void TfrmMain::reloadChangedTrainingFile(bool tell)
{
    // The form stays as it is. It keeps its save position only while that record holds
    // what it held; otherwise its next save adds it as a new workout, so that no
    // workout written by the other program is overwritten.
    const bool editing = CurrentRecordIndex < m_training.RecordCount();
    const int position = m_training.reopenAfterOutsideChange(CurrentRecordIndex);
    const bool moved = editing && position != CurrentRecordIndex;
    CurrentRecordIndex = position;
    FillWorkoutList();
    if (tell && moved)
        m_prompts.warning(QStringLiteral("The training file was changed outside Fortavo."));
}
