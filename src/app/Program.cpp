#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "common/QtUserPrompts.h"
#include "common/Version.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <optional>

namespace {
// --version and --help are answered before any window system is touched, so they work
// without a display too. Returns the exit status when the program should end now.
std::optional<int> answerCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Fortavo, a workout log for strength and cardio training."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Prints the version and ends."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Lists these options and ends."));
    parser.addOption(version);
    parser.addOption(help);
    // Qt's own options (-platform, -style, ...) are left to QApplication.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.parse(arguments); // options it does not know belong to QApplication
    if (parser.isSet(version)) {
        std::printf("%s\n", FortavoVersionText);
        return 0;
    }
    if (parser.isSet(help)) {
        // Without an application object Qt cannot name the program itself.
        std::printf("%s", qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("fortavo"))));
        return 0;
    }
    return std::nullopt;
}
}

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = answerCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fortavo"));
    // No display name: Qt would add it to every caption, and each window's caption is
    // exactly its own text.

    QtUserPrompts prompts;
    ProgramWindows windows(prompts);
    prompts.setParent(&windows.mainWindow());
    windows.startUp();
    windows.mainWindow().show();
    // The window manager usually does this; without one the keyboard would go nowhere.
    windows.mainWindow().activateWindow();
    return app.exec();
}
