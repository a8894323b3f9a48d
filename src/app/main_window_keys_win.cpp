// The main window's keyboard: where the focus starts and goes back to, the default button, Ctrl+S.
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "table/grid_window_win.h"

namespace zandrel {

namespace {

bool IsTextBox(HWND control) {
    wchar_t name[16] = {};
    return GetClassNameW(control, name, 16) > 0 && lstrcmpiW(name, L"Edit") == 0;
}

// A push button, also once the skin draws it: a skinned push button is owner-drawn, and an owner-drawn button no
// longer says it is a push button when asked for its dialog code.
bool IsPushButton(HWND control) {
    const LRESULT code = SendMessageW(control, WM_GETDLGCODE, 0, 0);
    if ((code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) != 0) {
        return true;
    }
    return (code & DLGC_BUTTON) != 0 && (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

}  // namespace

bool MainWindow::PreTranslateMessage(MSG& msg) {
    if (hwnd_ == nullptr || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) {
        return false;
    }
    if (run_.running) {
        // Esc stops the run, except in a cell being edited, where it only cancels the edit.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            if (grid_ != nullptr && grid_->EditBox() != nullptr && msg.hwnd == grid_->EditBox()) {
                return false;
            }
            RequestStop();
            return true;
        }
        // The second press of a double click that started the run is no press on its Stop button.
        if (msg.message == WM_LBUTTONDBLCLK && msg.hwnd == run_.button) {
            return true;
        }
    }
    const bool ctrlOnly = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
    if (msg.message == WM_KEYDOWN && msg.wParam == 'S' && ctrlOnly) {
        OnGridRightButton();
        return true;
    }
    // Ctrl+F goes to the filter; Esc there empties it.
    if (msg.message == WM_KEYDOWN && msg.wParam == 'F' && ctrlOnly) {
        SetFocus(panel_.FilterBox());
        SendMessageW(panel_.FilterBox(), EM_SETSEL, 0, -1);
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && msg.hwnd == panel_.FilterBox()) {
        panel_.ClearFilter();
        return true;
    }
    // Ctrl+Z and Ctrl+Y take the table's changes back and make them again, except in a text box, whose own
    // typing they take back.
    if (msg.message == WM_KEYDOWN && (msg.wParam == 'Z' || msg.wParam == 'Y') && ctrlOnly && !IsTextBox(msg.hwnd)) {
        UndoTableChange(msg.wParam == 'Y');
        return true;
    }
    // Alt+S sorts the table by the column its cursor is in, a step on each time, as a click on the column's title.
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == 'S') {
        grid_->SortByCursorColumn();
        return true;
    }
    // Alt+F4 closes the window whichever control has the keyboard (a drop-down list keeps it to itself).
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
        PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

LRESULT MainWindow::DefaultButtonId() const {
    // A focused push button is what Enter presses; anywhere else (the keyword box above all) it is the
    // suggestion query.
    HWND focus = GetFocus();
    HWND button = Control(texts::kButton1);
    if (focus != nullptr && GetParent(focus) == hwnd_ && IsPushButton(focus)) {
        button = focus;
    }
    return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
}

LRESULT MainWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) {
            lastFocus_ = focus;
        }
        return DefWindowProcW(hwnd_, WM_ACTIVATE, wParam, lParam);
    }
    if (HIWORD(wParam) != 0) {  // activated while minimised: no focus to give
        return DefWindowProcW(hwnd_, WM_ACTIVATE, wParam, lParam);
    }
    OnSetFocus();
    return 0;
}

void MainWindow::OnSetFocus() {
    // The keyboard never stays on the bare window: the control that had it, or else the keyword box.
    const auto canTake = [this](HWND control) {
        return control != nullptr && IsWindow(control) && IsChild(hwnd_, control) && IsWindowEnabled(control) &&
               IsWindowVisible(control);
    };
    HWND target = canTake(lastFocus_) ? lastFocus_ : Control(texts::kEdit2);
    if (canTake(target)) {
        SetFocus(target);
    }
}

}  // namespace zandrel
