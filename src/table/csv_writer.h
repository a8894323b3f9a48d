// Writing the results table as comma-separated GBK lines.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

class GridModel;

// One line per row (header row first), cells joined by ",", every line ended by CR LF. A column whose header
// cell reads "修改标识" is left out. Cells are written as their stored bytes, except that a cell holding a
// comma, a double quote, CR or LF is quoted (RFC 4180) so the file reads back with the same cells.
std::string TableToCsv(const GridModel& grid);
// The header row, then `rows` (model row numbers, in the order written; a number that is no data row is skipped),
// each line as TableToCsv writes it.
std::string TableToCsv(const GridModel& grid, std::span<const int> rows);

// The columns a saved file holds, in order: all but one titled "修改标识".
std::vector<int> SavedColumns(const GridModel& grid);
// Appends one line of TableToCsv's output: the cells of `row` in `columns`, then CR LF.
void AppendCsvLine(std::string& out, const GridModel& grid, int row, std::span<const int> columns);

// The part of a GBK path after its last backslash, cut to at most 100 bytes on a character boundary;
// empty when the path has no backslash.
std::string DocumentNameFromPath(std::string_view path);

}  // namespace zandrel
