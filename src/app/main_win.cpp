// Program start: the skin engine, the main window, the message loop, shutdown.
#include <windows.h>

#include <cstdlib>

#include "app/main_window_win.h"
#include "app/win_prompter.h"
#include "app/skin_setup_win.h"
#include "skin/core/skin_engine.h"
#include "query/winhttp_fetcher_win.h"

#ifndef ZANDREL_DEMO
#define ZANDREL_DEMO 0
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    using namespace zandrel;
    std::unique_ptr<SkinEngine> skin = StartSkinEngine();
    if (!skin) {
        return 1;
    }
    WinPrompter prompter;
    WinHttpFetcher fetcher(prompter);
    MainWindowOptions options;
    if (ZANDREL_DEMO) {
        // The demonstration build takes the simulated marketplace's port as its one argument.
        const int port = commandLine != nullptr ? _wtoi(commandLine) : 0;
        options.endpoints = port > 0 && port < 65536 ? DemoEndpoints(port) : DemoEndpoints();
    }
    options.prompter = &prompter;
    options.fetcher = &fetcher;
    options.quitOnDestroy = true;
    options.skin = skin.get();
    auto window = MainWindow::Create(options);
    if (!window) {
        return 1;
    }
    prompter.SetDialogOwner(window->Hwnd());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!window->PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    window.reset();
    skin.reset();  // after the window: shuts GDI+ down
    return static_cast<int>(msg.wParam);
}
