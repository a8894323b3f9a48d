#include "table/table_ops.h"

#include "table/grid_model.h"
#include "table/table_texts.h"

namespace zandrel {

void InitTableHeader(GridModel& grid) {
    for (int column = 0; column < kTableColumnCount; ++column) {
        grid.SetCell(0, column, kColumnTitles[column]);
    }
    for (int column = 0; column < kTableColumnCount; ++column) {
        grid.SetColumnWidth(column, kColumnWidths[column]);
    }
}

void ClearTable(GridModel& grid) {
    grid.ResetGrid();
    grid.DeleteRows(1, grid.RowCount() - 1);
    InitTableHeader(grid);
}

void DeleteSelectedRows(GridModel& grid, bool& modifiedFlag) {
    modifiedFlag = true;
    if (grid.CursorRow() < 1) {
        return;
    }
    int top = grid.SelectionTop();
    int bottom = grid.SelectionBottom();
    // A selection that no longer fits the table (-1) counts as the cursor row alone.
    if (top < 1 || bottom < top) {
        top = bottom = grid.CursorRow();
    }
    if (bottom > top) {
        // A block: the cursor goes to its first row, on the keyword column, and stays there (or on the new
        // last row when nothing follows the block).
        grid.SetCursor(top, 1);
    }
    grid.DeleteRows(top, bottom - top + 1);
}

}  // namespace zandrel
