// Status-bar geometry, panel changes and the panel look over a dark backdrop.
#include <windows.h>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "draw/draw_image.h"
#include "drawing_fixture.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {
namespace {

using StatusBar = test::SkinnedWindowFixture;

void ExpectRect(const IntRect& r, int x, int y, int width, int height, const char* what) {
    EXPECT_EQ(r.x, x) << what;
    EXPECT_EQ(r.y, y) << what;
    EXPECT_EQ(r.width, width) << what;
    EXPECT_EQ(r.height, height) << what;
}

TEST_F(StatusBar, WithoutPanelsOnePanelFillsTheBar) {
    const SkinnedWindow& w = Record();
    EXPECT_EQ(w.statusBarHeight, 20);
    ExpectRect(w.statusBarRect, 3, 276, 394, 20, "bar");
    ASSERT_EQ(w.statusPanels.size(), 1u);
    ASSERT_EQ(w.statusPanelRects.size(), 1u);
    EXPECT_EQ(w.statusPanels[0].width, -1);
    EXPECT_TRUE(w.statusPanels[0].text.empty());
    ExpectRect(w.statusPanelRects[0], 3, 276, 394, 20, "panel");
}

TEST_F(StatusBar, TheRestPanelTakesTheWidthUpToTheMarginAndLaterPanelsLieBeyond) {
    std::vector<StatusPanel> panels(3);
    panels[0].width = 100;
    panels[0].text = "left";
    panels[1].width = -1;
    panels[2].width = 50;
    panels[2].textColour = 0x0000FF;
    engine_.SetStatusBar(1, 20, &panels);
    const SkinnedWindow& w = Record();
    ASSERT_EQ(w.statusPanelRects.size(), 3u);
    ExpectRect(w.statusPanelRects[0], 3, 276, 100, 20, "first");
    ExpectRect(w.statusPanelRects[1], 103, 276, 294, 20, "rest");
    ExpectRect(w.statusPanelRects[2], 397, 276, 50, 20, "last");
    EXPECT_EQ(w.statusPanels[0].text, "left");
    EXPECT_EQ(w.statusPanels[2].textColour, 0x0000FFu);

    // After a resize the layout moves the bar and stretches only the rest panel.
    SetWindowPos(hwnd_, nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    engine_.LayoutStatusBar(1);
    ExpectRect(w.statusBarRect, 3, 326, 494, 20, "bar after resize");
    ExpectRect(w.statusPanelRects[0], 3, 326, 100, 20, "first after resize");
    ExpectRect(w.statusPanelRects[1], 103, 326, 394, 20, "rest after resize");
    ExpectRect(w.statusPanelRects[2], 497, 326, 50, 20, "last after resize");
}

TEST_F(StatusBar, SetStatusPanelChecksItsArguments) {
    EXPECT_FALSE(engine_.SetStatusPanel(hwnd_, 0, "x", std::nullopt, std::nullopt));
    EXPECT_FALSE(engine_.SetStatusPanel(hwnd_, 2, "x", std::nullopt, std::nullopt));
    EXPECT_FALSE(engine_.SetStatusPanel(GetDesktopWindow(), 1, "x", std::nullopt, std::nullopt));
    const SkinnedWindow& w = Record();
    ASSERT_TRUE(engine_.SetStatusPanel(hwnd_, 1, "ready", Bytes{1, 2, 3}, 0x00FF00));
    EXPECT_EQ(w.statusPanels[0].text, "ready");
    EXPECT_EQ(w.statusPanels[0].icon, (Bytes{1, 2, 3}));
    EXPECT_EQ(w.statusPanels[0].textColour, 0x00FF00u);
    ASSERT_TRUE(engine_.SetStatusPanel(hwnd_, 1, "again", std::nullopt, std::nullopt));
    EXPECT_EQ(w.statusPanels[0].icon, (Bytes{1, 2, 3}));  // not given: kept
    EXPECT_EQ(w.statusPanels[0].textColour, 0x00FF00u);
}

TEST_F(StatusBar, StyleDefaultsSwitchToTheInverseColourWithoutGlow) {
    EXPECT_FALSE(engine_.SetStatusBarStyle(GetDesktopWindow(), 0, 1, 0, 0, std::nullopt, std::nullopt));
    SkinnedWindow& w = Record();
    ASSERT_TRUE(engine_.SetStatusBarStyle(hwnd_, 0, 1, 0x112233, 0x445566, std::string("Arial"), 15));
    EXPECT_EQ(w.statusTextMode, 0);
    EXPECT_EQ(w.statusGlow, 1);
    EXPECT_EQ(w.statusGlowTextColour, 0x112233u);
    EXPECT_EQ(w.statusGlowColour, 0x445566u);
    EXPECT_EQ(w.statusFontName, "Arial");
    EXPECT_EQ(w.statusFontSize, 15);
    ASSERT_TRUE(engine_.SetStatusBarStyle(hwnd_, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                                          std::nullopt));
    EXPECT_EQ(w.statusTextMode, 1);
    EXPECT_EQ(w.statusGlow, 0);
    EXPECT_EQ(w.statusGlowTextColour, 0u);
    EXPECT_EQ(w.statusGlowColour, 0xFFFFFFu);
    EXPECT_EQ(w.statusFontName, "Arial");  // not given: kept
    EXPECT_EQ(w.statusFontSize, 15);
}

TEST_F(StatusBar, PanelGradientIsWhiterAtTheTopAndDoesNotBuildUp) {
    const IntRect r = Record().statusPanelRects[0];
    const RECT panel{r.x, r.y, r.x + r.width, r.y + r.height};
    const std::vector<COLORREF> before = Pixels(panel);
    engine_.DrawStatusPanel(1, nullptr, false, 1);
    const std::vector<COLORREF> once = Pixels(panel);
    // Column 200: compare each row with the backdrop under it.
    const auto lift = [&](int row) {
        const COLORREF now = Pixel(200, r.y + row);
        const COLORREF under = test::PatternColour(200, r.y + row);
        return (GetRValue(now) - GetRValue(under)) + (GetGValue(now) - GetGValue(under)) +
               (GetBValue(now) - GetBValue(under));
    };
    EXPECT_GT(lift(0), lift(r.height - 1) + 30);
    EXPECT_GT(lift(r.height - 1), 0);
    EXPECT_NE(once, before);
    engine_.DrawStatusPanel(1, nullptr, false, 1);
    EXPECT_EQ(Pixels(panel), once);
    // Out of range: nothing happens.
    for (int p : {0, 2, -1}) {
        engine_.DrawStatusPanel(1, nullptr, false, p);
    }
    engine_.DrawStatusPanel(7, nullptr, false, 1);
    EXPECT_EQ(Pixels(panel), once);
}

TEST_F(StatusBar, PanelTextTakesTheColourOfItsMode) {
    const IntRect r = Record().statusPanelRects[0];
    const RECT panel{r.x, r.y, r.x + 150, r.y + r.height};
    const auto countReddish = [&] {
        int n = 0;
        for (COLORREF c : Pixels(panel)) {
            n += GetRValue(c) > 180 && GetGValue(c) < 100 && GetBValue(c) < 100;
        }
        return n;
    };
    ASSERT_TRUE(engine_.SetStatusPanel(hwnd_, 1, "WWWWWWWW", std::nullopt, 0x0000FF));
    EXPECT_GT(countReddish(), 10);
    // Mode 1: the inverse of the default background colour instead (never this pure red for a grey face).
    ASSERT_TRUE(engine_.SetStatusBarStyle(hwnd_, 1, 0, 0, 0xFFFFFF, std::nullopt, std::nullopt));
    engine_.DrawStatusPanel(1, nullptr, false, 1);
    EXPECT_EQ(countReddish(), 0);
}

// A 12 x 12 red icon saved at 48 dots per inch is drawn 12 pixels wide, not scaled to twice its size.
TEST_F(StatusBar, IconsAreDrawnAtTheirPixelSizeWhateverTheirResolution) {
    DrawBitmap picture;
    ASSERT_TRUE(picture.CreateBitmap(12, 12));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            picture.BitmapSetPixel(x, y, 0xFFFF0000);
        }
    }
    ASSERT_TRUE(picture.SetResolution(48, 48));
    const std::vector<unsigned char> png = picture.SaveImageToBytes(kPngFormatId);
    ASSERT_FALSE(png.empty());
    ASSERT_TRUE(engine_.SetStatusPanel(hwnd_, 1, "", Bytes(png.begin(), png.end()), std::nullopt));
    const IntRect r = Record().statusPanelRects[0];
    int widest = 0;
    for (int y = r.y; y < r.y + r.height; ++y) {
        int red = 0;
        for (int x = r.x; x < r.x + 60; ++x) {
            const COLORREF c = Pixel(x, y);
            red += GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60;
        }
        widest = std::max(widest, red);
    }
    EXPECT_GE(widest, 11);
    EXPECT_LE(widest, 13);
}

