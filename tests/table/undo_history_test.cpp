#include "table/undo_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "table/csv_writer.h"
#include "table/exclude_words.h"
#include "table/table_bytes.h"
#include "workbench_fixtures.h"

namespace zandrel {
namespace {

using namespace testing_fixtures;

// Duplicates to merge, words to exclude, counts and searched keywords: every action has work here.
GridModel WorkTable() {
    return MakeTable({
        {kDress, "50", "seed"},
        {kBoysWear, "20"},
        {std::string(" ") + kDress, "80"},
        {kPhoneCase, ""},
        {"red shoes", "7"},
        {"Red Shoes", "9"},
        {kEarphones, "abc"},
        {std::string(kNewStyle) + kEarphones, "3"},
    });
}

const ExcludeWords& Words() {
    static const ExcludeWords words = ExcludeWords::FromText(std::string(kEarphones) + "\r\nshoes\r\n");
    return words;
}

struct Action {
    const char* name;
    std::function<bool(UndoHistory&)> run;
};

const std::vector<Action>& Actions() {
    static const std::vector<Action> actions = {
        {"delete a block",
         [](UndoHistory& h) {
             return h.DeleteRows({2, 3, 4});
         }},
        {"delete scattered rows",
         [](UndoHistory& h) {
             return h.DeleteRows({8, 1, 5, 5, 0, 99, -3});
         }},
        {"delete every row",
         [](UndoHistory& h) {
             return h.DeleteRows({1, 2, 3, 4, 5, 6, 7, 8});
         }},
        {"clear", [](UndoHistory& h) { return h.ClearTable(); }},
        {"merge", [](UndoHistory& h) { return h.MergeDuplicates(); }},
        {"delete exclude words", [](UndoHistory& h) { return h.DeleteExcludedRows(Words()); }},
        {"edit a keyword", [](UndoHistory& h) { return h.EditCell(4, kKeywordColumn, kNewStyle); }},
        {"empty a count", [](UndoHistory& h) { return h.EditCell(1, kListingsColumn, ""); }},
    };
    return actions;
}

TEST(UndoHistoryTest, UndoAndRedoEveryActionByteForByte) {
    for (const Action& action : Actions()) {
        SCOPED_TRACE(action.name);
        GridModel grid = WorkTable();
        UndoHistory history(grid);
        const std::string before = TableToCsv(grid);

        ASSERT_TRUE(action.run(history));
        const std::string after = TableToCsv(grid);
        EXPECT_NE(after, before);
        EXPECT_TRUE(history.CanUndo());
        EXPECT_FALSE(history.CanRedo());

        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(TableToCsv(grid), before);
        EXPECT_FALSE(history.CanUndo());
        EXPECT_FALSE(history.Undo());

        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(TableToCsv(grid), after);
        EXPECT_FALSE(history.Redo());

        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(TableToCsv(grid), before);
    }
}

TEST(UndoHistoryTest, ActionsThatChangeNothingAreNotRecorded) {
    const Action idle[] = {
        {"delete no row", [](UndoHistory& h) { return h.DeleteRows({}); }},
        {"delete the header and rows outside",
         [](UndoHistory& h) {
             return h.DeleteRows({0, -1, 9});
         }},
        {"merge without duplicates", [](UndoHistory& h) { return h.MergeDuplicates(); }},
        {"exclude words found nowhere",
         [](UndoHistory& h) { return h.DeleteExcludedRows(ExcludeWords::FromText("zz")); }},
        {"no exclude words", [](UndoHistory& h) { return h.DeleteExcludedRows(ExcludeWords()); }},
        {"edit to the same text", [](UndoHistory& h) { return h.EditCell(1, kKeywordColumn, "a"); }},
        {"edit outside", [](UndoHistory& h) { return h.EditCell(3, 0, "x"); }},
    };
    for (const Action& action : idle) {
        SCOPED_TRACE(action.name);
        GridModel grid = MakeTable({{"a", "1"}, {"b", "2"}});
        UndoHistory history(grid);
        const std::string before = TableToCsv(grid);
        EXPECT_FALSE(action.run(history));
        EXPECT_EQ(TableToCsv(grid), before);
        EXPECT_FALSE(history.CanUndo());
    }

    GridModel cleared = MakeTable({});
    UndoHistory history(cleared);
    EXPECT_FALSE(history.ClearTable());
    EXPECT_FALSE(history.CanUndo());
}

TEST(UndoHistoryTest, AnyChainUndoesToTheStartAndRedoesToTheEnd) {
    GridModel grid = WorkTable();
    UndoHistory history(grid);
    std::vector<std::string> states = {TableToCsv(grid)};
    for (const Action& action : Actions()) {
        if (action.run(history)) {
            states.push_back(TableToCsv(grid));
        }
    }
    ASSERT_EQ(history.UndoCount(), states.size() - 1);
    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(TableToCsv(grid), states[i - 1]) << "undo to state " << i - 1;
    }
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(TableToCsv(grid), states[i]) << "redo to state " << i;
    }
}

