// Test-session helper run under Wine.
//   keeper.exe             keeps a hidden window alive so Wine's desktop process does not exit between tests
//   keeper.exe close CLASS posts WM_CLOSE to the top-level window of that class; exit code 0 when one was found
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"close") == 0) {
        HWND w = FindWindowW(argv[2], nullptr);
        if (!w) {
            return 1;
        }
        PostMessageW(w, WM_CLOSE, 0, 0);
        return 0;
    }
    CreateWindowW(L"STATIC", L"zandrel-keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        DispatchMessageW(&m);
    }
    return 0;
}
