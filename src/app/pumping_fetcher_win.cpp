#include "app/pumping_fetcher_win.h"

#include <thread>
#include <utility>

#include "base/win_handles.h"

namespace zandrel {

PumpingFetcher::PumpingFetcher(PageFetcher& inner, Hooks hooks) : inner_(inner), hooks_(std::move(hooks)) {}

void PumpingFetcher::PumpUntil(HANDLE done) {
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        // Also once the answer is in: a Stop that came with it counts before the next request.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;  // for the outer loop, once the answer is in
                quitCode = msg.wParam;
                continue;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
                if (hooks_.onEscape) {
                    hooks_.onEscape();
                }
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) {
            break;
        }
    }
    if (quit) {
        PostQuitMessage(static_cast<int>(quitCode));
    }
}

std::string PumpingFetcher::HttpGetText(const std::string& url) {
    std::string answer;
    bool failed = false;
    UniqueKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done) {
        answer = inner_.HttpGetText(url);  // no event, no waiting with the window alive: fetch in place
        failed = inner_.LastRequestFailed();
    } else {
        HANDLE signal = done.get();
        std::thread request([&, signal] {
            answer = inner_.HttpGetText(url);
            failed = inner_.LastRequestFailed();
            SetEvent(signal);
        });
        PumpUntil(signal);
        request.join();
    }
    ++requests_;
    lastFailed_ = failed;
    if (failed) {
        ++failures_;
    }
    if (hooks_.onAnswer) {
        hooks_.onAnswer();
    }
    return answer;
}

}  // namespace zandrel
