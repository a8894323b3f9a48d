#include "draw/tooltip_window.h"

#include <string>
#include <utility>

#include <commctrl.h>

#include "base/encoding.h"

namespace zandrel {

namespace {

// The record size every comctl32 version accepts (the full size is refused by version 5 on Windows).
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;

TTTOOLINFOW ToolInfo(HWND owner, UINT_PTR id) {
    TTTOOLINFOW info{};
    info.cbSize = kToolInfoSize;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = id;
    return info;
}

}  // namespace

ToolTipWindow::ToolTipWindow(ToolTipWindow&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)), owner_(std::exchange(other.owner_, nullptr)) {}

ToolTipWindow& ToolTipWindow::operator=(ToolTipWindow&& other) noexcept {
    if (this != &other) {
        Destroy();
        window_ = std::exchange(other.window_, nullptr);
        owner_ = std::exchange(other.owner_, nullptr);
    }
    return *this;
}

HWND ToolTipWindow::Create(HWND owner, bool balloon) {
    Destroy();
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    owner_ = owner;
    const DWORD style = WS_POPUP | TTS_ALWAYSTIP | (balloon ? TTS_BALLOON : 0);
    window_ = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return window_;
}

void ToolTipWindow::Destroy() {
    if (window_ != nullptr) {
        HWND window = std::exchange(window_, nullptr);
        if (IsWindow(window)) {
            DestroyWindow(window);
        }
    }
    owner_ = nullptr;
}

bool ToolTipWindow::AddTool(const RECT& rect, std::string_view text, UINT_PTR id) {
    std::wstring wide = GbkToWide(text);
    TTTOOLINFOW info = ToolInfo(owner_, id);
    info.rect = rect;
    info.lpszText = wide.data();
    return SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

LRESULT ToolTipWindow::DelTool(UINT_PTR id) {
    TTTOOLINFOW info = ToolInfo(owner_, id);
    return SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT ToolTipWindow::NewToolRect(UINT_PTR id, const RECT& rect) {
    TTTOOLINFOW info = ToolInfo(owner_, id);
    info.rect = rect;
    return SendMessageW(window_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT ToolTipWindow::UpdateTipText(UINT_PTR id, std::string_view text) {
    std::wstring wide = GbkToWide(text);
    TTTOOLINFOW info = ToolInfo(owner_, id);
    info.lpszText = wide.data();
    return SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT ToolTipWindow::SetMaxTipWidth(int width) {
    return SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, width);
}

LRESULT ToolTipWindow::SetTipBkColor(COLORREF colour) {
    return SendMessageW(window_, TTM_SETTIPBKCOLOR, colour, 0);
}

LRESULT ToolTipWindow::SetTipTextColor(COLORREF colour) {
    return SendMessageW(window_, TTM_SETTIPTEXTCOLOR, colour, 0);
}

}  // namespace zandrel
