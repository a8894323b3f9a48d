// Exports a results table of 100,000 rows as a workbook, CSV and keyword list, and prints how long each took and
// how many bytes it wrote, one figure a line as "name: value unit".
#include "export/csv_export.h"
#include "export/txt_export.h"
#include "export/xlsx_export.h"

#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

template <typename Export>
bool Time(const char* name, Export&& run) {
    const auto start = std::chrono::steady_clock::now();
    const std::string bytes = run();
    const auto end = std::chrono::steady_clock::now();
    std::printf("%s: %.1f ms\n", name, std::chrono::duration<double, std::milli>(end - start).count());
    std::printf("%s_size: %zu bytes\n", name, bytes.size());
    return !bytes.empty();
}

}  // namespace

int main() {
    constexpr int kRows = 100000;
    zandrel::GridModel grid(1, zandrel::kTableColumnCount);
    zandrel::InitTableHeader(grid);
    std::vector<int> rows;
    for (int i = 1; i <= kRows; ++i) {
        grid.AppendRow(std::to_string(i));
        const int row = grid.RowCount() - 1;
        grid.SetCell(row, 1, "\xC1\xAC\xD2\xC2\xC8\xB9 keyword " + std::to_string(i));  // 连衣裙
        grid.SetCell(row, 2, std::to_string(i * 7));
        grid.SetCell(row, 3, "\xC1\xAC\xD2\xC2\xC8\xB9 seed " + std::to_string(i % 50));
        rows.push_back(row);
    }
    // The names say 100k: keep them in step with kRows.
    static_assert(kRows == 100000);
    // The sheet built from the table and written as a workbook.
    bool ok = Time("xlsx_export_100k_rows", [&] { return zandrel::RowsToXlsx(grid, rows); });
    const zandrel::XlsxSheet sheet = zandrel::SheetFromGrid(grid, rows);
    // The workbook alone, from a sheet whose cells are already UTF-8.
    ok = Time("xlsx_write_utf8_sheet_100k_rows", [&] { return zandrel::WriteXlsx(sheet); }) && ok;
    ok = Time("csv_export_100k_rows", [&] { return zandrel::RowsToCsv(grid, rows); }) && ok;
    ok = Time("txt_export_100k_rows", [&] { return zandrel::RowsToTxt(grid, rows); }) && ok;
    return ok ? 0 : 1;
}
