// The real message boxes belong to the program's window: owned by it and modal to it, and when they close the
// window is active again with the keyboard where it was, also without a window manager (Wine under Xvfb).
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "app/win_prompter.h"
#include "base/encoding.h"

namespace zandrel {
namespace {

// Closes the first message box of this process that appears, and reports its owner.
class BoxCloser {
  public:
    explicit BoxCloser(const wchar_t* title) : title_(title) {
        thread_ = std::thread([this] {
            for (int i = 0; i < 500 && !closed_; ++i) {
                if (HWND box = FindWindowW(L"#32770", title_)) {
                    owner_ = GetWindow(box, GW_OWNER);
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                    closed_ = true;
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }
    ~BoxCloser() { thread_.join(); }
    HWND Owner() const { return owner_; }
    bool Closed() const { return closed_; }

  private:
    const wchar_t* title_;
    std::atomic<bool> closed_{false};
    std::atomic<HWND> owner_{nullptr};
    std::thread thread_;
};

TEST(WinPrompter, AMessageBoxIsOwnedByTheWindowAndGivesTheKeyboardBack) {
    HWND window = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24, window, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    SetForegroundWindow(window);
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);

    WinPrompter prompter(window);
    const char title[] = "\xd0\xc5\xcf\xa2\xa3\xba";  // 信息：
    const std::wstring wideTitle = GbkToWide(title);
    MessageAnswer answer = MessageAnswer::Cancel;
    {
        BoxCloser closer(wideTitle.c_str());
        answer = prompter.ShowMessage("\xb2\xe9\xd1\xaf\xcd\xea\xb3\xc9", title, MessageButtons::Ok, MessageIcon::None);
        EXPECT_TRUE(closer.Closed());
        EXPECT_EQ(closer.Owner(), window);
    }
    EXPECT_EQ(answer, MessageAnswer::Ok);
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(GetFocus(), edit);
    DestroyWindow(window);
}

}  // namespace
}  // namespace zandrel
