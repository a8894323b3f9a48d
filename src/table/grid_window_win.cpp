#include "table/grid_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "base/encoding.h"
#include "base/window_object.h"
#include "base/window_text.h"

namespace zandrel {
namespace {

constexpr wchar_t kClassName[] = L"ZandrelGrid";
constexpr UINT_PTR kEditSubclassId = 1;
constexpr COLORREF kGridLine = RGB(0xD0, 0xD7, 0xE5);
constexpr COLORREF kHeaderTop = RGB(0xF7, 0xF9, 0xFC);
constexpr COLORREF kHeaderBottom = RGB(0xE3, 0xE8, 0xF0);
constexpr COLORREF kHeaderLine = RGB(0xA9, 0xB4, 0xC6);
constexpr COLORREF kSelection = RGB(0xCC, 0xE4, 0xF7);
constexpr COLORREF kSelectionInactive = RGB(0xE5, 0xEB, 0xF2);
constexpr COLORREF kCursorFrame = RGB(0x33, 0x77, 0xCC);

bool RegisterGridClass() {
    static bool registered = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;  // replaced per window in Create
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    TRIVERTEX v[2] = {};
    v[0].x = r.left;
    v[0].y = r.top;
    v[0].Red = static_cast<COLOR16>(GetRValue(top) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(top) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(top) << 8);
    v[1].x = r.right;
    v[1].y = r.bottom;
    v[1].Red = static_cast<COLOR16>(GetRValue(bottom) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(bottom) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(bottom) << 8);
    GRADIENT_RECT gr{0, 1};
    GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
}

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
    SetBkColor(dc, c);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

GridWindow::GridWindow(HWND hwnd, HFONT font, int rows, int columns)
    : hwnd_(hwnd), font_(font), model_(rows, columns), view_(MakeView(model_)) {}

GridWindow* GridWindow::Create(HWND parent, int id, const RECT& rect, HFONT font, int rows, int columns) {
    if (!RegisterGridClass()) {
        return nullptr;
    }
    HWND hwnd = CreateWindowExW(
        WS_EX_CLIENTEDGE, kClassName, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        return nullptr;
    }
    auto* grid = new GridWindow(hwnd, font, rows, columns);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(grid));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GridWindow::WndProc));
    grid->UpdateScrollBars();
    return grid;
}

GridWindow* GridWindow::FromHwnd(HWND hwnd) {
    return ObjectOfWindow<GridWindow>(hwnd, kClassName);
}

LRESULT CALLBACK GridWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<GridWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->Handle(msg, wParam, lParam);
}

LRESULT GridWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd_, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: OnSize(); return 0;
        case WM_VSCROLL: OnVScroll(LOWORD(wParam)); return 0;
        case WM_HSCROLL: OnHScroll(LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL: OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        case WM_LBUTTONDOWN: OnLButtonDown(pt, (wParam & MK_SHIFT) != 0); return 0;
        case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
        case WM_LBUTTONUP:
            dragging_ = false;
            ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED: dragging_ = false; return 0;
        case WM_LBUTTONDBLCLK: BeginEdit(); return 0;
        case WM_RBUTTONDOWN:
            if (onRightButton_) {
                onRightButton_();
            }
            return 0;
        case WM_NCRBUTTONDOWN:
            // The scroll bars and the border belong to the grid too: a right click there saves as well, instead
            // of opening the scroll bar's own menu.
            if (onRightButton_) {
                onRightButton_();
            }
            return 0;
        case WM_CONTEXTMENU:
            // The menu key or Shift+F10 (no position) saves, as a right click does; the click's own follow-up
            // message is ignored.
            if (pt.x == -1 && pt.y == -1 && onRightButton_) {
                onRightButton_();
            }
            return 0;
        case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam)); return 0;
        case WM_GETDLGCODE: return OnGetDlgCode(reinterpret_cast<const MSG*>(lParam));
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); return 0;
        default: return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

