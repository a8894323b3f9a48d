// The engine object and its window records: start-up defaults, what SkinWindow records, the properties that lead
// back to a record, renumbering and forgetting windows in any order, and the messages that pass through.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core_fixture.h"

namespace zandrel::test {
namespace {

TEST_F(CoreTest, StartupSetsTheDefaultOptionsAndASecondEngineCannotStart) {
    EXPECT_EQ(SkinEngine::Instance(), &engine_);
    EXPECT_TRUE(engine_.SkipNextBackdropRefresh());
    EXPECT_EQ(engine_.ControlSkinMode(), 1);
    EXPECT_EQ(engine_.OverlayAlpha(), 160);
    EXPECT_FALSE(engine_.OverlayGiven());
    EXPECT_EQ(engine_.AccentColour(), 0xDDCA22u);
    EXPECT_EQ(engine_.TrackbarStyle(), 1);
    EXPECT_EQ(engine_.GetDefaultBackgroundColour(), GetSysColor(COLOR_BTNFACE));

    SkinEngine second;
    EXPECT_FALSE(second.Startup());
    EXPECT_EQ(SkinEngine::Instance(), &engine_);
}

TEST_F(CoreTest, CaptionHeightIsAtLeast25) {
    struct Case {
        int given;
        int expected;
    };
    for (const Case& c : {Case{-5, 25}, Case{0, 25}, Case{24, 25}, Case{25, 25}, Case{80, 80}}) {
        SkinWindowOptions options;
        options.captionHeight = c.given;
        HWND hwnd = Skinned(300, 200, options);
        EXPECT_EQ(Record(hwnd).captionHeight, c.expected) << "given " << c.given;
    }
}

TEST_F(CoreTest, CaptionButtonsFollowTheWindowStyleAndOptions) {
    struct Case {
        DWORD style;
        bool help;
        bool menu;
        std::vector<int> kinds;
        int stripWidth;
    };
    const Case cases[] = {
        {0, false, false, {kCaptionClose}, 38 + 0 + 3},
        {WS_MINIMIZEBOX, false, false, {kCaptionMinimize, kCaptionClose}, 26 + 38 + 1 + 3},
        {WS_MAXIMIZEBOX, false, false, {kCaptionMaximize, kCaptionClose}, 26 + 38 + 1 + 3},
        {WS_MINIMIZEBOX | WS_MAXIMIZEBOX, false, false, {kCaptionMinimize, kCaptionMaximize, kCaptionClose}, 95},
        {WS_MINIMIZEBOX,
         true,
         true,
         {kCaptionHelp, kCaptionMainMenu, kCaptionMinimize, kCaptionClose},
         3 * 26 + 38 + 3 + 3},
    };
    for (const Case& c : cases) {
        SkinWindowOptions options;
        options.showHelp = c.help;
        options.showMenu = c.menu;
        HWND hwnd = Skinned(400, 300, options, c.style);
        const SkinnedWindow& w = Record(hwnd);
        std::vector<int> kinds;
        for (const CaptionButton& b : w.captionButtons) {
            kinds.push_back(b.kind);
            EXPECT_FALSE(b.image.empty());
            EXPECT_EQ(b.width, b.kind == kCaptionClose ? 38 : 26);
        }
        EXPECT_EQ(kinds, c.kinds) << "style 0x" << std::hex << c.style;
        EXPECT_EQ(w.hasMinimizeBox, (c.style & WS_MINIMIZEBOX) != 0);
        EXPECT_EQ(w.hasMaximizeBox, (c.style & WS_MAXIMIZEBOX) != 0);
        EXPECT_EQ(w.stripWidth, c.stripWidth);
        EXPECT_EQ(w.toolCount, static_cast<int>(c.kinds.size()));
        // Only the maximise button has a second picture (the restore glyph).
        for (const CaptionButton& b : w.captionButtons) {
            EXPECT_EQ(b.altImage.empty(), b.kind != kCaptionMaximize);
        }
        EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_SYSMENU, 0);
    }
}

TEST_F(CoreTest, SkinWindowRecordsTheOptionsAndSubclasses) {
    SkinWindowOptions options;
    options.captionHeight = 80;
    options.resizable = false;
    options.showCaptionText = false;
    options.statusBarHeight = 25;
    HWND hwnd = Skinned(648, 538, options);
    const SkinnedWindow& w = Record(hwnd);
    EXPECT_EQ(PropValue(hwnd, kPropWindowIndex), 1);
    // The previous procedure may be the tooltip's subclass in front of the window's own one.
    ASSERT_NE(w.previousWndProc, nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(PropValue(hwnd, kPropPreviousProc)), w.previousWndProc);
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), w.previousWndProc);
    EXPECT_TRUE(w.movable);
    EXPECT_FALSE(w.resizable);
    EXPECT_FALSE(w.showCaptionText);
    EXPECT_TRUE(w.installDone);
    EXPECT_TRUE(w.backdropDirty);
    // No panel list: one panel across the bar.
    EXPECT_EQ(w.statusBarHeight, 25);
    EXPECT_EQ(w.statusPanels.size(), 1u);
    EXPECT_EQ(w.statusFontName, "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(w.statusGlowColour, 0xFFFFFFu);
    EXPECT_EQ(w.minTrackWidth, 200);
    EXPECT_EQ(w.minTrackHeight, 150);
    // Messages the engine does not handle reach the window's own procedure.
    EXPECT_EQ(SendMessageW(hwnd, kPingMessage, 0, 0), kPingAnswer);
}

