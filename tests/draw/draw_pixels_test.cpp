// Drawing into a bitmap and reading the pixels back.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_path.h"
#include "draw/draw_pen.h"
#include "pixel_helpers.h"

namespace zandrel {
namespace {

using test::Canvas;
using test::ColourNear;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

void AddRoundedRectangle(DrawPath& path, float x, float y, float w, float h, float r) {
    const float d = 2 * r;
    ASSERT_TRUE(path.AddPathArc(x, y, d, d, 180, 90));
    ASSERT_TRUE(path.AddPathArc(x + w - d, y, d, d, 270, 90));
    ASSERT_TRUE(path.AddPathArc(x + w - d, y + h - d, d, d, 0, 90));
    ASSERT_TRUE(path.AddPathArc(x, y + h - d, d, d, 90, 90));
    ASSERT_TRUE(path.ClosePathFigure());
}

TEST(DrawPixels, RoundedPathFillsInsideAndLeavesCornersClear) {
    Canvas canvas(100, 60, kWhite);
    ASSERT_TRUE(canvas.graphics.SetSmoothingMode(4));  // anti-alias
    DrawPath path;
    ASSERT_TRUE(path.CreatePath());
    AddRoundedRectangle(path, 10, 10, 80, 40, 12);
    DrawSolidBrush red;
    ASSERT_TRUE(red.CreateSolidFill(kRed));
    ASSERT_TRUE(canvas.graphics.FillPath(red, path));

    EXPECT_TRUE(ColourNear(canvas.Pixel(50, 30), kRed, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(11, 30), kRed, 0)) << "straight left edge is filled";
    EXPECT_TRUE(ColourNear(canvas.Pixel(50, 11), kRed, 0)) << "straight top edge is filled";
    EXPECT_TRUE(ColourNear(canvas.Pixel(10, 10), kWhite, 0)) << "the rounded corner leaves the corner pixel";
    EXPECT_TRUE(ColourNear(canvas.Pixel(88, 48), kWhite, 8));
    EXPECT_TRUE(ColourNear(canvas.Pixel(5, 30), kWhite, 0)) << "nothing outside the path";
}

TEST(DrawPixels, StrokedPathAndLineUseThePenColour) {
    Canvas canvas(60, 60, kWhite);
    DrawPen pen;
    ASSERT_TRUE(pen.CreatePen1(kBlue, 3, 2));
    DrawPath path;
    ASSERT_TRUE(path.CreatePath());
    ASSERT_TRUE(path.AddPathRectangle(10, 10, 40, 40));
    ASSERT_TRUE(canvas.graphics.DrawPath(pen, path));
    ASSERT_TRUE(canvas.graphics.DrawLine(pen, 0, 30, 60, 30));
    EXPECT_TRUE(ColourNear(canvas.Pixel(10, 20), kBlue, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(30, 30), kBlue, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(30, 20), kWhite, 0));
}

TEST(DrawPixels, VerticalLinearGradientRunsFromFirstToLastRow) {
    Canvas canvas(20, 100, kWhite);
    DrawLinearBrush brush;
    ASSERT_TRUE(brush.CreateLineBrush({0, 0}, {0, 100}, kBlue, kRed));
    ASSERT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 20, 100));
    EXPECT_TRUE(ColourNear(canvas.Pixel(10, 0), kBlue, 6));
    EXPECT_TRUE(ColourNear(canvas.Pixel(10, 99), kRed, 6));
    EXPECT_TRUE(ColourNear(canvas.Pixel(10, 50), 0xFF7F0080, 8));
}

TEST(DrawPixels, PresetBlendPassesThroughTheMiddleStop) {
    Canvas canvas(101, 10, kWhite);
    DrawLinearBrush brush;
    ASSERT_TRUE(brush.CreateLineBrush({0, 0}, {101, 0}, kRed, kBlue));
    const uint32_t colours[] = {kRed, kGreen, kBlue};
    const float positions[] = {0.0f, 0.5f, 1.0f};
    ASSERT_TRUE(brush.SetLinePresetBlend(colours, positions));
    ASSERT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 101, 10));
    EXPECT_TRUE(ColourNear(canvas.Pixel(0, 5), kRed, 8));
    EXPECT_TRUE(ColourNear(canvas.Pixel(50, 5), kGreen, 8));
    EXPECT_TRUE(ColourNear(canvas.Pixel(100, 5), kBlue, 8));
}

