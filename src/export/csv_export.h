// Exporting chosen rows of the results table as GBK CSV.
#pragma once

#include <span>
#include <string>

namespace zandrel {

class GridModel;

// The header line, then one line for each of `rows` (model row numbers, in the order given; numbers that are
// no data row are skipped), written exactly as TableToCsv writes them: for every data row in model order the
// bytes equal TableToCsv(grid).
std::string RowsToCsv(const GridModel& grid, std::span<const int> rows);

}  // namespace zandrel
