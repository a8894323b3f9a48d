// The exports of chosen rows of the results table: CSV, keyword list, and the workbook's sheet.
#include "export/csv_export.h"
#include "export/txt_export.h"
#include "export/xlsx_export.h"

#include "table/csv_writer.h"
#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"
#include "xlsx_reading.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace zandrel {
namespace {

// GBK bytes and their UTF-8. 乗 is a double-byte character whose second byte is 0x5C, the backslash.
constexpr char kDressGbk[] = "\xC1\xAC\xD2\xC2\xC8\xB9";  // 连衣裙
constexpr char kDressUtf8[] = "\xE8\xBF\x9E\xE8\xA1\xA3\xE8\xA3\x99";
constexpr char kChengGbk[] = "\x81\x5C";  // 乗
constexpr char kChengUtf8[] = "\xE4\xB9\x97";
constexpr char kHeaderLine[] =
    "\xD0\xF2\xBA\xC5,\xB9\xD8\xBC\xFC\xB4\xCA,\xB1\xA6\xB1\xB4\xCA\xFD,\xCB\xD1\xCB\xF7\xB9\xD8\xBC\xFC\xB4\xCA\r\n";

// Results rows: sequence, keyword, listing count, searched keyword.
GridModel MakeResults(const std::vector<std::vector<std::string>>& rows) {
    GridModel grid(1, kTableColumnCount);
    InitTableHeader(grid);
    for (const auto& cells : rows) {
        grid.AppendRow(cells[0]);
        for (size_t column = 1; column < cells.size(); ++column) {
            grid.SetCell(grid.RowCount() - 1, static_cast<int>(column), cells[column]);
        }
    }
    return grid;
}

std::vector<int> AllRows(const GridModel& grid) {
    std::vector<int> rows(grid.RowCount() - 1);
    std::iota(rows.begin(), rows.end(), 1);
    return rows;
}

const std::vector<std::vector<std::string>> kAwkwardRows = {
    {"1", std::string(kDressGbk) + " a,b", "1200", "seed"},
    {"2", "say \"hi\"", "", std::string(kChengGbk) + "\\"},
    {"3", "two\r\nlines", "007", ""},
    {"4", "", "", ""},
    {"5", std::string(kChengGbk) + kDressGbk, "5", "\""},
};

TEST(CsvExportTest, AllRowsInModelOrderMatchTheSavedTable) {
    GridModel results = MakeResults(kAwkwardRows);
    EXPECT_EQ(RowsToCsv(results, AllRows(results)), TableToCsv(results));

    // A column titled 修改标识 is left out of both.
    GridModel marked(1, 3);
    marked.SetCell(0, 0, "A");
    marked.SetCell(0, 1, kTitleModifiedMark);
    marked.SetCell(0, 2, "C");
    for (const char* cell : {"x,1", "y", ""}) {
        marked.AppendRow(cell);
        marked.SetCell(marked.RowCount() - 1, 1, "1");
        marked.SetCell(marked.RowCount() - 1, 2, cell);
    }
    EXPECT_EQ(RowsToCsv(marked, AllRows(marked)), TableToCsv(marked));
    EXPECT_EQ(RowsToCsv(marked, AllRows(marked)), "A,C\r\n\"x,1\",\"x,1\"\r\ny,y\r\n,\r\n");

    GridModel headerOnly = MakeResults({});
    EXPECT_EQ(RowsToCsv(headerOnly, {}), TableToCsv(headerOnly));
}

TEST(CsvExportTest, GivenRowsInGivenOrderAfterTheHeader) {
    GridModel results = MakeResults(kAwkwardRows);
    struct Case {
        const char* what;
        std::vector<int> rows;
        std::string csv;
    };
    const Case cases[] = {
        {"none", {}, kHeaderLine},
        {"reversed pair",
         {3, 1},
         std::string(kHeaderLine) + "3,\"two\r\nlines\",007,\r\n1,\"" + kDressGbk + " a,b\",1200,seed\r\n"},
        {"twice", {4, 4}, std::string(kHeaderLine) + "4,,,\r\n4,,,\r\n"},
        {"no data rows skipped",
         {0, -1, 6, 99, 5},
         std::string(kHeaderLine) + "5," + kChengGbk + kDressGbk + ",5,\"\"\"\"\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RowsToCsv(results, c.rows), c.csv);
    }
}

TEST(TxtExportTest, KeywordsOneALine) {
    GridModel results = MakeResults(kAwkwardRows);
    struct Case {
        const char* what;
        std::vector<int> rows;
        std::string txt;
    };
    const Case cases[] = {
        {"none", {}, ""},
        {"order kept, GBK bytes as stored",
         {5, 1},
         std::string(kChengGbk) + kDressGbk + "\r\n" + kDressGbk + " a,b\r\n"},
        // Quotes are no concern of a plain list; a line break inside a keyword would split it in two.
        {"quotes and breaks", {2, 3}, "say \"hi\"\r\ntwo  lines\r\n"},
        {"empty keyword", {4}, "\r\n"},
        {"no data rows skipped", {0, 6, -3, 1}, std::string(kDressGbk) + " a,b\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RowsToTxt(results, c.rows), c.txt);
    }
}

TEST(XlsxExportTest, SheetHoldsTheGivenRowsInUtf8) {
    GridModel results = MakeResults(kAwkwardRows);
    XlsxSheet sheet = SheetFromGrid(results, std::vector<int>{5, 0, 1, 42});
    EXPECT_EQ(sheet.name, "\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D");  // 关键词
    const std::vector<std::vector<std::string>> expected = {
        {"\xE5\xBA\x8F\xE5\x8F\xB7", "\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D", "\xE5\xAE\x9D\xE8\xB4\x9D\xE6\x95\xB0",
         "\xE6\x90\x9C\xE7\xB4\xA2\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D"},  // 序号 关键词 宝贝数 搜索关键词
        {"5", std::string(kChengUtf8) + kDressUtf8, "5", "\""},
        {"1", std::string(kDressUtf8) + " a,b", "1200", "seed"},
    };
    EXPECT_EQ(sheet.rows, expected);
    EXPECT_EQ(sheet.countColumns, std::vector<int>{2});
    // The grid's pixel widths (30, 140, 90, 140) in characters, never narrower than a default column.
    EXPECT_EQ(sheet.columnWidths, (std::vector<int>{8, 19, 12, 19}));
}

TEST(XlsxExportTest, CountColumnFollowsItsTitle) {
    // With the 修改标识 column before it left out, the count column moves one to the left.
    GridModel grid(1, 3);
    grid.SetCell(0, 0, kTitleModifiedMark);
    grid.SetCell(0, 1, kTitleKeyword);
    grid.SetCell(0, 2, kTitleListings);
    grid.AppendRow("1");
    grid.SetCell(1, 1, "kw");
    grid.SetCell(1, 2, "77");
    XlsxSheet sheet = SheetFromGrid(grid, AllRows(grid));
    EXPECT_EQ(sheet.countColumns, std::vector<int>{1});
    EXPECT_EQ(sheet.rows[1], (std::vector<std::string>{"kw", "77"}));

    GridModel untitled(1, 2);
    untitled.AppendRow("5");
    EXPECT_TRUE(SheetFromGrid(untitled, AllRows(untitled)).countColumns.empty());
}

TEST(XlsxExportTest, WorkbookKeepsKeywordsAsTextAndCountsAsNumbers) {
    GridModel results = MakeResults({{"1", "001", "12345", "=1+1"}, {"2", "1e5", "", kDressGbk}});
    ReadWorkbook book = ReadXlsx(RowsToXlsx(results, AllRows(results)));
    const std::map<std::string, ReadCell> expected = {
        {"A1", {false, true, "\xE5\xBA\x8F\xE5\x8F\xB7"}},
        {"B1", {false, true, "\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D"}},
        {"C1", {false, true, "\xE5\xAE\x9D\xE8\xB4\x9D\xE6\x95\xB0"}},
        {"D1", {false, true, "\xE6\x90\x9C\xE7\xB4\xA2\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D"}},
        {"A2", {false, false, "1"}},
        {"B2", {false, false, "001"}},
        {"C2", {true, false, "12345"}},
        {"D2", {false, false, "=1+1"}},
        {"A3", {false, false, "2"}},
        {"B3", {false, false, "1e5"}},
        {"D3", {false, false, kDressUtf8}},
    };
    EXPECT_EQ(book.cells, expected);
}

}  // namespace
}  // namespace zandrel
