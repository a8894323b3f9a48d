#include "table/row_view.h"

#include <algorithm>
#include <unordered_map>
#include <numeric>
#include <string_view>
#include <utility>

#include "table/grid_model.h"
#include "table/listing_count.h"
#include "table/table_texts.h"

namespace zandrel {

namespace {

// Sorts rows on a key each: `keyOf` gives a row's key, or false for a row without one (an empty or non-numeric
// cell); rows with keys come first in the order `before` gives them (stable: equal keys keep arrival order), the
// others follow in arrival order.
template <typename Key, typename KeyOf, typename Before>
void SortOnKeys(std::vector<int>& rows, KeyOf keyOf, Before before) {
    struct Keyed {
        Key key;
        int row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows.size());
    std::vector<int> rest;
    for (int row : rows) {
        Key key{};
        if (keyOf(row, key)) {
            keyed.push_back({std::move(key), row});
        } else {
            rest.push_back(row);
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) { return before(a.key, b.key); });
    rows.clear();
    for (const Keyed& item : keyed) {
        rows.push_back(item.row);
    }
    rows.insert(rows.end(), rest.begin(), rest.end());
}

void SortByNumber(const GridModel& grid, int column, bool largestFirst, std::vector<int>& rows) {
    SortOnKeys<double>(
        rows, [&](int row, double& value) { return ParseListingCount(grid.GetCell(row, column), value); },
        [largestFirst](double a, double b) { return largestFirst ? a > b : a < b; });
}

void SortByText(const GridModel& grid,
                int column,
                bool ascending,
                const TextCollation& collation,
                std::vector<int>& rows) {
    SortOnKeys<std::string_view>(
        rows,
        [&](int row, std::string_view& text) {
            text = grid.GetCell(row, column);
            return !text.empty();
        },
        [&](std::string_view a, std::string_view b) { return ascending ? collation(a, b) < 0 : collation(a, b) > 0; });
}

// The same by keys made once per distinct text, compared as bytes.
void SortByTextKeys(const GridModel& grid,
                    int column,
                    bool ascending,
                    const SortKeyMaker& keys,
                    std::vector<int>& rows) {
    std::unordered_map<std::string_view, std::string> made;
    SortOnKeys<std::string_view>(
        rows,
        [&](int row, std::string_view& key) {
            const std::string& text = grid.GetCell(row, column);
            if (text.empty()) {
                return false;
            }
            auto found = made.find(text);
            if (found == made.end()) {
                found = made.emplace(text, keys(text)).first;
            }
            key = found->second;
            return true;
        },
        [ascending](std::string_view a, std::string_view b) { return ascending ? a < b : b < a; });
}

}  // namespace

bool IsNumberColumn(int column) {
    return column == kSequenceColumn || column == kListingsColumn;
}

RowView::RowView(const GridModel& grid, TextCollation collation)
    : grid_(grid), collation_(collation ? std::move(collation) : TextCollation(CompareGbkBytes)) {
    Refresh();
}

RowView::RowView(const GridModel& grid, SortKeyMaker keys) : RowView(grid) {
    keys_ = std::move(keys);
}

void RowView::SetSortKey(SortKey key) {
    sort_ = key;
    SortRows();
    FilterRows();
}

void RowView::SetFilter(std::string_view query) {
    filter_ = RowFilter(query);
    FilterRows();
}

void RowView::SetHiddenWords(ExcludeWords words) {
    hidden_ = std::move(words);
    FilterRows();
}

void RowView::Refresh() {
    SortRows();
    FilterRows();
}

int RowView::ModelRow(int viewIndex) const {
    if (viewIndex < 0 || viewIndex >= ShownCount()) {
        return -1;
    }
    return shown_[viewIndex];
}

int RowView::ViewIndex(int modelRow) const {
    if (modelRow < 0 || modelRow >= static_cast<int>(viewIndex_.size())) {
        return -1;
    }
    return viewIndex_[modelRow];
}

void RowView::SortRows() {
    sorted_.resize(static_cast<size_t>(std::max(grid_.RowCount() - 1, 0)));
    std::iota(sorted_.begin(), sorted_.end(), 1);
    if (sort_.direction == SortDirection::kNone) {
        return;
    }
    const bool first = sort_.direction == SortDirection::kFirst;
    if (IsNumberColumn(sort_.column)) {
        SortByNumber(grid_, sort_.column, first, sorted_);
    } else {
        if (keys_) {
            SortByTextKeys(grid_, sort_.column, first, keys_, sorted_);
        } else {
            SortByText(grid_, sort_.column, first, collation_, sorted_);
        }
    }
}

void RowView::FilterRows() {
    viewIndex_.assign(sorted_.size() + 1, -1);
    shown_.clear();
    const bool everyRow = filter_.Empty() && hidden_.Empty();
    shown_.reserve(everyRow ? sorted_.size() : 0);
    for (int row : sorted_) {
        if (!everyRow) {
            const std::string& keyword = grid_.GetCell(row, kKeywordColumn);
            if (!filter_.Accepts(keyword) || hidden_.AnyIn(keyword)) {
                continue;
            }
        }
        viewIndex_[row] = static_cast<int>(shown_.size());
        shown_.push_back(row);
    }
}

}  // namespace zandrel
