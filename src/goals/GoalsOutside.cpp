// The goals window's side of other programs writing the goals file: it is marked as in
// use, watched, and read again when it changed, keeping the fields.

#include "goals/Ciljevi.h"

#include "common/CommandGuard.h"
#include "common/FileWatch.h"
#include "common/UserPrompts.h"

void TfrmCiljevi::watchGoalsFile()
{
    // Another copy of the program that has the file keeps it: this one only shows it.
    m_file.claimInUse();
    if (!m_watch)
        m_watch = new FileWatch([this] {
            if (m_file.isOpen() && m_file.changedOutside())
                runGuarded(m_prompts, [this] { reloadChangedGoalsFile(true); });
        }, this);
    m_file.setOutsideChangeHandler([this] { reloadChangedGoalsFile(false); });
    m_watch->setFile(m_file.fileName());
}

void TfrmCiljevi::reloadChangedGoalsFile(bool tell)
{
    // The fields stay. A viewed goal keeps its save position only while its record holds
    // what it held; otherwise the next "Save goal" adds it as a new goal.
    const bool viewing = m_currentGoalIndex < m_file.RecordCount();
    const int position = m_file.reopenAfterOutsideChange(m_currentGoalIndex);
    const bool moved = viewing && position != m_currentGoalIndex;
    m_currentGoalIndex = position;
    reloadLists();
    if (tell && moved)
        m_prompts.warning(QStringLiteral("The goals file was changed outside Fortavo."));
}
