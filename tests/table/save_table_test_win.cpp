// Writing a file through its temporary neighbour, with names and paths near the file system's length limits.
#include "table/save_table_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/encoding.h"

namespace zandrel {
namespace {

// Every path below goes to the file system in its extended-length form, so the test's own set-up and checks
// are not bound by the classic limit it probes.
std::wstring Extended(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

std::string ReadAll(const std::wstring& path) {
    HANDLE f = CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    std::string data;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0) {
        data.append(buf, got);
    }
    CloseHandle(f);
    return data;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Extended(folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(fd.cFileName);
        }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

// A fresh folder under the temporary folder, removed with everything in it at the end.
class SaveFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t base[MAX_PATH];
        DWORD n = GetFullPathNameW(std::wstring(base, GetTempPathW(MAX_PATH, base)).c_str(), MAX_PATH, base, nullptr);
        root_ = std::wstring(base, n) + L"zs" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
        made_.push_back(root_);
    }
    void TearDown() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            for (const std::wstring& name : FilesIn(*it)) {
                DeleteFileW(Extended(*it + L"\\" + name).c_str());
            }
            RemoveDirectoryW(Extended(*it).c_str());
        }
    }
    // A folder under the root whose full path has exactly the given length, made of components of at most 99
    // characters.
    std::wstring FolderOfLength(size_t length) {
        std::wstring folder = root_;
        const wchar_t letter = nextLetter_++;
        EXPECT_NE(length, folder.size() + 1);
        while (folder.size() < length) {
            const size_t left = length - folder.size();
            const size_t step = left <= 100 ? left : (left == 101 ? 99 : 100);
            folder += L"\\" + std::wstring(step - 1, letter);
            EXPECT_TRUE(CreateDirectoryW(Extended(folder).c_str(), nullptr));
            made_.push_back(folder);
        }
        return folder;
    }
    std::wstring root_;
    wchar_t nextLetter_ = L'a';
    std::vector<std::wstring> made_;
};

TEST_F(SaveFolder, TargetsNearTheLengthLimitsAreWrittenAndReplaced) {
    const struct {
        const char* what;
        size_t folderLength;  // 0: the root folder itself
        std::wstring name;
    } cases[] = {
        {"a file name of 240 characters", 0, std::wstring(236, L'n') + L".csv"},
        {"a full path of 259 characters with a short name", 253, L"a.csv"},
        {"a full path of 247 characters with a long name", 150, std::wstring(92, L'm') + L".csv"},
        {"a full path beyond the classic limit", 300, L"results.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring folder = c.folderLength == 0 ? root_ : FolderOfLength(c.folderLength);
        const std::wstring target = folder + L"\\" + c.name;
        ASSERT_TRUE(WriteFileReplacing(WideToUtf8(target), "first\r\n"));
        EXPECT_EQ(ReadAll(target), "first\r\n");
        ASSERT_TRUE(WriteFileReplacing(WideToUtf8(target), "second,\"x\"\r\n"));
        EXPECT_EQ(ReadAll(target), "second,\"x\"\r\n");
        // The temporary neighbour is gone: the target is the only file in its folder.
        EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{c.name});
        DeleteFileW(Extended(target).c_str());
    }
}

// Files that happen to carry the temporary names are neither touched nor in the way.
TEST_F(SaveFolder, StrayTemporaryLookalikesAreLeftAlone) {
    for (unsigned i = 0; i < 0x10000; i += 0x101) {
        wchar_t name[16];
        swprintf(name, 16, L"~zd%04x.tmp", i);
        HANDLE f = CreateFileW((root_ + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        DWORD done = 0;
        WriteFile(f, "keep", 4, &done, nullptr);
        CloseHandle(f);
    }
    const size_t before = FilesIn(root_).size();
    const std::wstring target = root_ + L"\\out.csv";
    ASSERT_TRUE(WriteFileReplacing(WideToUtf8(target), "rows\r\n"));
    EXPECT_EQ(ReadAll(target), "rows\r\n");
    EXPECT_EQ(FilesIn(root_).size(), before + 1);
    for (const std::wstring& name : FilesIn(root_)) {
        if (name != L"out.csv") {
            EXPECT_EQ(ReadAll(root_ + L"\\" + name), "keep");
        }
    }
}

// Saving over an existing file changes its content only: a hidden file stays hidden.
TEST_F(SaveFolder, AReplacedFileKeepsItsAttributes) {
    const std::wstring target = root_ + L"\\hidden.csv";
    ASSERT_TRUE(WriteFileReplacing(WideToUtf8(target), "first\r\n"));
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFileReplacing(WideToUtf8(target), "second\r\n"));
    EXPECT_EQ(ReadAll(target), "second\r\n");
    const DWORD attributes = GetFileAttributesW(target.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(FilesIn(root_), std::vector<std::wstring>{L"hidden.csv"});
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// When the system took the old file away but could not move the new one in, the written rows stay in the
// temporary file, the caller learns its name and the error box says where the rows are; a placement that simply
// failed leaves the old file and no temporary one.
TEST_F(SaveFolder, RowsWrittenWhenTheOldFileIsGoneStayInTheTemporaryFileAndAreNamed) {
    const std::wstring target = root_ + L"\\results.csv";
    ASSERT_TRUE(WriteFileReplacing(WideToUtf8(target), "old\r\n"));
    const FilePlacer oldFileTakenAway = [](const std::wstring&, const std::wstring& to, DWORD, bool& keepTemp) {
        DeleteFileW(to.c_str());
        keepTemp = true;
        return false;
    };
    std::string keptAt = "stale";
    EXPECT_FALSE(WriteFileReplacing(WideToUtf8(target), "new rows\r\n", &keptAt, oldFileTakenAway));
    ASSERT_FALSE(keptAt.empty());
    EXPECT_EQ(ReadAll(Utf8ToWide(keptAt)), "new rows\r\n");
    EXPECT_EQ(keptAt.rfind(WideToUtf8(root_) + "\\~zd", 0), 0u) << keptAt;
    const std::string text = SaveFailedText("results.csv", WideToGbk(Utf8ToWide(keptAt)));
    EXPECT_NE(text.find(WideToGbk(Utf8ToWide(keptAt))), std::string::npos);
    EXPECT_EQ(text.find(Utf8ToGbk("原有文件未被改动")), std::string::npos);
    DeleteFileW(Utf8ToWide(keptAt).c_str());

    const FilePlacer refused = [](const std::wstring&, const std::wstring&, DWORD, bool& keepTemp) {
        keepTemp = false;
        return false;
    };
    ASSERT_TRUE(WriteFileReplacing(WideToUtf8(target), "old\r\n"));
    EXPECT_FALSE(WriteFileReplacing(WideToUtf8(target), "new rows\r\n", &keptAt, refused));
    EXPECT_TRUE(keptAt.empty());
    EXPECT_EQ(ReadAll(target), "old\r\n");
    EXPECT_EQ(FilesIn(root_), std::vector<std::wstring>{L"results.csv"});
    EXPECT_NE(SaveFailedText("results.csv", "").find(Utf8ToGbk("原有文件未被改动")), std::string::npos);
}

TEST_F(SaveFolder, AFolderOrAMissingFolderIsRefused) {
    EXPECT_FALSE(WriteFileReplacing(WideToUtf8(root_), "x"));
    EXPECT_FALSE(WriteFileReplacing(WideToUtf8(root_ + L"\\missing\\out.csv"), "x"));
    EXPECT_TRUE(FilesIn(root_).empty());
}

}  // namespace
}  // namespace zandrel
