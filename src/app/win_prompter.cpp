#include "app/win_prompter.h"

#include <commdlg.h>

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
    switch (MessageBoxW(owner, wtext.c_str(), wtitle.c_str(), type)) {
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        case IDCANCEL: return MessageAnswer::Cancel;
        default: return MessageAnswer::Ok;
    }
}

bool WinPrompter::AskSavePath(const SaveDialogSetup& setup, std::string& path) {
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
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const FocusKeeper keeper(owner_ != nullptr && IsWindow(owner_) ? owner_ : nullptr);
    if (!GetSaveFileNameW(&ofn)) {
        return false;
    }
    path = WideToUtf8(file.data());
    return !path.empty();
}

}  // namespace zandrel
