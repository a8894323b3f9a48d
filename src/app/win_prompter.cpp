#include "app/win_prompter.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "base/encoding.h"

namespace zandrel {

namespace {

// What had the keyboard before a dialog of the owner opened; given back when it closes, since without a window
// manager (Wine) nothing else would make the owner active again.
class FocusKeeper {
  public:
    explicit FocusKeeper(HWND owner) : owner_(owner), focus_(GetFocus()) {}
    ~FocusKeeper() {
        if (owner_ == nullptr || !IsWindow(owner_)) {
            return;
        }
        SetForegroundWindow(owner_);
        SetActiveWindow(owner_);
        const bool ours = focus_ != nullptr && IsWindow(focus_) && (focus_ == owner_ || IsChild(owner_, focus_));
        SetFocus(ours && IsWindowEnabled(focus_) ? focus_ : owner_);
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

  private:
    HWND owner_;
    HWND focus_;
};

// Moves the first dialog the owner opens on this thread (a message box, the save dialog) to the middle of the
// owner, inside the owner's monitor; on its own a message box opens in the middle of the screen, wherever the
// window is. Installed for one call.
class CentreOverOwner {
  public:
    explicit CentreOverOwner(HWND owner) : previous_(owner_) {
        if (owner != nullptr) {
            owner_ = owner;
            hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
        }
    }
    ~CentreOverOwner() {
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
        }
        owner_ = previous_;
    }
    CentreOverOwner(const CentreOverOwner&) = delete;
    CentreOverOwner& operator=(const CentreOverOwner&) = delete;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && owner_ != nullptr) {
            HWND dialog = reinterpret_cast<HWND>(wParam);
            wchar_t className[16] = {};
            GetClassNameW(dialog, className, 16);
            if (wcscmp(className, L"#32770") == 0 && GetWindow(dialog, GW_OWNER) == owner_) {
                Centre(dialog, owner_);
                owner_ = nullptr;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static void Centre(HWND dialog, HWND owner) {
        RECT over{};
        RECT box{};
        if (!GetWindowRect(owner, &over) || !GetWindowRect(dialog, &box)) {
            return;
        }
        if (IsIconic(owner)) {
            // A minimised window lies far off the screen: centre over where it comes back to instead.
            WINDOWPLACEMENT placement{};
            placement.length = sizeof(placement);
            if (!GetWindowPlacement(owner, &placement)) {
                return;
            }
            over = placement.rcNormalPosition;
        }
        const int width = box.right - box.left;
        const int height = box.bottom - box.top;
        int x = over.left + (over.right - over.left - width) / 2;
        int y = over.top + (over.bottom - over.top - height) / 2;
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
            y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
        }
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static thread_local HWND owner_;
    HWND previous_;
    HHOOK hook_ = nullptr;
};

thread_local HWND CentreOverOwner::owner_ = nullptr;

}  // namespace

MessageAnswer WinPrompter::ShowMessage(std::string_view text,
                                       std::string_view title,
                                       MessageButtons buttons,
                                       MessageIcon icon) {
    HWND owner = owner_ != nullptr && IsWindow(owner_) ? owner_ : nullptr;
    // Modal to the window that owns it: above it, no taskbar button of its own, the window active again after.
    UINT type = (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL) |
                (buttons == MessageButtons::YesNoCancel ? MB_YESNOCANCEL : MB_OK);
    switch (icon) {
        case MessageIcon::Information: type |= MB_ICONINFORMATION; break;
        case MessageIcon::Question: type |= MB_ICONQUESTION; break;
        case MessageIcon::Error: type |= MB_ICONERROR; break;
        case MessageIcon::None: break;
    }
    std::wstring wtext = GbkToWide(text);
    std::wstring wtitle = GbkToWide(title);
    const FocusKeeper keeper(owner);
    const CentreOverOwner centre(owner);
    switch (MessageBoxW(owner, wtext.c_str(), wtitle.c_str(), type)) {
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        case IDCANCEL: return MessageAnswer::Cancel;
        default: return MessageAnswer::Ok;
    }
}

bool WinPrompter::AskSavePath(const SaveDialogSetup& setup, std::string& path) {
    int fileType = 0;
    return AskSavePathAndType(setup, path, fileType);
}

bool WinPrompter::AskSavePathAndType(const SaveDialogSetup& setup, std::string& path, int& fileType) {
    // The filter is written with "|" between its parts; the dialog wants NUL separators and a double NUL end.
    std::wstring filter = GbkToWide(setup.filter);
    for (wchar_t& c : filter) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    filter.append(2, L'\0');
    std::wstring ext = GbkToWide(setup.defaultExtension);
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(setup.filterIndex, 1));
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    HWND owner = owner_ != nullptr && IsWindow(owner_) ? owner_ : nullptr;
    const FocusKeeper keeper(owner);
    const CentreOverOwner centre(owner);
    if (!GetSaveFileNameW(&ofn)) {
        return false;
    }
    path = WideToUtf8(file.data());
    fileType = static_cast<int>(ofn.nFilterIndex);
    return !path.empty();
}

}  // namespace zandrel
