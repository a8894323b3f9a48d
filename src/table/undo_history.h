// Undo and redo for the results table's editing actions. The actions go through the history, which makes
// them and keeps a record of each; every one returns whether the table changed, so the caller can mark the
// document unsaved (and refresh its RowView).
//
// A record holds only what its action took away or replaced: removed rows moved out of the table with their
// places, the old text of changed cells, for a clear the whole table moved out at once. Undo and redo move
// those back and forth, so a record held for redo is small (its rows are in the table again). Records are
// dropped oldest first when they hold more than the budget; the newest one always stays, so the last action
// can always be undone.
//
// Changes made outside the history (a query appending rows, opening a file) make the records stale: call
// Forget. A record whose table does not have the row count it left behind is refused, and the history
// forgets everything.
#pragma once

#include <cstddef>
#include <deque>
#include <string_view>
#include <vector>

#include "table/grid_model.h"
#include "table/table_edit.h"

namespace zandrel {

class ExcludeWords;

// The records may hold twice what the table holds now, but always at least floorBytes (a table just cleared
// holds next to nothing) and never more than capBytes.
struct UndoBudget {
    size_t floorBytes = size_t{64} << 20;
    size_t capBytes = size_t{512} << 20;
};

class UndoHistory {
  public:
    explicit UndoHistory(GridModel& grid, UndoBudget budget = {});
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // "删除行": the data rows `rows` of the model (any order; repeats, the header row and rows outside the
    // table are left out).
    bool DeleteRows(const std::vector<int>& rows);
    // "清除数据", as ClearTable.
    bool ClearTable();
    // "合并重复", as MergeDuplicates.
    bool MergeDuplicates();
    // Deletes the rows whose keyword holds an exclude word.
    bool DeleteExcludedRows(const ExcludeWords& words);
    // A cell typed over; false when the cell is not in the table or already holds the text.
    bool EditCell(int row, int column, std::string_view text);

    // Each returns whether the table changed.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    size_t UndoCount() const { return undo_.size(); }
    size_t RedoCount() const { return redo_.size(); }

    // Memory the records hold.
    size_t Bytes() const { return bytes_; }
    // Drops every record.
    void Forget();

  private:
    struct Record {
        TableEdit edit;         // every action but a clear
        GridContents contents;  // a clear: the table before it (the cleared one after undo)
        bool clear = false;
        int rowsBefore = 0;  // row counts before and after the action: undo and redo check them
        int rowsAfter = 0;
        size_t bytes = 0;
    };

    bool Push(Record record);
    bool PushEdit(TableEdit edit, int rowsBefore);
    void Trim();
    size_t Measure(const Record& record) const;

    GridModel& grid_;
    UndoBudget budget_;
    std::deque<Record> undo_;   // oldest first
    std::vector<Record> redo_;  // the next redo last
    size_t bytes_ = 0;
};

}  // namespace zandrel
