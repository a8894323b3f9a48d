// Exporting chosen rows of the results table as an Excel workbook.
#pragma once

#include "export/xlsx_writer.h"

#include <span>
#include <string>

namespace zandrel {

class GridModel;

// The sheet of an export: the header row, then each of `rows` (model row numbers, in the order given; numbers
// that are no data row are skipped), in the columns a CSV holds, converted from GBK to UTF-8. The column
// titled "宝贝数" holds counts; the sheet is named "关键词"; widths follow the grid's columns. Callers with
// text GBK cannot hold add or change rows of the result before handing it to WriteXlsx.
XlsxSheet SheetFromGrid(const GridModel& grid, std::span<const int> rows);

// WriteXlsx(SheetFromGrid(grid, rows), time).
std::string RowsToXlsx(const GridModel& grid, std::span<const int> rows, const DosTimestamp& time = {});

}  // namespace zandrel
