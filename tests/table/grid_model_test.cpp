#include "table/grid_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace zandrel {
namespace {

// Header row plus `dataRows` rows; cell (r, c) holds "r.c" so moved rows are easy to recognise.
GridModel MakeGrid(int dataRows, int columns = 4) {
    GridModel grid(1, columns);
    for (int r = 1; r <= dataRows; ++r) {
        grid.AppendRow(std::to_string(r) + ".0");
        for (int c = 1; c < columns; ++c) {
            grid.SetCell(r, c, std::to_string(r) + "." + std::to_string(c));
        }
    }
    return grid;
}

TEST(GridModelTest, NewGridHasCreatedLayoutAndCursorInHeader) {
    GridModel grid(3, 5, 50);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.ColumnCount(), 5);
    EXPECT_EQ(grid.ColumnWidth(4), 50);
    EXPECT_EQ(grid.ColumnWidth(5), 0);
    EXPECT_EQ(grid.CursorRow(), 0);
    EXPECT_EQ(grid.CursorColumn(), 0);
    EXPECT_EQ(grid.GetCell(2, 4), "");
}

TEST(GridModelTest, CellsOutsideTableAreIgnoredAndReadEmpty) {
    GridModel grid = MakeGrid(2);
    struct Case {
        int row, column;
    };
    for (Case c : {Case{-1, 0}, Case{0, -1}, Case{3, 0}, Case{0, 4}, Case{INT_MIN, INT_MAX}}) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        EXPECT_FALSE(grid.SetCell(c.row, c.column, "x"));
        EXPECT_EQ(grid.GetCell(c.row, c.column), "");
        EXPECT_EQ(grid.RowCount(), 3);
    }
    grid.SetCursor(0, 0);
    grid.ExtendSelectionTo(2, 3);
    GridModel fresh = MakeGrid(2);
    fresh.SetCursor(0, 0);
    fresh.ExtendSelectionTo(2, 3);
    EXPECT_EQ(grid.SelectionAsTabText(), fresh.SelectionAsTabText());

    EXPECT_TRUE(grid.SetCell(2, 3, "new"));
    EXPECT_EQ(grid.GetCell(2, 3), "new");
}

TEST(GridModelTest, AppendRowFillsFirstCellOnly) {
    GridModel grid(1, 3);
    grid.AppendRow("7");
    ASSERT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.GetCell(1, 0), "7");
    EXPECT_EQ(grid.GetCell(1, 1), "");
    EXPECT_EQ(grid.GetCell(1, 2), "");

    GridModel noColumns(1, 0);
    noColumns.AppendRow("lost");
    EXPECT_EQ(noColumns.RowCount(), 2);
    EXPECT_EQ(noColumns.GetCell(1, 0), "");
}