TEST(DrawPixels, PathGradientIsCentreColourInTheMiddle) {
    Canvas canvas(100, 100, kWhite);
    DrawPath ellipse;
    ASSERT_TRUE(ellipse.CreatePath());
    ASSERT_TRUE(ellipse.AddPathEllipse(0, 0, 100, 100));
    DrawPathBrush brush;
    ASSERT_TRUE(brush.CreatePathGradientFromPath(ellipse));
    ASSERT_TRUE(brush.SetPathGradientCenterColor(kRed));
    const uint32_t surround[] = {kBlue};
    ASSERT_TRUE(brush.SetPathGradientSurroundColorsWithCount(surround));
    ASSERT_TRUE(canvas.graphics.FillPath(brush, ellipse));
    EXPECT_TRUE(ColourNear(canvas.Pixel(50, 50), kRed, 24));
    const uint32_t edge = canvas.Pixel(50, 2);
    EXPECT_GT(test::Channel(edge, 0), test::Channel(edge, 16)) << "mostly surround colour near the edge";
    EXPECT_TRUE(ColourNear(canvas.Pixel(2, 2), kWhite, 0)) << "outside the ellipse";
}

TEST(DrawPixels, ClipRectanglesCombinedWithXorLeaveTheOverlapOut) {
    Canvas canvas(100, 100, kWhite);
    ASSERT_TRUE(canvas.graphics.SetClipRect(0, 0, 60, 60, 0));
    ASSERT_TRUE(canvas.graphics.SetClipRect(40, 40, 60, 60, 3));
    DrawSolidBrush red;
    ASSERT_TRUE(red.CreateSolidFill(kRed));
    ASSERT_TRUE(canvas.graphics.FillRectangle(red, 0, 0, 100, 100));
    struct Probe {
        int x, y;
        uint32_t expected;
    };
    for (const Probe& p : {Probe{20, 20, kRed}, Probe{80, 80, kRed}, Probe{50, 50, kWhite}, Probe{80, 20, kWhite},
                           Probe{20, 80, kWhite}}) {
        EXPECT_TRUE(ColourNear(canvas.Pixel(p.x, p.y), p.expected, 0)) << p.x << "," << p.y;
    }
    ASSERT_TRUE(canvas.graphics.ResetClip());
    ASSERT_TRUE(canvas.graphics.FillRectangle(red, 0, 0, 100, 100));
    EXPECT_TRUE(ColourNear(canvas.Pixel(50, 50), kRed, 0)) << "no clip after ResetClip";
}

TEST(DrawPixels, ClipPathIntersectsAndExcludes) {
    Canvas canvas(100, 100, kWhite);
    DrawPath circle;
    ASSERT_TRUE(circle.CreatePath());
    ASSERT_TRUE(circle.AddPathEllipse(0, 0, 100, 100));
    ASSERT_TRUE(canvas.graphics.SetClipPath(circle, 0));
    ASSERT_TRUE(canvas.graphics.SetClipRect(40, 40, 20, 20, 4));  // exclude a hole
    DrawSolidBrush red;
    ASSERT_TRUE(red.CreateSolidFill(kRed));
    ASSERT_TRUE(canvas.graphics.FillRectangle(red, 0, 0, 100, 100));
    EXPECT_TRUE(ColourNear(canvas.Pixel(30, 30), kRed, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(50, 50), kWhite, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(3, 3), kWhite, 0));
}

TEST(DrawPixels, ChineseTextInSongTiChangesPixelsOnlyInsideItsRectangle) {
    Canvas canvas(200, 60, kWhite);
    ASSERT_TRUE(canvas.graphics.SetTextRenderingHint(4));  // anti-alias grid fit
    DrawFont font;
    ASSERT_TRUE(font.CreateFontByName(Utf8ToGbk("宋体"), 20, 0, 2));
    DrawSolidBrush black;
    ASSERT_TRUE(black.CreateSolidFill(0xFF000000));
    const gp::RectF layout(10, 10, 150, 30);
    const std::string text = Utf8ToGbk("中文测试");
    gp::RectF bounds;
    int fitted = 0;
    ASSERT_TRUE(canvas.graphics.MeasureString(text, font, layout, nullptr, &bounds, &fitted));
    EXPECT_EQ(fitted, 4) << "four UTF-16 characters, not eight GBK bytes";
    EXPECT_GT(bounds.Width, 40.0f);
    ASSERT_TRUE(canvas.graphics.DrawString(text, font, black, layout));

    int inside = 0;
    int outside = 0;
    canvas.graphics.Flush();
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool dark = canvas.bitmap.BitmapGetPixel(x, y) != kWhite;
            const bool inRect = x >= 10 && x < 160 && y >= 10 && y < 40;
            (inRect ? inside : outside) += dark ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 100) << "glyphs were drawn";
    EXPECT_EQ(outside, 0);
}

