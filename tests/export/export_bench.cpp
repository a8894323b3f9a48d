// Exports a results table of 100,000 rows as a workbook, CSV and keyword list, and prints how long each took.
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
bool Time(const char* what, Export&& run) {
    const auto start = std::chrono::steady_clock::now();
    const std::string bytes = run();
    const auto end = std::chrono::steady_clock::now();
    std::printf("%-24s %8.1f ms  %9zu bytes\n", what, std::chrono::duration<double, std::milli>(end - start).count(),
                bytes.size());
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
    std::printf("%d rows\n", kRows);
    bool ok = Time("xlsx (sheet + workbook)", [&] { return zandrel::RowsToXlsx(grid, rows); });
    const zandrel::XlsxSheet sheet = zandrel::SheetFromGrid(grid, rows);
    ok = Time("xlsx from UTF-8 cells", [&] { return zandrel::WriteXlsx(sheet); }) && ok;
    ok = Time("csv", [&] { return zandrel::RowsToCsv(grid, rows); }) && ok;
    ok = Time("txt", [&] { return zandrel::RowsToTxt(grid, rows); }) && ok;
    return ok ? 0 : 1;
}
