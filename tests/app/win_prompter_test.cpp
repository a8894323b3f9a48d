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

// Closes the first message box of this process that appears once it shows, and reports its owner and place.
class BoxCloser {
  public:
    explicit BoxCloser(const wchar_t* title) : title_(title) {
        thread_ = std::thread([this] {
            for (int i = 0; i < 500 && !closed_; ++i) {
                HWND box = FindWindowW(L"#32770", title_);
                if (box != nullptr && IsWindowVisible(box)) {
                    owner_ = GetWindow(box, GW_OWNER);
                    RECT place{};
                    GetWindowRect(box, &place);
                    centre_ = POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
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
    POINT Centre() const { return centre_; }

  private:
    const wchar_t* title_;
    std::atomic<bool> closed_{false};
    std::atomic<HWND> owner_{nullptr};
    POINT centre_{};  // written before closed_ is set
    std::thread thread_;
};

TEST(WinPrompter, AMessageBoxIsOwnedByTheWindowCentredOverItAndGivesTheKeyboardBack) {
    // Off the middle of the screen, so that a box left where the system puts it would show.
    HWND window = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 60, 90, 500, 360, nullptr, nullptr,
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
        EXPECT_NEAR(closer.Centre().x, 60 + 250, 2);
        EXPECT_NEAR(closer.Centre().y, 90 + 180, 2);
    }
    EXPECT_EQ(answer, MessageAnswer::Ok);
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(GetFocus(), edit);
    DestroyWindow(window);
}

TEST(WinPrompter, ABoxForAMinimisedWindowOpensWhereTheWindowComesBack) {
    HWND window = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 300, 200, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(window, &placement));
    const RECT& normal = placement.rcNormalPosition;

    WinPrompter prompter(window);
    const char title[] = "\xd0\xc5\xcf\xa2\xa3\xba";  // 信息：
    const std::wstring wideTitle = GbkToWide(title);
    {
        BoxCloser closer(wideTitle.c_str());
        prompter.ShowMessage("\xb2\xe9\xd1\xaf\xcd\xea\xb3\xc9", title, MessageButtons::Ok, MessageIcon::None);
        ASSERT_TRUE(closer.Closed());
        EXPECT_NEAR(closer.Centre().x, (normal.left + normal.right) / 2, 2);
        EXPECT_NEAR(closer.Centre().y, (normal.top + normal.bottom) / 2, 2);
    }
    DestroyWindow(window);
}

}  // namespace
}  // namespace zandrel
