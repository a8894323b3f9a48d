// The grid's view of its model: the order and the rows shown, the sort a click on a column title chooses, and
// the mapping between the rows as shown and the model's rows.
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/encoding.h"
#include "table/grid_window_win.h"

namespace zandrel {
namespace {

// The system's order for Chinese text (pinyin), the way a Chinese Windows sorts names, as sort keys: made once per
// text and compared as bytes, they order as CompareStringEx does, at a fraction of its cost per comparison.
std::string ChineseSortKey(std::string_view text) {
    const std::wstring wide = GbkToWide(text);
    // A key seldom needs more than a few bytes a character: one call with room enough, a second only when not.
    std::string key(wide.size() * 8 + 16, '\0');
    int size = LCMapStringEx(L"zh-CN", LCMAP_SORTKEY, wide.c_str(), static_cast<int>(wide.size()),
                             reinterpret_cast<LPWSTR>(key.data()), static_cast<int>(key.size()), nullptr, nullptr, 0);
    if (size == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        size = LCMapStringEx(L"zh-CN", LCMAP_SORTKEY, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                             nullptr, 0);
        key.assign(static_cast<size_t>(size > 0 ? size : 0), '\0');
        size = size > 0 ? LCMapStringEx(L"zh-CN", LCMAP_SORTKEY, wide.c_str(), static_cast<int>(wide.size()),
                                        reinterpret_cast<LPWSTR>(key.data()), size, nullptr, nullptr, 0)
                        : 0;
    }
    if (size <= 0) {
        return std::string(text);  // no such locale: the GBK order, which follows pinyin for common characters
    }
    key.resize(static_cast<size_t>(size));
    return key;
}
// The arrow a column title carries while the rows are sorted by it: down for the larger or later first.
const wchar_t* SortArrow(const SortKey& key, int column) {
    if (key.column != column || key.direction == SortDirection::kNone) {
        return L"";
    }
    const bool descending = IsNumberColumn(column) == (key.direction == SortDirection::kFirst);
    return descending ? L" \x25BC" : L" \x25B2";
}
}  // namespace

// The view for the grid's model, with the system's Chinese order for text.
RowView GridWindow::MakeView(const GridModel& model) {
    return RowView(model, SortKeyMaker(ChineseSortKey));
}

// The arrow after a column title, for the painting.
const wchar_t* GridWindow::TitleArrow(int column) const {
    return SortArrow(view_.Sort(), column);
}

const RowView& GridWindow::View() const {
    if (viewStale_) {
        viewStale_ = false;
        view_.Refresh();
    }
    return view_;
}
void GridWindow::ViewStale() {
    viewStale_ = true;
    scrollBarsStale_ = true;
}
int GridWindow::ShownRowCount() const {
    return View().ShownCount() + 1;
}
int GridWindow::ModelRowAt(int shownRow) const {
    return shownRow == 0 ? 0 : View().ModelRow(shownRow - 1);
}
void GridWindow::SetSortKey(SortKey key) {
    if (edit_) {
        EndEdit(true);
    }
    // The cursor stays on the row it was on, wherever the new order puts it.
    const int cursorModelRow = ModelRowAt(model_.CursorRow());
    view_.SetSortKey(key);
    if (cursorModelRow > 0) {
        model_.SetCursor(view_.ViewIndex(cursorModelRow) + 1, model_.CursorColumn());
    }
    AfterViewChange();
}
void GridWindow::SetFilter(std::string_view query) {
    View();
    view_.SetFilter(query);
    AfterViewChange();
}
void GridWindow::SetHiddenWords(ExcludeWords words) {
    View();
    view_.SetHiddenWords(std::move(words));
    AfterViewChange();
}
void GridWindow::AfterViewChange() {
    // Only a view that hides rows keeps the cursor from the rows it does not show.
    const RowView& view = View();
    model_.LimitCursorRows(view.ShownCount() < view.TotalCount() ? view.ShownCount() : -1);
    if (model_.CursorRow() > view.ShownCount()) {
        model_.SetCursor(view.ShownCount(), model_.CursorColumn());
    }
    scrollBarsStale_ = true;
    Invalidate();
    if (onViewChanged_) {
        onViewChanged_();
    }
}
std::vector<int> GridWindow::SelectedModelRows() const {
    std::vector<int> rows;
    if (model_.CursorRow() < 1) {
        return rows;
    }
    int top = model_.SelectionTop();
    int bottom = model_.SelectionBottom();
    if (top < 1 || bottom < top) {
        top = bottom = model_.CursorRow();
    }
    for (int row = top; row <= bottom; ++row) {
        const int modelRow = ModelRowAt(row);
        if (modelRow > 0) {
            rows.push_back(modelRow);
        }
    }
    return rows;
}
void GridWindow::OnHeaderClick(int column) {
    // Each click on a title goes one step on: the first direction, the second, arrival order again.
    SortKey key = view_.Sort();
    if (key.column != column) {
        key = SortKey{column, SortDirection::kFirst};
    } else {
        key.direction = key.direction == SortDirection::kNone    ? SortDirection::kFirst
                        : key.direction == SortDirection::kFirst ? SortDirection::kSecond
                                                                 : SortDirection::kNone;
    }
    SetSortKey(key);
}
}  // namespace zandrel