TEST_F(CoreTest, SkinningTheSameWindowTwiceChangesNothing) {
    HWND hwnd = Skinned(300, 200, {});
    const LONG_PTR proc = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    const size_t buttons = Record(hwnd).captionButtons.size();
    SkinWindowOptions other;
    other.captionHeight = 90;
    EXPECT_FALSE(engine_.SkinWindow(hwnd, other));
    EXPECT_EQ(engine_.WindowCount(), 1);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), proc);
    EXPECT_EQ(Record(hwnd).captionHeight, 25);
    EXPECT_EQ(Record(hwnd).captionButtons.size(), buttons);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(PropValue(hwnd, kPropPreviousProc)), Record(hwnd).previousWndProc);
    EXPECT_EQ(SendMessageW(hwnd, kPingMessage, 0, 0), kPingAnswer);
}

TEST_F(CoreTest, DestroyingTheFirstWindowRenumbersTheSecondAndItsControls) {
    HWND first = Skinned(300, 200, {});
    HWND second = Skinned(300, 200, {});
    HWND control = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 5, 40, 60, 20, second, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    // A control as the painters register it.
    Record(second).controls.buttons.emplace_back();
    Record(second).controls.buttons.back().hwnd = control;
    SetPropA(control, kPropWindowIndex, reinterpret_cast<HANDLE>(1));
    SetPropA(control, kPropOwnerIndex, reinterpret_cast<HANDLE>(2));
    ASSERT_EQ(PropValue(second, kPropWindowIndex), 2);

    DestroyWindow(first);
    EXPECT_EQ(engine_.WindowCount(), 1);
    EXPECT_EQ(PropValue(second, kPropWindowIndex), 1);
    EXPECT_EQ(PropValue(control, kPropOwnerIndex), 1);
    EXPECT_EQ(PropValue(control, kPropWindowIndex), 1);  // its place in the button list is unchanged
    EXPECT_EQ(engine_.IndexFromProperty(second), 1);
    EXPECT_EQ(SendMessageW(second, kPingMessage, 0, 0), kPingAnswer);
}

