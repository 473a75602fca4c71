#pragma once

#include "progress/ProgressData.h"

#include <QDate>
#include <QWidget>

#include <functional>

class ChartView;
class CommandRegistry;
class QAction;
class QComboBox;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class UserPrompts;

// The progress window: one exercise's chart over time, the weekly volume by body part,
// and the table of personal records. Created once at start-up and shown not modally.
// It reads the training file only through the collect function the owner gives it and
// reports a chosen workout with workoutChosen(), so it knows no other window.
class TfrmNapredak : public QWidget {
    Q_OBJECT
public:
    // Collects everything shown, once over the training file; a progress dialog for the
    // collection may use dialogParent. Raises the project's errors.
    using Collect = std::function<ProgressData(QWidget *dialogParent)>;

    TfrmNapredak(UserPrompts &prompts, Collect collect, QWidget *parent = nullptr);
    ~TfrmNapredak() override;

    // Shows the window, or brings it to the front; collects anew, right after, when the
    // training file changed since the last collection.
    void showProgress();
    // The training file changed: collected anew at once while the window is shown,
    // otherwise the next time it is shown.
    void trainingChanged();
    // Collects now, through the error guard.
    void refresh();

    const ProgressData &data() const { return m_data; }
    // The day the ranges end at; today unless a test pins it.
    void setToday(const QDate &today) { m_today = today; }
    CommandRegistry &commands() const { return *m_commands; }

signals:
    // A workout to show in the main window: its record number.
    void workoutChosen(int record);

private:
    void queueRefresh();
    void buildControls();
    QWidget *buildExercisePage();
    QWidget *buildPeriodPage();
    QWidget *buildRecordsPage();
    void fillExerciseChoice();
    void fillRecords();
    void showExerciseChart();
    void showPeriodChart();
    void recordsDoubleClicked(int row, int column);
    ChartView *currentChart() const;
    void copyChart();
    void saveChart();
    int firstDay(const QComboBox *range) const;

    UserPrompts &m_prompts;
    Collect m_collect;
    ProgressData m_data;
    bool m_stale = true;
    bool m_refreshQueued = false;
    QDate m_today;
    QList<ExercisePoint> m_shownPoints; // the exercise chart's points, in order
    QList<WeekTotals> m_shownWeeks;     // the period chart's weeks, in order
    CommandRegistry *m_commands = nullptr;

public:
    // Controls.
    QTabWidget *tabStranice = nullptr;
    QComboBox *cmbVjezba = nullptr;
    QRadioButton *rbt1Rm = nullptr;
    QRadioButton *rbtTezina = nullptr;
    QRadioButton *rbtVolumen = nullptr;
    QComboBox *cmbRasponVjezbe = nullptr;
    ChartView *grfVjezba = nullptr;
    QComboBox *cmbRasponPerioda = nullptr;
    QRadioButton *rbtBrojTreninga = nullptr;
    QRadioButton *rbtTrajanje = nullptr;
    ChartView *grfPeriod = nullptr;
    QTableWidget *stgRekordi = nullptr;
};
