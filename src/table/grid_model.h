// The results table's data: text cells, one fixed header row, column widths, a cursor cell and a
// rectangular selection. Platform-independent; the grid window draws and drives it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

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

    // The selected cells as tab-separated text, rows ended by CR LF (GBK bytes as stored).
    std::string SelectionAsTabText() const;

  private:
    void Clamp(int& row, int& column) const;
    bool HasSelection() const;  // a rectangle of data cells

    int initialRows_;
    int initialColumns_;
    int defaultColumnWidth_;
    int columns_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<int> widths_;
    int cursorRow_ = 0;
    int cursorColumn_ = 0;
    int anchorRow_ = 0;
    int anchorColumn_ = 0;
};

}  // namespace zandrel
