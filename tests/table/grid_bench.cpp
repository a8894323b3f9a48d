// Appends 100,000 rows to a results table and fills their cells, the way a deep query run does, then deletes
// a selected block of half of them (删除行) from the top, and prints how long each took and the rows left in the
// table (its title row included), one figure a line as "name: value unit".
#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

#include <chrono>
#include <cstdio>
#include <string>

int main() {
    constexpr int kRows = 100000;
    zandrel::GridModel grid(1, zandrel::kTableColumnCount);
    zandrel::InitTableHeader(grid);

    auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= kRows; ++i) {
        grid.AppendRow(std::to_string(i));
        int row = grid.RowCount() - 1;
        grid.SetCell(row, 1, "\xC1\xAC\xD2\xC2\xC8\xB9 keyword " + std::to_string(i));  // 连衣裙
        grid.SetCell(row, 2, std::to_string(i * 7));
        grid.SetCell(row, 3, i % 10 == 1 ? "seed" : "");
    }
    auto end = std::chrono::steady_clock::now();

    double ms = std::chrono::duration<double, std::milli>(end - start).count();
    static_assert(kRows == 100000);  // the names say 100k and 50k
    std::printf("grid_append_fill_100k_rows: %.1f ms\n", ms);
    std::printf("grid_rows_after_append_100k: %d rows\n", grid.RowCount());
    const bool filled = grid.RowCount() == kRows + 1;

    grid.SetCursor(1, 0);
    grid.ExtendSelectionTo(kRows / 2, 3);
    bool modified = false;
    start = std::chrono::steady_clock::now();
    zandrel::DeleteSelectedRows(grid, modified);
    end = std::chrono::steady_clock::now();
    ms = std::chrono::duration<double, std::milli>(end - start).count();
    std::printf("grid_delete_selected_50k_rows: %.1f ms\n", ms);
    std::printf("grid_rows_after_delete_50k: %d rows\n", grid.RowCount());
    return filled && grid.RowCount() == kRows / 2 + 1 ? 0 : 1;
}
