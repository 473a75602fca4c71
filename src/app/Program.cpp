#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "common/QtUserPrompts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fortavo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Fortavo"));

    QtUserPrompts prompts;
    ProgramWindows windows(prompts);
    prompts.setParent(&windows.mainWindow());
    windows.startUp();
    windows.mainWindow().show();
    return app.exec();
}