TEST_F(CoreTest, WindowsCanBeDestroyedInAnyOrder) {
    const std::vector<std::array<int, 4>> orders = {{0, 1, 2, 3}, {3, 2, 1, 0}, {1, 3, 0, 2}, {2, 0, 3, 1}};
    for (const auto& order : orders) {
        std::vector<HWND> hwnds;
        for (int i = 0; i < 4; ++i) {
            hwnds.push_back(Skinned(220, 160, {}));
            Render(hwnds.back());
        }
        std::vector<HWND> alive = hwnds;
        for (int victim : order) {
            DestroyWindow(hwnds[static_cast<size_t>(victim)]);
            std::erase(alive, hwnds[static_cast<size_t>(victim)]);
            ASSERT_EQ(engine_.WindowCount(), static_cast<int>(alive.size()));
            // The survivors keep their order and every property names its own record.
            for (size_t i = 0; i < alive.size(); ++i) {
                EXPECT_EQ(PropValue(alive[i], kPropWindowIndex), static_cast<INT_PTR>(i + 1));
                EXPECT_EQ(engine_.Window(static_cast<int>(i + 1))->hwnd, alive[i]);
                EXPECT_EQ(SendMessageW(alive[i], kPingMessage, 0, 0), kPingAnswer);
            }
        }
        // The destroyed windows took their properties with them; nothing is left of them in the engine.
        EXPECT_EQ(engine_.WindowCount(), 0);
    }
}

TEST_F(CoreTest, MessagesForWindowsWithoutAValidRecordPassOnUnchanged) {
    // A window that is not skinned at all.
    HWND plain = MakeWindow(100, 100);
    windows_.push_back(plain);
    EXPECT_EQ(engine_.HandleWindowMessage(plain, kPingMessage, 0, 0), 0);  // DefWindowProc: no procedure kept

    // A control carries "Hw_lbID" too (its place in a control list): it must not be taken for window 1.
    HWND skinned = Skinned(300, 200, {});
    HWND lookalike = MakeWindow(100, 100);
    windows_.push_back(lookalike);
    SetPropA(lookalike, kPropWindowIndex, reinterpret_cast<HANDLE>(1));
    SetPropA(lookalike, kPropPreviousProc, reinterpret_cast<HANDLE>(&RecordingProc));
    EXPECT_EQ(engine_.IndexFromProperty(lookalike), 0);
    const bool dirtyBefore = Record(skinned).backdropDirty;
    Record(skinned).backdropDirty = false;
    EXPECT_EQ(engine_.HandleWindowMessage(lookalike, kPingMessage, 0, 0), kPingAnswer);
    engine_.HandleWindowMessage(lookalike, WM_SIZE, 0, Point(50, 50));
    engine_.HandleWindowMessage(lookalike, WM_NCDESTROY, 0, 0);
    EXPECT_EQ(engine_.WindowCount(), 1);
    EXPECT_FALSE(Record(skinned).backdropDirty);  // window 1 was not touched
    Record(skinned).backdropDirty = dirtyBefore;

    // An index beyond the list.
    SetPropA(lookalike, kPropWindowIndex, reinterpret_cast<HANDLE>(7));
    EXPECT_EQ(engine_.HandleWindowMessage(lookalike, kPingMessage, 0, 0), kPingAnswer);
}

TEST_F(CoreTest, OperationsOnWindowsThatAreNotSkinnedReturnFalse) {
    HWND plain = MakeWindow(100, 100);
    windows_.push_back(plain);
    const unsigned char bytes[] = {1, 2, 3};
    EXPECT_FALSE(engine_.AddCaptionButton(plain, bytes, "x", nullptr));
    EXPECT_FALSE(engine_.SetCaptionStyle(plain, std::string("a"), 10, std::nullopt, std::nullopt, std::nullopt));
    EXPECT_FALSE(engine_.SetBackgroundImage(plain, bytes, 3));
    engine_.SetHelpCallback(plain, nullptr);  // no record: nothing happens
    engine_.OnCaptionButtonClick(1, 1);       // no window 1
    engine_.RenderWindowBackdrop(3, nullptr, true);
    engine_.PresentBackdrop(0, nullptr);
    EXPECT_EQ(engine_.WindowCount(), 0);
}

