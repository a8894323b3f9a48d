#include "export/xlsx_export.h"

#include "base/encoding.h"
#include "export/export_rows.h"
#include "table/csv_writer.h"
#include "table/table_texts.h"

#include <algorithm>
#include <vector>

namespace zandrel {
namespace {

// Excel's narrowest sensible column, in characters.
constexpr int kMinColumnChars = 8;

// ASCII reads the same in GBK and UTF-8; most cells (sequence numbers, counts) need no conversion.
std::string CellToUtf8(std::string_view gbk) {
    const bool ascii = std::all_of(gbk.begin(), gbk.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? std::string(gbk) : GbkToUtf8(gbk);
}

// Excel's column width in characters for a width in pixels (7 pixels a digit and 5 of padding at its
// default font).
int PixelsToChars(int pixels) {
    return std::max(kMinColumnChars, (pixels - 5 + 3) / 7);
}

std::vector<std::string> RowToUtf8(const GridModel& grid, int row, const std::vector<int>& columns) {
    std::vector<std::string> cells;
    cells.reserve(columns.size());
    for (int column : columns) {
        cells.push_back(CellToUtf8(grid.GetCell(row, column)));
    }
    return cells;
}

}  // namespace

XlsxSheet SheetFromGrid(const GridModel& grid, std::span<const int> rows) {
    const std::vector<int> columns = SavedColumns(grid);
    XlsxSheet sheet;
    sheet.name = GbkToUtf8(kTitleKeyword);
    for (size_t i = 0; i < columns.size(); ++i) {
        if (grid.GetCell(0, columns[i]) == kTitleListings) {
            sheet.countColumns.push_back(static_cast<int>(i));
        }
        sheet.columnWidths.push_back(PixelsToChars(grid.ColumnWidth(columns[i])));
    }
    sheet.rows.reserve(rows.size() + 1);
    sheet.rows.push_back(RowToUtf8(grid, 0, columns));
    for (int row : rows) {
        if (IsExportedRow(grid, row)) {
            sheet.rows.push_back(RowToUtf8(grid, row, columns));
        }
    }
    return sheet;
}

std::string RowsToXlsx(const GridModel& grid, std::span<const int> rows, const DosTimestamp& time) {
    return WriteXlsx(SheetFromGrid(grid, rows), time);
}

}  // namespace zandrel
