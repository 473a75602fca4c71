#include "app/Main.h"
#include "common/QtUserPrompts.h"
#include "editing/DrugiProzor.h"
#include "exercises/Vjezbe.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fortavo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Fortavo"));

    QtUserPrompts prompts;
    TfrmMain main(prompts);
    prompts.setParent(&main);
    main.startUp();

    // The other windows in their start-up order; each does its start-up work now.
    TfrmVjezbe exercises(prompts, main, &main);
    main.setExerciseWindow(&exercises);
    TfrmDrugiProzor secondWindow(&main);
    main.setSecondWindow(&secondWindow);

    main.show();
    return app.exec();
}
