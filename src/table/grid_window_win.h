// The results grid as a window class of its own: draws a GridModel through a RowView (the rows in the order and
// the filter the seller chose; only the visible ones are drawn), scrolls, keeps a cursor and a rectangular
// selection from mouse and keyboard, edits cells in place and copies the selection. The model's cursor and
// selection count rows as the grid shows them; a click on a column title sorts by that column.
#pragma once

#include <windows.h>

#include <functional>

#include "base/win_handles.h"
#include "table/grid_model.h"
#include "table/row_view.h"

namespace zandrel {

class GridWindow {
  public:
    static constexpr int kRowHeight = 20;
    static constexpr int kHeaderHeight = 22;

    // Creates the window; the GridWindow object belongs to it and is deleted when the window is destroyed.
    static GridWindow* Create(HWND parent, int id, const RECT& rect, HFONT font, int rows, int columns);
    static GridWindow* FromHwnd(HWND hwnd);

    HWND Hwnd() const { return hwnd_; }
    GridModel& Model() { return model_; }
    const GridModel& Model() const { return model_; }

    // Call after changing the model from outside: scroll ranges follow and the window repaints.
    void ModelChanged();
    // Call after appending rows from outside: a cell being edited stays open, scroll ranges follow and the
    // window repaints.
    void RowsAppended();
    // Call after changing cells' text from outside: the window repaints.
    void CellsChanged();
    // The box a cell is being edited in, or nullptr.
    HWND EditBox() const { return edit_; }

    void OnRightButtonDown(std::function<void()> handler) { onRightButton_ = std::move(handler); }
    // A cell typed over in place: the handler makes the change (model row, column, new text); without one the
    // grid sets the cell itself.
    void OnCellEdited(std::function<void(int, int, const std::string&)> handler) { onCellEdited_ = std::move(handler); }
    // The order or the set of rows shown changed (sort, filter, rows added or removed).
    void OnViewChanged(std::function<void()> handler) { onViewChanged_ = std::move(handler); }

    // What the grid shows: the order, the filter and the hidden words; none of them changes the model.
    const RowView& View() const;
    void SetSortKey(SortKey key);
    // One step on in the sort by the cursor's column, as a click on that column's title.
    void SortByCursorColumn() { OnHeaderClick(model_.CursorColumn()); }
    void SetFilter(std::string_view query);
    void SetHiddenWords(ExcludeWords words);
    // The model rows of the selected rows (the cursor's row alone when one cell is selected), top first; none
    // when the cursor is in the header row.
    std::vector<int> SelectedModelRows() const;

    // Cell under a client point (rows as shown); row -1 when below the last row or outside the columns.
    bool HitTest(POINT pt, int& row, int& column) const;
    // Client rectangle of a cell (row 0 is the header) at the current scroll position.
    RECT CellRect(int row, int column) const;
    int TopRow() const { return topRow_; }
    // Shows `top` as the first data row under the header (clamped).
    void ScrollToRow(int top);
    int VisibleDataRows() const;

    // Draws the visible part into dc (client coordinates). Used by WM_PAINT and by the benchmark.
    void Paint(HDC dc, const RECT& client);

    void CopySelectionToClipboard();
    // A cell being edited in place keeps what was typed so far and the edit ends.
    void CommitEdit() { EndEdit(true); }

  private:
    GridWindow(HWND hwnd, HFONT font, int rows, int columns);
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    void OnPaint();
    void Invalidate();
    void OnSize();
    void OnVScroll(int code);
    void OnHScroll(int code);
    void OnMouseWheel(int delta);
    void OnLButtonDown(POINT pt, bool shift);
    void OnHeaderClick(int column);
    static RowView MakeView(const GridModel& model);
    const wchar_t* TitleArrow(int column) const;
    // The view is brought up to date after the model changed, at the latest when it is next read.
    void ViewStale();
    // Cursor limits, scroll bars, repaint and the handler, after the view changed.
    void AfterViewChange();
    int ShownRowCount() const;  // rows as shown, the header row included
    int ModelRowAt(int shownRow) const;
    void OnMouseMove(POINT pt);
    void OnKeyDown(UINT key);
    UINT OnGetDlgCode(const MSG* msg) const;
    void UpdateScrollBars();
    void ScrollToX(int x);
    void EnsureCursorVisible();
    int TotalColumnWidth() const;
    int MaxTopRow() const;

    void BeginEdit();
    void EndEdit(bool commit);

    HWND hwnd_;
    HFONT font_;
    GridModel model_;
    int topRow_ = 1;  // first data row shown under the header
    int scrollX_ = 0;
    bool dragging_ = false;
    bool scrollBarsStale_ = false;
    bool repaintAsked_ = false;  // invalidated since the last paint began
    HWND edit_ = nullptr;
    int editRow_ = 0;  // model row
    int editColumn_ = 0;
    std::function<void()> onRightButton_;
    std::function<void(int, int, const std::string&)> onCellEdited_;
    std::function<void()> onViewChanged_;
    mutable RowView view_;
    mutable bool viewStale_ = false;
    bool viewNews_ = false;  // rows came or changed: the view's handler is told at the next paint
};

}  // namespace zandrel