UINT GridWindow::OnGetDlgCode(const MSG* msg) const {
    // Enter begins editing the cursor's cell (F2 too) instead of pressing the window's default button; Tab and
    // Esc stay with the window.
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

int GridWindow::VisibleDataRows() const {
    RECT c;
    GetClientRect(hwnd_, &c);
    return std::max(1, static_cast<int>((c.bottom - kHeaderHeight) / kRowHeight));
}

int GridWindow::TotalColumnWidth() const {
    int w = 0;
    for (int c = 0; c < model_.ColumnCount(); ++c) {
        w += model_.ColumnWidth(c);
    }
    return w;
}

int GridWindow::MaxTopRow() const {
    int dataRows = ShownRowCount() - 1;
    return std::max(1, dataRows - VisibleDataRows() + 1);
}

void GridWindow::UpdateScrollBars() {
    scrollBarsStale_ = false;
    int dataRows = std::max(0, ShownRowCount() - 1);
    topRow_ = std::clamp(topRow_, 1, MaxTopRow());
    SCROLLINFO si{sizeof(si)};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = dataRows > 0 ? dataRows - 1 : 0;
    si.nPage = static_cast<UINT>(VisibleDataRows());
    si.nPos = topRow_ - 1;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);

    RECT c;
    GetClientRect(hwnd_, &c);
    int total = TotalColumnWidth();
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, total - static_cast<int>(c.right)));
    si.nMax = total > 0 ? total - 1 : 0;
    si.nPage = static_cast<UINT>(std::max<LONG>(1, c.right));
    si.nPos = scrollX_;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
}

void GridWindow::ModelChanged() {
    if (edit_) {
        EndEdit(false);
    }
    // One change of the seller's (not a stream of rows): the view and whoever counts its rows follow at once.
    ViewStale();
    AfterViewChange();
}

void GridWindow::RowsAppended() {
    // A query appends rows one at a time: the view and the scroll bars follow at the next paint.
    ViewStale();
    viewNews_ = true;
    Invalidate();
}

void GridWindow::CellsChanged() {
    // A changed count or keyword may move its row in a sorted or filtered view.
    ViewStale();
    viewNews_ = true;
    Invalidate();
}

RECT GridWindow::CellRect(int row, int column) const {
    int x = -scrollX_;
    for (int c = 0; c < column && c < model_.ColumnCount(); ++c) {
        x += model_.ColumnWidth(c);
    }
    int y = row == 0 ? 0 : kHeaderHeight + (row - topRow_) * kRowHeight;
    int h = row == 0 ? kHeaderHeight : kRowHeight;
    return RECT{x, y, x + model_.ColumnWidth(column), y + h};
}

bool GridWindow::HitTest(POINT pt, int& row, int& column) const {
    row = -1;
    column = -1;
    int x = -scrollX_;
    for (int c = 0; c < model_.ColumnCount(); ++c) {
        int w = model_.ColumnWidth(c);
        if (pt.x >= x && pt.x < x + w) {
            column = c;
            break;
        }
        x += w;
    }
    if (pt.y < kHeaderHeight) {
        row = 0;
    } else {
        int r = topRow_ + (pt.y - kHeaderHeight) / kRowHeight;
        if (r < ShownRowCount()) {
            row = r;
        }
    }
    return row >= 0 && column >= 0;
}

