#include "table/row_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/csv_writer.h"
#include "workbench_fixtures.h"

namespace zandrel {
namespace {

using namespace testing_fixtures;

std::vector<int> Shown(const RowView& view) {
    return view.ShownRows();
}

// Rows 1..7: counts with ties, an empty count and a non-numeric one.
GridModel CountsTable() {
    return MakeTable({
        {"b", "30"},
        {"a", ""},
        {"c", "100"},
        {"d", "30"},
        {"e", "\xBB\xF1\xC8\xA1\xCA\xA7\xB0\xDC"},  // 获取失败
        {"f", "5"},
        {"g", "100"},
    });
}

TEST(RowViewTest, SortsNumbersAndTextStably) {
    struct Case {
        const char* name;
        SortKey key;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"arrival order", {kListingsColumn, SortDirection::kNone}, {1, 2, 3, 4, 5, 6, 7}},
        // Equal counts keep arrival order in both directions; empty and non-numeric counts come last.
        {"largest count first", {kListingsColumn, SortDirection::kFirst}, {3, 7, 1, 4, 6, 2, 5}},
        {"smallest count first", {kListingsColumn, SortDirection::kSecond}, {6, 1, 4, 3, 7, 2, 5}},
        {"keyword ascending", {kKeywordColumn, SortDirection::kFirst}, {2, 1, 3, 4, 5, 6, 7}},
        {"keyword descending", {kKeywordColumn, SortDirection::kSecond}, {7, 6, 5, 4, 3, 1, 2}},
        // Column 3 is empty everywhere: empty text keeps arrival order.
        {"all-empty column", {kSearchedColumn, SortDirection::kSecond}, {1, 2, 3, 4, 5, 6, 7}},
    };
    const GridModel grid = CountsTable();
    const std::string before = TableToCsv(grid);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RowView view(grid);
        view.SetSortKey(c.key);
        EXPECT_EQ(Shown(view), c.rows);
    }
    EXPECT_EQ(TableToCsv(grid), before);  // the model never moves
}

// Enough rows that an unstable sort would show: many rows share each count and each keyword.
TEST(RowViewTest, EqualKeysKeepArrivalOrderAtScale) {
    std::vector<RowText> rows;
    for (int i = 0; i < 2000; ++i) {
        rows.push_back({std::string(1, static_cast<char>('a' + i % 5)), i % 7 == 0 ? "" : std::to_string(i % 4)});
    }
    const GridModel grid = MakeTable(rows);
    for (int column : {kKeywordColumn, kListingsColumn}) {
        for (SortDirection direction : {SortDirection::kFirst, SortDirection::kSecond}) {
            SCOPED_TRACE(testing::Message() << "column " << column << " direction " << static_cast<int>(direction));
            RowView view(grid);
            view.SetSortKey({column, direction});
            ASSERT_EQ(view.ShownCount(), 2000);
            for (int i = 1; i < view.ShownCount(); ++i) {
                const int above = view.ModelRow(i - 1);
                const int below = view.ModelRow(i);
                if (grid.GetCell(above, column) == grid.GetCell(below, column)) {
                    ASSERT_LT(above, below) << "at view index " << i;
                }
            }
        }
    }
}

TEST(RowViewTest, SequenceSortsAsNumbers) {
    GridModel grid = MakeTable({{"a", ""}, {"b", ""}, {"c", ""}});
    grid.SetCell(1, kSequenceColumn, "9");
    grid.SetCell(2, kSequenceColumn, "10");
    grid.SetCell(3, kSequenceColumn, "100");
    RowView view(grid);
    view.SetSortKey({kSequenceColumn, SortDirection::kSecond});
    EXPECT_EQ(Shown(view), (std::vector<int>{1, 2, 3}));
    view.SetSortKey({kSequenceColumn, SortDirection::kFirst});
    EXPECT_EQ(Shown(view), (std::vector<int>{3, 2, 1}));
}

