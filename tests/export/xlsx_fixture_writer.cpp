// Writes the workbook that read_xlsx.py reads back with openpyxl: rows from a results table (GBK), then rows
// handed over as UTF-8 with characters GBK lacks. Usage: xlsx_fixture_writer OUT.xlsx
#include "export/xlsx_export.h"

#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.xlsx\n", argv[0]);
        return 2;
    }
    zandrel::GridModel grid(1, zandrel::kTableColumnCount);
    zandrel::InitTableHeader(grid);
    // Sequence, keyword, listing count, searched keyword; GBK.
    const std::vector<std::vector<std::string>> rows = {
        {"1", "001", "12345", "\xC1\xAC\xD2\xC2\xC8\xB9"},  // 连衣裙
        {"2", "=1+1", "", "seed"},
        {"3", "1e5", "0", ""},
        {"4", "a & b <c> \"d\" 'e'", "007", "x>y"},
        {"5", "3/4", "999999999999999", ""},
        {"6", "_x0041_", "1234567890123456", ""},
        {"7", "line\r\nbreak\tand bell\x07", "-5", ""},
        {"8", " spaced ", "+5", "=SUM(A1:A3)"},
        {"9", "\x81\x5C\\", "12 ", "\xA3\xA4"},  // 乗\ and ￥
    };
    for (const auto& cells : rows) {
        grid.AppendRow(cells[0]);
        for (int column = 1; column < zandrel::kTableColumnCount; ++column) {
            grid.SetCell(grid.RowCount() - 1, column, cells[column]);
        }
    }
    // Exported out of model order, with a number that is no data row among them.
    const std::vector<int> exported = {2, 1, 3, 4, 5, 6, 7, 0, 8, 9};
    zandrel::XlsxSheet sheet = zandrel::SheetFromGrid(grid, exported);
    sheet.rows.push_back({"10", "\xF0\xA0\x80\x80", "42", "\xF0\x9F\x98\x80"});     // U+20000, U+1F600
    sheet.rows.push_back({"11", "\xE2\x82\xA9 \xE2\x82\xAC", "", "\xE2\x80\x8B"});  // ₩ €, U+200B

    const std::string bytes = zandrel::WriteXlsx(sheet, {2024, 6, 1, 12, 0, 0});
    if (bytes.empty()) {
        std::fprintf(stderr, "the workbook could not be written\n");
        return 1;
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
