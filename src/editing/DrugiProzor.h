#pragma once

#include "editing/WorkoutInfoControls.h"

#include <QDialog>

class WorkoutSession;

// The second workout window: a read-only view of one stored workout beside the main
// window. Created once and reused; each view replaces its content.
class TfrmDrugiProzor : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDrugiProzor(QWidget *parent = nullptr);

    // The main window's body-part and type-of-training items, so a view can show both.
    void setListItems(const QStringList &bodyparts, const QStringList &trainingTypes);
    // Fills the window with the record, captions it and shows it without blocking.
    void view(const WorkoutRecord &record, const QString &caption);
    // Views the workout of the session's selected line, captioned with that line; a
    // separator or no selection does nothing. The save position stays as it is.
    void ViewInSecondWindow(WorkoutSession &session);

    WorkoutInfoControls controls;
};
