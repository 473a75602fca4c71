#pragma once

#include "editing/WorkoutInfoControls.h"

#include <QWidget>

class WorkoutSession;

// The second workout window: a read-only view of one stored workout beside the main
// window. Created once and reused; each view replaces its content. A window of its own
// (made without a parent, it is placed by the desktop and does not stay above the main
// window), of a fixed size that shows every column of a full row.
class TfrmDrugiProzor : public QWidget {
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
