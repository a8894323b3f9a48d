// Exporting the keywords of chosen rows as a plain GBK list.
#pragma once

#include <span>
#include <string>

namespace zandrel {

class GridModel;

// The keyword (column 1) of each of `rows` (model row numbers, in the order given; numbers that are no data
// row are skipped), one a line, each line ended by CR LF, no header. A CR or LF inside a keyword becomes a
// space, so each row gives exactly one line; an empty keyword gives an empty line.
std::string RowsToTxt(const GridModel& grid, std::span<const int> rows);

}  // namespace zandrel