TEST(GridModelTest, SetCursorClampsIntoTableAndCollapsesSelection) {
    struct Case {
        int row, column, wantRow, wantColumn;
    };
    const Case cases[] = {
        {3, 2, 3, 2}, {-5, -5, 0, 0}, {99, 99, 5, 3}, {INT_MAX, INT_MIN, 5, 0}, {0, 3, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        GridModel grid = MakeGrid(5);
        grid.SetCursor(1, 0);
        grid.ExtendSelectionTo(4, 3);
        grid.SetCursor(c.row, c.column);
        EXPECT_EQ(grid.CursorRow(), c.wantRow);
        EXPECT_EQ(grid.CursorColumn(), c.wantColumn);
        // A cursor in the header row selects nothing.
        const int wantSelectedRow = c.wantRow >= 1 ? c.wantRow : -1;
        EXPECT_EQ(grid.SelectionTop(), wantSelectedRow);
        EXPECT_EQ(grid.SelectionBottom(), wantSelectedRow);
        CellRange s = grid.Selection();
        EXPECT_EQ(s.left, c.wantColumn);
        EXPECT_EQ(s.right, c.wantColumn);
    }
}

TEST(GridModelTest, SelectionNeverTakesInTheHeaderRow) {
    // Each way a grid comes to have its cursor in the header row, then each way of extending from there.
    struct Start {
        const char* name;
        void (*make)(GridModel&);
    };
    const Start starts[] = {
        {"new grid", [](GridModel&) {}},
        {"after a reset and new rows",
         [](GridModel& g) {
             g.SetCursor(4, 2);
             g.ResetGrid();
             for (int r = 1; r <= 5; ++r) {
                 g.AppendRow(std::to_string(r) + ".0");
             }
         }},
        {"cursor put on the header", [](GridModel& g) { g.SetCursor(0, 2); }},
    };
    struct Extend {
        const char* name;
        void (*run)(GridModel&);
        int top, bottom;
    };
    const Extend extends[] = {
        {"Shift+click on row 3", [](GridModel& g) { g.ExtendSelectionTo(3, 1); }, 1, 3},
        {"Shift+Down twice",
         [](GridModel& g) {
             g.MoveCursorBy(1, 0, true);
             g.MoveCursorBy(1, 0, true);
         },
         1, 2},
        {"drag onto the header row", [](GridModel& g) { g.ExtendSelectionTo(-4, 1); }, 1, 1},
    };
    for (const Start& start : starts) {
        for (const Extend& extend : extends) {
            SCOPED_TRACE(testing::Message() << start.name << ", " << extend.name);
            GridModel grid = MakeGrid(5);
            start.make(grid);
            ASSERT_EQ(grid.CursorRow(), 0);
            EXPECT_EQ(grid.SelectionTop(), -1);
            EXPECT_EQ(grid.SelectionAsTabText(), "");
            extend.run(grid);
            EXPECT_EQ(grid.SelectionTop(), extend.top);
            EXPECT_EQ(grid.SelectionBottom(), extend.bottom);
            EXPECT_EQ(grid.CursorRow(), extend.bottom);
            for (int column = 0; column < grid.ColumnCount(); ++column) {
                EXPECT_FALSE(grid.IsSelected(0, column)) << column;
            }
            const std::string text = grid.SelectionAsTabText();
            EXPECT_EQ(text.rfind("1.", 0), 0u) << text;  // starts with the first data row, not the titles
        }
    }

    // Without data rows there is nothing to select.
    GridModel empty = MakeGrid(0);
    empty.ExtendSelectionTo(3, 1);
    empty.MoveCursorBy(1, 0, true);
    EXPECT_EQ(empty.CursorRow(), 0);
    EXPECT_EQ(empty.SelectionTop(), -1);
    EXPECT_FALSE(empty.IsSelected(0, 0));
    EXPECT_EQ(empty.SelectionAsTabText(), "");
}

TEST(GridModelTest, DeleteRowsRemovesABlockAndPlacesTheCursor) {
    struct Case {
        int first, count, cursorRow;
        bool deleted;
        const char* remaining;  // first cells of the data rows left, without ".0"
        int wantCursorRow;
    };
    const Case cases[] = {
        {2, 3, 2, true, "156", 2},      // cursor on the block's first row: the row after the block comes under it
        {2, 3, 6, true, "156", 3},      // cursor below the block, past the new end: the new last row
        {5, 2, 5, true, "1234", 4},     // the block reaches the last row
        {4, 99, 1, true, "123", 1},     // a count past the end is cut at the last row
        {1, 6, 3, true, "", 0},         // every data row: the cursor goes to the header row
        {1, INT_MAX, 3, true, "", 0},   // no overflow
        {0, 2, 3, false, "123456", 3},  // the header row is never deleted
        {7, 1, 3, false, "123456", 3}, {-1, 3, 3, false, "123456", 3},
        {2, 0, 3, false, "123456", 3}, {2, -2, 3, false, "123456", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "delete " << c.count << " from " << c.first << ", cursor " << c.cursorRow);
        GridModel grid = MakeGrid(6);
        grid.SetCursor(c.cursorRow, 2);
        grid.ExtendSelectionTo(1, 0);
        grid.ExtendSelectionTo(c.cursorRow, 2);
        EXPECT_EQ(grid.DeleteRows(c.first, c.count), c.deleted);
        std::string remaining;
        for (int r = 1; r < grid.RowCount(); ++r) {
            remaining += grid.GetCell(r, 0).substr(0, 1);
            EXPECT_EQ(grid.GetCell(r, 3), grid.GetCell(r, 0).substr(0, 1) + ".3");  // whole rows moved
        }
        EXPECT_EQ(remaining, c.remaining);
        EXPECT_EQ(grid.CursorRow(), c.wantCursorRow);
        EXPECT_EQ(grid.CursorColumn(), 2);
        if (c.deleted) {  // the selection collapsed to the cursor
            EXPECT_EQ(grid.SelectionTop(), c.wantCursorRow >= 1 ? c.wantCursorRow : -1);
            EXPECT_EQ(grid.SelectionBottom(), grid.SelectionTop());
        }
    }
}

TEST(GridModelTest, SelectionIsNormalisedWhicheverWayItWasDragged) {
    struct Case {
        int anchorRow, anchorColumn, row, column;
    };
    // The same rectangle rows 2..4, columns 1..3, from each of its four corners.
    const Case cases[] = {{2, 1, 4, 3}, {4, 3, 2, 1}, {2, 3, 4, 1}, {4, 1, 2, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.anchorRow << "," << c.anchorColumn << " -> " << c.row << "," << c.column);
        GridModel grid = MakeGrid(5);
        grid.SetCursor(c.anchorRow, c.anchorColumn);
        grid.ExtendSelectionTo(c.row, c.column);
        EXPECT_EQ(grid.CursorRow(), c.row);
        EXPECT_EQ(grid.CursorColumn(), c.column);
        CellRange s = grid.Selection();
        EXPECT_EQ(s.top, 2);
        EXPECT_EQ(s.bottom, 4);
        EXPECT_EQ(s.left, 1);
        EXPECT_EQ(s.right, 3);
        EXPECT_EQ(grid.SelectionTop(), 2);
        EXPECT_EQ(grid.SelectionBottom(), 4);
        EXPECT_TRUE(grid.IsSelected(3, 2));
        EXPECT_TRUE(grid.IsSelected(2, 1));
        EXPECT_TRUE(grid.IsSelected(4, 3));
        EXPECT_FALSE(grid.IsSelected(1, 2));
        EXPECT_FALSE(grid.IsSelected(5, 2));
        EXPECT_FALSE(grid.IsSelected(3, 0));
        EXPECT_EQ(grid.SelectionAsTabText(), "2.1\t2.2\t2.3\r\n3.1\t3.2\t3.3\r\n4.1\t4.2\t4.3\r\n");
    }
}

TEST(GridModelTest, ExtendSelectionClampsButKeepsAnchor) {
    GridModel grid = MakeGrid(5);
    grid.SetCursor(3, 2);
    grid.ExtendSelectionTo(100, -100);
    EXPECT_EQ(grid.CursorRow(), 5);
    EXPECT_EQ(grid.CursorColumn(), 0);
    EXPECT_EQ(grid.SelectionTop(), 3);
    EXPECT_EQ(grid.SelectionBottom(), 5);
}

TEST(GridModelTest, SelectionRowsAreMinusOneWhenNotInsideTable) {
    GridModel noColumns(3, 0);
    noColumns.SetCursor(1, 0);
    EXPECT_EQ(noColumns.SelectionTop(), -1);
    EXPECT_EQ(noColumns.SelectionBottom(), -1);
    EXPECT_FALSE(noColumns.IsSelected(1, 0));
    EXPECT_EQ(noColumns.SelectionAsTabText(), "");
}

TEST(GridModelTest, SelectionAsTabTextKeepsBytesAndEndsEveryRowWithCrLf) {
    GridModel grid(1, 2);
    grid.AppendRow("\xB1\xED");  // 表
    grid.SetCell(1, 1, "a b");
    grid.AppendRow("");
    grid.SetCursor(1, 0);
    EXPECT_EQ(grid.SelectionAsTabText(), "\xB1\xED\r\n");
    grid.ExtendSelectionTo(2, 1);
    EXPECT_EQ(grid.SelectionAsTabText(), "\xB1\xED\ta b\r\n\t\r\n");
}

TEST(GridModelTest, DeleteRowRejectsHeaderAndMissingRows) {
    GridModel grid = MakeGrid(3);
    for (int row : {0, -1, 4, INT_MAX}) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(grid.DeleteRow(row));
        EXPECT_EQ(grid.RowCount(), 4);
    }
    EXPECT_EQ(grid.GetCell(1, 0), "1.0");
    EXPECT_EQ(grid.GetCell(3, 0), "3.0");
}

