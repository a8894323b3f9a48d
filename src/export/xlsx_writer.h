// A one-sheet Excel workbook (.xlsx) written from UTF-8 cells, so it can hold any character.
#pragma once

#include "export/zip_writer.h"

#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

struct XlsxSheet {
    std::string name;  // UTF-8; made acceptable to Excel by SheetNameFrom
    // UTF-8 cells. rows[0] is the header row, written bold and always as text. Rows may differ in length;
    // an empty cell writes nothing.
    std::vector<std::vector<std::string>> rows;
    // Columns (from 0) that hold counts: below the header, a cell there that IsPlainCount is written as a
    // number. Every other cell is text, whatever it looks like ("001", "1e5", "=A1" stay as typed).
    std::vector<int> countColumns;
    // Widths in characters, by column; a missing or non-positive width leaves Excel's default.
    std::vector<int> columnWidths;
};

// Excel's limits.
inline constexpr size_t kMaxXlsxRows = 1048576;
inline constexpr size_t kMaxXlsxColumns = 16384;

// True for 1 to 15 ASCII digits without a leading zero, or "0": such a count reads back as the same text when
// Excel shows it as a number, and a double holds it exactly.
bool IsPlainCount(std::string_view text);

// The workbook's bytes; empty when the sheet has more rows or columns than Excel holds or the archive
// cannot be written.
std::string WriteXlsx(const XlsxSheet& sheet, const DosTimestamp& time = {});

}  // namespace zandrel
