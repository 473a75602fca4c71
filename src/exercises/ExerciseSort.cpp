#include "exercises/ExerciseSort.h"

#include <utility>

namespace ExerciseSort {

bool sortsAscending(const QString &title)
{
    return !title.endsWith(AscendingMark);
}

void sortRows(QList<QStringList> &rows, int column, bool ascending)
{
    const auto cell = [column](const QStringList &row) {
        return column < row.size() ? row.at(column) : QString();
    };
    // The exchange sort keeps the order that equal texts get from the list's history;
    // a library sort would order them differently.
    for (qsizetype i = 0; i + 1 < rows.size(); ++i) {
        for (qsizetype j = i + 1; j < rows.size(); ++j) {
            const int c = QString::compare(cell(rows.at(i)), cell(rows.at(j)), Qt::CaseSensitive);
            if (ascending ? c > 0 : c < 0)
                std::swap(rows[i], rows[j]);
        }
    }
}

void markSortedColumn(QStringList &titles, int column)
{
    for (int c = 0; c < titles.size(); ++c) {
        QString &title = titles[c];
        if (c == column) {
            if (title.endsWith(DescendingMark))
                title.back() = AscendingMark;
            else if (title.endsWith(AscendingMark))
                title.back() = DescendingMark;
            else
                title += QStringLiteral(" ^");
        } else if (title.endsWith(AscendingMark) || title.endsWith(DescendingMark)) {
            title.chop(2);
        }
    }
}
}