TEST(GridModelTest, DeleteRowMovesFollowingRowsUp) {
    GridModel grid = MakeGrid(4);
    grid.SetCursor(2, 1);
    ASSERT_TRUE(grid.DeleteRow(2));
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.GetCell(1, 0), "1.0");
    EXPECT_EQ(grid.GetCell(2, 0), "3.0");
    EXPECT_EQ(grid.GetCell(2, 3), "3.3");
    EXPECT_EQ(grid.GetCell(3, 0), "4.0");
    // The cursor keeps its place and now stands on the row that followed.
    EXPECT_EQ(grid.CursorRow(), 2);
    EXPECT_EQ(grid.CursorColumn(), 1);
}

TEST(GridModelTest, DeleteRowMovesCursorUpOnlyWhenItWasOnLastRow) {
    struct Case {
        int cursorRow, deletedRow, wantCursorRow;
    };
    const Case cases[] = {
        {4, 4, 3},             // cursor on the deleted last row
        {4, 1, 3},             // cursor on the last row, an earlier row deleted
        {3, 4, 3},             // last row deleted below the cursor
        {2, 3, 2}, {0, 4, 0},  // cursor in the header row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cursor " << c.cursorRow << ", delete " << c.deletedRow);
        GridModel grid = MakeGrid(4);
        grid.SetCursor(c.cursorRow, 2);
        ASSERT_TRUE(grid.DeleteRow(c.deletedRow));
        EXPECT_EQ(grid.CursorRow(), c.wantCursorRow);
        EXPECT_LT(grid.CursorRow(), grid.RowCount());
    }

    GridModel single = MakeGrid(1);
    single.SetCursor(1, 0);
    ASSERT_TRUE(single.DeleteRow(1));
    EXPECT_EQ(single.RowCount(), 1);
    EXPECT_EQ(single.CursorRow(), 0);
}

