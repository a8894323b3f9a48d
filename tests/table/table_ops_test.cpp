#include "table/table_ops.h"

#include "table/grid_model.h"
#include "table/table_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zandrel {
namespace {

// The results table as the main window has it: header titles plus `dataRows` rows numbered 1..dataRows.
GridModel MakeResults(int dataRows) {
    GridModel grid(1, kTableColumnCount);
    InitTableHeader(grid);
    for (int r = 1; r <= dataRows; ++r) {
        grid.AppendRow(std::to_string(r));
        grid.SetCell(r, 1, "kw" + std::to_string(r));
    }
    return grid;
}

std::vector<std::string> SequenceColumn(const GridModel& grid) {
    std::vector<std::string> cells;
    for (int r = 1; r < grid.RowCount(); ++r) {
        cells.push_back(grid.GetCell(r, 0));
    }
    return cells;
}

void ExpectHeader(const GridModel& grid) {
    EXPECT_EQ(grid.GetCell(0, 0), "\xD0\xF2\xBA\xC5");                          // 序号
    EXPECT_EQ(grid.GetCell(0, 1), "\xB9\xD8\xBC\xFC\xB4\xCA");                  // 关键词
    EXPECT_EQ(grid.GetCell(0, 2), "\xB1\xA6\xB1\xB4\xCA\xFD");                  // 宝贝数
    EXPECT_EQ(grid.GetCell(0, 3), "\xCB\xD1\xCB\xF7\xB9\xD8\xBC\xFC\xB4\xCA");  // 搜索关键词
    EXPECT_EQ(grid.ColumnWidth(0), 30);
    EXPECT_EQ(grid.ColumnWidth(1), 140);
    EXPECT_EQ(grid.ColumnWidth(2), 90);
    EXPECT_EQ(grid.ColumnWidth(3), 140);
}

TEST(TableOpsTest, InitTableHeaderWritesTitlesAndWidths) {
    GridModel grid(1, kTableColumnCount);
    InitTableHeader(grid);
    ExpectHeader(grid);
    EXPECT_EQ(grid.RowCount(), 1);
}

TEST(TableOpsTest, DeleteWithCursorInHeaderDeletesNothingButMarksModified) {
    GridModel grid = MakeResults(5);
    grid.SetCursor(0, 1);
    bool modified = false;
    DeleteSelectedRows(grid, modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(SequenceColumn(grid), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    ExpectHeader(grid);

    GridModel empty = MakeResults(0);
    modified = false;
    DeleteSelectedRows(empty, modified);
    EXPECT_TRUE(modified);
    EXPECT_EQ(empty.RowCount(), 1);
}

TEST(TableOpsTest, DeleteSelectedBlockRemovesExactlyThoseRows) {
    struct Case {
        const char* name;
        int anchorRow, cursorRow;
        std::vector<std::string> remaining;
        int wantCursorRow;
        const char* rowUnderCursor;
    };
    const Case cases[] = {
        {"rows 3..5", 3, 5, {"1", "2", "6", "7", "8"}, 3, "6"},
        {"rows 5..3 dragged upwards", 5, 3, {"1", "2", "6", "7", "8"}, 3, "6"},
        {"two rows", 1, 2, {"3", "4", "5", "6", "7", "8"}, 1, "3"},
        {"block reaching the last row", 6, 8, {"1", "2", "3", "4", "5"}, 5, "5"},
        {"every data row", 8, 1, {}, 0, "\xD0\xF2\xBA\xC5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridModel grid = MakeResults(8);
        grid.SetCursor(c.anchorRow, 2);
        grid.ExtendSelectionTo(c.cursorRow, 0);
        bool modified = false;
        DeleteSelectedRows(grid, modified);
        EXPECT_TRUE(modified);
        EXPECT_EQ(SequenceColumn(grid), c.remaining);
        EXPECT_EQ(grid.CursorRow(), c.wantCursorRow);
        EXPECT_EQ(grid.GetCell(grid.CursorRow(), 0), c.rowUnderCursor);
        ExpectHeader(grid);
    }
}

TEST(TableOpsTest, DeleteSingleRowAtCursor) {
    struct Case {
        int cursorRow;
        std::vector<std::string> remaining;
        int wantCursorRow;
    };
    const Case cases[] = {
        {2, {"1", "3", "4"}, 2},
        {1, {"2", "3", "4"}, 1},
        {4, {"1", "2", "3"}, 3},  // the last row: the cursor moves to the new last row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursorRow);
        GridModel grid = MakeResults(4);
        grid.SetCursor(c.cursorRow, 3);
        bool modified = false;
        DeleteSelectedRows(grid, modified);
        EXPECT_TRUE(modified);
        EXPECT_EQ(SequenceColumn(grid), c.remaining);
        EXPECT_EQ(grid.CursorRow(), c.wantCursorRow);
    }
}

TEST(TableOpsTest, RepeatedDeleteOfLastRowEmptiesTableFromBottom) {
    GridModel grid = MakeResults(3);
    grid.SetCursor(3, 0);
    bool modified = false;
    for (int expectedCursor : {2, 1, 0, 0}) {
        DeleteSelectedRows(grid, modified);
        EXPECT_EQ(grid.CursorRow(), expectedCursor);
    }
    EXPECT_EQ(grid.RowCount(), 1);
    ExpectHeader(grid);
}

TEST(TableOpsTest, SelectionStartingInHeaderNeverDeletesHeader) {
    // Extending from the header row starts the selection on the first data row.
    GridModel grid = MakeResults(4);
    grid.SetCursor(0, 0);
    grid.ExtendSelectionTo(2, 3);
    bool modified = false;
    DeleteSelectedRows(grid, modified);
    EXPECT_TRUE(modified);
    ExpectHeader(grid);
    EXPECT_EQ(SequenceColumn(grid), (std::vector<std::string>{"3", "4"}));
}

TEST(TableOpsTest, ShiftSelectionBeforeAnyClickDeletesTheSelectedRows) {
    // A new table, a cleared one, and one whose rows were all deleted: the cursor is in the header row.
    struct Start {
        const char* name;
        void (*make)(GridModel&);
    };
    const Start starts[] = {
        {"new table", [](GridModel&) {}},
        {"cleared and refilled",
         [](GridModel& g) {
             g.SetCursor(2, 1);
             ClearTable(g);
             for (int r = 1; r <= 6; ++r) {
                 g.AppendRow(std::to_string(r));
             }
         }},
    };
    for (const Start& start : starts) {
        SCOPED_TRACE(start.name);
        GridModel grid = MakeResults(6);
        start.make(grid);
        grid.ExtendSelectionTo(3, 1);  // Shift+click on row 3
        EXPECT_EQ(grid.SelectionAsTabText().find(kColumnTitles[1]), std::string::npos);
        bool modified = false;
        DeleteSelectedRows(grid, modified);
        EXPECT_TRUE(modified);
        EXPECT_EQ(SequenceColumn(grid), (std::vector<std::string>{"4", "5", "6"}));
        EXPECT_EQ(grid.CursorRow(), 1);
        ExpectHeader(grid);

        grid.SetCursor(0, 0);
        grid.MoveCursorBy(1, 0, true);  // Shift+Down twice
        grid.MoveCursorBy(1, 0, true);
        DeleteSelectedRows(grid, modified);
        EXPECT_EQ(SequenceColumn(grid), (std::vector<std::string>{"6"}));
        ExpectHeader(grid);
    }
}

TEST(TableOpsTest, ClearTableLeavesHeaderOnlyAndKeepsModifiedFlag) {
    for (bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        GridModel grid = MakeResults(200);
        grid.SetColumnWidth(1, 500);
        grid.SetCursor(150, 1);
        grid.ExtendSelectionTo(120, 3);
        bool flag = modified;
        ClearTable(grid);
        EXPECT_EQ(flag, modified);
        EXPECT_EQ(grid.RowCount(), 1);
        ExpectHeader(grid);
        EXPECT_EQ(grid.CursorRow(), 0);

        // The cleared table keeps working.
        grid.AppendRow("1");
        EXPECT_EQ(grid.GetCell(1, 0), "1");
        EXPECT_EQ(grid.GetCell(1, 1), "");
    }
}

TEST(TableOpsTest, ClearTableReturnsToCreatedLayout) {
    // Rows the grid was created with go too, and a column beyond the four titled ones loses its title and
    // width.
    GridModel grid(6, kTableColumnCount + 1, 64);
    InitTableHeader(grid);
    grid.SetCell(0, 4, kTitleModifiedMark);
    grid.SetColumnWidth(4, 10);
    grid.SetCell(3, 1, "old");
    ClearTable(grid);
    EXPECT_EQ(grid.RowCount(), 1);
    ExpectHeader(grid);
    EXPECT_EQ(grid.GetCell(0, 4), "");
    EXPECT_EQ(grid.ColumnWidth(4), 64);
}

}  // namespace
}  // namespace zandrel
