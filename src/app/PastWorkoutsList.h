#pragma once

#include <QListWidget>

class QMenu;

// The list of past workouts (`lstProsliTreninzi`) with its pop-up menu. A mouse button
// first selects the line under the pointer (a point below the last line selects
// nothing); a press on a workout line sets the list's hint to the line and reports it.
class PastWorkoutsList : public QListWidget {
    Q_OBJECT
public:
    explicit PastWorkoutsList(QWidget *parent = nullptr);

    QMenu *menu() const { return m_menu; }

    QStringList lines() const;
    int selectedLine() const; // -1 when nothing is selected
    // Selects the line; a line beyond the list clears the selection.
    void selectLine(int line);
    // The record number of the selected workout line; -1 for none or a separator.
    int selectedRecord() const;

signals:
    void workoutLinePressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onPressed(const QPoint &position);

    QMenu *m_menu = nullptr;
};
