// The order and the visible rows of the results table, kept apart from the model: the model keeps its rows in
// arrival order, and the view is a list of model row numbers (data rows, 1..RowCount-1) to show, top first.
// Sorting and filtering never change the model.
#pragma once

#include <string_view>
#include <vector>

#include "table/exclude_words.h"
#include "table/row_filter.h"
#include "table/text_collation.h"

namespace zandrel {

class GridModel;

// kNone is arrival order. Number columns (序号, 宝贝数) put the largest first in kFirst and the smallest first in
// kSecond; text columns go by the collation, ascending in kFirst and descending in kSecond.
enum class SortDirection { kNone, kFirst, kSecond };

struct SortKey {
    int column = 0;
    SortDirection direction = SortDirection::kNone;
};

// Whether a column sorts as numbers.
bool IsNumberColumn(int column);

class RowView {
  public:
    explicit RowView(const GridModel& grid, TextCollation collation = CompareGbkBytes);
    // Text columns ordered by the keys `keys` makes (see SortKeyMaker).
    RowView(const GridModel& grid, SortKeyMaker keys);

    // Each setter rebuilds what it affects: a new sort sorts again (keys are read once per sort: counts
    // parsed, texts looked up, then the rows sorted on them, stably, so equal rows keep arrival order; empty
    // or non-numeric cells go last in either direction); a new filter or exclude list filters the sorted rows
    // again. kNone is arrival order.
    void SetSortKey(SortKey key);
    void SetFilter(std::string_view query);
    // Rows whose keyword holds one of these words are hidden; an empty list hides nothing.
    void SetHiddenWords(ExcludeWords words);
    // The model's rows changed (rows added, removed or edited): sort and filter again. Until then the view
    // may name rows that are no longer there.
    void Refresh();

    SortKey Sort() const { return sort_; }
    // "显示 n / N 行": rows shown, and data rows in the model at the last rebuild.
    int ShownCount() const { return static_cast<int>(shown_.size()); }
    int TotalCount() const { return static_cast<int>(sorted_.size()); }
    // The model row shown at `viewIndex` (0 = top), or -1 outside the view.
    int ModelRow(int viewIndex) const;
    // Where a model row is shown, or -1 when it is hidden or no data row.
    int ViewIndex(int modelRow) const;
    const std::vector<int>& ShownRows() const { return shown_; }
    // Every data row in the sort order, the hidden ones too (what a save writes).
    const std::vector<int>& SortedRows() const { return sorted_; }

  private:
    void SortRows();
    void FilterRows();

    const GridModel& grid_;
    TextCollation collation_;
    SortKeyMaker keys_;  // when given, text columns sort by it instead of collation_
    SortKey sort_;
    RowFilter filter_;
    ExcludeWords hidden_;
    std::vector<int> sorted_;     // every data row, sorted
    std::vector<int> shown_;      // sorted_ through the filter
    std::vector<int> viewIndex_;  // by model row; -1 when hidden
};

}  // namespace zandrel
