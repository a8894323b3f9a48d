// Pixels of the rendered backdrop: the rounded fill inside magenta corners, the placement modes of the background
// picture, the caption gloss, the status bar, the caption-button hover fade, and the look settings behind them.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core_fixture.h"
#include "draw/draw_brushes.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/skin_images.h"
#include "skin/core/skin_geometry.h"

namespace zandrel::test {
namespace {

constexpr COLORREF kMagentaRef = RGB(255, 0, 255);

// A picture whose left half is red and right half green, so a mirrored copy is told apart from the original and
// a red/blue mix-up shows in its average colour.
Bytes HalfAndHalfPng(int width, int height) {
    DrawBitmap bitmap;
    EXPECT_TRUE(bitmap.CreateBitmap(width, height));
    {
        DrawGraphics graphics;
        EXPECT_TRUE(graphics.GetImageGraphicsContext(bitmap));
        DrawSolidBrush red;
        DrawSolidBrush green;
        red.CreateSolidFill(0xFFFF0000);
        green.CreateSolidFill(0xFF00FF00);
        graphics.FillRectangle(red, 0, 0, static_cast<float>(width / 2), static_cast<float>(height));
        graphics.FillRectangle(green, static_cast<float>(width / 2), 0, static_cast<float>(width - width / 2),
                               static_cast<float>(height));
    }
    return bitmap.SaveImageToBytes(kPngFormatId);
}

Bytes WoodBytes() {
    const auto wood = SkinImageBytes(SkinImageId::WoodBackground);
    return Bytes(wood.begin(), wood.end());
}

TEST_F(CoreTest, FlatBackgroundIsMagentaOnlyOutsideTheRoundedFill) {
    constexpr int kW = 200;
    constexpr int kH = 150;
    SkinWindowOptions options;
    options.showCaptionText = false;
    HWND hwnd = Skinned(kW, kH, options, 0);
    Render(hwnd);
    ASSERT_NE(Record(hwnd).backdropDc, nullptr);
    EXPECT_FALSE(Record(hwnd).backdropDirty);

    for (POINT corner : {POINT{0, 0}, POINT{kW - 1, 0}, POINT{0, kH - 1}, POINT{kW - 1, kH - 1}}) {
        EXPECT_EQ(BackdropPixel(hwnd, corner.x, corner.y), kMagentaRef) << corner.x << "," << corner.y;
    }
    EXPECT_EQ(BackdropPixel(hwnd, kW / 2, kH / 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(BackdropPixel(hwnd, 40, kH - 10), GetSysColor(COLOR_BTNFACE));
    int magenta = 0;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (BackdropPixel(hwnd, x, y) != kMagentaRef) {
                continue;
            }
            ++magenta;
            const bool inCorner = (x < 5 || x >= kW - 5) && (y < 5 || y >= kH - 5);
            EXPECT_TRUE(inCorner) << "magenta at " << x << "," << y;
        }
    }
    EXPECT_GE(magenta, 4);
    // The window's region cuts the corners off too.
    RECT box{};
    EXPECT_NE(GetWindowRgnBox(hwnd, &box), ERROR);
}

TEST_F(CoreTest, ModeFourTilesThePictureAndMirrorsEverySecondTile) {
    const Bytes picture = HalfAndHalfPng(100, 40);
    SkinWindowOptions options;
    options.showCaptionText = false;
    options.backgroundImage = picture;
    options.backgroundMode = 4;
    HWND hwnd = Skinned(250, 200, options, 0);
    EXPECT_EQ(Record(hwnd).backgroundImage, picture);  // mode 4 keeps the picture as it is
    Render(hwnd);
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF green = RGB(0, 255, 0);
    struct Probe {
        int x;
        COLORREF colour;
    };
    // Tile 0 as drawn, tile 1 (100..199) mirrored, tile 2 (200..249) as drawn and cut off.
    const Probe probes[] = {{10, red},  {90, green}, {110, green}, {149, green},
                            {150, red}, {190, red},  {210, red},   {245, red}};
    for (const Probe& p : probes) {
        EXPECT_TRUE(ColourNear(BackdropPixel(hwnd, p.x, 32), p.colour, 8)) << "x " << p.x;
    }
    // Below the picture: the flat fill in the picture's average colour (red and green, not blue).
    const COLORREF fill = BackdropPixel(hwnd, 125, 120);
    EXPECT_NEAR(GetRValue(fill), 127, 25);
    EXPECT_NEAR(GetGValue(fill), 127, 25);
    EXPECT_LE(GetBValue(fill), 5);
}

TEST_F(CoreTest, PlacementModesPutThePictureWhereTheyShould) {
    const Bytes picture = HalfAndHalfPng(60, 30);
    struct Case {
        int mode;
        POINT red;    // a pixel that shows the picture's red half
        POINT plain;  // a pixel left in the flat colour
    };
    constexpr int kW = 300;
    constexpr int kH = 200;
    const Case cases[] = {
        {2, {kW / 2 - 20, kH / 2}, {20, 100}},  // centred
        {3, {20, 100}, {-1, -1}},               // stretched: everything is picture
        {4, {100, 20}, {20, 100}},              // second tile mirrored: its right half is red
        {7, {-1, -1}, {20, 32}},                // unknown mode: no picture at all
    };
    for (const Case& c : cases) {
        SkinWindowOptions options;
        options.showCaptionText = false;
        options.backgroundImage = picture;
        options.backgroundMode = c.mode;
        HWND hwnd = Skinned(kW, kH, options, 0);
        Render(hwnd);
        const COLORREF fill = ArgbToColour(Record(hwnd).backgroundColour);
        if (c.red.x >= 0) {
            EXPECT_TRUE(ColourNear(BackdropPixel(hwnd, c.red.x, c.red.y), RGB(255, 0, 0), 8)) << "mode " << c.mode;
        }
        if (c.plain.x >= 0) {
            EXPECT_TRUE(ColourNear(BackdropPixel(hwnd, c.plain.x, c.plain.y), fill, 2)) << "mode " << c.mode;
        }
    }
}

TEST_F(CoreTest, ModeThreeStretchesTheWoodOverTheClientArea) {
    const Bytes wood = WoodBytes();
    ASSERT_FALSE(wood.empty());
    engine_.SetDefaultBackground({}, wood, std::nullopt, std::nullopt, 3);
    constexpr int kW = 648;
    constexpr int kH = 538;
    SkinWindowOptions options;
    options.captionHeight = 80;
    options.resizable = false;
    options.showCaptionText = false;
    options.statusBarHeight = 25;
    HWND hwnd = Skinned(kW, kH, options);
    Render(hwnd);

    DrawBitmap expected;
    ASSERT_TRUE(expected.CreateBitmap(kW, kH));
    {
        DrawBitmap picture;
        ASSERT_TRUE(picture.CreateBitmapFromBytes(wood));
        DrawGraphics graphics;
        ASSERT_TRUE(graphics.GetImageGraphicsContext(expected));
        graphics.DrawImageRect(picture, 0, 0, kW, kH);
    }
    for (POINT p : {POINT{100, 150}, POINT{324, 269}, POINT{600, 400}, POINT{20, 300}}) {
        const COLORREF want = ArgbToColour(expected.BitmapGetPixel(p.x, p.y));
        EXPECT_TRUE(ColourNear(BackdropPixel(hwnd, p.x, p.y), want, 10)) << p.x << "," << p.y;
    }
}

TEST_F(CoreTest, StatusBarAndCaptionGlossLightenTheBackground) {
    // A picture that is never drawn (mode 9) with an explicit colour gives a known dark flat background.
    const Bytes picture = HalfAndHalfPng(10, 10);
    const COLORREF dark = RGB(20, 40, 60);
    engine_.SetDefaultBackground({}, picture, dark, std::nullopt, 9);
    constexpr int kW = 300;
    constexpr int kH = 200;
    SkinWindowOptions options;
    options.captionHeight = 40;
    options.showCaptionText = false;
    options.captionGloss = true;
    options.statusBarHeight = 25;
    HWND hwnd = Skinned(kW, kH, options, 0);
    Render(hwnd);
    const IntRect bar = Record(hwnd).statusBarRect;
    ASSERT_EQ(bar.y, kH - 3 - 25 - 1);

    EXPECT_EQ(BackdropPixel(hwnd, 150, 100), dark);
    const COLORREF barTop = BackdropPixel(hwnd, 150, bar.y);
    const COLORREF barBottom = BackdropPixel(hwnd, 150, bar.y + bar.height - 1);
    EXPECT_GT(Brightness(barTop), Brightness(barBottom) + 30);
    EXPECT_GT(Brightness(barBottom), Brightness(dark));
    // The gloss: white fading out down the caption.
    const COLORREF glossTop = BackdropPixel(hwnd, 100, 3);
    const COLORREF glossLow = BackdropPixel(hwnd, 100, 35);
    EXPECT_GT(Brightness(glossTop), Brightness(glossLow) + 100);
    EXPECT_GE(Brightness(glossLow), Brightness(dark));
}

TEST_F(CoreTest, HoveredCaptionButtonFadesInAndBackOut) {
    SkinWindowOptions options;
    options.showCaptionText = false;
    HWND hwnd = Skinned(400, 300, options);  // minimise, maximise, close
    Render(hwnd);
    const SkinnedWindow& w = Record(hwnd);
    ASSERT_EQ(w.captionButtons.size(), 3u);
    const auto interior = [&](int button) {
        const RectF b = w.captionButtons[static_cast<size_t>(button - 1)].bounds;
        std::vector<COLORREF> pixels;
        for (int y = static_cast<int>(b.y) + 2; y < static_cast<int>(b.y + b.height) - 2; ++y) {
            for (int x = static_cast<int>(b.x) + 2; x < static_cast<int>(b.x + 24); ++x) {
                pixels.push_back(BackdropPixel(hwnd, x, y));
            }
        }
        return pixels;
    };
    const auto centre = [&](int button) {
        const RectF b = w.captionButtons[static_cast<size_t>(button - 1)].bounds;
        return Point(static_cast<int>(b.x + b.width / 2), static_cast<int>(b.y + b.height / 2));
    };
    const auto tick = [&](int times) {
        for (int i = 0; i < times; ++i) {
            SendMessageW(hwnd, WM_TIMER, reinterpret_cast<WPARAM>(hwnd), 0);
        }
    };
    const auto looksAlike = [](const std::vector<COLORREF>& a,
                               const std::vector<COLORREF>& b) -> ::testing::AssertionResult {
        if (a.size() != b.size()) {
            return ::testing::AssertionFailure() << "different sizes";
        }
        for (size_t i = 0; i < a.size(); ++i) {
            if (!ColourNear(a[i], b[i], 3)) {
                return ::testing::AssertionFailure() << "pixel " << i << ": " << ColourNear(a[i], b[i], 3).message();
            }
        }
        return ::testing::AssertionSuccess();
    };
    const std::vector<COLORREF> closeNormal = interior(3);
    const std::vector<COLORREF> maxNormal = interior(2);

    SendMessageW(hwnd, WM_MOUSEMOVE, 0, centre(3));
    EXPECT_TRUE(w.fadeTimerRunning);
    EXPECT_EQ(w.hotButton, 3);
    EXPECT_EQ(engine_.HotCaptionButton(), 3);
    SendMessageW(hwnd, WM_MOUSEHOVER, 0, centre(3));
    tick(8);
    EXPECT_EQ(w.fadeIn.step, 8);
    EXPECT_FALSE(looksAlike(interior(3), closeNormal)) << "the hovered close button looks as before";

    // On to the next button: the first fades out, the second in.
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, centre(2));
    EXPECT_EQ(w.fadeOut.button, 3);
    EXPECT_EQ(w.fadeIn.button, 2);
    tick(8);
    EXPECT_TRUE(looksAlike(interior(3), closeNormal)) << "the close button did not fade back";
    EXPECT_FALSE(looksAlike(interior(2), maxNormal));

