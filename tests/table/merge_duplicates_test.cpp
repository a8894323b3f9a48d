#include "table/merge_duplicates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/csv_writer.h"
#include "workbench_fixtures.h"

namespace zandrel {
namespace {

using namespace testing_fixtures;

TEST(MergeDuplicatesTest, KeepsFirstPlaceAndTextWithLargestCount) {
    const std::string wideCase = std::string(kWideIphone) + kWideSpace + kPhoneCase;  // ｉＰｈｏｎｅ　手机壳
    GridModel grid = MakeTable({
        {std::string("iPhone ") + kPhoneCase, "100", "seed"},
        {kDress, "50"},
        {std::string("IPHONE  ") + kPhoneCase, "300"},
        {wideCase, ""},
        {std::string(" ") + kDress + " ", "abc"},
        {kEarphones, "7"},
    });
    const std::string before = TableToCsv(grid);

    TableEdit edit = MergeDuplicates(grid);

    EXPECT_EQ(ColumnCells(grid, kKeywordColumn),
              (std::vector<std::string>{std::string("iPhone ") + kPhoneCase, kDress, kEarphones}));
    EXPECT_EQ(ColumnCells(grid, kListingsColumn), (std::vector<std::string>{"300", "50", "7"}));
    EXPECT_EQ(ColumnCells(grid, kSequenceColumn), (std::vector<std::string>{"1", "2", "6"}));
    EXPECT_EQ(ColumnCells(grid, kSearchedColumn), (std::vector<std::string>{"seed", "", ""}));

    EXPECT_EQ(edit.removedAt, (std::vector<int>{3, 4, 5}));
    ASSERT_EQ(edit.removedRows.size(), 3u);
    EXPECT_EQ(edit.removedRows[1][kKeywordColumn], wideCase);
    ASSERT_EQ(edit.cellChanges.size(), 1u);
    EXPECT_EQ(edit.cellChanges[0].row, 1);
    EXPECT_EQ(edit.cellChanges[0].column, kListingsColumn);
    EXPECT_EQ(edit.cellChanges[0].text, "100");

    ASSERT_TRUE(UndoTableEdit(grid, edit));
    EXPECT_EQ(TableToCsv(grid), before);
}

TEST(MergeDuplicatesTest, LargestNumberWinsOverEverythingElse) {
    struct Case {
        const char* name;
        std::vector<std::string> counts;  // of one keyword's rows, in arrival order
        std::string kept;
    };
    const Case cases[] = {
        {"largest in the middle", {"100", "300", "200"}, "300"},
        {"compared as numbers, not text", {"9", "10"}, "10"},
        {"decimal part", {"1.5", "2"}, "2"},
        {"empty first count loses", {"", "5"}, "5"},
        {"non-numeric first count loses", {"\xBB\xF1\xC8\xA1\xCA\xA7\xB0\xDC", "0"}, "0"},  // 获取失败
        {"number beats later non-numeric", {"7", "abc", ""}, "7"},
        {"equal numbers keep the first text", {"100", "100.0", "0100"}, "100"},
        {"no numbers keep the first text", {"abc", "", "x"}, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<RowText> rows = {{"other", "1"}};
        for (const std::string& count : c.counts) {
            rows.push_back({"Keyword", count});
        }
        GridModel grid = MakeTable(rows);
        MergeDuplicates(grid);
        EXPECT_EQ(ColumnCells(grid, kListingsColumn), (std::vector<std::string>{"1", c.kept}));
    }
}

TEST(MergeDuplicatesTest, NothingToMergeChangesNothing) {
    struct Case {
        const char* name;
        std::vector<RowText> rows;
    };
    const Case cases[] = {
        {"distinct keywords", {{"a", "1"}, {"b", "2"}, {"a b", "3"}, {kDress, "4"}}},
        // Only whole characters fold: 丄 (81 41) and 乤 (81 61) stay two keywords.
        {"letters inside characters", {{"\x81\x41", "1"}, {"\x81\x61", "2"}}},
        {"empty keywords are no duplicates", {{"", "1"}, {" ", "2"}, {kWideSpace, "3"}}},
        {"no data rows", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridModel grid = MakeTable(c.rows);
        const std::string before = TableToCsv(grid);
        EXPECT_TRUE(MergeDuplicates(grid).Empty());
        EXPECT_EQ(TableToCsv(grid), before);
    }
}

}  // namespace
}  // namespace zandrel