TEST(RowViewTest, SortsChineseInGbkOrderWithEmptyTextLast) {
    // 阿 (B0A2) < 北 (B1B1) < 中 (D6D0): pinyin order for level-1 hanzi; ASCII comes first.
    const GridModel grid = MakeTable({
        {"\xD6\xD0", "1"},          // 中
        {"", "2"},                  // empty keyword
        {"\xB1\xB1", "3"},          // 北
        {"zeta", "4"},              //
        {"\xB0\xA2", "5"},          // 阿
        {"\xB1\xB1", "6"},          // 北 again: after the first one in both directions
        {"\xB0\xA2\xB0\xA2", "7"},  // 阿阿
    });
    RowView view(grid);
    view.SetSortKey({kKeywordColumn, SortDirection::kFirst});
    EXPECT_EQ(Shown(view), (std::vector<int>{4, 5, 7, 3, 6, 1, 2}));
    view.SetSortKey({kKeywordColumn, SortDirection::kSecond});
    EXPECT_EQ(Shown(view), (std::vector<int>{1, 3, 6, 7, 5, 4, 2}));
    view.SetSortKey({kKeywordColumn, SortDirection::kNone});
    EXPECT_EQ(Shown(view), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(RowViewTest, UsesTheCollationItIsGiven) {
    // Reversed byte order stands in for the system's collation.
    const GridModel grid = MakeTable({{"a", ""}, {"c", ""}, {"b", ""}});
    RowView view(grid, [](std::string_view a, std::string_view b) { return b.compare(a); });
    view.SetSortKey({kKeywordColumn, SortDirection::kFirst});
    EXPECT_EQ(Shown(view), (std::vector<int>{2, 3, 1}));
}

// Sort keys stand for the system's: one per distinct text, compared as bytes, both directions; equal keys keep
// arrival order and empty texts stay last.
TEST(RowViewTest, UsesTheSortKeysItIsGiven) {
    const GridModel grid = MakeTable({{"ab", ""}, {"", ""}, {"ca", ""}, {"ab", ""}, {"bc", ""}});
    int made = 0;
    RowView view(grid, SortKeyMaker([&made](std::string_view text) {
                     ++made;
                     return std::string(text.rbegin(), text.rend());  // "ab" -> "ba", "ca" -> "ac", "bc" -> "cb"
                 }));
    view.SetSortKey({kKeywordColumn, SortDirection::kFirst});
    EXPECT_EQ(Shown(view), (std::vector<int>{3, 1, 4, 5, 2}));
    EXPECT_EQ(made, 3);
    view.SetSortKey({kKeywordColumn, SortDirection::kSecond});
    EXPECT_EQ(Shown(view), (std::vector<int>{5, 1, 4, 3, 2}));
}

TEST(RowViewTest, FilterAndHiddenWordsWorkOnTheSortedRows) {
    const GridModel grid = MakeTable({
        {std::string(kDress) + " red", "10"},
        {kBoysWear, "50"},
        {std::string(kDress) + " BLUE", "30"},
        {kPhoneCase, "40"},
        {std::string(kNewStyle) + kDress, "20"},
    });
    RowView view(grid);
    view.SetSortKey({kListingsColumn, SortDirection::kFirst});
    ASSERT_EQ(Shown(view), (std::vector<int>{2, 4, 3, 5, 1}));

    view.SetFilter(kDress);
    EXPECT_EQ(Shown(view), (std::vector<int>{3, 5, 1}));
    EXPECT_EQ(view.ShownCount(), 3);
    EXPECT_EQ(view.TotalCount(), 5);

    view.SetFilter(std::string(kDress) + " -blue");
    EXPECT_EQ(Shown(view), (std::vector<int>{5, 1}));

    view.SetHiddenWords(ExcludeWords::FromText(std::string(kNewStyle) + "\r\n"));
    EXPECT_EQ(Shown(view), (std::vector<int>{1}));

    view.SetFilter(kAo);  // 澳 lies across 童装男's characters only
    EXPECT_EQ(Shown(view), (std::vector<int>{}));

    view.SetFilter("");
    EXPECT_EQ(Shown(view), (std::vector<int>{2, 4, 3, 1}));
    view.SetHiddenWords(ExcludeWords());
    EXPECT_EQ(view.ShownCount(), 5);

    // A new sort keeps the filter.
    view.SetFilter("red");
    view.SetSortKey({kListingsColumn, SortDirection::kSecond});
    EXPECT_EQ(Shown(view), (std::vector<int>{1}));
}

TEST(RowViewTest, MapsBothWays) {
    const GridModel grid = MakeTable({{"x1", "1"}, {"y2", "2"}, {"x3", "3"}, {"y4", "4"}});
    RowView view(grid);
    view.SetSortKey({kListingsColumn, SortDirection::kFirst});
    view.SetFilter("x");
    ASSERT_EQ(Shown(view), (std::vector<int>{3, 1}));
    EXPECT_EQ(view.ModelRow(0), 3);
    EXPECT_EQ(view.ModelRow(1), 1);
    for (int outside : {-1, 2, 1000}) {
        EXPECT_EQ(view.ModelRow(outside), -1) << outside;
    }
    EXPECT_EQ(view.ViewIndex(3), 0);
    EXPECT_EQ(view.ViewIndex(1), 1);
    for (int hidden : {2, 4}) {
        EXPECT_EQ(view.ViewIndex(hidden), -1) << hidden;
    }
    for (int notData : {-1, 0, 5, 1000}) {
        EXPECT_EQ(view.ViewIndex(notData), -1) << notData;
    }
}

TEST(RowViewTest, RefreshFollowsTheModel) {
    GridModel grid = MakeTable({{"a", "3"}, {"b", "1"}});
    RowView view(grid);
    view.SetSortKey({kListingsColumn, SortDirection::kSecond});
    ASSERT_EQ(Shown(view), (std::vector<int>{2, 1}));

    grid.AppendRow("3");
    grid.SetCell(3, kKeywordColumn, "c");
    grid.SetCell(3, kListingsColumn, "2");
    grid.SetCell(1, kListingsColumn, "0");
    view.Refresh();
    EXPECT_EQ(Shown(view), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(view.TotalCount(), 3);

    grid.DeleteRows(1, 3);
    view.Refresh();
    EXPECT_EQ(view.ShownCount(), 0);
    EXPECT_EQ(view.TotalCount(), 0);
    EXPECT_EQ(view.ModelRow(0), -1);
}

}  // namespace
}  // namespace zandrel
