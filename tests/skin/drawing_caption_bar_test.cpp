// Caption-button layout, hit tests and the button looks drawn over a known backdrop.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include <gtest/gtest.h>

#include "draw/draw_graphics.h"
#include "draw/skin_images.h"
#include "drawing_fixture.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {
namespace {

using CaptionBar = test::SkinnedWindowFixture;

TEST_F(CaptionBar, ButtonsStartTwentySevenApartAndTheCloseButtonIsFortyWide) {
    engine_.LayoutCaptionButtons(1);
    const SkinnedWindow& w = Record();
    ASSERT_EQ(w.stripWidth, 95);
    EXPECT_EQ(w.stripLeft, 400 - 95 + 1);
    EXPECT_EQ(w.stripHeight, 22);
    const struct {
        int kind;
        float x, width;
    } expected[] = {{kCaptionMinimize, 308, 26}, {kCaptionMaximize, 335, 26}, {kCaptionClose, 362, 40}};
    ASSERT_EQ(w.captionButtons.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const CaptionButton& b = w.captionButtons[i];
        EXPECT_EQ(b.kind, expected[i].kind) << i;
        EXPECT_FLOAT_EQ(b.bounds.x, expected[i].x) << i;
        EXPECT_FLOAT_EQ(b.bounds.y, 1) << i;
        EXPECT_FLOAT_EQ(b.bounds.width, expected[i].width) << i;
        EXPECT_FLOAT_EQ(b.bounds.height, 18) << i;
    }
    EXPECT_EQ(w.captionButtons[2].width, 38);  // the picture stays 38 wide
}

TEST_F(CaptionBar, LayoutFollowsTheClientWidthAndMovesTheTooltipTools) {
    SetWindowPos(hwnd_, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    engine_.LayoutCaptionButtons(1);
    SkinnedWindow& w = Record();
    EXPECT_EQ(w.stripLeft, 406);
    EXPECT_FLOAT_EQ(w.captionButtons[0].bounds.x, 408);
    w.captionButtons[2].tipText = "Shut";
    engine_.LayoutCaptionButtons(1);
    HWND tips = w.toolTips.GetWindow();
    ASSERT_NE(tips, nullptr);
    const struct {
        UINT_PTR id;
        RECT rect;
    } tools[] = {{1, {408, 1, 434, 19}}, {2, {435, 1, 461, 19}}, {3, {462, 1, 502, 19}}};
    for (const auto& t : tools) {
        char text[80] = {};
        TTTOOLINFOA info{};
        info.cbSize = sizeof(info);
        info.hwnd = hwnd_;
        info.uId = t.id;
        info.lpszText = text;
        ASSERT_TRUE(SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) << t.id;
        EXPECT_EQ(info.rect.left, t.rect.left) << t.id;
        EXPECT_EQ(info.rect.top, t.rect.top) << t.id;
        EXPECT_EQ(info.rect.right, t.rect.right) << t.id;
        EXPECT_EQ(info.rect.bottom, t.rect.bottom) << t.id;
        if (t.id == 3) {
            EXPECT_STREQ(text, "Shut");
        }
    }
}

struct HitCase {
    float x, y;
    int button;
};

TEST_F(CaptionBar, HitTestIsStrictOnButtonEdges) {
    engine_.LayoutCaptionButtons(1);
    const HitCase cases[] = {
        {320, 10, 1},     {308, 10, 0},      // on the left edge: outside
        {308.01f, 10, 1}, {334, 10, 0},      // right edge of button 1 (308 + 26)
        {334.5f, 10, 0},  {335.5f, 10, 2},   // the gap between buttons, then button 2
        {320, 1, 0},      {320, 1.01f, 1},   // top edge
        {320, 19, 0},     {320, 18.99f, 1},  // bottom edge
        {401.9f, 10, 3},  {402, 10, 0},      // the 40-wide close button ends at 402
        {305, 10, 0},     {320, -1, 0},      // left of the strip, above it
        {320, 22, 0},     {320, 30, 0},      // on and below the strip's bottom edge
    };
    for (const HitCase& c : cases) {
        EXPECT_EQ(engine_.HitTestCaptionButton(1, c.x, c.y), c.button) << c.x << "," << c.y;
    }
}

TEST_F(CaptionBar, StripBoundsGateTheButtonTest) {
    engine_.LayoutCaptionButtons(1);
    SkinnedWindow& w = Record();
    // A strip lower than the buttons: its bottom edge still reaches the buttons, a hair below it does not.
    w.stripHeight = 10;
    EXPECT_EQ(engine_.HitTestCaptionButton(1, 320, 10), 1);
    EXPECT_EQ(engine_.HitTestCaptionButton(1, 320, 10.001f), 0);
    // Left of the strip nothing is hit, even inside a button's bounds.
    w.stripHeight = 22;
    w.stripLeft = 321;
    EXPECT_EQ(engine_.HitTestCaptionButton(1, 320, 10), 0);
    EXPECT_EQ(engine_.HitTestCaptionButton(1, 321, 10), 1);
}

TEST_F(CaptionBar, LookupsAndGuards) {
    engine_.LayoutCaptionButtons(1);
    EXPECT_EQ(engine_.FindMaximizeButton(1), 2);
    const RECT strip = engine_.GetCaptionButtonsRect(hwnd_);
    EXPECT_EQ(strip.left, 306);
    EXPECT_EQ(strip.top, 0);
    EXPECT_EQ(strip.right, 401);
    EXPECT_EQ(strip.bottom, 22);
    const RECT none = engine_.GetCaptionButtonsRect(GetDesktopWindow());
    EXPECT_EQ(none.right - none.left, 0);
    // Out-of-range windows and buttons do nothing.
    for (int window : {0, 2, -1}) {
        EXPECT_EQ(engine_.HitTestCaptionButton(window, 320, 10), 0);
        EXPECT_EQ(engine_.FindMaximizeButton(window), 0);
        engine_.LayoutCaptionButtons(window);
        engine_.DrawCaptionButton(window, 1, nullptr, false);
        engine_.DrawCaptionTitle(window, nullptr, false);
    }
    const std::vector<COLORREF> before = Pixels(RECT{300, 0, 400, 25});
    for (int button : {0, 4, -2}) {
        engine_.DrawCaptionButton(1, button, nullptr, false, false, 240);
        engine_.DrawCaptionButton(1, button, nullptr, false, true);
    }
    EXPECT_EQ(Pixels(RECT{300, 0, 400, 25}), before);
}

TEST(CaptionBarWithoutMaximise, HasNoMaximizeButton) {
    SkinEngine engine;
    HWND hwnd = test::MakePopup(300, 200, WS_MINIMIZEBOX);
    ASSERT_TRUE(engine.SkinWindow(hwnd, SkinWindowOptions{}));
    EXPECT_EQ(engine.FindMaximizeButton(1), 0);
    DestroyWindow(hwnd);
}

// The button area with the separator columns on both sides.
RECT ButtonArea(const SkinnedWindow& w, int button) {
    const CaptionButton& b = w.captionButtons[static_cast<size_t>(button - 1)];
    const int x = static_cast<int>(b.bounds.x) - 3;
    return RECT{x, 0, x + b.width + 4, 22};
}

TEST_F(CaptionBar, HoverHighlightIsRepairedFromTheCleanCopy) {
    engine_.LayoutCaptionButtons(1);
    for (int button = 1; button <= 3; ++button) {
        const RECT area = ButtonArea(Record(), button);
        engine_.DrawCaptionButton(1, button, nullptr, false, false, 0);
        const std::vector<COLORREF> normal = Pixels(area);
        engine_.DrawCaptionButton(1, button, nullptr, false, false, 240);
        const std::vector<COLORREF> hot = Pixels(area);
        EXPECT_NE(hot, normal) << button;
        // Back to 0: exactly the normal pixels, not a highlight drawn over a highlight.
        engine_.DrawCaptionButton(1, button, nullptr, false, false, 0);
        EXPECT_EQ(Pixels(area), normal) << button;
        engine_.DrawCaptionButton(1, button, nullptr, false, true);
        EXPECT_NE(Pixels(area), normal) << button;
        engine_.DrawCaptionButton(1, button, nullptr, false, false, 0);
        EXPECT_EQ(Pixels(area), normal) << button;
    }
}

TEST_F(CaptionBar, HighlightColours) {
    engine_.LayoutCaptionButtons(1);
    const SkinnedWindow& w = Record();
    // Sample just below the button's top edge, where the colour layer is strongest and the glyph does not reach.
    const auto sample = [&](int button) {
        const CaptionButton& b = w.captionButtons[static_cast<size_t>(button - 1)];
        return Pixel(static_cast<int>(b.bounds.x) + 2, 3);
    };
    engine_.DrawCaptionButton(1, 3, nullptr, false, false, 240);
    const COLORREF close = sample(3);
    EXPECT_GT(GetRValue(close), 150);
    EXPECT_LT(GetBValue(close), 120);
    engine_.DrawCaptionButton(1, 1, nullptr, false, false, 240);
    const COLORREF accent = sample(1);  // 0xDDCA22: strong blue and green, little red
    EXPECT_GT(GetBValue(accent), 150);
    EXPECT_GT(GetGValue(accent), 150);
    EXPECT_LT(GetRValue(accent), 120);
}

TEST_F(CaptionBar, RestoreGlyphOnlyWhileMaximised) {
    engine_.LayoutCaptionButtons(1);
    const RECT area = ButtonArea(Record(), 2);
    engine_.DrawCaptionButton(1, 2, nullptr, false);
    const std::vector<COLORREF> maximise = Pixels(area);
    Record().maximized = true;
    engine_.DrawCaptionButton(1, 2, nullptr, false);
    EXPECT_NE(Pixels(area), maximise);
    Record().maximized = false;
    engine_.DrawCaptionButton(1, 2, nullptr, false);
    EXPECT_EQ(Pixels(area), maximise);
}

TEST_F(CaptionBar, DrawOnlyUsesTheCallersSurface) {
    engine_.LayoutCaptionButtons(1);
    const RECT area = ButtonArea(Record(), 1);
    engine_.DrawCaptionButton(1, 1, nullptr, false);
    const std::vector<COLORREF> own = Pixels(area);
    DrawGraphics graphics;
    ASSERT_TRUE(graphics.CreateFromHDC(Record().backdropDc));
    graphics.SetSmoothingMode(4);
    engine_.DrawCaptionButton(1, 1, &graphics, true);
    graphics.Flush();
    EXPECT_EQ(Pixels(area), own);
}

TEST_F(CaptionBar, SystemButtonImagesReplaceOnlyWhatIsGiven) {
    engine_.LayoutCaptionButtons(1);
    EXPECT_FALSE(engine_.SetSystemButtonImages(GetDesktopWindow(), Bytes{1}, {}, {}, {}));
    const Bytes help(SkinImageBytes(SkinImageId::HelpGlyph).begin(), SkinImageBytes(SkinImageId::HelpGlyph).end());
    const Bytes menu(SkinImageBytes(SkinImageId::MenuGlyph).begin(), SkinImageBytes(SkinImageId::MenuGlyph).end());
    ASSERT_FALSE(help.empty());
    const SkinnedWindow& w = Record();
    const Bytes oldRestore = w.captionButtons[1].altImage;
    const Bytes oldClose = w.captionButtons[2].image;
    ASSERT_TRUE(engine_.SetSystemButtonImages(hwnd_, help, menu, std::nullopt, std::nullopt));
    EXPECT_EQ(w.captionButtons[0].image, help);  // minimise
    EXPECT_EQ(w.captionButtons[1].image, menu);  // maximise
    EXPECT_EQ(w.captionButtons[1].altImage, oldRestore);
    EXPECT_EQ(w.captionButtons[2].image, oldClose);
    ASSERT_TRUE(engine_.SetSystemButtonImages(hwnd_, std::nullopt, std::nullopt, help, menu));
    EXPECT_EQ(w.captionButtons[1].altImage, help);
    EXPECT_EQ(w.captionButtons[2].image, menu);
}

TEST_F(CaptionBar, TitleIsDrawnLeftOfTheStripAndRepairedOnRedraw) {
    engine_.LayoutCaptionButtons(1);
    const RECT title{9, 8, 400 - 95 - 16 + 9, 40};
    const std::vector<COLORREF> before = Pixels(title);
    engine_.DrawCaptionTitle(1, nullptr, false, std::string("Title WWW"));
    const std::vector<COLORREF> once = Pixels(title);
    EXPECT_NE(once, before);
    engine_.DrawCaptionTitle(1, nullptr, false, std::string("Title WWW"));
    EXPECT_EQ(Pixels(title), once);  // the halo does not build up
    // The strip is not touched by the title.
    engine_.DrawCaptionTitle(1, nullptr, false, std::string("A very long title that runs into the caption buttons"));
    EXPECT_EQ(Pixel(320, 10), test::PatternColour(320, 10));
}

}  // namespace
}  // namespace zandrel