TEST(SkinEngineLifetime, DestroyingTheEngineGivesLiveWindowsTheirProceduresBack) {
    HWND a = MakeWindow(300, 200);
    HWND b = MakeWindow(300, 200);
    WNDPROC previous[2] = {};
    {
        SkinEngine engine;
        ASSERT_TRUE(engine.Startup());
        ASSERT_TRUE(engine.SkinWindow(a, {}));
        ASSERT_TRUE(engine.SkinWindow(b, {}));
        engine.RenderWindowBackdrop(1, nullptr, false);
        engine.RenderWindowBackdrop(2, nullptr, false);
        previous[0] = engine.Window(1)->previousWndProc;
        previous[1] = engine.Window(2)->previousWndProc;
    }
    EXPECT_EQ(SkinEngine::Instance(), nullptr);
    for (HWND hwnd : {a, b}) {
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), previous[hwnd == a ? 0 : 1]);
        EXPECT_EQ(GetPropA(hwnd, kPropWindowIndex), nullptr);
        EXPECT_EQ(GetPropA(hwnd, kPropPreviousProc), nullptr);
        EXPECT_EQ(SendMessageW(hwnd, kPingMessage, 0, 0), kPingAnswer);
        SendMessageW(hwnd, WM_PAINT, 0, 0);
        EXPECT_TRUE(DestroyWindow(hwnd));
    }
}

TEST_F(CoreTest, CaptionButtonsPerformTheirActions) {
    static int helpCalls = 0;
    static int menuCalls = 0;
    static int customCalls = 0;
    helpCalls = menuCalls = customCalls = 0;
    SkinWindowOptions options;
    options.showHelp = true;
    options.showMenu = true;
    HWND hwnd = Skinned(400, 300, options);  // help, menu, minimise, maximise, close
    const int index = engine_.IndexFromProperty(hwnd);
    engine_.SetHelpCallback(hwnd, [] { ++helpCalls; });
    engine_.SetMainMenuCallback(hwnd, [] { ++menuCalls; });
    const unsigned char glyph[] = {0x89, 'P', 'N', 'G'};
    ASSERT_TRUE(engine_.AddCaptionButton(hwnd, glyph, "c", [] { ++customCalls; }));  // now button 1

    engine_.OnCaptionButtonClick(index, 1);
    engine_.OnCaptionButtonClick(index, 2);
    engine_.OnCaptionButtonClick(index, 3);
    EXPECT_EQ(customCalls, 1);
    EXPECT_EQ(helpCalls, 1);
    EXPECT_EQ(menuCalls, 1);

    Recorded().clear();
    engine_.OnCaptionButtonClick(index, 4);  // minimise
    EXPECT_TRUE(Record(hwnd).minimized);
    engine_.OnCaptionButtonClick(index, 5);  // maximise
    EXPECT_TRUE(Record(hwnd).maximized);
    EXPECT_FALSE(Record(hwnd).minimized);
    engine_.OnCaptionButtonClick(index, 5);  // restore
    EXPECT_FALSE(Record(hwnd).maximized);
    engine_.OnCaptionButtonClick(index, 6);  // close
    engine_.OnCaptionButtonClick(index, 0);
    engine_.OnCaptionButtonClick(index, 7);
    std::vector<WPARAM> commands;
    for (const SentCommand& c : Recorded()) {
        if (c.msg == WM_SYSCOMMAND) {
            commands.push_back(c.wParam);
        }
    }
    EXPECT_EQ(commands, (std::vector<WPARAM>{SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE}));
}