TEST(GridModelTest, DeleteRowCollapsesSelectionToCursor) {
    GridModel grid = MakeGrid(6);
    grid.SetCursor(6, 3);
    grid.ExtendSelectionTo(2, 0);
    ASSERT_TRUE(grid.DeleteRow(5));
    EXPECT_EQ(grid.CursorRow(), 2);
    EXPECT_EQ(grid.SelectionTop(), 2);
    EXPECT_EQ(grid.SelectionBottom(), 2);
    CellRange s = grid.Selection();
    EXPECT_EQ(s.left, 0);
    EXPECT_EQ(s.right, 0);

    // An anchor on the last row must not be left pointing past the end.
    GridModel stale = MakeGrid(6);
    stale.SetCursor(6, 0);
    stale.ExtendSelectionTo(1, 0);
    ASSERT_TRUE(stale.DeleteRow(6));
    EXPECT_EQ(stale.SelectionTop(), 1);
    EXPECT_EQ(stale.SelectionBottom(), 1);
}

TEST(GridModelTest, ResetGridRestoresCreatedLayout) {
    GridModel grid(3, 4, 40);
    grid.SetCell(0, 0, "title");
    grid.SetCell(2, 3, "x");
    grid.SetColumnWidth(1, 140);
    grid.SetColumnWidth(3, 7);
    for (int i = 0; i < 10; ++i) {
        grid.AppendRow("r");
    }
    grid.SetCursor(5, 2);
    grid.ExtendSelectionTo(8, 3);

    grid.ResetGrid();
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.ColumnCount(), 4);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(grid.ColumnWidth(c), 40) << c;
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(grid.GetCell(r, c), "") << r << "," << c;
        }
    }
    EXPECT_LT(grid.CursorRow(), grid.RowCount());
    EXPECT_EQ(grid.SelectionTop(), grid.SelectionBottom());
}

