#include "app/workbench_panel_win.h"

#include <commctrl.h>

#include "base/encoding.h"
#include "base/window_text.h"

namespace zandrel {
namespace {

constexpr char kFilterCue[] = "\xc9\xb8\xd1\xa1\xa3\xba\xb4\xca\xd3\xef\xa3\xac-\xc5\xc5\xb3\xfd";  // 筛选：词语，-排除
constexpr char kMergeText[] = "\xba\xcf\xb2\xa2\xd6\xd8\xb8\xb4";                                   // 合并重复
constexpr char kExcludeText[] = "\xb7\xf1\xb6\xa8\xb4\xca\xa1\xad";                                 // 否定词…
constexpr char kExportText[] = "\xb5\xbc\xb3\xf6";                                                  // 导出
constexpr char kShownBefore[] = "\xcf\xd4\xca\xbe ";                                                // "显示 "
constexpr char kShownAfter[] = " \xd0\xd0";                                                         // " 行"

// The free wood right of the keyword row and the running-query label, above the banner picture.
constexpr int kLeft = 472;
constexpr int kWidth = 168;
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;

struct Place {
    int x, y, width, height;
};

HWND AddControl(HWND parent, const wchar_t* windowClass, const char* text, DWORD style, Place at, int id, HFONT font) {
    HWND control = CreateWindowExW(
        0, windowClass, GbkToWide(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, at.x, at.y, at.width,
        at.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

}  // namespace

bool WorkbenchPanel::Create(HWND parent, HFONT font, WorkbenchActions actions) {
    actions_ = std::move(actions);
    filter_ = AddControl(parent, L"EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, {kLeft, 32, kWidth, 22},
                         kFilterId, font);
    merge_ = AddControl(parent, L"BUTTON", kMergeText, kButtonStyle, {kLeft, 58, 58, 22}, kMergeId, font);
    exclude_ = AddControl(parent, L"BUTTON", kExcludeText, kButtonStyle, {kLeft + 58, 58, 56, 22}, kExcludeId, font);
    export_ =
        AddControl(parent, L"BUTTON", kExportText, kButtonStyle, {kLeft + 114, 58, kWidth - 114, 22}, kExportId, font);
    shown_ = AddControl(parent, L"STATIC", "", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, {kLeft, 81, kWidth, 18},
                        kShownId, font);
    if (!filter_ || !merge_ || !exclude_ || !export_ || !shown_) {
        return false;
    }
    SendMessageW(filter_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(GbkToWide(kFilterCue).c_str()));
    ShowCounts(0, 0);
    return true;
}

bool WorkbenchPanel::OnCommand(int id, int code) {
    switch (id) {
        case kFilterId:
            if (code == EN_CHANGE && actions_.filter) {
                actions_.filter(WindowTextGbk(filter_));
            }
            return true;
        case kMergeId:
            if (code == BN_CLICKED && actions_.merge) {
                actions_.merge();
            }
            return true;
        case kExcludeId:
            if (code == BN_CLICKED && actions_.excludeWords) {
                actions_.excludeWords();
            }
            return true;
        case kExportId:
            if (code == BN_CLICKED && actions_.exportRows) {
                actions_.exportRows();
            }
            return true;
        case kShownId: return true;
        default: return false;
    }
}

void WorkbenchPanel::ShowCounts(int shown, int total) {
    std::string text = kShownBefore + std::to_string(shown) + " / " + std::to_string(total) + kShownAfter;
    if (text == shownText_) {
        return;
    }
    shownText_ = std::move(text);
    SetWindowTextW(shown_, GbkToWide(shownText_).c_str());
    // A transparent label shows the wood behind its old text only when its parent repaints that part too.
    HWND parent = GetParent(shown_);
    RECT area{};
    GetWindowRect(shown_, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WorkbenchPanel::ClearFilter() {
    SetWindowTextW(filter_, L"");
}

}  // namespace zandrel
