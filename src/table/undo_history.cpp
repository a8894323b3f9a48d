#include "table/undo_history.h"

#include <algorithm>
#include <string>
#include <utility>

#include "table/exclude_words.h"
#include "table/merge_duplicates.h"
#include "table/table_bytes.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

namespace zandrel {

namespace {

// True when the grid already is what ClearTable leaves: the header row with its titles and nothing else.
bool IsCleared(const GridModel& grid) {
    if (grid.RowCount() != 1) {
        return false;
    }
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        const std::string_view title = column < kTableColumnCount ? kColumnTitles[column] : std::string_view();
        if (grid.GetCell(0, column) != title) {
            return false;
        }
    }
    return true;
}

}  // namespace

UndoHistory::UndoHistory(GridModel& grid, UndoBudget budget) : grid_(grid), budget_(budget) {}

bool UndoHistory::DeleteRows(const std::vector<int>& rows) {
    const int rowsBefore = grid_.RowCount();
    return PushEdit(RemoveRows(grid_, rows), rowsBefore);
}

bool UndoHistory::ClearTable() {
    if (IsCleared(grid_)) {
        zandrel::ClearTable(grid_);  // the widths and the cursor still go back, as the button always did
        return false;
    }
    Record record;
    record.clear = true;
    record.rowsBefore = grid_.RowCount();
    record.contents = grid_.TakeContents();
    zandrel::ClearTable(grid_);
    record.rowsAfter = grid_.RowCount();
    return Push(std::move(record));
}

bool UndoHistory::MergeDuplicates() {
    const int rowsBefore = grid_.RowCount();
    return PushEdit(zandrel::MergeDuplicates(grid_), rowsBefore);
}

bool UndoHistory::DeleteExcludedRows(const ExcludeWords& words) {
    const int rowsBefore = grid_.RowCount();
    return PushEdit(DeleteRowsWithExcludeWords(grid_, words), rowsBefore);
}

bool UndoHistory::EditCell(int row, int column, std::string_view text) {
    if (row < 0 || row >= grid_.RowCount() || column < 0 || column >= grid_.ColumnCount() ||
        grid_.GetCell(row, column) == text) {
        return false;
    }
    TableEdit edit;
    edit.cellChanges.push_back({row, column, grid_.GetCell(row, column)});
    grid_.SetCell(row, column, text);
    return PushEdit(std::move(edit), grid_.RowCount());
}

bool UndoHistory::Undo() {
    if (undo_.empty()) {
        return false;
    }
    Record& record = undo_.back();
    bool done = false;
    if (grid_.RowCount() == record.rowsAfter) {
        if (record.clear) {
            grid_.SwapContents(record.contents);
            done = true;
        } else {
            done = UndoTableEdit(grid_, record.edit);
        }
    }
    if (!done) {
        Forget();  // the table was changed behind the history's back
        return false;
    }
    bytes_ -= record.bytes;
    record.bytes = Measure(record);
    bytes_ += record.bytes;
    redo_.push_back(std::move(record));
    undo_.pop_back();
    return true;
}

bool UndoHistory::Redo() {
    if (redo_.empty()) {
        return false;
    }
    Record& record = redo_.back();
    bool done = false;
    if (grid_.RowCount() == record.rowsBefore) {
        if (record.clear) {
            grid_.SwapContents(record.contents);
            done = true;
        } else {
            done = RedoTableEdit(grid_, record.edit);
        }
    }
    if (!done) {
        Forget();
        return false;
    }
    bytes_ -= record.bytes;
    record.bytes = Measure(record);
    bytes_ += record.bytes;
    undo_.push_back(std::move(record));
    redo_.pop_back();
    Trim();
    return true;
}

void UndoHistory::Forget() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

bool UndoHistory::PushEdit(TableEdit edit, int rowsBefore) {
    if (edit.Empty()) {
        return false;
    }
    Record record;
    record.edit = std::move(edit);
    record.rowsBefore = rowsBefore;
    record.rowsAfter = grid_.RowCount();
    return Push(std::move(record));
}

bool UndoHistory::Push(Record record) {
    for (const Record& dropped : redo_) {
        bytes_ -= dropped.bytes;
    }
    redo_.clear();
    record.bytes = Measure(record);
    bytes_ += record.bytes;
    undo_.push_back(std::move(record));
    Trim();
    return true;
}

void UndoHistory::Trim() {
    const size_t twiceTable = 2 * TableBytes(grid_);
    const size_t limit = std::min(std::max(twiceTable, budget_.floorBytes), budget_.capBytes);
    while (bytes_ > limit && undo_.size() > 1) {
        bytes_ -= undo_.front().bytes;
        undo_.pop_front();
    }
}

size_t UndoHistory::Measure(const Record& record) const {
    return sizeof(Record) + (record.clear ? RowsBytes(record.contents.Rows()) : TableEditBytes(record.edit));
}

}  // namespace zandrel
