#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "common/QtUserPrompts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fortavo"));
    // No display name: Qt would add it to every caption, and each window's caption is
    // exactly its own text.

    QtUserPrompts prompts;
    ProgramWindows windows(prompts);
    prompts.setParent(&windows.mainWindow());
    windows.startUp();
    windows.mainWindow().show();
    return app.exec();
}
