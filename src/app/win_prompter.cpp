#include "app/win_prompter.h"

#include <commdlg.h>

#include <vector>

#include "base/encoding.h"

namespace zandrel {

MessageAnswer WinPrompter::ShowMessage(std::string_view text,
                                       std::string_view title,
                                       MessageButtons buttons,
                                       MessageIcon icon) {
    UINT type = MB_TASKMODAL | (buttons == MessageButtons::YesNoCancel ? MB_YESNOCANCEL : MB_OK);
    switch (icon) {
        case MessageIcon::Information: type |= MB_ICONINFORMATION; break;
        case MessageIcon::Question: type |= MB_ICONQUESTION; break;
        case MessageIcon::Error: type |= MB_ICONERROR; break;
        case MessageIcon::None: break;
    }
    std::wstring wtext = GbkToWide(text);
    std::wstring wtitle = GbkToWide(title);
    switch (MessageBoxW(nullptr, wtext.c_str(), wtitle.c_str(), type)) {
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
    if (!GetSaveFileNameW(&ofn)) {
        return false;
    }
    path = WideToGbk(file.data());
    return !path.empty();
}

}  // namespace zandrel
