// The progress window's wiring: what it reads, where its chosen workouts are shown.
#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "app/ProgressDialog.h"
#include "common/CommandRegistry.h"
#include "exercises/Vjezbe.h"
#include "progressview/Napredak.h"

void ProgramWindows::createProgressWindow()
{
    // The catalogue's names are read at each collection, so an exercise added to the
    // list since shows up too.
    const auto collect = [this](QWidget *dialogParent) {
        return CollectProgress(m_main->trainingFile(), m_exercises->exerciseNames(),
                               progressDialog(dialogParent, QStringLiteral("Collecting your progress...")));
    };
    m_progress = std::make_unique<TfrmNapredak>(m_prompts, collect, m_main.get());
    QObject::connect(m_progress.get(), &TfrmNapredak::workoutChosen, m_main.get(),
                     [this](int record) { m_main->runCommand([=, this] { m_main->showRecord(record); }); });
    QObject::connect(m_main.get(), &TfrmMain::workoutsChanged, m_progress.get(), [this] { m_progress->trainingChanged(); });
    m_main->commands().bind("actNapredak", [this] { m_progress->showProgress(); });
}
