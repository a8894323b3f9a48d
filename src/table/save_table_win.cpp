#include "table/save_table_win.h"

#include <cwchar>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "table/csv_writer.h"
#include "table/grid_model.h"

namespace zandrel {
namespace {

// CSV文件文件 *.CSV|*.CSV|文本文件（*.txt）|*.txt
constexpr char kSaveFilter[] =
    "CSV\xce\xc4\xbc\xfe\xce\xc4\xbc\xfe *.CSV|*.CSV|\xce\xc4\xb1\xbe\xce\xc4\xbc\xfe\xa3\xa8*.txt\xa3\xa9|*.txt";
constexpr char kSaveDone[] = "\xce\xc4\xbc\xfe\xb1\xa3\xb4\xe6\xb3\xc9\xb9\xa6\xa1\xa3";    // 文件保存成功。
constexpr char kInfoTitle[] = "\xd0\xc5\xcf\xa2";                                           // 信息
constexpr char kSaveFailed[] = "\xce\xc4\xbc\xfe\xb1\xa3\xb4\xe6\xca\xa7\xb0\xdc\xa3\xba";  // 文件保存失败：
constexpr char kNothingChanged[] =
    "\xd4\xad\xd3\xd0\xce\xc4\xbc\xfe\xce\xb4\xb1\xbb\xb8\xc4\xb6\xaf\xa1\xa3";  // 原有文件未被改动。
// 原有文件已不在原处，表格的内容保存在：
constexpr char kRowsKeptAt[] =
    "\xd4\xad\xd3\xd0\xce\xc4\xbc\xfe\xd2\xd1\xb2\xbb\xd4\xda\xd4\xad\xb4\xa6\xa3\xac\xb1\xed\xb8\xf1\xb5\xc4\xc4\xda"
    "\xc8\xdd\xb1\xa3\xb4\xe6\xd4\xda\xa3\xba";
constexpr char kErrorTitle[] = "\xb4\xed\xce\xf3";                                            // 错误
constexpr char kTitlePrefix[] = "\xb8\xdf\xbc\xb6\xb1\xed\xb8\xf1\xb1\xe0\xbc\xad\xc6\xf7-";  // 高级表格编辑器-
constexpr char kAskSaveBefore[] = "\xca\xc7\xb7\xf1\xb1\xa3\xb4\xe6\xb6\xd4\xa1\xbe";         // 是否保存对【
constexpr char kAskSaveAfter[] = "\xa1\xbf\xb5\xc4\xb8\xfc\xb8\xc4?";                         // 】的更改?
constexpr char kAskSaveTitle[] = "\xb1\xa3\xb4\xe6\xcc\xe1\xca\xbe";                          // 保存提示

// A path that, or whose temporary neighbour, comes near the classic length limit is given to the file system in
// its extended-length form, which has no such limit whatever the system's long-path policy; shorter paths are
// left as they are.
std::wstring LongPathForm(const std::wstring& path) {
    if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\?\\", 0) == 0) {
        return path;
    }
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return path;
    }
    full.resize(length);
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\... -> \\?\UNC\server\share\...
    }
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') {
        return L"\\\\?\\" + full;
    }
    return path;
}

