#include "table/csv_writer.h"

#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zandrel {
namespace {

// GBK bytes used below. 乗 and 俓 are double-byte characters whose second byte is 0x5C, the backslash.
constexpr char kBiao[] = "\xB1\xED";   // 表
constexpr char kCheng[] = "\x81\x5C";  // 乗
constexpr char kJing[] = "\x82\x5C";   // 俓
constexpr char kHeaderLine[] =
    "\xD0\xF2\xBA\xC5,\xB9\xD8\xBC\xFC\xB4\xCA,\xB1\xA6\xB1\xB4\xCA\xFD,\xCB\xD1\xCB\xF7\xB9\xD8\xBC\xFC\xB4\xCA\r\n";

GridModel MakeResults() {
    GridModel grid(1, kTableColumnCount);
    InitTableHeader(grid);
    return grid;
}

// Reads CSV text the way a spreadsheet does (RFC 4180): quoted fields may hold separators, quotes are doubled.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            row.push_back(field);
            field.clear();
            rows.push_back(row);
            row.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

TEST(CsvWriterTest, HeaderOnlyTableIsOneLine) {
    EXPECT_EQ(TableToCsv(MakeResults()), kHeaderLine);
}

TEST(CsvWriterTest, TwoResultRowsGiveThreeLines) {
    GridModel grid = MakeResults();
    grid.AppendRow("1");
    grid.SetCell(1, 1, std::string("a") + kBiao);
    grid.SetCell(1, 2, "1200");
    grid.SetCell(1, 3, "seed");
    grid.AppendRow("2");
    grid.SetCell(2, 1, "b");
    EXPECT_EQ(TableToCsv(grid), std::string(kHeaderLine) + "1,a" + kBiao + ",1200,seed\r\n2,b,,\r\n");
}

TEST(CsvWriterTest, QuotesOnlyCellsThatWouldNotReadBack) {
    struct Case {
        const char* cell;
        const char* written;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"", ""},
        {" spaced ", " spaced "},
        {"semi;colon\ttab", "semi;colon\ttab"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"line\r\nbreak", "\"line\r\nbreak\""},
        {"lf\nonly", "\"lf\nonly\""},
        {"cr\ronly", "\"cr\ronly\""},
        {",", "\",\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        GridModel grid(1, 2);
        grid.SetCell(0, 0, c.cell);
        grid.SetCell(0, 1, "x");
        EXPECT_EQ(TableToCsv(grid), std::string(c.written) + ",x\r\n");
    }
}

TEST(CsvWriterTest, AwkwardCellsReadBackUnchanged) {
    const std::vector<std::string> cells = {
        "a,b", "\"quoted\"", "two\r\nlines", "", std::string(kBiao) + ",\"" + kCheng, "tail\"", ",,", "\n",
    };
    GridModel grid(1, 2);
    for (const std::string& cell : cells) {
        grid.AppendRow(cell);
        grid.SetCell(grid.RowCount() - 1, 1, "next");
    }
    auto rows = ReadCsv(TableToCsv(grid));
    ASSERT_EQ(rows.size(), cells.size() + 1);
    for (size_t i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i + 1], (std::vector<std::string>{cells[i], "next"}));
    }
}

TEST(CsvWriterTest, GbkBytesPassThroughUntouched) {
    // Trail bytes 0x5C and 0x40..0x7E must not be mistaken for ASCII that needs quoting or escaping.
    const std::string cell = std::string(kCheng) + kJing + kBiao + "\x81\x40\x95\x7E\xFE\xFE";
    GridModel grid(1, 2);
    grid.SetCell(0, 0, cell);
    grid.SetCell(0, 1, kBiao);
    EXPECT_EQ(TableToCsv(grid), cell + "," + kBiao + "\r\n");
}

TEST(CsvWriterTest, ModifiedMarkColumnIsLeftOut) {
    struct Case {
        int markColumn;
        const char* header;
        const char* row;
    };
    const Case cases[] = {
        {0, "B,C,D\r\n", "b,c,d\r\n"},
        {1, "A,C,D\r\n", "a,c,d\r\n"},
        {3, "A,B,C\r\n", "a,b,c\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.markColumn);
        GridModel grid(1, 4);
        const char* titles[] = {"A", "B", "C", "D"};
        const char* cells[] = {"a", "b", "c", "d"};
        grid.AppendRow("");
        for (int col = 0; col < 4; ++col) {
            grid.SetCell(0, col, titles[col]);
            grid.SetCell(1, col, cells[col]);
        }
        grid.SetCell(0, c.markColumn, kTitleModifiedMark);
        EXPECT_EQ(TableToCsv(grid), std::string(c.header) + c.row);
    }

    GridModel onlyMark(1, 1);
    onlyMark.SetCell(0, 0, "\xD0\xDE\xB8\xC4\xB1\xEA\xCA\xB6");  // 修改标识
    onlyMark.AppendRow("x");
    EXPECT_EQ(TableToCsv(onlyMark), "\r\n\r\n");

    // Only an exact title counts.
    GridModel similar(1, 2);
    similar.SetCell(0, 0, std::string(kTitleModifiedMark) + " ");
    similar.SetCell(0, 1, "B");
    EXPECT_EQ(TableToCsv(similar), std::string(kTitleModifiedMark) + " ,B\r\n");
}

TEST(DocumentNameTest, TakesTextAfterLastBackslash) {
    struct Case {
        std::string path;
        std::string name;
    };
    const Case cases[] = {
        {"", ""},
        {"table.csv", ""},
        {"C:/data/table.csv", ""},
        {"C:\\table.csv", "table.csv"},
        {"C:\\data\\sub\\table.CSV", "table.CSV"},
        {"C:\\data\\", ""},
        {"\\\\server\\share\\x", "x"},
        // A double-byte character ending in 0x5C is part of the name, not a separator.
        {std::string("C:\\data\\") + kCheng + "abc.csv", std::string(kCheng) + "abc.csv"},
        {std::string("C:\\") + kJing + kCheng, std::string(kJing) + kCheng},
        {std::string("C:\\dir") + kCheng + "\\name" + kJing + ".csv", std::string("name") + kJing + ".csv"},
        {std::string(kCheng) + "abc", ""},
        {std::string("C:\\") + kBiao + "\\" + kBiao + ".csv", std::string(kBiao) + ".csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(DocumentNameFromPath(c.path), c.name);
    }
}

TEST(DocumentNameTest, CutsToHundredBytesOnCharacterBoundary) {
    const std::string ascii(120, 'a');
    EXPECT_EQ(DocumentNameFromPath("C:\\" + ascii), std::string(100, 'a'));
    EXPECT_EQ(DocumentNameFromPath("C:\\" + std::string(100, 'a')), std::string(100, 'a'));

    // "a" + 60 double-byte characters: byte 100 would be the first half of a character, so 99 bytes remain.
    std::string odd = "a";
    for (int i = 0; i < 60; ++i) {
        odd += (i % 2 == 0) ? kBiao : kCheng;
    }
    std::string cut = DocumentNameFromPath("D:\\out\\" + odd);
    EXPECT_EQ(cut.size(), 99u);
    EXPECT_EQ(cut, odd.substr(0, 99));

    std::string even;
    for (int i = 0; i < 60; ++i) {
        even += kCheng;
    }
    EXPECT_EQ(DocumentNameFromPath("D:\\" + even), even.substr(0, 100));
}

}  // namespace
}  // namespace zandrel
