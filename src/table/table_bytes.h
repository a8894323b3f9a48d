// Memory held by rows and tables, counted the way the allocator sees it: the vectors' and strings' own
// objects plus the heap blocks behind them (a short string lives inside its object). Used to keep the undo
// history in proportion to the table.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "table/grid_model.h"

namespace zandrel {

size_t StringBytes(const std::string& text);  // the heap block only; the object is counted by its owner
size_t RowBytes(const GridRow& row);          // the row's vector object, its cells and their text
size_t RowsBytes(const std::vector<GridRow>& rows);
// Every row of the table, each counted as a vector of ColumnCount cells.
size_t TableBytes(const GridModel& grid);

}  // namespace zandrel