// Opens a new file beside the target under a short name of its own ("~zd", four hex digits, ".tmp"), so a
// target whose name or path is near the length limits can still be written; a name already taken is skipped.
UniqueFile CreateTempBeside(const std::wstring& target, std::wstring& temp) {
    const size_t cut = target.find_last_of(L"\\/:");
    const std::wstring folder = cut == std::wstring::npos ? std::wstring() : target.substr(0, cut + 1);
    const unsigned start = (GetCurrentProcessId() * 40503u) ^ GetTickCount();
    for (unsigned attempt = 0; attempt < 256; ++attempt) {
        wchar_t name[16];
        swprintf(name, 16, L"~zd%04x.tmp", (start + attempt) & 0xffffu);
        temp = folder + name;
        UniqueFile file(
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            return file;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    temp.clear();
    return UniqueFile();
}

}  // namespace

// Puts the written temporary file in the target's place. An existing target is replaced the way the system
// replaces a document, so the file keeps what the user gave it (its permissions, its creation time, attributes
// such as hidden); where the file system cannot do that, the temporary file is moved over it, and the
// attributes are put back by hand either way (Wine's replacement drops them). False when the target keeps its
// old content; the caller then removes the temporary file, except when keepTemp says the system took the target
// away and could not move the new file in: the written rows stay there under the temporary name rather than
// being lost. `attributes` are the target's as read before writing (INVALID_FILE_ATTRIBUTES: no target yet).
bool PutInPlace(const std::wstring& temp, const std::wstring& target, DWORD attributes, bool& keepTemp) {
    constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    keepTemp = false;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return MoveFileExW(temp.c_str(), target.c_str(), kMoveFlags) != FALSE;
    }
    bool placed =
        ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE;
    if (!placed) {
        const bool targetGone = GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
        placed = MoveFileExW(temp.c_str(), target.c_str(), kMoveFlags) != FALSE;
        keepTemp = !placed && targetGone;
    }
    if (placed && (attributes & kKept) != 0) {
        const DWORD now = GetFileAttributesW(target.c_str());
        if (now != INVALID_FILE_ATTRIBUTES && (now & kKept) != (attributes & kKept)) {
            SetFileAttributesW(target.c_str(), (now & ~kKept & ~FILE_ATTRIBUTE_NORMAL) | (attributes & kKept));
        }
    }
    return placed;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string* keptAt, FilePlacer place) {
    if (keptAt != nullptr) {
        keptAt->clear();
    }
    const std::wstring target = LongPathForm(Utf8ToWide(path));
    if (target.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    std::wstring temp;
    bool written = false;
    {
        UniqueFile file = CreateTempBeside(target, temp);
        if (!file) {
            return false;
        }
        DWORD done = 0;
        written = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                  done == bytes.size() && FlushFileBuffers(file.get());
    }
    bool keepTemp = false;
    if (written && place(temp, target, attributes, keepTemp)) {
        return true;
    }
    if (!keepTemp) {
        DeleteFileW(temp.c_str());
    } else if (keptAt != nullptr) {
        // Named as the user knows paths, without the extended-length prefix.
        std::wstring shown = temp;
        if (shown.rfind(L"\\\\?\\UNC\\", 0) == 0) {
            shown = L"\\\\" + shown.substr(8);
        } else if (shown.rfind(L"\\\\?\\", 0) == 0) {
            shown = shown.substr(4);
        }
        *keptAt = WideToUtf8(shown);
    }
    return false;
}

std::string SaveFailedText(const std::string& shownPath, const std::string& keptAt) {
    return std::string(kSaveFailed) + shownPath + "\r\n" +
           (keptAt.empty() ? std::string(kNothingChanged) : kRowsKeptAt + keptAt);
}

bool SaveTable(HWND mainWindow,
               const GridModel& grid,
               Prompter& prompter,
               DocumentState& doc,
               const std::vector<int>* order) {
    std::string path;
    if (!prompter.AskSavePath(SaveDialogSetup{kSaveFilter, "CSV"}, path)) {
        return false;
    }
    // Shown through the GBK texts: a character GBK lacks is shown as '?', the file itself keeps its name.
    const std::string shownPath = WideToGbk(Utf8ToWide(path));
    std::string keptAt;
    if (!WriteFileReplacing(path, order != nullptr ? TableToCsv(grid, *order) : TableToCsv(grid), &keptAt)) {
        prompter.ShowMessage(SaveFailedText(shownPath, WideToGbk(Utf8ToWide(keptAt))), kErrorTitle, MessageButtons::Ok,
                             MessageIcon::Error);
        return false;
    }
    doc.savePath = path;
    prompter.ShowMessage(kSaveDone, kInfoTitle, MessageButtons::Ok, MessageIcon::Information);
    doc.modified = false;
    doc.documentName = DocumentNameFromPath(shownPath);
    SetWindowTextW(mainWindow, GbkToWide(std::string(kTitlePrefix) + doc.documentName).c_str());
    return true;
}

bool ConfirmClose(HWND mainWindow,
                  const GridModel& grid,
                  Prompter& prompter,
                  DocumentState& doc,
                  const std::vector<int>* order) {
    if (!doc.modified) {
        return true;
    }
    std::string question = std::string(kAskSaveBefore) + doc.documentName + kAskSaveAfter;
    switch (prompter.ShowMessage(question, kAskSaveTitle, MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case MessageAnswer::Yes: return SaveTable(mainWindow, grid, prompter, doc, order);
        case MessageAnswer::No: return true;
        default: return false;
    }
}

}  // namespace zandrel
