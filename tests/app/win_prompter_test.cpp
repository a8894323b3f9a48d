// The real message boxes belong to the program's window: owned by it and modal to it, and when they close the
// window is active again with the keyboard where it was, also without a window manager (Wine under Xvfb). The
// save dialog tells which file type was selected.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cwchar>
#include <string>
#include <thread>
#include <utility>

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

// Answers the first save dialog the owner opens: notes the file type selected when it opened, selects another
// (1-based), types the name and presses Save.
class SaveDialogAnswerer {
  public:
    SaveDialogAnswerer(HWND owner, int fileType, std::wstring name)
        : owner_(owner), fileType_(fileType), name_(std::move(name)) {
        thread_ = std::thread([this] { Answer(); });
    }
    ~SaveDialogAnswerer() { thread_.join(); }
    bool Answered() const { return answered_; }
    int OpenedWith() const { return openedWith_; }

  private:
    static constexpr int kTypeBox = 0x470;    // cmb1
    static constexpr int kNameCombo = 0x47c;  // cmb13, the name box of newer dialogs
    static constexpr int kNameEdit = 0x480;   // edt1, the name box of older ones

    struct Search {
        HWND owner;
        HWND found;
    };
    static BOOL CALLBACK Visit(HWND window, LPARAM param) {
        Search& search = *reinterpret_cast<Search*>(param);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (wcscmp(className, L"#32770") == 0 && IsWindowVisible(window) &&
            GetWindow(window, GW_OWNER) == search.owner) {
            search.found = window;
            return FALSE;
        }
        return TRUE;
    }

    void Answer() {
        for (int i = 0; i < 500; ++i) {
            Search search{owner_, nullptr};
            EnumThreadWindows(GetWindowThreadProcessId(owner_, nullptr), Visit, reinterpret_cast<LPARAM>(&search));
            HWND dialog = search.found;
            HWND types = dialog != nullptr ? GetDlgItem(dialog, kTypeBox) : nullptr;
            if (types != nullptr) {
                openedWith_ = static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0)) + 1;
                SendMessageW(types, CB_SETCURSEL, fileType_ - 1, 0);
                // What a combo box tells its parent when the user picks an item (Wine listens to the first,
                // Windows to either).
                for (const WORD notification : {CBN_SELENDOK, CBN_SELCHANGE}) {
                    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kTypeBox, notification),
                                 reinterpret_cast<LPARAM>(types));
                }
                HWND name = GetDlgItem(dialog, kNameCombo);
                if (name == nullptr) {
                    name = GetDlgItem(dialog, kNameEdit);
                }
                SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name_.c_str()));
                answered_ = true;
                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    HWND owner_;
    int fileType_;
    std::wstring name_;
    std::atomic<bool> answered_{false};
    std::atomic<int> openedWith_{0};
    std::thread thread_;
};

// The dialog opens on the file type asked for and reports the one the seller selected; a name typed without an
// extension gets the selected type's, so the extension always agrees with the type.
TEST(WinPrompter, TheSaveDialogReportsTheSelectedFileType) {
    HWND window = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 60, 90, 500, 360, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    wchar_t temp[MAX_PATH];
    const std::wstring folder(temp, GetTempPathW(MAX_PATH, temp));
    WinPrompter prompter(window);
    const SaveDialogSetup setup{"Excel (*.xlsx)|*.xlsx|CSV (*.csv)|*.csv|Text (*.txt)|*.txt", "xlsx", 2};
    std::string path;
    int fileType = 0;
    bool chosen = false;
    {
        SaveDialogAnswerer answerer(window, 3, folder + L"zandrel-picked");
        chosen = prompter.AskSavePathAndType(setup, path, fileType);
        EXPECT_TRUE(answerer.Answered());
        EXPECT_EQ(answerer.OpenedWith(), 2);
    }
    EXPECT_TRUE(chosen);
    EXPECT_EQ(fileType, 3);
    EXPECT_EQ(Utf8ToWide(path), folder + L"zandrel-picked.txt");
    DestroyWindow(window);
}

}  // namespace
}  // namespace zandrel
