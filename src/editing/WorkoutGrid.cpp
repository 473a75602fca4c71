#include "editing/WorkoutGrid.h"

#include <QHeaderView>
#include <QScrollBar>

WorkoutGrid::WorkoutGrid(const QStringList &headers, QWidget *parent) : QTableWidget(parent)
{
    setColumnCount(int(headers.size()));
    setHorizontalHeaderLabels(headers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The header and three rows at least, so the window still fits a small screen.
    setMinimumHeight(4 * (fontMetrics().height() + 6) + 2 * frameWidth());
    horizontalHeader()->setStretchLastSection(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Arrows move between cells; Tab goes on to the next control instead of being
    // kept inside the grid.
    setTabKeyNavigation(false);
    // Every header reads whole: each column is at least as wide as its caption.
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, headerWidth(c));
    clearEntries();
}

int WorkoutGrid::headerWidth(int column) const
{
    const int caption = horizontalHeader()->sectionSizeHint(column);
    return column == 0 ? qMax(32, caption) : qMax(80, caption + 8);
}

void WorkoutGrid::fitColumnsToContents()
{
    for (int c = 0; c < columnCount(); ++c) {
        int width = headerWidth(c);
        for (int r = 0; r < rowCount(); ++r)
            if (const QTableWidgetItem *cell = item(r, c))
                width = qMax(width, fontMetrics().horizontalAdvance(cell->text()) + 16);
        setColumnWidth(c, width);
    }
    updateGeometry();
}

void WorkoutGrid::setMinimumRows(int rows)
{
    setMinimumHeight(horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize()
                     + horizontalScrollBar()->sizeHint().height() + 2 * frameWidth());
}

QSize WorkoutGrid::sizeHint() const
{
    // Wide enough to show every column without scrolling sideways.
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < columnCount(); ++c)
        width += columnWidth(c);
    return QSize(width, QTableWidget::sizeHint().height());
}

int WorkoutGrid::currentGridRow() const
{
    return currentRow() < 0 ? 1 : currentRow() + 1;
}

void WorkoutGrid::setCellText(int tableRow, int column, const QString &text)
{
    QTableWidgetItem *item = this->item(tableRow, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column == 0)
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        setItem(tableRow, column, item);
    }
    item->setText(text);
}

void WorkoutGrid::setRowCells(int tableRow, const QStringList &cells)
{
    for (int c = 0; c < columnCount(); ++c)
        setCellText(tableRow, c, c < cells.size() ? cells.at(c) : QString());
}

void WorkoutGrid::clearEntries()
{
    setRowCount(0);
    setRowCount(1);
    setRowCells(0, {});
}

void WorkoutGrid::appendEntry(const QStringList &cells)
{
    const int trailing = rowCount() - 1;
    setRowCells(trailing, cells);
    setRowCount(rowCount() + 1);
    setRowCells(rowCount() - 1, {});
}

void WorkoutGrid::insertEntry(int r, const QStringList &cells)
{
    const int tableRow = qBound(0, r - 1, rowCount() - 1);
    insertRow(tableRow);
    setRowCells(tableRow, cells);
    renumber();
}

void WorkoutGrid::removeEntry(int r)
{
    if (r >= 1 && r <= entryCount())
        QTableWidget::removeRow(r - 1);
    renumber();
}

QString WorkoutGrid::cell(int r, int column) const
{
    const QTableWidgetItem *item = this->item(r - 1, column);
    return item ? item->text() : QString();
}

QStringList WorkoutGrid::cells(int r) const
{
    QStringList result;
    for (int c = 0; c < columnCount(); ++c)
        result << cell(r, c);
    return result;
}

void WorkoutGrid::renumber()
{
    for (int r = 1; r <= entryCount(); ++r)
        setCellText(r - 1, 0, QString::number(r) + QLatin1Char('.'));
    setCellText(rowCount() - 1, 0, QString());
}