TEST(GridModelTest, SetColumnWidthOutsideIsIgnored) {
    GridModel grid(1, 2, 10);
    grid.SetColumnWidth(-1, 99);
    grid.SetColumnWidth(2, 99);
    EXPECT_EQ(grid.ColumnWidth(0), 10);
    EXPECT_EQ(grid.ColumnWidth(1), 10);
    EXPECT_EQ(grid.ColumnWidth(2), 0);
}

TEST(GridModelTest, MoveCursorByStaysOnDataRowsAndColumns) {
    struct Case {
        int startRow, startColumn, dRow, dColumn, wantRow, wantColumn;
    };
    const Case cases[] = {
        {1, 0, 1, 0, 2, 0},
        {3, 2, -1, 1, 2, 3},
        {1, 0, -1, -1, 1, 0},            // cannot move into the header row
        {0, 0, 1, 0, 1, 0},              // from the header row onto the first data row
        {0, 1, 0, 0, 1, 1},              // any move leaves the header row
        {2, 1, 1000, 1000, 5, 3},        // Ctrl+End-like jumps
        {4, 2, INT_MIN, INT_MIN, 1, 0},  // no overflow with extreme deltas
        {4, 2, INT_MAX, INT_MAX, 5, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.startRow << "," << c.startColumn << " by " << c.dRow << "," << c.dColumn);
        GridModel grid = MakeGrid(5);
        grid.SetCursor(c.startRow, c.startColumn);
        grid.MoveCursorBy(c.dRow, c.dColumn, false);
        EXPECT_EQ(grid.CursorRow(), c.wantRow);
        EXPECT_EQ(grid.CursorColumn(), c.wantColumn);
        EXPECT_EQ(grid.SelectionTop(), c.wantRow);
        EXPECT_EQ(grid.SelectionBottom(), c.wantRow);
    }
}

TEST(GridModelTest, MoveCursorByWithoutDataRowsStaysInHeader) {
    GridModel grid(1, 4);
    grid.MoveCursorBy(1, 1, false);
    EXPECT_EQ(grid.CursorRow(), 0);
    EXPECT_EQ(grid.CursorColumn(), 1);
    grid.MoveCursorBy(-1, 10, true);
    EXPECT_EQ(grid.CursorRow(), 0);
    EXPECT_EQ(grid.CursorColumn(), 3);
}

TEST(GridModelTest, MoveCursorByExtendKeepsAnchor) {
    GridModel grid = MakeGrid(6);
    grid.SetCursor(2, 1);
    grid.MoveCursorBy(2, 1, true);
    grid.MoveCursorBy(1, 0, true);
    EXPECT_EQ(grid.CursorRow(), 5);
    EXPECT_EQ(grid.SelectionTop(), 2);
    EXPECT_EQ(grid.SelectionBottom(), 5);
    CellRange s = grid.Selection();
    EXPECT_EQ(s.left, 1);
    EXPECT_EQ(s.right, 2);

    grid.MoveCursorBy(-10, 0, true);  // back past the anchor
    EXPECT_EQ(grid.SelectionTop(), 1);
    EXPECT_EQ(grid.SelectionBottom(), 2);

    grid.MoveCursorBy(1, 0, false);
    EXPECT_EQ(grid.SelectionTop(), 2);
    EXPECT_EQ(grid.SelectionBottom(), 2);
}

}  // namespace
}  // namespace zandrel
