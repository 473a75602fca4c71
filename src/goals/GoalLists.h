#pragma once

#include "goals/GoalsFile.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The text that stands for a goal in a list: "Name: start-deadline. description", the
// dates in the short date format, the description cut to 50 characters with "..."
// after a longer one. Line breaks show as blanks, so a goal is always one line.
QString GoalLine(const GoalRecord &goal);
// The goal line followed by the status as a decimal number.
QString GoalKey(const GoalRecord &goal);

// True for a pending goal whose deadline day has come by today.
bool DeadlineHasCome(const GoalRecord &goal, const QDate &today);
// The question asked about such a goal.
QString DeadlineQuestion(const GoalRecord &goal);

// The lists of the goals window, built from the file in record order.
struct GoalLists {
    struct Entry {
        QString line;
        int record = 0;
    };
    // A list of the window: its caption and the status its goals have.
    struct Kind {
        quint8 status;
        const char *caption;
    };
    // In the order they are shown and printed.
    static constexpr Kind Kinds[3] = {{GoalStatus::Pending, "Pending goals"},
                                      {GoalStatus::Completed, "Goals completed succesfully!"},
                                      {GoalStatus::Unsuccessful, "Goals not completed succesfully"}};

    QStringList keys; // the key of every goal, by record number
    QList<Entry> pending, completed, unsuccessful;

    static GoalLists read(GoalsFile &file);
    const QList<Entry> &of(quint8 status) const;
};

// The three lists as plain text: each list's caption on a line of its own, then its
// goal lines, one a line, then an empty line.
QString GoalListingText(const GoalLists &lists);

// What the user is told of a goals file that ends with a piece shorter than a goal.
QString PartialGoalNote(const QString &path, int tailSize);

// The listing of the goals file at path, opened for reading only. A missing file has no
// goals and is not created. note, when given, receives the partial-goal note or stays
// empty.
QString ListGoalsFile(const QString &path, QString *note = nullptr);
