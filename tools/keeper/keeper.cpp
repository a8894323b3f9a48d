// Test-session helper run under Wine.
//   keeper.exe                  keeps a hidden window alive so Wine's desktop process does not exit between tests
//   keeper.exe close CLASS EXE  posts WM_CLOSE to the top-level windows of that class that belong to a process
//                               whose image is named EXE; exit code 0 when one was found
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

struct CloseRequest {
    const wchar_t* cls;
    const wchar_t* exe;
    int posted = 0;
};

bool ImageNameEndsWith(DWORD pid, const wchar_t* exe) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) {
        return false;
    }
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    bool ok = QueryFullProcessImageNameW(process, 0, path, &size) != 0;
    CloseHandle(process);
    if (!ok) {
        return false;
    }
    std::wstring p(path);
    std::wstring tail = std::wstring(L"\\") + exe;
    return p.size() >= tail.size() && _wcsicmp(p.c_str() + p.size() - tail.size(), tail.c_str()) == 0;
}

BOOL CALLBACK CloseMatching(HWND hwnd, LPARAM param) {
    auto* request = reinterpret_cast<CloseRequest*>(param);
    wchar_t cls[128] = {};
    GetClassNameW(hwnd, cls, 128);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (std::wcscmp(cls, request->cls) == 0 && ImageNameEndsWith(pid, request->exe)) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        ++request->posted;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wcscmp(argv[1], L"close") == 0) {
        CloseRequest request{argv[2], argv[3]};
        EnumWindows(CloseMatching, reinterpret_cast<LPARAM>(&request));
        return request.posted > 0 ? 0 : 1;
    }
    CreateWindowW(L"STATIC", L"zandrel-keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        DispatchMessageW(&m);
    }
    return 0;
}
