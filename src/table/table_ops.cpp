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
    for (int row = grid.RowCount() - 1; row >= 1; --row) {
        grid.DeleteRow(row);
    }
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
    int count = (top < 0 || bottom < 0) ? 1 : bottom - top + 1;
    if (count > 1) {
        // Each deletion pulls the following rows up under the cursor, so deleting at the cursor `count`
        // times removes the whole block.
        grid.SetCursor(top, 1);
        for (int i = 0; i < count; ++i) {
            grid.DeleteRow(grid.CursorRow());
        }
    } else {
        grid.DeleteRow(grid.CursorRow());
    }
}

}  // namespace zandrel
