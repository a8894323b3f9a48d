#include "table/save_table_win.h"

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
constexpr char kErrorTitle[] = "\xb4\xed\xce\xf3";                               // 错误
constexpr char kTitlePrefix[] = "\xb8\xdf\xbc\xb6\xb1\xed\xb8\xf1\xb1\xe0\xbc\xad\xc6\xf7-";  // 高级表格编辑器-
constexpr char kAskSaveBefore[] = "\xca\xc7\xb7\xf1\xb1\xa3\xb4\xe6\xb6\xd4\xa1\xbe";         // 是否保存对【
constexpr char kAskSaveAfter[] = "\xa1\xbf\xb5\xc4\xb8\xfc\xb8\xc4?";                         // 】的更改?
constexpr char kAskSaveTitle[] = "\xb1\xa3\xb4\xe6\xcc\xe1\xca\xbe";                          // 保存提示

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
    std::wstring target = Utf8ToWide(path);
    if (target.empty()) {
        return false;
    }
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    std::wstring temp = target + L".zandrel-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    bool written = false;
    {
        UniqueFile file(
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return false;
        }
        DWORD done = 0;
        written = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                  done == bytes.size() && FlushFileBuffers(file.get());
    }
    if (written && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temp.c_str());
    return false;
}

bool SaveTable(HWND mainWindow, const GridModel& grid, Prompter& prompter, DocumentState& doc) {
    std::string path;
    if (!prompter.AskSavePath(SaveDialogSetup{kSaveFilter, "CSV"}, path)) {
        return false;
    }
    // Shown through the GBK texts: a character GBK lacks is shown as '?', the file itself keeps its name.
    const std::string shownPath = WideToGbk(Utf8ToWide(path));
    if (!WriteFileReplacing(path, TableToCsv(grid))) {
        prompter.ShowMessage(std::string(kSaveFailed) + shownPath + "\r\n" + kNothingChanged, kErrorTitle,
                             MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    doc.savePath = path;
    prompter.ShowMessage(kSaveDone, kInfoTitle, MessageButtons::Ok, MessageIcon::Information);
    doc.modified = false;
    doc.documentName = DocumentNameFromPath(shownPath);
    SetWindowTextW(mainWindow, GbkToWide(std::string(kTitlePrefix) + doc.documentName).c_str());
    return true;
}

bool ConfirmClose(HWND mainWindow, const GridModel& grid, Prompter& prompter, DocumentState& doc) {
    if (!doc.modified) {
        return true;
    }
    std::string question = std::string(kAskSaveBefore) + doc.documentName + kAskSaveAfter;
    switch (prompter.ShowMessage(question, kAskSaveTitle, MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case MessageAnswer::Yes: return SaveTable(mainWindow, grid, prompter, doc);
        case MessageAnswer::No: return true;
        default: return false;
    }
}

}  // namespace zandrel
