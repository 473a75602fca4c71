#pragma once

#include <QTableWidget>

#include <optional>
#include <utility>

// A workout grid: a header row, one row per entry and exactly one empty trailing row
// where the next entry goes. Row numbers here count the header as row 0, so entries
// are rows 1..n and the trailing row is n + 1; column 0 holds "k.".
class WorkoutGrid : public QTableWidget {
    Q_OBJECT
public:
    WorkoutGrid(const QStringList &headers, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // Widens each column to show its longest text whole.
    void fitColumnsToContents();
    // A smallest height that still shows the header and that many rows.
    void setMinimumRows(int rows);

    int gridRowCount() const { return rowCount() + 1; }
    int entryCount() const { return rowCount() - 1; }
    // The row of the current cell; row 1 when no cell is current.
    int currentGridRow() const;

    // Back to the header and one cleared row.
    void clearEntries();
    // Writes the cells into the trailing row and adds a new empty trailing row.
    void appendEntry(const QStringList &cells);
    // Puts an entry at row r (1..n+1), moving the rows from r down by one.
    void insertEntry(int r, const QStringList &cells);
    void removeEntry(int r);
    // Reads back the current row with read and removes it, giving its row and entry;
    // nothing when the grid has no entries. A row that does not read raises read's
    // error and stays.
    template <typename Entry>
    std::optional<std::pair<int, Entry>> takeCurrentRow(Entry (*read)(const QStringList &))
    {
        if (entryCount() == 0)
            return std::nullopt;
        const int r = currentGridRow();
        const Entry entry = read(cells(r));
        removeEntry(r);
        return std::pair{r, entry};
    }
    QStringList cells(int r) const;
    QString cell(int r, int column) const;
    void renumber();

private:
    int headerWidth(int column) const;
    void setRowCells(int tableRow, const QStringList &cells);
    void setCellText(int tableRow, int column, const QString &text);
};
