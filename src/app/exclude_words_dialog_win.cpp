#include "app/exclude_words_dialog_win.h"

#include <commctrl.h>

#include "base/encoding.h"
#include "base/window_text.h"

namespace zandrel {
namespace {

constexpr wchar_t kClassName[] = L"ZandrelExcludeWords";
constexpr char kTitle[] = "\xb7\xf1\xb6\xa8\xb4\xca";                                         // 否定词
constexpr char kPrompt[] = "\xc3\xbf\xd0\xd0\xd2\xbb\xb8\xf6\xb4\xca\xa3\xba";                // 每行一个词：
constexpr char kHide[] = "\xd2\xfe\xb2\xd8\xba\xac\xb7\xf1\xb6\xa8\xb4\xca\xb5\xc4\xd0\xd0";  // 隐藏含否定词的行
constexpr char kSkip[] =
    "\xcf\xc2\xd2\xbb\xbc\xb6\xb2\xbb\xc0\xa9\xd5\xb9\xba\xac\xb7\xf1\xb6\xa8\xb4\xca\xb5\xc4\xb9\xd8\xbc\xfc\xb4"
    "\xca";  // 下一级不扩展含否定词的关键词
constexpr char kDelete[] = "\xc9\xbe\xb3\xfd\xba\xac\xb7\xf1\xb6\xa8\xb4\xca\xb5\xc4\xd0\xd0";  // 删除含否定词的行
constexpr char kOk[] = "\xc8\xb7\xb6\xa8";                                                      // 确定
constexpr char kCancel[] = "\xc8\xa1\xcf\xfb";                                                  // 取消

enum : int { kIdWords = 100, kIdHide, kIdSkip, kIdDelete };

// The window's state while it is up.
struct DialogState {
    ExcludeWordsSettings* settings = nullptr;
    ExcludeWordsAction answer = ExcludeWordsAction::Cancel;
    bool done = false;
    HWND words = nullptr;
    HWND hide = nullptr;
    HWND skip = nullptr;
};

// Keeps what the seller chose, then ends the window's loop.
void Finish(HWND hwnd, DialogState& state, ExcludeWordsAction answer) {
    if (answer != ExcludeWordsAction::Cancel) {
        state.settings->words = WindowTextGbk(state.words);
        state.settings->hideRows = SendMessageW(state.hide, BM_GETCHECK, 0, 0) == BST_CHECKED;
        state.settings->skipExpanding = SendMessageW(state.skip, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    state.answer = answer;
    state.done = true;
    ShowWindow(hwnd, SW_HIDE);
}

LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_COMMAND:
            if (state == nullptr || HIWORD(wParam) != BN_CLICKED) {
                break;
            }
            switch (LOWORD(wParam)) {
                case IDOK: Finish(hwnd, *state, ExcludeWordsAction::Apply); return 0;
                case IDCANCEL: Finish(hwnd, *state, ExcludeWordsAction::Cancel); return 0;
                case kIdDelete: Finish(hwnd, *state, ExcludeWordsAction::DeleteRows); return 0;
                default: break;
            }
            break;
        case WM_CLOSE:
            if (state != nullptr) {
                Finish(hwnd, *state, ExcludeWordsAction::Cancel);
            }
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool RegisterDialogClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = &DialogProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

HWND AddControl(HWND parent, const wchar_t* windowClass, const char* text, DWORD style, RECT at, int id, HFONT font) {
    HWND control = CreateWindowExW(
        windowClass == std::wstring(L"EDIT") ? WS_EX_CLIENTEDGE : 0, windowClass, GbkToWide(text).c_str(),
        WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.right - at.left, at.bottom - at.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

}  // namespace

ExcludeWordsAction WinExcludeWordsDialog::Ask(HWND owner, ExcludeWordsSettings& settings) {
    if (!RegisterDialogClass()) {
        return ExcludeWordsAction::Cancel;
    }
    constexpr int kWidth = 300;
    constexpr int kHeight = 330;
    RECT frame{0, 0, kWidth, kHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    // Centred over the owner.
    RECT ownerBox{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr) {
        GetWindowRect(owner, &ownerBox);
    }
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (ownerBox.left + ownerBox.right - width) / 2;
    const int y = (ownerBox.top + ownerBox.bottom - height) / 2;
    HWND hwnd = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, GbkToWide(kTitle).c_str(), style, x, y, width, height,
                                owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) {
        return ExcludeWordsAction::Cancel;
    }
    const auto font = reinterpret_cast<HFONT>(owner != nullptr ? SendMessageW(owner, WM_GETFONT, 0, 0) : 0);
    HFONT use = font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    DialogState state;
    state.settings = &settings;
    AddControl(hwnd, L"STATIC", kPrompt, SS_LEFT, {12, 10, 288, 28}, -1, use);
    state.words = AddControl(hwnd, L"EDIT", "", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
                             {12, 30, 288, 200}, kIdWords, use);
    state.hide = AddControl(hwnd, L"BUTTON", kHide, WS_TABSTOP | BS_AUTOCHECKBOX, {12, 206, 288, 226}, kIdHide, use);
    state.skip = AddControl(hwnd, L"BUTTON", kSkip, WS_TABSTOP | BS_AUTOCHECKBOX, {12, 230, 288, 250}, kIdSkip, use);
    AddControl(hwnd, L"BUTTON", kDelete, WS_TABSTOP | BS_PUSHBUTTON, {12, 260, 288, 286}, kIdDelete, use);
    AddControl(hwnd, L"BUTTON", kOk, WS_TABSTOP | BS_DEFPUSHBUTTON, {128, 294, 204, 320}, IDOK, use);
    AddControl(hwnd, L"BUTTON", kCancel, WS_TABSTOP | BS_PUSHBUTTON, {212, 294, 288, 320}, IDCANCEL, use);
    SetWindowTextW(state.words, GbkToWide(settings.words).c_str());
    SendMessageW(state.hide, BM_SETCHECK, settings.hideRows ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(state.skip, BM_SETCHECK, settings.skipExpanding ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));

    // Modal to the owner, as a dialog box is: the owner is off until the window goes, then has the keyboard back.
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        EnableWindow(owner, FALSE);
    }
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(state.words);
    MSG msg;
    while (!state.done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // In the word box Enter starts a new line, but Tab moves on and Esc cancels, as everywhere else in the
        // window (the box would otherwise take both for itself).
        if (msg.message == WM_KEYDOWN && msg.hwnd == state.words && msg.wParam == VK_TAB) {
            SetFocus(GetNextDlgTabItem(hwnd, state.words, GetKeyState(VK_SHIFT) < 0));
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            Finish(hwnd, state, ExcludeWordsAction::Cancel);
            continue;
        }
        if (!IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (!state.done && msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
    }
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
    return state.answer;
}

}  // namespace zandrel
