// GridModel's bulk row moves, which undo is built on.
#include "table/grid_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/csv_writer.h"

namespace zandrel {
namespace {

// Header row plus `dataRows` rows; cell (r, c) holds "r.c".
GridModel MakeGrid(int dataRows) {
    GridModel grid(1, 3);
    for (int r = 1; r <= dataRows; ++r) {
        grid.AppendRow(std::to_string(r) + ".0");
        grid.SetCell(r, 1, std::to_string(r) + ".1");
        grid.SetCell(r, 2, std::to_string(r) + ".2");
    }
    return grid;
}

std::vector<std::string> FirstCells(const std::vector<GridRow>& rows) {
    std::vector<std::string> cells;
    for (const GridRow& row : rows) {
        cells.push_back(row.at(0));
    }
    return cells;
}

TEST(GridModelRowsTest, TakenRowsGoBackToTheSameTable) {
    struct Case {
        const char* name;
        std::vector<int> rows;
        std::vector<std::string> taken;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {"one row", {3}, {"3.0"}, {"1.0", "2.0", "4.0", "5.0", "6.0"}},
        {"scattered", {1, 4, 6}, {"1.0", "4.0", "6.0"}, {"2.0", "3.0", "5.0"}},
        {"a block", {2, 3, 4}, {"2.0", "3.0", "4.0"}, {"1.0", "5.0", "6.0"}},
        {"every row", {1, 2, 3, 4, 5, 6}, {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0"}, {}},
        {"none", {}, {}, {"1.0", "2.0", "3.0", "4.0", "5.0", "6.0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridModel grid = MakeGrid(6);
        const std::string before = TableToCsv(grid);
        std::vector<GridRow> taken;
        ASSERT_TRUE(grid.TakeRows(c.rows, taken));
        EXPECT_EQ(FirstCells(taken), c.taken);
        std::vector<std::string> left;
        for (int r = 1; r < grid.RowCount(); ++r) {
            left.push_back(grid.GetCell(r, 0));
        }
        EXPECT_EQ(left, c.left);

        ASSERT_TRUE(grid.InsertRows(c.rows, taken));
        EXPECT_TRUE(taken.empty());
        EXPECT_EQ(TableToCsv(grid), before);
    }
}

TEST(GridModelRowsTest, BadRowListsChangeNothing) {
    const std::vector<int> badTakes[] = {{0}, {7}, {-1}, {3, 2}, {2, 2}, {1, 7}};
    for (const std::vector<int>& rows : badTakes) {
        SCOPED_TRACE(::testing::PrintToString(rows));
        GridModel grid = MakeGrid(6);
        const std::string before = TableToCsv(grid);
        std::vector<GridRow> taken;
        EXPECT_FALSE(grid.TakeRows(rows, taken));
        EXPECT_TRUE(taken.empty());
        EXPECT_EQ(TableToCsv(grid), before);
    }

    struct Insert {
        std::vector<int> positions;
        size_t rowCount;
    };
    // The grid has rows 0..3; two inserted rows make rows 0..5.
    const Insert badInserts[] = {{{0, 1}, 2}, {{2, 6}, 2}, {{3, 3}, 2}, {{4, 2}, 2}, {{1, 2}, 1}, {{1}, 2}};
    for (const Insert& insert : badInserts) {
        SCOPED_TRACE(::testing::PrintToString(insert.positions));
        GridModel grid = MakeGrid(3);
        const std::string before = TableToCsv(grid);
        std::vector<GridRow> rows(insert.rowCount, GridRow{"x", "y", "z"});
        EXPECT_FALSE(grid.InsertRows(insert.positions, rows));
        EXPECT_EQ(rows.size(), insert.rowCount);
        EXPECT_EQ(TableToCsv(grid), before);
    }
}

TEST(GridModelRowsTest, InsertedRowsTakeTheColumnCount) {
    GridModel grid = MakeGrid(2);
    std::vector<GridRow> rows = {{"short"}, {"a", "b", "c", "extra"}};
    ASSERT_TRUE(grid.InsertRows({1, 4}, rows));
    EXPECT_EQ(TableToCsv(grid), ",,\r\nshort,,\r\n1.0,1.1,1.2\r\n2.0,2.1,2.2\r\na,b,c\r\n");
}

TEST(GridModelRowsTest, CursorAfterTakeIsAsAfterDeleteRows) {
    struct Case {
        int cursorRow;
        int first, count;
    };
    for (Case c : {Case{2, 2, 3}, Case{6, 4, 3}, Case{5, 1, 2}, Case{1, 1, 6}, Case{0, 2, 1}}) {
        SCOPED_TRACE(testing::Message() << c.cursorRow << " " << c.first << "+" << c.count);
        GridModel deleted = MakeGrid(6);
        GridModel taken = MakeGrid(6);
        for (GridModel* grid : {&deleted, &taken}) {
            grid->SetCursor(1, 0);
            grid->ExtendSelectionTo(c.cursorRow, 2);
        }
        deleted.DeleteRows(c.first, c.count);
        std::vector<int> rows;
        for (int r = c.first; r < c.first + c.count; ++r) {
            rows.push_back(r);
        }
        std::vector<GridRow> out;
        ASSERT_TRUE(taken.TakeRows(rows, out));
        EXPECT_EQ(taken.CursorRow(), deleted.CursorRow());
        EXPECT_EQ(taken.CursorColumn(), deleted.CursorColumn());
        EXPECT_EQ(taken.SelectionAsTabText(), deleted.SelectionAsTabText());
    }
}

TEST(GridModelRowsTest, ContentsMoveOutAndBackWhole) {
    GridModel grid(2, 3, 40);
    grid.SetCell(0, 0, "title");
    for (int r = 0; r < 500; ++r) {
        grid.AppendRow(std::string(40, 'a') + std::to_string(r));  // long enough to live on the heap
    }
    grid.SetColumnWidth(1, 200);
    grid.SetCursor(7, 1);
    grid.ExtendSelectionTo(9, 2);
    const std::string before = TableToCsv(grid);
    const std::string selection = grid.SelectionAsTabText();
    const char* firstCellText = grid.GetCell(300, 0).data();

    GridContents contents = grid.TakeContents();
    EXPECT_EQ(contents.Rows().size(), 502u);
    // Left as ResetGrid leaves it.
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.GetCell(0, 0), "");
    EXPECT_EQ(grid.ColumnWidth(1), 40);
    EXPECT_EQ(grid.CursorRow(), 0);

    grid.SwapContents(contents);
    EXPECT_EQ(TableToCsv(grid), before);
    EXPECT_EQ(grid.ColumnWidth(1), 200);
    EXPECT_EQ(grid.CursorRow(), 9);
    EXPECT_EQ(grid.SelectionAsTabText(), selection);
    EXPECT_EQ(grid.GetCell(300, 0).data(), firstCellText);  // moved, not copied
    EXPECT_EQ(contents.Rows().size(), 2u);                  // the reset grid, ready to swap again
}

}  // namespace
}  // namespace zandrel