TEST(UndoHistoryTest, NewActionClearsRedo) {
    GridModel grid = WorkTable();
    UndoHistory history(grid);
    const std::string start = TableToCsv(grid);
    ASSERT_TRUE(history.MergeDuplicates());
    const std::string merged = TableToCsv(grid);
    ASSERT_TRUE(history.DeleteRows({1}));
    ASSERT_TRUE(history.Undo());
    ASSERT_TRUE(history.CanRedo());

    ASSERT_TRUE(history.EditCell(2, kKeywordColumn, "new"));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Redo());
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(TableToCsv(grid), merged);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(TableToCsv(grid), start);
    EXPECT_FALSE(history.CanUndo());
}

TEST(UndoHistoryTest, ClearGivesBackWidthsAndCursorToo) {
    GridModel grid = WorkTable();
    grid.SetColumnWidth(1, 333);
    grid.SetCursor(5, 2);
    UndoHistory history(grid);
    ASSERT_TRUE(history.ClearTable());
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.ColumnWidth(1), kColumnWidths[1]);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(grid.ColumnWidth(1), 333);
    EXPECT_EQ(grid.CursorRow(), 5);
    EXPECT_EQ(grid.CursorColumn(), 2);
}

// 2,000 rows of 100-byte keywords: each cell lives on the heap, so the byte counts are easy to tell apart.
GridModel BigTable() {
    std::vector<RowText> rows;
    for (int i = 0; i < 2000; ++i) {
        rows.push_back({std::string(100, 'k') + std::to_string(i), std::to_string(i)});
    }
    return MakeTable(rows);
}

TEST(UndoHistoryTest, RecordsHoldOnlyWhatTheActionTook) {
    GridModel grid = BigTable();
    const size_t tableBytes = TableBytes(grid);
    UndoHistory history(grid);

    ASSERT_TRUE(history.DeleteRows({10, 500}));
    EXPECT_LT(history.Bytes(), tableBytes / 100);  // two rows, not a copy of the table

    ASSERT_TRUE(history.Undo());
    const size_t afterUndo = history.Bytes();
    EXPECT_LT(afterUndo, 1000u);  // the rows are back in the table; only their places stay

    ASSERT_TRUE(history.ClearTable());
    EXPECT_GT(history.Bytes(), tableBytes * 9 / 10);   // the whole table moved into the record ...
    EXPECT_LT(history.Bytes(), tableBytes * 11 / 10);  // ... once
    ASSERT_TRUE(history.Undo());
    EXPECT_LT(history.Bytes(), tableBytes / 100);
}

TEST(UndoHistoryTest, OldestRecordsGoWhenOverBudget) {
    GridModel grid = BigTable();
    const size_t rowBytes = TableBytes(grid) / 2000;
    // At most about 50 rows' worth of records; the table itself holds far more, so the cap decides.
    UndoHistory history(grid, UndoBudget{0, rowBytes * 50});
    std::vector<std::string> states = {TableToCsv(grid)};
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(history.DeleteRows({1, 2, 3, 4, 5}));
        states.push_back(TableToCsv(grid));
        EXPECT_LE(history.Bytes(), rowBytes * 50);
    }
    const size_t kept = history.UndoCount();
    EXPECT_GE(kept, 5u);
    EXPECT_LT(kept, 30u);
    for (size_t i = 0; i < kept; ++i) {
        ASSERT_TRUE(history.Undo());
    }
    EXPECT_FALSE(history.CanUndo());
    // Back to the state after the dropped actions, not before them.
    EXPECT_EQ(TableToCsv(grid), states[30 - kept]);
}

TEST(UndoHistoryTest, LastActionStaysUndoableOverBudget) {
    GridModel grid = BigTable();
    const std::string before = TableToCsv(grid);
    UndoHistory history(grid, UndoBudget{0, 1});
    ASSERT_TRUE(history.DeleteRows({1}));
    ASSERT_TRUE(history.ClearTable());
    EXPECT_EQ(history.UndoCount(), 1u);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(grid.RowCount(), 2000);
    EXPECT_FALSE(history.CanUndo());
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(grid.RowCount(), 1);
}

TEST(UndoHistoryTest, TableChangedBehindItsBackIsRefused) {
    for (bool clear : {false, true}) {
        SCOPED_TRACE(clear ? "clear" : "delete");
        GridModel grid = WorkTable();
        UndoHistory history(grid);
        ASSERT_TRUE(clear ? history.ClearTable() : history.DeleteRows({2}));
        grid.AppendRow("new");  // a query adding a row
        const std::string now = TableToCsv(grid);
        EXPECT_FALSE(history.Undo());
        EXPECT_EQ(TableToCsv(grid), now);
        EXPECT_FALSE(history.CanUndo());
        EXPECT_EQ(history.Bytes(), 0u);
    }
}

}  // namespace
}  // namespace zandrel
