// A fresh folder under the system's temporary folder for tests that write files, removed with the files in it
// (one level of subfolders too) when the test ends; and the helpers that read what was written.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/encoding.h"

namespace zandrel::testing {

// The names of the files (not folders) in `folder`.
inline std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(found.cFileName);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The whole file, or "<missing>".
inline std::string ReadAll(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    std::string data;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        data.append(buffer, got);
    }
    CloseHandle(file);
    return data;
}

inline bool WriteAll(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD done = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
    CloseHandle(file);
    return ok;
}

class TempFolderTest : public ::testing::Test {
  protected:
    // Named at construction, so members of a derived fixture can be built from its paths; made by SetUp.
    TempFolderTest() {
        wchar_t base[MAX_PATH];
        const DWORD length = GetTempPathW(MAX_PATH, base);
        root_ = std::wstring(base, length) + L"zt" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount());
    }
    void SetUp() override {
        ASSERT_GT(root_.size(), 2u);
        ASSERT_EQ(root_[1], L':');  // a full path, never one that leads elsewhere
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(root_, 1); }

    std::wstring Path(const std::wstring& name) const { return root_ + L"\\" + name; }
    std::string Utf8Path(const std::wstring& name) const { return WideToUtf8(Path(name)); }

    std::wstring root_;

  private:
    static void RemoveTree(const std::wstring& folder, int depth) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                const std::wstring path = folder + L"\\" + name;
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(path.c_str());
                } else if (depth > 0 && name != L"." && name != L"..") {
                    RemoveTree(path, depth - 1);
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
};

}  // namespace zandrel::testing
