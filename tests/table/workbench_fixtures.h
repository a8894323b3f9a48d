// Small results tables for the workbench tests. GBK texts are escaped bytes with the Chinese beside them.
#pragma once

#include <string>
#include <vector>

#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

namespace zandrel::testing_fixtures {

inline constexpr const char* kDress = "\xC1\xAC\xD2\xC2\xC8\xB9";      // 连衣裙
inline constexpr const char* kPhoneCase = "\xCA\xD6\xBB\xFA\xBF\xC7";  // 手机壳
inline constexpr const char* kEarphones = "\xB6\xFA\xBB\xFA";          // 耳机
inline constexpr const char* kBoysWear = "\xCD\xAF\xD7\xB0\xC4\xD0";   // 童装男
inline constexpr const char* kAo = "\xB0\xC4";                         // 澳: 装's trail byte + 男's lead
inline constexpr const char* kNewStyle = "\xD0\xC2\xBF\xEE";           // 新款
inline constexpr const char* kWideSpace = "\xA1\xA1";                  // full-width space
inline constexpr const char* kWideIphone = "\xA3\xE9\xA3\xD0\xA3\xE8\xA3\xEF\xA3\xEE\xA3\xE5";  // ｉＰｈｏｎｅ

struct RowText {
    std::string keyword;
    std::string count;
    std::string searched = "";
};

// The titled header and one row per entry, 序号 numbering them 1, 2, ...
inline GridModel MakeTable(const std::vector<RowText>& rows) {
    GridModel grid(1, kTableColumnCount);
    InitTableHeader(grid);
    for (const RowText& row : rows) {
        grid.AppendRow(std::to_string(grid.RowCount()));
        const int r = grid.RowCount() - 1;
        grid.SetCell(r, kKeywordColumn, row.keyword);
        grid.SetCell(r, kListingsColumn, row.count);
        grid.SetCell(r, kSearchedColumn, row.searched);
    }
    return grid;
}

// One column of the data rows, top to bottom.
inline std::vector<std::string> ColumnCells(const GridModel& grid, int column) {
    std::vector<std::string> cells;
    for (int row = 1; row < grid.RowCount(); ++row) {
        cells.push_back(grid.GetCell(row, column));
    }
    return cells;
}

}  // namespace zandrel::testing_fixtures
