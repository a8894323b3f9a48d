// Creating, drawing and deleting many times must not grow the GDI object count or the private bytes.
#include <cstdio>

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "draw/draw_pen.h"
#include "draw/draw_region.h"
#include "draw/skin_images.h"
#include "support/leak_probe.h"

namespace zandrel {
namespace {

// One paint's worth of drawing objects, each created, used and released; several are created twice so that a
// replaced native object that is not released shows up as growth.
void PaintCycle(const std::string& songTi, const std::string& text) {
    DrawBitmap canvas;
    canvas.CreateBitmap(48, 24);
    DrawGraphics graphics;
    graphics.GetImageGraphicsContext(canvas);
    graphics.SetSmoothingMode(4);

    DrawSolidBrush brush;
    brush.CreateSolidFill(0xFF203040);
    brush.CreateSolidFill(0xFF405060);
    DrawPath path;
    path.CreatePath();
    path.AddPathEllipse(2, 2, 20, 20);
    path.CreatePath();
    path.AddPathArc(1, 1, 10, 10, 180, 90);
    path.AddPathLine(6, 1, 40, 1);
    path.ClosePathFigure();
    graphics.FillPath(brush, path);

    DrawLinearBrush line;
    line.CreateLineBrush({0, 0}, {0, 24}, 0xFFFFFFFF, 0xFF000000);
    DrawPathBrush radial;
    radial.CreatePathGradientFromPath(path);
    radial.SetPathGradientCenterColor(0xFFFFFFFF);
    DrawPen pen;
    pen.CreatePen2(line, 2);
    pen.CreatePen1(0xFF000000, 1);
    graphics.DrawLine(pen, 0, 0, 47, 23);
    graphics.SetClipRect(0, 0, 30, 20, 0);
    graphics.SetClipPath(path, 3);
    graphics.FillRectangle(radial, 0, 0, 48, 24);
    graphics.ResetClip();

    DrawRegion region;
    region.CreateRegionRect(0, 0, 10, 10);
    region.CreateRegionPath(path);
    HRGN rgn = region.GetRegionHRgn(graphics);
    DeleteObject(rgn);

    DrawFont font;
    font.CreateFontByName(songTi, 12, 0, 2);
    font.CreateFontByName(songTi, 13, 1, 2);
    DrawFontFamily family;
    font.GetFamily(family);
    font.GetFamily(family);
    DrawStringFormat format;
    format.CreateStringFormat();
    graphics.DrawString(text, font, brush, gp::RectF(0, 0, 48, 24), &format);

    DrawImage arrow;
    arrow.LoadImageFromBytes(SkinImageBytes(SkinImageId::ArrowDown));
    arrow.LoadImageFromBytes(SkinImageBytes(SkinImageId::ArrowUp));
    graphics.DrawImageRect(arrow, 30, 10, 14, 8);

    HDC dc = graphics.GetDC();
    graphics.ReleaseDC(dc);
    graphics.DeleteGraphics();

    HBITMAP hbitmap = nullptr;
    canvas.CreateHBITMAPFromBitmap(&hbitmap, 0);
    DeleteObject(hbitmap);
}

TEST(DrawLeaks, TenThousandPaintCyclesDoNotGrowGdiObjectsOrPrivateBytes) {
    const std::string songTi = Utf8ToGbk("宋体");
    const std::string text = Utf8ToGbk("关键词");
    for (int i = 0; i < 500; ++i) {
        PaintCycle(songTi, text);
    }
    const test::ResourceSnapshot before = test::TakeResourceSnapshot();
    constexpr int kCycles = 10000;
    for (int i = 0; i < kCycles; ++i) {
        PaintCycle(songTi, text);
    }
    const test::ResourceSnapshot after = test::TakeResourceSnapshot();
    std::printf("GDI objects %ld -> %ld (%s), private bytes %zu -> %zu\n", before.gdiObjects, after.gdiObjects,
                test::GdiCountIsProbed() ? "handle-table probe" : "GetGuiResources", before.privateBytes,
                after.privateBytes);
    ASSERT_GT(before.gdiObjects, 0);
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 2);
    ASSERT_GT(before.privateBytes, 0u);
    // A leak of even one small native object per cycle would add well over a megabyte.
    EXPECT_LT(after.privateBytes, before.privateBytes + 1024 * 1024);
}

}  // namespace
}  // namespace zandrel
