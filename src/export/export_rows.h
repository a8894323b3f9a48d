// The rows an export is given: model row numbers of the results table, in the order they are written.
#pragma once

#include "table/grid_model.h"

namespace zandrel {

// Row 0 is the header, which every export writes itself (or leaves out); any number that is no data row of
// `grid` is skipped.
inline bool IsExportedRow(const GridModel& grid, int row) {
    return row >= 1 && row < grid.RowCount();
}

}  // namespace zandrel
