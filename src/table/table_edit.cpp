#include "table/table_edit.h"

#include <algorithm>
#include <utility>

#include "table/table_bytes.h"

namespace zandrel {

namespace {

bool CellsFit(const std::vector<CellChange>& changes, int rowCount, int columnCount) {
    return std::all_of(changes.begin(), changes.end(), [&](const CellChange& change) {
        return change.row >= 0 && change.row < rowCount && change.column >= 0 && change.column < columnCount;
    });
}

// Swaps a cell's text with the change's, so the same change serves undo and redo.
void SwapCell(GridModel& grid, CellChange& change) {
    std::string current = grid.GetCell(change.row, change.column);
    grid.SetCell(change.row, change.column, change.text);
    change.text = std::move(current);
}

}  // namespace

TableEdit RemoveRows(GridModel& grid, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const int rowCount = grid.RowCount();
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int row) { return row < 1 || row >= rowCount; }),
               rows.end());
    TableEdit edit;
    if (grid.TakeRows(rows, edit.removedRows)) {
        edit.removedAt = std::move(rows);
    }
    return edit;
}

bool UndoTableEdit(GridModel& grid, TableEdit& edit) {
    const int rowsAfterUndo = grid.RowCount() + static_cast<int>(edit.removedAt.size());
    if (edit.removedRows.size() != edit.removedAt.size() ||
        !CellsFit(edit.cellChanges, rowsAfterUndo, grid.ColumnCount())) {
        return false;
    }
    if (!grid.InsertRows(edit.removedAt, edit.removedRows)) {
        return false;
    }
    edit.removedRows.shrink_to_fit();  // the rows live in the table again; keep only their places
    for (auto it = edit.cellChanges.rbegin(); it != edit.cellChanges.rend(); ++it) {
        SwapCell(grid, *it);
    }
    return true;
}

bool RedoTableEdit(GridModel& grid, TableEdit& edit) {
    if (!edit.removedRows.empty() || !CellsFit(edit.cellChanges, grid.RowCount(), grid.ColumnCount())) {
        return false;
    }
    int previous = 0;
    for (int row : edit.removedAt) {
        if (row <= previous || row >= grid.RowCount()) {
            return false;
        }
        previous = row;
    }
    for (CellChange& change : edit.cellChanges) {
        SwapCell(grid, change);
    }
    grid.TakeRows(edit.removedAt, edit.removedRows);  // cannot fail: checked above
    return true;
}

size_t TableEditBytes(const TableEdit& edit) {
    size_t bytes = edit.removedAt.capacity() * sizeof(int) + RowsBytes(edit.removedRows) +
                   edit.cellChanges.capacity() * sizeof(CellChange);
    for (const CellChange& change : edit.cellChanges) {
        bytes += StringBytes(change.text);
    }
    return bytes;
}

}  // namespace zandrel
