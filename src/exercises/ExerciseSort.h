#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The sort of the exercise list by a clicked column, with the "^" / "ˇ" marks it leaves
// on the column titles.
namespace ExerciseSort {
inline const QStringList Titles = {QStringLiteral("#"), QStringLiteral("Name of the exercise"),
                                   QStringLiteral("Bodypart"), QStringLiteral("Description")};
inline constexpr QChar AscendingMark = QChar(u'^');
inline constexpr QChar DescendingMark = QChar(u'\u02C7');

// A click sorts descending when the column was last sorted ascending, else ascending.
bool sortsAscending(const QString &title);
// Exchange sort of the rows by one column: ordinal, case-sensitive comparison of the
// cell texts. Rows move whole, so each keeps its display number.
void sortRows(QList<QStringList> &rows, int column, bool ascending);
// The titles after sorting by column: "^" then "ˇ" then "^" on it, no mark elsewhere.
void markSortedColumn(QStringList &titles, int column);
}
