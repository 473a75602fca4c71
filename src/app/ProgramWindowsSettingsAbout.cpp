#include "app/ProgramWindows.h"

#include "about/About.h"
#include "about/WebAddresses.h"
#include "app/Main.h"
#include "common/CommandRegistry.h"
#include "common/UserPrompts.h"
#include "config/Postavke.h"

#include <QAction>
#include <QApplication>

// The settings window: F2 shows it; on OK the configuration is written and the user
// told to restart.
void ProgramWindows::createSettingsWindow()
{
    m_settings = std::make_unique<TfrmPostavke>(m_prompts, m_main.get());
    m_settings->startUp();
    m_main->commands().bind("actSettings", [this] { RunSettingsCommand(*m_settings, m_prompts); });
}

// The about window, and the web commands whose address its link opens. No product web
// site has been chosen: a command without an address is disabled and says so.
void ProgramWindows::createAboutWindow()
{
    const auto webCommand = [this](const char *name, const char *address) {
        const QString url = QString::fromLatin1(address);
        QAction *action = m_main->commands().action(QLatin1String(name));
        m_main->commands().bind(QLatin1String(name), [this, url] {
            if (!m_prompts.openWithDesktop(url))
                m_prompts.error(QStringLiteral("Unable to open %1").arg(url));
        });
        if (url.isEmpty())
            action->setToolTip(action->toolTip() + QStringLiteral(" (no web address is set)"));
        action->setEnabled(!url.isEmpty());
        return action;
    };
    QAction *actWebsite = webCommand("actWebsite", WebAddresses::Website);
    webCommand("actUpdates", WebAddresses::DownloadPage);

    m_about = std::make_unique<TfrmAbout>(m_prompts, m_main.get());
    m_about->setWebsiteAction(actWebsite);
    m_about->startUp();
    QApplication::setWindowIcon(TfrmAbout::logo());
    m_main->commands().bind("bitAbout", [this] { m_about->showModal(); });
}
