#include "export/txt_export.h"

#include "export/export_rows.h"

namespace zandrel {
namespace {

constexpr int kKeywordColumn = 1;

}  // namespace

std::string RowsToTxt(const GridModel& grid, std::span<const int> rows) {
    std::string out;
    for (int row : rows) {
        if (!IsExportedRow(grid, row)) {
            continue;
        }
        // GBK trail bytes are 0x40 and up, so a byte-wise look for CR and LF finds only real ones.
        for (char c : grid.GetCell(row, kKeywordColumn)) {
            out += (c == '\r' || c == '\n') ? ' ' : c;
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace zandrel
