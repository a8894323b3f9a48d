#include "app/exclude_word_store_win.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <memory>
#include <string_view>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "table/save_table_win.h"

namespace zandrel {
namespace {

constexpr wchar_t kProgramFolder[] = L"\\Zandrel";
constexpr char kFileName[] = "exclude-words.txt";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// Far beyond any list a seller types; a larger file is not ours.
constexpr LONGLONG kMaxFileBytes = 16 * 1024 * 1024;

struct CoTaskMemFreer {
    void operator()(wchar_t* p) const { CoTaskMemFree(p); }
};
using CoTaskMemText = std::unique_ptr<wchar_t, CoTaskMemFreer>;

// The whole file; `missing` tells a file (or folder) that is not there from one that cannot be read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes, bool& missing) {
    bytes.clear();
    missing = false;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return false;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxFileBytes) {
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
                           done != bytes.size())) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace

std::string ExcludeWordStore::DefaultFolder() {
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &raw);
    const CoTaskMemText appData(raw);  // freed whether the call succeeded or not
    if (FAILED(result) || appData == nullptr) {
        return std::string();
    }
    return WideToUtf8(std::wstring(appData.get()) + kProgramFolder);
}

std::string ExcludeWordStore::FilePath() const {
    return folder_ + "\\" + kFileName;
}

bool ExcludeWordStore::Load(ExcludeWords& words, int* leftOut) const {
    words = ExcludeWords();
    if (leftOut != nullptr) {
        *leftOut = 0;
    }
    if (folder_.empty()) {
        return true;  // no folder to keep a list in: nothing was ever saved
    }
    std::string bytes;
    bool missing = false;
    if (!ReadWholeFile(Utf8ToWide(FilePath()), bytes, missing)) {
        return missing;
    }
    std::string_view text = bytes;
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        text.remove_prefix(kUtf8Mark.size());
    }
    std::string gbk;
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        std::string converted = Utf8ToGbk(line);
        // A character GBK lacks comes back as '?', broken UTF-8 as something else again: either way not the line.
        if (GbkToUtf8(converted) != line) {
            if (leftOut != nullptr) {
                ++*leftOut;
            }
            continue;
        }
        gbk += converted;
        gbk += "\r\n";
    }
    words = ExcludeWords::FromText(gbk);
    return true;
}

bool ExcludeWordStore::Save(const ExcludeWords& words) const {
    if (folder_.empty()) {
        return false;
    }
    const std::wstring folder = Utf8ToWide(folder_);
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    return WriteFileReplacing(FilePath(), GbkToUtf8(words.ToText()));
}

}  // namespace zandrel
