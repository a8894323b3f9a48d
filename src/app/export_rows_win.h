// Exporting chosen rows of the results table to a file of the seller's choice: an Excel workbook, a CSV file or
// a plain list of keywords.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "base/prompter.h"

namespace zandrel {

class GridModel;

enum class ExportFormat { Xlsx, Csv, Txt };

// The format a file is written in: the extension of the name the seller typed when it is one of ours (in any
// case), otherwise the file type selected in the save dialog (1-based; an unknown one means the first, xlsx).
ExportFormat ExportFormatFor(std::string_view path, int fileType);

// Asks for a file name and writes `rows` (model row numbers, in the order written; the header goes first) in
// the chosen format, replacing the file safely. Shows "导出完成：N 行" on success and an error box naming the
// file on failure; a cancelled dialog does nothing. The table's saved state is not touched: an export is no
// save. `owner` shows the wait cursor while the file is written. True when the file was written.
bool ExportRows(HWND owner, const GridModel& grid, const std::vector<int>& rows, Prompter& prompter);

}  // namespace zandrel