    // The mouse leaves: the last one fades out and the timer stops.
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(w.fadeOut.button, 2);
    EXPECT_EQ(w.hotButton, 0);
    tick(8);
    EXPECT_TRUE(looksAlike(interior(2), maxNormal));
    EXPECT_FALSE(w.fadeTimerRunning);
    EXPECT_EQ(w.fadeOut.button, 0);
    EXPECT_EQ(w.fadeIn.button, 0);
}

TEST_F(CoreTest, PrintClientCopiesTheBackdrop) {
    HWND hwnd = Skinned(200, 150, {}, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 150);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EXPECT_EQ(GetPixel(dc, 0, 0), kMagentaRef);
    EXPECT_EQ(GetPixel(dc, 100, 100), BackdropPixel(hwnd, 100, 100));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(CoreTest, PaintingAShownWindowPutsTheBackdropOnTheScreen) {
    SkinWindowOptions options;
    options.showCaptionText = false;
    HWND hwnd = Skinned(200, 150, options, 0);
    ShowWindow(hwnd, SW_SHOWNA);
    UpdateWindow(hwnd);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    const SkinnedWindow& w = Record(hwnd);
    ASSERT_NE(w.backdropDc, nullptr);
    EXPECT_FALSE(w.backdropDirty);
    HDC screen = GetDC(hwnd);
    EXPECT_EQ(GetPixel(screen, 100, 100), BackdropPixel(hwnd, 100, 100));
    EXPECT_EQ(GetPixel(screen, 30, 120), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(hwnd, screen);
    // A later paint only copies the backdrop it has.
    HBITMAP rendered = w.backdropBitmap;
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(w.backdropBitmap, rendered);
}

TEST_F(CoreTest, SetDefaultBackgroundCases) {
    const Bytes picture = HalfAndHalfPng(20, 10);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);

    // A colour alone changes nothing, the accent included.
    engine_.SetDefaultBackground({}, picture, RGB(1, 2, 3), 0x123456, 2);
    ASSERT_EQ(engine_.GetDefaultBackgroundColour(), RGB(1, 2, 3));
    engine_.SetDefaultBackground({}, {}, RGB(9, 9, 9), 0x654321, std::nullopt);
    EXPECT_EQ(engine_.GetDefaultBackgroundColour(), RGB(1, 2, 3));
    EXPECT_EQ(engine_.AccentColour(), 0x123456u);
    EXPECT_EQ(engine_.DefaultBackgroundImage(), picture);
    EXPECT_EQ(engine_.DefaultBackgroundMode(), 2);

    // No picture, no colour, accent -1: both become the button face, and the picture goes.
    engine_.SetDefaultBackground({}, {}, std::nullopt, -1, std::nullopt);
    EXPECT_EQ(engine_.GetDefaultBackgroundColour(), face);
    EXPECT_EQ(engine_.AccentColour(), face);
    EXPECT_TRUE(engine_.DefaultBackgroundImage().empty());

    // A picture without a mode is kept as it is and tiled; the accent falls back to its default.
    engine_.SetDefaultBackground({}, picture, std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(engine_.DefaultBackgroundMode(), 4);
    EXPECT_EQ(engine_.DefaultBackgroundImage(), picture);
    EXPECT_EQ(engine_.AccentColour(), 0xDDCA22u);
    // Its average colour, as a Windows colour: red and green, no blue.
    const COLORREF average = engine_.GetDefaultBackgroundColour();
    EXPECT_NEAR(GetRValue(average), 127, 25);
    EXPECT_NEAR(GetGValue(average), 127, 25);
    EXPECT_LE(GetBValue(average), 5);

    // Accent -1 with a picture follows its average colour; tinted modes store a new picture.
    engine_.SetDefaultBackground({}, picture, RGB(10, 20, 30), -1, 0);
    EXPECT_EQ(engine_.AccentColour(), RGB(10, 20, 30));
    EXPECT_EQ(engine_.DefaultBackgroundMode(), 0);
    EXPECT_FALSE(engine_.DefaultBackgroundImage().empty());
    EXPECT_NE(engine_.DefaultBackgroundImage(), picture);

    // A picture from a file that cannot be read leaves everything as it was.
    engine_.SetDefaultBackground("Z:\\no\\such\\picture.png", {}, std::nullopt, 0x111111, 3);
    EXPECT_EQ(engine_.DefaultBackgroundMode(), 0);
    EXPECT_EQ(engine_.AccentColour(), RGB(10, 20, 30));
}

TEST_F(CoreTest, SetDefaultBackgroundRepaintsVisibleWindowsAtOnce) {
    SkinWindowOptions options;
    options.showCaptionText = false;
    HWND hwnd = Skinned(200, 150, options, WS_VISIBLE);
    Render(hwnd);
    ASSERT_EQ(BackdropPixel(hwnd, 100, 100), GetSysColor(COLOR_BTNFACE));
    engine_.SetDefaultBackground({}, HalfAndHalfPng(8, 8), RGB(0, 0, 128), std::nullopt, 9);
    EXPECT_EQ(BackdropPixel(hwnd, 100, 100), RGB(0, 0, 128));
}

TEST_F(CoreTest, GlobalOptionsAndBackgroundImage) {
    engine_.SetGlobalOptions(1, 0, 0);
    EXPECT_EQ(engine_.ControlSkinMode(), 1);
    EXPECT_EQ(engine_.OverlayAlpha(), 0);
    EXPECT_EQ(engine_.TrackbarStyle(), 0);
    EXPECT_TRUE(engine_.OverlayGiven());
    engine_.SetGlobalOptions(0, std::nullopt, std::nullopt);
    EXPECT_EQ(engine_.ControlSkinMode(), 0);
    EXPECT_EQ(engine_.OverlayAlpha(), 160);
    EXPECT_EQ(engine_.TrackbarStyle(), 1);
    EXPECT_FALSE(engine_.OverlayGiven());

    HWND hwnd = Skinned(200, 150, {}, 0);
    SkinnedWindow& w = Record(hwnd);
    w.backdropDirty = false;
    EXPECT_FALSE(engine_.SetBackgroundImage(hwnd, {}, 3));
    EXPECT_FALSE(w.backdropDirty);
    const Bytes picture = HalfAndHalfPng(20, 10);
    EXPECT_TRUE(engine_.SetBackgroundImage(hwnd, picture, 3));
    EXPECT_EQ(w.backgroundMode, 3);
    EXPECT_EQ(w.backgroundImage, picture);
    EXPECT_TRUE(w.backdropDirty);
    EXPECT_TRUE(engine_.SetBackgroundImage(hwnd, picture, 1));  // tinted: a new picture
    EXPECT_NE(w.backgroundImage, picture);
}

TEST_F(CoreTest, CustomCaptionButtonsGoToTheLeft) {
    HWND hwnd = Skinned(400, 300, {}, 0);  // close only
    const int strip = Record(hwnd).stripWidth;
    const Bytes glyph = HalfAndHalfPng(26, 18);
    ASSERT_TRUE(engine_.AddCaptionButton(hwnd, glyph, "one", nullptr));
    ASSERT_TRUE(engine_.AddCaptionButton(hwnd, glyph, "two", nullptr));
    EXPECT_FALSE(engine_.AddCaptionButton(hwnd, {}, "empty", nullptr));
    const SkinnedWindow& w = Record(hwnd);
    ASSERT_EQ(w.captionButtons.size(), 3u);
    EXPECT_EQ(w.captionButtons[0].tipText, "two");
    EXPECT_EQ(w.captionButtons[1].tipText, "one");
    EXPECT_EQ(w.captionButtons[2].kind, kCaptionClose);
    EXPECT_EQ(w.stripWidth, strip + 54);
    EXPECT_EQ(w.toolCount, 3);
    EXPECT_LT(w.captionButtons[0].bounds.x, w.captionButtons[1].bounds.x);
}

TEST_F(CoreTest, CaptionStyleKeepsWhatIsNotGiven) {
    HWND hwnd = Skinned(400, 300, {}, 0);
    Render(hwnd);
    ASSERT_TRUE(engine_.SetCaptionStyle(hwnd, std::nullopt, 16, RGB(1, 2, 3), std::nullopt, 0));
    const SkinnedWindow& w = Record(hwnd);
    EXPECT_EQ(w.captionFontName, "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(w.captionFontSize, 16);
    EXPECT_EQ(w.captionTextColour, RGB(1, 2, 3));
    EXPECT_EQ(w.captionShadowColour, 0x808080u);
    EXPECT_EQ(w.captionFontStyle, 0);
}

TEST_F(CoreTest, ControlColourBrushesAreOwnedByTheWindow) {
    engine_.SetGlobalOptions(1, 100, std::nullopt);
    HWND hwnd = Skinned(300, 200, {});
    Render(hwnd);
    HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 20, 60, 80, 20, hwnd, nullptr, nullptr, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 20, 90, 80, 20, hwnd, nullptr, nullptr, nullptr);
    HDC dc = GetDC(label);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetPropA(label, kPropCtlBrush), brush);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    // The next answer replaces the brush and releases the old one.
    const auto again = reinterpret_cast<HBRUSH>(
        SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    EXPECT_EQ(GetObjectType(brush) == 0 || brush == again, true);
    ReleaseDC(label, dc);
    HDC buttonDc = GetDC(button);
    const auto hollow = reinterpret_cast<HGDIOBJ>(
        SendMessageW(hwnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(buttonDc), reinterpret_cast<LPARAM>(button)));
    EXPECT_EQ(hollow, GetStockObject(NULL_BRUSH));
    ReleaseDC(button, buttonDc);
    EXPECT_EQ(Record(hwnd).controlBrushes.size(), 2u);

    // Without an overlay alpha the colours are left to the controls.
    engine_.SetGlobalOptions(1, std::nullopt, std::nullopt);
    HDC plainDc = GetDC(label);
    const LRESULT plain =
        SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(plainDc), reinterpret_cast<LPARAM>(label));
    ReleaseDC(label, plainDc);
    EXPECT_NE(reinterpret_cast<HGDIOBJ>(plain), GetStockObject(NULL_BRUSH));
    EXPECT_NE(reinterpret_cast<HBRUSH>(plain), again);
}

}  // namespace
}  // namespace zandrel::test