TEST_F(CoreTest, ButtonsWithoutCallbacksDoNothing) {
    SkinWindowOptions options;
    options.showHelp = true;
    options.showMenu = true;
    HWND hwnd = Skinned(400, 300, options, 0);
    Recorded().clear();
    engine_.OnCaptionButtonClick(1, 1);
    engine_.OnCaptionButtonClick(1, 2);
    EXPECT_TRUE(Recorded().empty());
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(CoreTest, ClickingCloseThroughTheMouseDestroysTheWindowSafely) {
    // The close command goes on to DefWindowProc here, which destroys the window inside the button-up handler.
    HWND hwnd = MakeWindow(400, 300);
    windows_.push_back(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    ASSERT_TRUE(engine_.SkinWindow(hwnd, {}));
    Render(hwnd);
    const RectF close = Record(hwnd).captionButtons.back().bounds;
    const LPARAM at = Point(static_cast<int>(close.x + close.width / 2), static_cast<int>(close.y + 5));
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, at);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(engine_.WindowCount(), 0);
    // Late messages for the dead window go nowhere.
    EXPECT_EQ(engine_.HandleWindowMessage(hwnd, WM_TIMER, reinterpret_cast<WPARAM>(hwnd), 0), 0);
}

TEST_F(CoreTest, DoubleClickInTheCaptionMaximisesOnlyResizableWindows) {
    struct Case {
        bool resizable;
        int y;
        bool maximises;
    };
    for (const Case& c : {Case{true, 10, true}, Case{true, 60, false}, Case{false, 10, false}}) {
        SkinWindowOptions options;
        options.captionHeight = 40;
        options.resizable = c.resizable;
        HWND hwnd = Skinned(400, 300, options);
        Recorded().clear();
        SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(100, c.y));
        const bool sent = !Recorded().empty() && Recorded().back().wParam == SC_MAXIMIZE;
        EXPECT_EQ(sent, c.maximises) << "resizable " << c.resizable << " y " << c.y;
        EXPECT_EQ(Record(hwnd).maximized, c.maximises);
    }
}

TEST_F(CoreTest, WindowStateMessagesMoveTheFlags) {
    HWND hwnd = Skinned(400, 300, {});
    SkinnedWindow& w = Record(hwnd);
    w.backdropDirty = false;
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(w.minimized);
    EXPECT_TRUE(w.backdropDirty);
    SendMessageW(hwnd, WM_QUERYOPEN, 0, 0);
    EXPECT_FALSE(w.minimized);
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE | 2, 0);  // the low four bits are the system's
    EXPECT_TRUE(w.maximized);

    MINMAXINFO info{};
    w.maximized = false;
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 200);
    EXPECT_EQ(info.ptMinTrackSize.y, 150);
    EXPECT_EQ(info.ptMaxTrackSize.x, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(info.ptMaxTrackSize.y, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(CoreTest, AScreenSizedWindowIsKeptInsideTheWorkArea) {
    RECT area{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);

    HWND fixed = Skinned(300, 200, {}, WS_MINIMIZEBOX);  // no maximise box: left alone
    SetWindowPos(fixed, nullptr, 0, 0, screenW, screenH, SWP_NOZORDER);
    RECT r{};
    GetWindowRect(fixed, &r);
    EXPECT_EQ(r.right - r.left, screenW);
    EXPECT_FALSE(Record(fixed).maximized);

    HWND maximisable = Skinned(300, 200, {});
    SetWindowPos(maximisable, nullptr, 0, 0, screenW, screenH, SWP_NOZORDER);
    GetWindowRect(maximisable, &r);
    EXPECT_TRUE(EqualRect(&r, &area));
    EXPECT_TRUE(Record(maximisable).maximized);
    // The caption buttons follow the new right edge.
    EXPECT_EQ(Record(maximisable).stripLeft, (area.right - area.left) - Record(maximisable).stripWidth + 1);
}

TEST_F(CoreTest, DeactivationWritesNothingIntoTheWindowsFolder) {
    HWND hwnd = Skinned(300, 200, {});
    wchar_t windir[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windir, MAX_PATH), 0u);
    const std::wstring trimmer = std::wstring(windir) + L"\\empty.exe";
    DeleteFileW(trimmer.c_str());
    SendMessageW(hwnd, WM_ACTIVATEAPP, FALSE, 0);
    Sleep(200);  // the trimming thread has long finished
    EXPECT_EQ(GetFileAttributesW(trimmer.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(SendMessageW(hwnd, kPingMessage, 0, 0), kPingAnswer);
}

TEST_F(CoreTest, SettingTheTextDrawsTheTitleAndPassesOn) {
    SkinWindowOptions options;
    options.captionHeight = 40;
    HWND hwnd = Skinned(400, 300, options);
    Render(hwnd);
    EXPECT_TRUE(SetWindowTextW(hwnd, L"\x5173\x952E\x8BCD"));
    wchar_t text[16] = {};
    GetWindowTextW(hwnd, text, 16);
    EXPECT_STREQ(text, L"\x5173\x952E\x8BCD");
}

}  // namespace
}  // namespace zandrel::test
