// One change of the table in the form undo keeps it: only what the change took away or replaced. Removed rows
// are moved out of the table, not copied, and go back the same way; changed cells keep their other text.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "table/grid_model.h"

namespace zandrel {

struct CellChange {
    int row = 0;  // numbered as in the table before any rows of the same edit were removed
    int column = 0;
    std::string text;  // the text the cell does not hold now: the old one after the change, the new one after undo
};

struct TableEdit {
    // Model row numbers the removed rows had, strictly ascending. They stay after undo, for redo.
    std::vector<int> removedAt;
    // The removed rows in that order while the edit is made; empty after undo (they are back in the table).
    std::vector<GridRow> removedRows;
    std::vector<CellChange> cellChanges;

    // True when the edit changed nothing.
    bool Empty() const { return removedAt.empty() && cellChanges.empty(); }
};

// Removes the data rows `rows` (any order; repeats, the header row and rows outside the table are left out)
// in one pass and returns them as a made edit.
TableEdit RemoveRows(GridModel& grid, std::vector<int> rows);

// Reverses a made edit: the rows go back to their places, then the cells get their old text. Redo makes it
// again: cells first (they are numbered as before the removal), then the rows go out. Each returns false, and
// changes nothing, when the table no longer fits the edit (rows or cells it names are not there).
bool UndoTableEdit(GridModel& grid, TableEdit& edit);
bool RedoTableEdit(GridModel& grid, TableEdit& edit);

// Memory the edit holds.
size_t TableEditBytes(const TableEdit& edit);

}  // namespace zandrel
