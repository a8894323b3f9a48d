// The results table's data: text cells, one fixed header row, column widths, a cursor cell and a
// rectangular selection. Platform-independent; the grid window draws and drives it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// One row of cells, column 0 first.
using GridRow = std::vector<std::string>;

// Everything a GridModel holds (cells, column widths, cursor and selection), moved out whole by
// GridModel::TakeContents and swapped back in O(1) by GridModel::SwapContents. Only a GridModel fills it, so
// it is always a valid table.
class GridContents {
  public:
    const std::vector<GridRow>& Rows() const { return rows_; }

  private:
    friend class GridModel;

    std::vector<GridRow> rows_;
    std::vector<int> widths_;
    int columns_ = 0;
    int cursorRow_ = 0;
    int cursorColumn_ = 0;
    int anchorRow_ = 0;
    int anchorColumn_ = 0;
};

struct CellRange {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

class GridModel {
  public:
    // The layout that ResetGrid returns to: `rows` rows (row 0 is the fixed header row), `columns` columns of
    // `defaultColumnWidth` pixels.
    GridModel(int rows, int columns, int defaultColumnWidth = 64);

    int RowCount() const;
    int ColumnCount() const;

    // Empty text for a cell outside the table.
    const std::string& GetCell(int row, int column) const;
    // A cell outside the table is ignored; returns whether it was stored.
    bool SetCell(int row, int column, std::string_view text);
    // Adds a row after the last one with `firstCell` in column 0.
    void AppendRow(std::string_view firstCell);
    // Removes a data row (1..RowCount-1; the header row cannot be deleted). When the cursor was on the last
    // row it moves up one row. The selection collapses to the cursor. False when the row does not exist.
    bool DeleteRow(int row);
    // Removes the data rows first..first+count-1 (cut at the last row) in one move of the rows below them.
    // The cursor keeps its row number, or goes to the new last row when that number no longer exists; the
    // selection collapses to it. False, and nothing changes, when `first` is no data row or count < 1.
    bool DeleteRows(int first, int count);
    // Empties every cell and returns to the rows, columns and widths the grid was created with.
    void ResetGrid();

    // Bulk row moves for undo. Rows travel as whole vectors, never copied, and each call is one pass over
    // the table however many rows move.
    //
    // Takes the data rows `rows` (strictly ascending model row numbers, each 1..RowCount-1) out and appends
    // them, in that order, to `taken`. The cursor and selection behave as after DeleteRows. False, and
    // nothing changes, when the list is not such a list; an empty list takes nothing and returns true.
    bool TakeRows(const std::vector<int>& rows, std::vector<GridRow>& taken);
    // The reverse of TakeRows: rows[i] becomes model row positions[i] of the grown table (positions strictly
    // ascending, the first >= 1, the last < RowCount() + rows.size()). Rows are cut or padded to the column
    // count. On success `rows` is left empty; the cursor keeps its row number and the selection collapses to
    // it. False, and nothing changes, when the positions do not fit or the sizes differ.
    bool InsertRows(const std::vector<int>& positions, std::vector<GridRow>& rows);
    // Moves everything out and leaves the grid as ResetGrid does.
    GridContents TakeContents();
    // Exchanges the grid's contents with `contents` without copying a cell (clear and its undo). A
    // default-made GridContents receives the grid's contents and leaves the grid reset, as TakeContents.
    void SwapContents(GridContents& contents);

    int ColumnWidth(int column) const;  // 0 outside the table
    void SetColumnWidth(int column, int pixels);

    // Cursor cell. Row 0 means "in the header row / nowhere": nothing is selected then. Data rows start at 1.
    int CursorRow() const;
    int CursorColumn() const;
    // Moves the cursor (clamped into the table) and collapses the selection to it.
    void SetCursor(int row, int column);
    // Moves the cursor like SetCursor but keeps the selection anchor: the selection becomes the rectangle
    // between the anchor and the new cursor (Shift+click, Shift+arrows, mouse drag). A selection never takes
    // in the header row: the row is clamped to the data rows, and an anchor still in the header row (after
    // creation, a reset or deleting the last rows) moves to the first data row.
    void ExtendSelectionTo(int row, int column);
    // First and last row of the selection; the cursor row when a single cell is selected; -1 when nothing is
    // selected (cursor in the header row) or the selection is not a valid rectangle inside the table.
    int SelectionTop() const;
    int SelectionBottom() const;
    CellRange Selection() const;  // normalised rectangle (top <= bottom, left <= right); see SelectionTop
    bool IsSelected(int row, int column) const;

    // Keyboard navigation: moves relative to the cursor, clamped to data rows 1..RowCount-1 and the columns
    // (large deltas reach the first/last row or column); extend keeps the anchor (Shift).
    void MoveCursorBy(int dRow, int dColumn, bool extend);

    // The selected cells as tab-separated text, rows ended by CR LF (GBK bytes as stored). `modelRowOf`, when
    // given, says which model row a selected row shows (the cursor and selection then count rows as a view
    // shows them).
    std::string SelectionAsTabText(const std::function<int(int)>& modelRowOf = {}) const;

    // A view that shows fewer rows than the table holds keeps the cursor and the selection within the rows it
    // shows: data rows 1..shownRows. Negative: every row.
    void LimitCursorRows(int shownRows);

  private:
    void Clamp(int& row, int& column) const;
    bool HasSelection() const;  // a rectangle of data cells

    int initialRows_;
    int initialColumns_;
    int defaultColumnWidth_;
    int columns_;
    std::vector<GridRow> rows_;
    std::vector<int> widths_;
    int shownRows_ = -1;  // see LimitCursorRows
    int cursorRow_ = 0;
    int cursorColumn_ = 0;
    int anchorRow_ = 0;
    int anchorColumn_ = 0;
};

}  // namespace zandrel
