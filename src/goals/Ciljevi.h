#pragma once

#include "goals/GoalLists.h"
#include "goals/GoalsFile.h"

#include <QTime>
#include <QWidget>

class FileWatch;
class GoalList;
class QAction;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class StatusShape;
class UpDown;
class UserPrompts;

// The goals window: pending, completed and unsuccessful goals in three lists, the fields
// of one goal to view, edit or add, drag and drop between the lists, and the deadline
// questions each time the window is shown. Created once at start-up and shown not
// modally. Every visible line is tied to its goal's record number, so two goals with
// identical lines are still told apart.
class TfrmCiljevi : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCiljevi(UserPrompts &prompts, QWidget *parent = nullptr);
    ~TfrmCiljevi() override;

    // The window's start-up work: opens or creates the goals file. goalsFileName is the
    // configured name; an empty one (no configuration) means "goals.dat" in the program
    // folder. A file that cannot be opened, or one that ends with a partial goal, is
    // reported here once; without a file the window shows no goals and refuses to save.
    bool startUp(const QString &goalsFileName);
    QString goalsFileName() const { return m_fileName; }
    // Shows the window not modally, or brings it to the front when it is shown already.
    void showGoals();
    // At the main window's close.
    void closeGoalsFile();

    // The record number the next "Save goal" writes to.
    int currentGoalIndex() const { return m_currentGoalIndex; }
    // Tests put a device between a deletion's rewrite and its temporary file to fail it.
    void setRewriteWrapper(WholeFile::TargetWrapper wrapper) { m_file.setRewriteWrapper(std::move(wrapper)); }

public slots:
    void FormShow();
    void bitOcistiClick();
    void bitSpremiClick();
    void actDelExecute();
    void udStatusClick();
    void lstPendingDblClick();
    void lstUspjesniDblClick();
    void lstNeuspjesniDblClick();
    // source: what the dropped item was dragged from.
    void lstPendingDragDrop(QObject *source);
    void lstUspjesniDragDrop(QObject *source);
    void lstNeuspjesniDragDrop(QObject *source);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QGroupBox *listGroup(GoalList *list, const QString &caption, const QColor &color);
    void reloadLists();
    void askDeadlineQuestions();
    void clearFields();
    void setIndicator(int position);
    quint8 indicatorStatus() const;
    void requireFile() const;
    quint8 statusOf(const QListWidget *list) const;
    // The record of the selected line of list; -1 when none is selected or the line's
    // key does not match its record.
    int selectedRecord(const QListWidget *list) const;
    void listSelectionChanged(QListWidget *list);
    void viewGoal(QListWidget *list);
    void dropGoal(QListWidget *target, QObject *source);
    // GoalsOutside.cpp: other programs writing the goals file.
    void watchGoalsFile();
    void reloadChangedGoalsFile(bool tell);

    UserPrompts &m_prompts;
    GoalsFile m_file;
    FileWatch *m_watch = nullptr;
    QString m_fileName;
    QString m_openError; // why the file could not be opened
    GoalLists m_lists;
    int m_currentGoalIndex = 0;
    // The time of day a viewed goal's dates carry, kept when it is saved again.
    QTime m_startTime{0, 0};
    QTime m_deadlineTime{0, 0};

    GoalList *lstPending = nullptr;
    GoalList *lstUspjesni = nullptr;
    GoalList *lstNeuspjesni = nullptr;
    QGroupBox *grbGoal = nullptr;
    QLineEdit *edtIme = nullptr;
    QDateEdit *dtpDatum = nullptr;
    QDateEdit *dtpRok = nullptr;
    QPlainTextEdit *memOpis = nullptr;
    StatusShape *shpStatus = nullptr;
    UpDown *udStatus = nullptr;
    QPushButton *bitOcisti = nullptr;
    QPushButton *bitSpremi = nullptr;
    QAction *actDel = nullptr;
};
