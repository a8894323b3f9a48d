#include "table/grid_model.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace zandrel {

namespace {

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

// Clamps a 64-bit position (cursor + a possibly huge delta) into [low, high]; high < low means an empty
// range and yields low.
int ClampRange(int64_t value, int low, int high) {
    if (high < low || value < low) {
        return low;
    }
    return value > high ? high : static_cast<int>(value);
}

}  // namespace

GridModel::GridModel(int rows, int columns, int defaultColumnWidth)
    : initialRows_(std::max(rows, 1)),  // the header row always exists
      initialColumns_(std::max(columns, 0)),
      defaultColumnWidth_(std::max(defaultColumnWidth, 0)),
      columns_(initialColumns_) {
    ResetGrid();
}

int GridModel::RowCount() const {
    return static_cast<int>(rows_.size());
}

int GridModel::ColumnCount() const {
    return columns_;
}

const std::string& GridModel::GetCell(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= columns_) {
        return EmptyText();
    }
    return rows_[row][column];
}

bool GridModel::SetCell(int row, int column, std::string_view text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= columns_) {
        return false;
    }
    rows_[row][column].assign(text.data(), text.size());
    return true;
}

void GridModel::AppendRow(std::string_view firstCell) {
    // Rows are separate vectors, so growing rows_ only moves their handles: amortised O(1) per row.
    std::vector<std::string>& row = rows_.emplace_back(columns_);
    if (columns_ > 0) {
        row[0].assign(firstCell.data(), firstCell.size());
    }
}

bool GridModel::DeleteRow(int row) {
    return DeleteRows(row, 1);
}

bool GridModel::DeleteRows(int first, int count) {
    const int lastRow = RowCount() - 1;
    if (first < 1 || first > lastRow || count < 1) {
        return false;
    }
    const int end = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(first) + count, lastRow + 1));
    rows_.erase(rows_.begin() + first, rows_.begin() + end);
    // The cursor keeps its row number, so deleting under it shows the following row there; only a cursor past
    // the new end moves up, to the last row (the header row when no data row is left).
    cursorRow_ = std::min(cursorRow_, RowCount() - 1);
    anchorRow_ = cursorRow_;
    anchorColumn_ = cursorColumn_;
    return true;
}

void GridModel::ResetGrid() {
    columns_ = initialColumns_;
    rows_.assign(initialRows_, std::vector<std::string>(columns_));
    widths_.assign(columns_, defaultColumnWidth_);
    cursorRow_ = 0;
    cursorColumn_ = 0;
    anchorRow_ = 0;
    anchorColumn_ = 0;
}

bool GridModel::TakeRows(const std::vector<int>& rows, std::vector<GridRow>& taken) {
    const int rowCount = RowCount();
    int previous = 0;  // the header row: the first taken row must come after it
    for (int row : rows) {
        if (row <= previous || row >= rowCount) {
            return false;
        }
        previous = row;
    }
    if (rows.empty()) {
        return true;
    }
    taken.reserve(taken.size() + rows.size());
    // One pass: every kept row moves down over the gaps left by the taken ones.
    size_t next = 0;
    int write = rows.front();
    for (int read = rows.front(); read < rowCount; ++read) {
        if (next < rows.size() && rows[next] == read) {
            taken.push_back(std::move(rows_[read]));
            ++next;
        } else {
            rows_[write++] = std::move(rows_[read]);
        }
    }
    rows_.resize(write);
    cursorRow_ = std::min(cursorRow_, RowCount() - 1);
    anchorRow_ = cursorRow_;
    anchorColumn_ = cursorColumn_;
    return true;
}

bool GridModel::InsertRows(const std::vector<int>& positions, std::vector<GridRow>& rows) {
    if (positions.size() != rows.size()) {
        return false;
    }
    if (rows.empty()) {
        return true;
    }
    const int64_t newCount = static_cast<int64_t>(RowCount()) + static_cast<int64_t>(rows.size());
    int64_t previous = 0;
    for (int position : positions) {
        if (position <= previous || position >= newCount) {
            return false;
        }
        previous = position;
    }
    // Fill from the end: each old row moves once, to its final place, and each inserted row drops into its
    // gap.
    int read = RowCount() - 1;
    rows_.resize(static_cast<size_t>(newCount));
    size_t next = rows.size();
    for (int64_t write = newCount - 1; next > 0; --write) {
        if (positions[next - 1] == write) {
            --next;
            rows_[write] = std::move(rows[next]);
            rows_[write].resize(columns_);
        } else {
            rows_[write] = std::move(rows_[read--]);
        }
    }
    rows.clear();
    anchorRow_ = cursorRow_;
    anchorColumn_ = cursorColumn_;
    return true;
}