TEST(DrawPixels, CentredStringFormatMovesTextToTheMiddle) {
    Canvas canvas(200, 40, kWhite);
    DrawFont font;
    ASSERT_TRUE(font.CreateFontByName(Utf8ToGbk("宋体"), 12, 0, 2));
    DrawStringFormat format;
    ASSERT_TRUE(format.CreateStringFormat());
    ASSERT_TRUE(format.SetStringFormatAlign(1));
    ASSERT_TRUE(format.SetStringFormatLineAlign(1));
    ASSERT_TRUE(format.SetStringFormatTrimming(3));
    DrawSolidBrush black;
    ASSERT_TRUE(black.CreateSolidFill(0xFF000000));
    ASSERT_TRUE(canvas.graphics.DrawString("ab", font, black, gp::RectF(0, 0, 200, 40), &format));
    canvas.graphics.Flush();
    int minX = 200;
    int maxX = -1;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (canvas.bitmap.BitmapGetPixel(x, y) != kWhite) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    }
    ASSERT_GE(maxX, 0);
    EXPECT_NEAR((minX + maxX) / 2.0, 100.0, 6.0);
}

TEST(DrawPixels, DrawImageRectScalesTheWholeImageInPixels) {
    DrawBitmap source;
    ASSERT_TRUE(source.CreateBitmap(2, 2));
    ASSERT_TRUE(source.BitmapSetPixel(0, 0, kRed));
    ASSERT_TRUE(source.BitmapSetPixel(1, 0, kGreen));
    ASSERT_TRUE(source.BitmapSetPixel(0, 1, kBlue));
    ASSERT_TRUE(source.BitmapSetPixel(1, 1, kWhite));
    Canvas canvas(60, 60, 0xFF000000);
    ASSERT_TRUE(canvas.graphics.SetInterpolationMode(5));  // nearest neighbour
    EXPECT_EQ(canvas.graphics.GetInterpolationMode(), 5);
    ASSERT_TRUE(canvas.graphics.SetPixelOffsetMode(4));  // half
    ASSERT_TRUE(canvas.graphics.DrawImageRect(source, 10, 10, 40, 40));
    EXPECT_TRUE(ColourNear(canvas.Pixel(20, 20), kRed, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(40, 20), kGreen, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(20, 40), kBlue, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(40, 40), kWhite, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(5, 5), 0xFF000000, 0));

    // A source rectangle picks the green quarter only.
    ASSERT_TRUE(canvas.graphics.DrawImageRectRect(source, 0, 0, 60, 60, 1, 0, 1, 1));
    EXPECT_TRUE(ColourNear(canvas.Pixel(5, 5), kGreen, 0));
    EXPECT_TRUE(ColourNear(canvas.Pixel(55, 55), kGreen, 0));
}

TEST(DrawPixels, RotateFlipTurnsTheImage) {
    DrawBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(3, 1));
    ASSERT_TRUE(bitmap.BitmapSetPixel(0, 0, kRed));
    ASSERT_TRUE(bitmap.ImageRotateFlip(1));  // 90 degrees clockwise
    EXPECT_EQ(bitmap.GetImageWidth(), 1u);
    EXPECT_EQ(bitmap.GetImageHeight(), 3u);
    EXPECT_EQ(bitmap.BitmapGetPixel(0, 0), kRed);
    ASSERT_TRUE(bitmap.ImageRotateFlip(6));  // flip Y
    EXPECT_EQ(bitmap.BitmapGetPixel(0, 2), kRed);
}

TEST(DrawPixels, SurfaceOnAMemoryDcDrawsIntoItsBitmap) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 20, -20, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    {
        DrawGraphics graphics;
        ASSERT_TRUE(graphics.CreateFromHDC(dc));
        DrawSolidBrush red;
        ASSERT_TRUE(red.CreateSolidFill(kRed));
        ASSERT_TRUE(graphics.FillRectangle(red, 0, 0, 10, 20));
        HDC surfaceDc = graphics.GetDC();
        ASSERT_NE(surfaceDc, nullptr);
        EXPECT_TRUE(graphics.ReleaseDC(surfaceDc));
    }
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 15, 5), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
}

}  // namespace
}  // namespace zandrel
