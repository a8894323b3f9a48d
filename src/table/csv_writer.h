// Writing the results table as comma-separated GBK lines.
#pragma once

#include <string>
#include <string_view>

namespace zandrel {

class GridModel;

// One line per row (header row first), cells joined by ",", every line ended by CR LF. A column whose header
// cell reads "修改标识" is left out. Cells are written as their stored bytes, except that a cell holding a
// comma, a double quote, CR or LF is quoted (RFC 4180) so the file reads back with the same cells.
std::string TableToCsv(const GridModel& grid);

// The part of a GBK path after its last backslash, cut to at most 100 bytes on a character boundary;
// empty when the path has no backslash.
std::string DocumentNameFromPath(std::string_view path);

}  // namespace zandrel