void GridWindow::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, GetSysColor(COLOR_WINDOW));
    SelectedObject font(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    const bool focused = GetFocus() == hwnd_;
    const int columns = model_.ColumnCount();
    const int firstRow = topRow_;
    const int lastRow = std::min(ShownRowCount() - 1, topRow_ + VisibleDataRows());
    UniquePen gridPen(CreatePen(PS_SOLID, 1, kGridLine));
    UniquePen headerPen(CreatePen(PS_SOLID, 1, kHeaderLine));
    const CellRange sel = model_.Selection();

    for (int row = firstRow; row <= lastRow; ++row) {
        const int modelRow = ModelRowAt(row);
        for (int col = 0; col < columns; ++col) {
            RECT r = CellRect(row, col);
            if (r.right < client.left || r.left > client.right) {
                continue;
            }
            if (model_.IsSelected(row, col) && !(sel.top == sel.bottom && sel.left == sel.right)) {
                FillSolid(dc, r, focused ? kSelection : kSelectionInactive);
            }
            RECT text = r;
            InflateRect(&text, -4, 0);
            const std::string& cell = model_.GetCell(modelRow, col);
            if (!cell.empty()) {
                std::wstring w = GbkToWide(cell);
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &text,
                          DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            }
        }
    }
    // Grid lines over the visible rows.
    {
        SelectedObject pen(dc, gridPen.get());
        int bottom = kHeaderHeight + (lastRow - firstRow + 1) * kRowHeight;
        int x = -scrollX_;
        for (int col = 0; col < columns; ++col) {
            x += model_.ColumnWidth(col);
            MoveToEx(dc, x - 1, kHeaderHeight, nullptr);
            LineTo(dc, x - 1, bottom);
        }
        for (int row = firstRow; row <= lastRow; ++row) {
            int y = kHeaderHeight + (row - firstRow + 1) * kRowHeight - 1;
            MoveToEx(dc, -scrollX_, y, nullptr);
            LineTo(dc, x, y);
        }
    }
    // Header row.
    for (int col = 0; col < columns; ++col) {
        RECT r = CellRect(0, col);
        FillGradient(dc, r, kHeaderTop, kHeaderBottom);
        SelectedObject pen(dc, headerPen.get());
        MoveToEx(dc, r.right - 1, r.top + 3, nullptr);
        LineTo(dc, r.right - 1, r.bottom - 3);
        MoveToEx(dc, r.left, r.bottom - 1, nullptr);
        LineTo(dc, r.right, r.bottom - 1);
        std::wstring w = GbkToWide(model_.GetCell(0, col)) + TitleArrow(col);
        SetTextColor(dc, RGB(0x20, 0x2A, 0x3A));
        DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    // Cursor cell.
    int cr = model_.CursorRow();
    if (cr >= firstRow && cr <= lastRow) {
        RECT r = CellRect(cr, model_.CursorColumn());
        UniqueBrush frame(CreateSolidBrush(focused ? kCursorFrame : kGridLine));
        FrameRect(dc, &r, frame.get());
        if (focused) {
            InflateRect(&r, -2, -2);
            DrawFocusRect(dc, &r);
        }
    }
}

void GridWindow::Invalidate() {
    // Asked for once per paint: under Wine every InvalidateRect is a round trip to the server (some 40 us), and
    // a query appends and fills hundreds of thousands of rows between two paints.
    if (!repaintAsked_) {
        repaintAsked_ = true;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void GridWindow::OnPaint() {
    if (viewNews_) {
        // Rows came or changed since the last paint: the view takes them in once, here, however many there were.
        viewNews_ = false;
        AfterViewChange();
    }
    // The scroll bars first: showing or hiding one changes the client area and invalidates the window, which
    // BeginPaint then takes in, so the paint below covers it.
    if (scrollBarsStale_) {
        UpdateScrollBars();
    }
    PaintDc paint(hwnd_);
    // Only now is the update region taken: a repaint asked for before this point is drawn by this paint, one asked
    // for later needs a paint of its own.
    repaintAsked_ = false;
    RECT client;
    GetClientRect(hwnd_, &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    // Draw off-screen and copy once, so scrolling never flickers.
    UniqueMemoryDc mem(CreateCompatibleDC(paint.get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
    {
        SelectedObject sel(mem.get(), bmp.get());
        Paint(mem.get(), client);
        BitBlt(paint.get(), 0, 0, client.right, client.bottom, mem.get(), 0, 0, SRCCOPY);
    }
}

void GridWindow::OnSize() {
    UpdateScrollBars();
    Invalidate();
}

void GridWindow::ScrollToRow(int top) {
    top = std::clamp(top, 1, MaxTopRow());
    if (top != topRow_) {
        if (edit_) {
            EndEdit(true);
        }
        topRow_ = top;
        UpdateScrollBars();
        Invalidate();
    }
}

void GridWindow::ScrollToX(int x) {
    RECT c;
    GetClientRect(hwnd_, &c);
    x = std::clamp(x, 0, std::max(0, TotalColumnWidth() - static_cast<int>(c.right)));
    if (x != scrollX_) {
        if (edit_) {
            EndEdit(true);
        }
        scrollX_ = x;
        UpdateScrollBars();
        Invalidate();
    }
}

void GridWindow::OnVScroll(int code) {
    SCROLLINFO si{sizeof(si)};
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd_, SB_VERT, &si);
    int page = VisibleDataRows();
    switch (code) {
        case SB_LINEUP: ScrollToRow(topRow_ - 1); break;
        case SB_LINEDOWN: ScrollToRow(topRow_ + 1); break;
        case SB_PAGEUP: ScrollToRow(topRow_ - page); break;
        case SB_PAGEDOWN: ScrollToRow(topRow_ + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollToRow(si.nTrackPos + 1); break;
        case SB_TOP: ScrollToRow(1); break;
        case SB_BOTTOM: ScrollToRow(MaxTopRow()); break;
        default: break;
    }
}

void GridWindow::OnHScroll(int code) {
    SCROLLINFO si{sizeof(si)};
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd_, SB_HORZ, &si);
    switch (code) {
        case SB_LINELEFT: ScrollToX(scrollX_ - 20); break;
        case SB_LINERIGHT: ScrollToX(scrollX_ + 20); break;
        case SB_PAGELEFT: ScrollToX(scrollX_ - static_cast<int>(si.nPage)); break;
        case SB_PAGERIGHT: ScrollToX(scrollX_ + static_cast<int>(si.nPage)); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollToX(si.nTrackPos); break;
        default: break;
    }
}

void GridWindow::OnMouseWheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL) {
        lines = static_cast<UINT>(VisibleDataRows());
    }
    ScrollToRow(topRow_ - delta * static_cast<int>(lines) / WHEEL_DELTA);
}

void GridWindow::EnsureCursorVisible() {
    int row = model_.CursorRow();
    if (row >= 1) {
        if (row < topRow_) {
            ScrollToRow(row);
        } else if (row >= topRow_ + VisibleDataRows()) {
            ScrollToRow(row - VisibleDataRows() + 1);
        }
    }
    RECT c;
    GetClientRect(hwnd_, &c);
    RECT cell = CellRect(0, model_.CursorColumn());
    if (cell.left < 0) {
        ScrollToX(scrollX_ + cell.left);
    } else if (cell.right > c.right) {
        ScrollToX(scrollX_ + (cell.right - c.right));
    }
}

void GridWindow::OnLButtonDown(POINT pt, bool shift) {
    SetFocus(hwnd_);
    if (edit_) {
        EndEdit(true);
    }
    int row, col;
    if (!HitTest(pt, row, col)) {
        return;
    }
    if (row == 0) {
        OnHeaderClick(col);
        return;
    }
    if (shift) {
        model_.ExtendSelectionTo(row, col);
    } else {
        model_.SetCursor(row, col);
    }
    dragging_ = true;
    SetCapture(hwnd_);
    Invalidate();
}

void GridWindow::OnMouseMove(POINT pt) {
    if (!dragging_) {
        return;
    }
    RECT c;
    GetClientRect(hwnd_, &c);
    // Dragging past an edge scrolls and keeps extending.
    if (pt.y < kHeaderHeight) {
        ScrollToRow(topRow_ - 1);
        pt.y = kHeaderHeight;
    } else if (pt.y >= c.bottom) {
        ScrollToRow(topRow_ + 1);
        pt.y = c.bottom - 1;
    }
    pt.x = std::clamp(pt.x, 0L, std::max(0L, std::min(c.right, static_cast<LONG>(TotalColumnWidth() - scrollX_)) - 1));
    int row, col;
    HitTest(pt, row, col);
    if (row < 1) {
        row = ShownRowCount() - 1;
    }
    if (col < 0) {
        col = model_.ColumnCount() - 1;
    }
    if (row >= 1 && (row != model_.CursorRow() || col != model_.CursorColumn())) {
        model_.ExtendSelectionTo(row, col);
        Invalidate();
    }
}

void GridWindow::OnKeyDown(UINT key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const int page = VisibleDataRows();
    const int jump = model_.RowCount() + model_.ColumnCount();
    switch (key) {
        case VK_UP: model_.MoveCursorBy(-1, 0, shift); break;
        case VK_DOWN: model_.MoveCursorBy(1, 0, shift); break;
        case VK_LEFT: model_.MoveCursorBy(0, -1, shift); break;
        case VK_RIGHT: model_.MoveCursorBy(0, 1, shift); break;
        case VK_PRIOR: model_.MoveCursorBy(-page, 0, shift); break;
        case VK_NEXT: model_.MoveCursorBy(page, 0, shift); break;
        case VK_HOME: model_.MoveCursorBy(ctrl ? -jump : 0, -jump, shift); break;
        case VK_END: model_.MoveCursorBy(ctrl ? jump : 0, jump, shift); break;
        case VK_F2:
        case VK_RETURN: BeginEdit(); return;
        case 'C':
            if (ctrl) {
                CopySelectionToClipboard();
            }
            return;
        case 'A':
            if (ctrl && ShownRowCount() > 1) {
                model_.SetCursor(1, 0);
                model_.ExtendSelectionTo(ShownRowCount() - 1, model_.ColumnCount() - 1);
                break;
            }
            return;
        default: return;
    }
    EnsureCursorVisible();
    Invalidate();
}

void GridWindow::CopySelectionToClipboard() {
    std::wstring text = GbkToWide(model_.SelectionAsTabText([this](int row) { return ModelRowAt(row); }));
    if (text.empty() || !OpenClipboard(hwnd_)) {
        return;
    }
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (mem) {
        if (void* p = GlobalLock(mem)) {
            memcpy(p, text.c_str(), bytes);
            GlobalUnlock(mem);
            if (!SetClipboardData(CF_UNICODETEXT, mem)) {
                GlobalFree(mem);
            }
        } else {
            GlobalFree(mem);
        }
    }
    CloseClipboard();
}

void GridWindow::BeginEdit() {
    int row = model_.CursorRow();
    int col = model_.CursorColumn();
    if (row < 1 || edit_) {
        return;
    }
    const int modelRow = ModelRowAt(row);
    if (modelRow < 1) {
        return;
    }
    EnsureCursorVisible();
    RECT r = CellRect(row, col);
    std::wstring text = GbkToWide(model_.GetCell(modelRow, col));
    edit_ = CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!edit_) {
        return;
    }
    editRow_ = modelRow;  // the model's row: rows arriving meanwhile may move it in a sorted view
    editColumn_ = col;
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(edit_, EM_SETSEL, 0, -1);
    SetWindowSubclass(edit_, &GridWindow::EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetFocus(edit_);
}

void GridWindow::EndEdit(bool commit) {
    HWND edit = std::exchange(edit_, nullptr);
    if (!edit) {
        return;
    }
    if (commit) {
        std::string text = WindowTextGbk(edit);
        if (text != model_.GetCell(editRow_, editColumn_)) {
            if (onCellEdited_) {
                onCellEdited_(editRow_, editColumn_, text);
            } else {
                model_.SetCell(editRow_, editColumn_, text);
            }
            CellsChanged();
        }
    }
    bool hadFocus = GetFocus() == edit;
    DestroyWindow(edit);
    if (hadFocus) {
        SetFocus(hwnd_);
    }
    Invalidate();
}

LRESULT CALLBACK GridWindow::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<GridWindow*>(ref);
    switch (msg) {
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DefSubclassProc(hwnd, msg, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                self->EndEdit(true);
                return 0;
            }
            if (wParam == VK_ESCAPE) {
                self->EndEdit(false);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                return 0;  // no beep
            }
            break;
        case WM_KILLFOCUS:
            if (self->edit_ == hwnd) {
                LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
                self->EndEdit(true);
                return r;
            }
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &GridWindow::EditProc, kEditSubclassId); break;
        default: break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace zandrel