TEST_F(StatusBar, GlowLaysALightHaloAroundTheText) {
    const IntRect r = Record().statusPanelRects[0];
    const RECT panel{r.x, r.y, r.x + 150, r.y + r.height};
    ASSERT_TRUE(engine_.SetStatusPanel(hwnd_, 1, "WWWWWWWW", std::nullopt, 0x000000));
    const std::vector<COLORREF> plain = Pixels(panel);
    ASSERT_TRUE(engine_.SetStatusBarStyle(hwnd_, 0, 1, 0x000000, 0xFFFFFF, std::nullopt, std::nullopt));
    engine_.DrawStatusPanel(1, nullptr, false, 1);
    const std::vector<COLORREF> glowing = Pixels(panel);
    ASSERT_EQ(plain.size(), glowing.size());
    long plainSum = 0;
    long glowSum = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        plainSum += GetRValue(plain[i]) + GetGValue(plain[i]) + GetBValue(plain[i]);
        glowSum += GetRValue(glowing[i]) + GetGValue(glowing[i]) + GetBValue(glowing[i]);
    }
    EXPECT_GT(glowSum, plainSum);
    // A panel too small to shrink by the glow scale still draws without faulting.
    Record().statusPanelRects[0].width = 3;
    Record().statusPanelRects[0].height = 2;
    engine_.DrawStatusPanel(1, nullptr, false, 1);
}

TEST_F(StatusBar, DockedChildrenFillTheSpaceAboveTheBar) {
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, hwnd_, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    Record().dockedChildren.push_back(DockedChild{child, 40});
    Record().dockedChildren.push_back(DockedChild{nullptr, 10});  // an empty entry is skipped
    engine_.LayoutDockedChildren(1);
    const RECT r = RectRelativeTo(hwnd_, child);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 396);
    EXPECT_EQ(r.bottom - r.top, 300 - 40 - 20 - 3);
    engine_.LayoutDockedChildren(0);
    engine_.LayoutDockedChildren(2);
}

}  // namespace
}  // namespace zandrel
