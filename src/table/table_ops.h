// The results table's button handlers, over the grid model so they run without a window.
#pragma once

namespace zandrel {

class GridModel;

// Writes the four column titles into the header row and sets the column widths.
void InitTableHeader(GridModel& grid);

// "清除数据": leaves only the header row with its titles. The modified flag is left as it is.
void ClearTable(GridModel& grid);

// "删除行": deletes the selected rows, or the cursor row when a single row is selected. Always sets
// `modifiedFlag`, even when the cursor is in the header row and nothing is deleted.
void DeleteSelectedRows(GridModel& grid, bool& modifiedFlag);

}  // namespace zandrel