GridContents GridModel::TakeContents() {
    GridContents contents;
    SwapContents(contents);
    return contents;
}

void GridModel::SwapContents(GridContents& contents) {
    if (contents.rows_.empty()) {
        // A default-made GridContents holds no table: it takes ours and the grid is reset.
        contents.rows_.swap(rows_);
        contents.widths_.swap(widths_);
        contents.columns_ = columns_;
        contents.cursorRow_ = cursorRow_;
        contents.cursorColumn_ = cursorColumn_;
        contents.anchorRow_ = anchorRow_;
        contents.anchorColumn_ = anchorColumn_;
        ResetGrid();
        return;
    }
    rows_.swap(contents.rows_);
    widths_.swap(contents.widths_);
    std::swap(columns_, contents.columns_);
    std::swap(cursorRow_, contents.cursorRow_);
    std::swap(cursorColumn_, contents.cursorColumn_);
    std::swap(anchorRow_, contents.anchorRow_);
    std::swap(anchorColumn_, contents.anchorColumn_);
}

int GridModel::ColumnWidth(int column) const {
    if (column < 0 || column >= columns_) {
        return 0;
    }
    return widths_[column];
}

void GridModel::SetColumnWidth(int column, int pixels) {
    if (column < 0 || column >= columns_) {
        return;
    }
    widths_[column] = std::max(pixels, 0);
}

int GridModel::CursorRow() const {
    return cursorRow_;
}

int GridModel::CursorColumn() const {
    return cursorColumn_;
}

void GridModel::LimitCursorRows(int shownRows) {
    shownRows_ = shownRows;
    int row = cursorRow_;
    int column = cursorColumn_;
    Clamp(row, column);
    if (row != cursorRow_ || anchorRow_ > row) {
        SetCursor(row, column);
    }
}

void GridModel::Clamp(int& row, int& column) const {
    const int lastRow = shownRows_ >= 0 ? std::min(RowCount() - 1, shownRows_) : RowCount() - 1;
    row = ClampRange(row, 0, lastRow);
    column = ClampRange(column, 0, columns_ - 1);
}

void GridModel::SetCursor(int row, int column) {
    Clamp(row, column);
    cursorRow_ = row;
    cursorColumn_ = column;
    anchorRow_ = row;
    anchorColumn_ = column;
}

void GridModel::ExtendSelectionTo(int row, int column) {
    Clamp(row, column);
    if (RowCount() > 1) {
        row = std::max(row, 1);
        if (anchorRow_ < 1) {
            anchorRow_ = 1;
        }
    }
    cursorRow_ = row;
    cursorColumn_ = column;
}

CellRange GridModel::Selection() const {
    CellRange range;
    range.top = std::min(anchorRow_, cursorRow_);
    range.bottom = std::max(anchorRow_, cursorRow_);
    range.left = std::min(anchorColumn_, cursorColumn_);
    range.right = std::max(anchorColumn_, cursorColumn_);
    return range;
}

namespace {

bool InsideTable(const CellRange& range, int rowCount, int columnCount) {
    return range.top >= 0 && range.bottom < rowCount && range.left >= 0 && range.right < columnCount;
}

}  // namespace

bool GridModel::HasSelection() const {
    CellRange range = Selection();
    return cursorRow_ >= 1 && range.top >= 1 && InsideTable(range, RowCount(), columns_);
}

int GridModel::SelectionTop() const {
    return HasSelection() ? Selection().top : -1;
}

int GridModel::SelectionBottom() const {
    return HasSelection() ? Selection().bottom : -1;
}

bool GridModel::IsSelected(int row, int column) const {
    if (!HasSelection()) {
        return false;
    }
    CellRange range = Selection();
    return row >= range.top && row <= range.bottom && column >= range.left && column <= range.right;
}

void GridModel::MoveCursorBy(int dRow, int dColumn, bool extend) {
    int row = ClampRange(static_cast<int64_t>(cursorRow_) + dRow, 1, RowCount() - 1);
    if (RowCount() < 2) {
        row = 0;  // no data rows: the cursor stays in the header row
    }
    int column = ClampRange(static_cast<int64_t>(cursorColumn_) + dColumn, 0, columns_ - 1);
    if (extend) {
        ExtendSelectionTo(row, column);
    } else {
        SetCursor(row, column);
    }
}

std::string GridModel::SelectionAsTabText(const std::function<int(int)>& modelRowOf) const {
    std::string text;
    if (!HasSelection()) {
        return text;
    }
    CellRange range = Selection();
    for (int row = range.top; row <= range.bottom; ++row) {
        const int shown = modelRowOf ? modelRowOf(row) : row;
        for (int column = range.left; column <= range.right; ++column) {
            if (column > range.left) {
                text += '\t';
            }
            text += GetCell(shown, column);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace zandrel
