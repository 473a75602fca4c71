// The records page of the progress window.
#include "progressview/Napredak.h"

#include "progress/RecordTexts.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int SortKey = Qt::UserRole;     // the number or day count a column sorts by
constexpr int RecordRole = Qt::UserRole + 1; // the record number of the cell's workout

// A cell that sorts by its number when it has one: numbers and dates sort as numbers
// and dates, not as text. An empty cell (no such record) comes before every number.
class RecordCell : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem &other) const override
    {
        const QVariant mine = data(SortKey), theirs = other.data(SortKey);
        if (mine.isValid() || theirs.isValid()) {
            if (!mine.isValid() || !theirs.isValid())
                return !mine.isValid() && theirs.isValid();
            return mine.toDouble() < theirs.toDouble();
        }
        return text().compare(other.text(), Qt::CaseInsensitive) < 0;
    }
};

// The record mark each column shows (the name's column: the first mark that is set).
const RecordMark *markOfColumn(const ExerciseRecords &r, int column)
{
    if (column >= 1 && column <= 3)
        return &r.bestOneRm;
    if (column >= 4 && column <= 6)
        return &r.heaviest;
    if (column >= 7 && column <= 8)
        return &r.bodyweightReps;
    if (column >= 9)
        return &r.bestVolume;
    for (const RecordMark *mark : {&r.bestOneRm, &r.heaviest, &r.bodyweightReps, &r.bestVolume})
        if (mark->isSet())
            return mark;
    return &r.bestOneRm;
}

// The number a column sorts by; none for the name.
QVariant sortKey(const ExerciseRecords &r, int column)
{
    const RecordMark *mark = markOfColumn(r, column);
    if (column == 0 || !mark->isSet())
        return {};
    switch (column) {
    case 2: case 6: case 8: case 10:
        return mark->day;
    case 3: // "100 × 5": by weight, then reps
        return double(mark->weight) * 1000.0 + mark->reps;
    case 5: case 7:
        return mark->reps;
    default:
        return double(mark->value);
    }
}
}

QWidget *TfrmNapredak::buildRecordsPage()
{
    auto *page = new QWidget(this);
    stgRekordi = new QTableWidget(page);
    stgRekordi->setObjectName(QStringLiteral("stgRekordi"));
    stgRekordi->setColumnCount(int(recordsTableTitles().size()));
    stgRekordi->setHorizontalHeaderLabels(recordsTableTitles());
    stgRekordi->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stgRekordi->setSelectionBehavior(QAbstractItemView::SelectRows);
    stgRekordi->setSelectionMode(QAbstractItemView::SingleSelection);
    stgRekordi->verticalHeader()->hide();
    stgRekordi->setSortingEnabled(true);
    stgRekordi->sortByColumn(0, Qt::AscendingOrder);
    stgRekordi->setToolTip(QStringLiteral("Double-click a record to show its workout"));
    connect(stgRekordi, &QTableWidget::cellDoubleClicked, this, &TfrmNapredak::recordsDoubleClicked);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(stgRekordi);
    return page;
}

void TfrmNapredak::fillRecords()
{
    // Sorting is off while the rows are filled, so that each row stays whole; the
    // user's column and order are kept.
    stgRekordi->setSortingEnabled(false);
    stgRekordi->clearContents();
    stgRekordi->setRowCount(int(m_data.records.size()));
    for (int row = 0; row < m_data.records.size(); ++row) {
        const ExerciseRecords &r = m_data.records.at(row);
        const QStringList cells = recordsTableRow(r);
        for (int column = 0; column < cells.size(); ++column) {
            auto *cell = new RecordCell(cells.at(column));
            cell->setData(SortKey, sortKey(r, column));
            const RecordMark *mark = markOfColumn(r, column);
            cell->setData(RecordRole, mark->record);
            if (column > 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            stgRekordi->setItem(row, column, cell);
        }
    }
    stgRekordi->setSortingEnabled(true);
    stgRekordi->resizeColumnsToContents();
}

void TfrmNapredak::recordsDoubleClicked(int row, int column)
{
    const QTableWidgetItem *cell = stgRekordi->item(row, column);
    if (!cell)
        return;
    const int record = cell->data(RecordRole).toInt();
    if (record >= 0)
        emit workoutChosen(record);
}
