// The main window as the program shows it: handed to the skin engine at creation.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "app/skin_setup_win.h"
#include "scripted_prompter.h"
#include "skin/core/control_subclass.h"
#include "skin/core/skin_engine.h"
#include "table/grid_window_win.h"

namespace zandrel {
namespace {

class NoNetwork : public PageFetcher {
  public:
    std::string HttpGetText(const std::string&) override { return {}; }
};

class SkinnedMainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        engine = StartSkinEngine();
        ASSERT_TRUE(engine);
        MainWindowOptions options;
        options.prompter = &prompter;
        options.fetcher = &fetcher;
        options.downloadBanner = false;
        options.skin = engine.get();
        window = MainWindow::Create(options);
        ASSERT_TRUE(window);
    }
    void TearDown() override {
        window.reset();
        engine.reset();
    }

    testing::ScriptedPrompter prompter;
    NoNetwork fetcher;
    std::unique_ptr<SkinEngine> engine;
    std::unique_ptr<MainWindow> window;
};

TEST_F(SkinnedMainWindowTest, IsAFramelessPopupWithATaskbarButton) {
    HWND h = window->Hwnd();
    LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 648);
    EXPECT_EQ(r.bottom - r.top, 538);
    // The controls keep their places inside the frameless client area.
    GetWindowRect(window->Control(texts::kGrid1), &r);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 9);
    EXPECT_EQ(r.top, 129);
}

TEST_F(SkinnedMainWindowTest, SkinSettingsAreTheMainWindowsOwn) {
    ASSERT_EQ(engine->WindowCount(), 1);
    const SkinnedWindow* w = engine->Window(1);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->hwnd, window->Hwnd());
    EXPECT_EQ(w->captionHeight, 80);
    EXPECT_FALSE(w->resizable);
    EXPECT_TRUE(w->movable);
    EXPECT_FALSE(w->showCaptionText);
    EXPECT_FALSE(w->showHelpButton);
    EXPECT_FALSE(w->showMenuButton);
    ASSERT_EQ(w->captionButtons.size(), 2u);  // minimise and close
    EXPECT_EQ(w->captionButtons[0].kind, kCaptionMinimize);
    EXPECT_EQ(w->captionButtons[1].kind, kCaptionClose);
    EXPECT_EQ(w->statusBarHeight, 25);
    ASSERT_EQ(w->statusPanels.size(), 1u);
    EXPECT_EQ(w->statusPanels[0].width, -1);
    EXPECT_EQ(engine->DefaultBackgroundMode(), 3);
    EXPECT_EQ(engine->AccentColour(), 0xDDCA22u);
    EXPECT_EQ(engine->ControlSkinMode(), 1);
    EXPECT_EQ(engine->OverlayAlpha(), 0);
    EXPECT_TRUE(engine->OverlayGiven());
    EXPECT_EQ(engine->TrackbarStyle(), 0);
    EXPECT_EQ(GetPropA(window->Hwnd(), kPropWindowIndex), reinterpret_cast<HANDLE>(1));
}

TEST_F(SkinnedMainWindowTest, BackdropShowsDarkWoodInsideTheRoundedOutline) {
    SkinnedWindow* w = engine->Window(1);
    ASSERT_NE(w, nullptr);
    engine->RenderWindowBackdrop(1, nullptr, false);
    ASSERT_NE(w->backdropDc, nullptr);
    COLORREF corner = GetPixel(w->backdropDc, 0, 0);
    EXPECT_EQ(corner, RGB(255, 0, 255));  // outside the rounded fill
    for (POINT p : {POINT{200, 40}, POINT{600, 300}, POINT{20, 500}}) {
        COLORREF c = GetPixel(w->backdropDc, p.x, p.y);
        // Dark brown wood: red above blue, nothing bright, never the magenta key.
        EXPECT_GT(GetRValue(c), GetBValue(c)) << p.x << "," << p.y;
        EXPECT_LT(GetRValue(c), 200) << p.x << "," << p.y;
        EXPECT_NE(c, RGB(255, 0, 255));
    }
}

