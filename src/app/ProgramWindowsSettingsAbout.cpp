#include "app/ProgramWindows.h"

#include "about/About.h"
#include "about/WebAddresses.h"
#include "app/Main.h"
#include "app/Ribbon.h"
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
    QAction *actSettings = m_main->addCommand("actSettings", "Settings", QKeySequence(Qt::Key_F2),
                                              [this] { RunSettingsCommand(*m_settings, m_prompts); });
    actSettings->setToolTip(QStringLiteral("Program settings"));
    m_main->addRibbonCommand(Ribbon::HelpTab, QStringLiteral("Settings"), actSettings);
}

// The about window, and the web commands whose address its link opens. No product web
// site has been chosen: a command without an address is disabled and says so.
void ProgramWindows::createAboutWindow()
{
    const auto webCommand = [this](const char *name, const char *text, const QString &hint, const char *address) {
        const QString url = QString::fromLatin1(address);
        QAction *action = m_main->addCommand(name, QString::fromLatin1(text), {}, [this, url] {
            if (!m_prompts.openWithDesktop(url))
                m_prompts.error(QStringLiteral("Unable to open %1").arg(url));
        });
        action->setToolTip(url.isEmpty() ? hint + QStringLiteral(" (no web address is set)") : hint);
        action->setEnabled(!url.isEmpty());
        m_main->addRibbonCommand(Ribbon::HelpTab, QStringLiteral("Web"), action);
        return action;
    };
    QAction *actWebsite = webCommand("actWebsite", "Website", QStringLiteral("Visit Fortavo website"),
                                     WebAddresses::Website);
    webCommand("actUpdates", "Updates", QStringLiteral("Check for updates"), WebAddresses::DownloadPage);

    m_about = std::make_unique<TfrmAbout>(m_prompts, m_main.get());
    m_about->setWebsiteAction(actWebsite);
    m_about->startUp();
    QApplication::setWindowIcon(TfrmAbout::logo());
    QAction *bitAbout = m_main->addCommand("bitAbout", "About Fortavo", {}, [this] { m_about->showModal(); });
    m_main->addRibbonCommand(Ribbon::HelpTab, QStringLiteral("Help"), bitAbout);
}