TEST_F(SkinnedMainWindowTest, CloseCaptionButtonClosesAnUnchangedWindowAndTheEngineForgetsIt) {
    HWND h = window->Hwnd();
    engine->OnCaptionButtonClick(1, 2);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(engine->WindowCount(), 0);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SkinnedMainWindowTest, CloseCaptionButtonAsksFirstWhenResultsAreUnsaved) {
    window->AppendRow("1");
    window->SetModified();
    prompter.answers = {MessageAnswer::Cancel};
    engine->OnCaptionButtonClick(1, 2);
    EXPECT_TRUE(IsWindow(window->Hwnd()));
    EXPECT_EQ(prompter.messages.size(), 1u);
}

// The skin draws the push buttons itself (owner-drawn), and Enter still presses the focused one: 删除行 deletes,
// it does not start a query.
TEST_F(SkinnedMainWindowTest, EnterPressesTheFocusedSkinnedButton) {
    for (int i = 1; i <= 3; ++i) {
        window->AppendRow(std::to_string(i));
    }
    window->Grid().Model().SetCursor(2, 1);
    window->SetKeyword("seed");
    HWND remove = window->Control(texts::kButton2);
    SetFocus(remove);
    MSG msg{remove, WM_KEYDOWN, VK_RETURN, 0, static_cast<DWORD>(GetMessageTime()), {}};
    if (!window->PreTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(window->RowCount(), 3);
    EXPECT_TRUE(prompter.messages.empty());  // no query ran: it would have ended with a box
}

TEST_F(SkinnedMainWindowTest, EveryControlIsTakenOverInsideTheFrameToo) {
    for (const char* name :
         {texts::kEdit2, texts::kCombo1, texts::kButton1, texts::kButton2, texts::kButton3, texts::kClearData}) {
        EXPECT_TRUE(IsTakenOver(window->Control(name))) << name;
    }
    // The depth list's drop-down list is painted by the skin as well.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(window->Control(texts::kCombo1), &info));
    EXPECT_TRUE(IsTakenOver(info.hwndList));
    // The frame holding the prompt, the keyword box and the depth list is the skin's child frame.
    HWND frame = window->Control(texts::kFrame1);
    EXPECT_GT(engine->FindFrameIndex(1, frame), 0);
}

TEST_F(SkinnedMainWindowTest, ThePromptReadsLightOnTheWood) {
    HWND label = window->Control(texts::kLabel3);
    HWND parent = GetParent(label);
    HDC dc = GetDC(label);
    const LRESULT brush =
        SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const COLORREF text = GetTextColor(dc);
    ReleaseDC(label, dc);
    EXPECT_NE(brush, 0);
    EXPECT_GT(GetRValue(text) + GetGValue(text) + GetBValue(text), 3 * 200) << std::hex << text;
}

// The frame under the caption band lets presses through: outside the controls the band belongs to the window,
// which drags it; on a control the press stays the control's.
TEST_F(SkinnedMainWindowTest, ThePressAnywhereInTheCaptionBandReachesTheWindow) {
    HWND h = window->Hwnd();
    ShowWindow(h, SW_SHOWNOACTIVATE);
    UpdateWindow(h);
    const SkinnedWindow* w = engine->Window(1);
    ASSERT_NE(w, nullptr);
    for (POINT p : {POINT{300, 10}, POINT{380, 45}, POINT{460, 70}, POINT{20, 75}}) {
        ASSERT_LT(p.y, w->captionHeight);
        POINT screen = p;
        ClientToScreen(h, &screen);
        EXPECT_EQ(WindowFromPoint(screen), h) << p.x << "," << p.y;
    }
    RECT box{};
    GetWindowRect(window->Control(texts::kEdit2), &box);
    EXPECT_EQ(WindowFromPoint(POINT{box.left + 20, box.top + 10}), window->Control(texts::kEdit2));
    ShowWindow(h, SW_HIDE);
}

}  // namespace
}  // namespace zandrel
