// Status bookkeeping and ownership of the native objects.
#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "draw/draw_pen.h"
#include "draw/draw_region.h"

namespace zandrel {
namespace {

// Leaves a known non-Ok status behind: a fill on an empty surface is an invalid parameter.
void ProvokeInvalidParameter() {
    DrawGraphics empty;
    DrawSolidBrush brush;
    ASSERT_FALSE(empty.FillRectangle(brush, 0, 0, 1, 1));
    ASSERT_EQ(LastStatus(), 2);
}

TEST(DrawOwnership, DeletingAnEmptyObjectFailsWithoutTouchingLastStatus) {
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"graphics", [] { return DrawGraphics().DeleteGraphics(); }},
        {"path", [] { return DrawPath().DeletePath(); }},
        {"pen", [] { return DrawPen().DeletePen(); }},
        {"solid brush", [] { return DrawSolidBrush().DeleteBrush(); }},
        {"linear brush", [] { return DrawLinearBrush().DeleteBrush(); }},
        {"path brush", [] { return DrawPathBrush().DeleteBrush(); }},
        {"region", [] { return DrawRegion().DeleteRegion(); }},
        {"image", [] { return DrawImage().DisposeImage(); }},
        {"bitmap", [] { return DrawBitmap().DisposeImage(); }},
        {"font", [] { return DrawFont().DeleteFont(); }},
        {"font family", [] { return DrawFontFamily().DeleteFontFamily(); }},
        {"string format", [] { return DrawStringFormat().DeleteStringFormat(); }},
    };
    for (const auto& [name, deleteEmpty] : cases) {
        ProvokeInvalidParameter();
        EXPECT_FALSE(deleteEmpty()) << name;
        EXPECT_EQ(LastStatus(), 2) << name;
    }
}

TEST(DrawOwnership, SecondDeleteFailsAndHandleIsCleared) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"path",
         [] {
             DrawPath p;
             ASSERT_TRUE(p.CreatePath());
             ASSERT_NE(p.GetHandle(), nullptr);
             EXPECT_TRUE(p.DeletePath());
             EXPECT_EQ(p.GetHandle(), nullptr);
             EXPECT_FALSE(p.DeletePath());
             EXPECT_TRUE(p.CreatePath()) << "usable again after a delete";
         }},
        {"pen",
         [] {
             DrawPen p;
             ASSERT_TRUE(p.CreatePen1(0xFF000000, 1));
             EXPECT_TRUE(p.DeletePen());
             EXPECT_EQ(p.GetHandle(), nullptr);
             EXPECT_FALSE(p.DeletePen());
         }},
        {"brush",
         [] {
             DrawSolidBrush b;
             ASSERT_TRUE(b.CreateSolidFill(0xFF000000));
             EXPECT_TRUE(b.DeleteBrush());
             EXPECT_FALSE(b.DeleteBrush());
         }},
        {"region",
         [] {
             DrawRegion r;
             ASSERT_TRUE(r.CreateRegionRect(0, 0, 5, 5));
             EXPECT_TRUE(r.DeleteRegion());
             EXPECT_FALSE(r.DeleteRegion());
         }},
        {"bitmap",
         [] {
             DrawBitmap b;
             ASSERT_TRUE(b.CreateBitmap(4, 4));
             EXPECT_TRUE(b.DisposeImage());
             EXPECT_EQ(b.GetHandle(), nullptr);
             EXPECT_FALSE(b.DisposeImage());
         }},
        {"string format",
         [] {
             DrawStringFormat f;
             ASSERT_TRUE(f.CreateStringFormat());
             EXPECT_TRUE(f.DeleteStringFormat());
             EXPECT_FALSE(f.DeleteStringFormat());
         }},
    };
    for (const auto& [name, run] : cases) {
        SCOPED_TRACE(name);
        run();
    }
}

TEST(DrawOwnership, FailedCallsReportTheGdiplusStatus) {
    DrawPath empty;
    EXPECT_FALSE(empty.AddPathLine(0, 0, 1, 1));
    EXPECT_EQ(LastStatus(), 2);
    EXPECT_EQ(empty.GetPointCount(), 0) << "readers answer 0 on failure";

    DrawPath path;
    ASSERT_TRUE(path.CreatePath());
    EXPECT_EQ(LastStatus(), 0);
    DrawBitmap bitmap;
    EXPECT_FALSE(bitmap.CreateBitmap(0, 0));
    EXPECT_EQ(LastStatus(), 2) << "a bitmap without pixels";
    EXPECT_EQ(bitmap.GetHandle(), nullptr);
    DrawFont font;
    EXPECT_FALSE(font.CreateFontByName("NoSuchFontXYZ", 12));
    EXPECT_NE(LastStatus(), 0) << "the font made from the missing family fails too";

    DrawImage image;
    EXPECT_EQ(image.GetImageWidth(), 0u);
    EXPECT_NE(LastStatus(), 0);
}

TEST(DrawOwnership, PresetBlendWithUnequalListsIsRefusedWithoutANativeCall) {
    DrawLinearBrush brush;
    ASSERT_TRUE(brush.CreateLineBrush({0, 0}, {10, 0}, 0xFF000000, 0xFFFFFFFF));
    const uint32_t colours[] = {0xFF000000, 0xFF808080, 0xFFFFFFFF};
    const float positions[] = {0.0f, 1.0f};
    EXPECT_FALSE(brush.SetLinePresetBlend(colours, positions));
    EXPECT_EQ(LastStatus(), 2);
    EXPECT_TRUE(brush.SetLineLinearBlend(0.5f, 1.0f));
}

TEST(DrawOwnership, SurroundColourCountDefaultsToTheColoursGiven) {
    DrawPath path;
    ASSERT_TRUE(path.CreatePath());
    ASSERT_TRUE(path.AddPathRectangle(0, 0, 10, 10));  // four points, so up to four surround colours
    DrawPathBrush brush;
    ASSERT_TRUE(brush.CreatePathGradientFromPath(path));
    const uint32_t colours[] = {0xFF000000, 0xFF111111, 0xFF222222};
    EXPECT_TRUE(brush.SetPathGradientSurroundColorsWithCount(colours));
    INT count = 0;
    ASSERT_EQ(gp::GdipGetPathGradientSurroundColorCount(brush.Gradient(), &count), gp::Ok);
    // GDI+ reports the count the brush can hold (the point count); what was stored shows in the colours.
    gp::ARGB stored[4] = {};
    INT asked = count;
    ASSERT_EQ(gp::GdipGetPathGradientSurroundColorsWithCount(brush.Gradient(), stored, &asked), gp::Ok);
    EXPECT_EQ(stored[1], 0xFF111111u);
    EXPECT_EQ(stored[2], 0xFF222222u);
    EXPECT_FALSE(brush.SetPathGradientSurroundColorsWithCount(colours, 5)) << "more than the colours given";
    EXPECT_EQ(LastStatus(), 2);
}

TEST(DrawOwnership, MovingHandsTheNativeObjectOver) {
    DrawPath a;
    ASSERT_TRUE(a.CreatePath());
    void* native = a.GetHandle();
    DrawPath b(std::move(a));
    EXPECT_EQ(a.GetHandle(), nullptr);
    EXPECT_EQ(b.GetHandle(), native);

    DrawPath c;
    ASSERT_TRUE(c.CreatePath());
    c = std::move(b);  // c's own path is released
    EXPECT_EQ(c.GetHandle(), native);
    EXPECT_EQ(b.GetHandle(), nullptr);
    EXPECT_TRUE(c.AddPathLine(0, 0, 5, 5));

    DrawSolidBrush brush;
    ASSERT_TRUE(brush.CreateSolidFill(0xFF102030));
    DrawSolidBrush other(std::move(brush));
    EXPECT_EQ(brush.GetHandle(), nullptr);
    EXPECT_EQ(other.GetBrushType(), 0);
}

TEST(DrawOwnership, CreatingAgainReplacesTheObject) {
    DrawSolidBrush brush;
    ASSERT_TRUE(brush.CreateSolidFill(0xFF000000));
    ASSERT_TRUE(brush.CreateSolidFill(0xFFFFFFFF));
    gp::ARGB colour = 0;
    ASSERT_EQ(gp::GdipGetSolidFillColor(static_cast<gp::GpSolidFill*>(brush.GetHandle()), &colour), gp::Ok);
    EXPECT_EQ(colour, 0xFFFFFFFFu);
    // That the replaced object is released is checked by the leak test, which re-creates in every cycle.
}

TEST(DrawOwnership, FontFromAnUnknownFamilyStaysEmpty) {
    DrawFont font;
    EXPECT_FALSE(font.CreateFontByName("NoSuchFontXYZ", 12));
    EXPECT_EQ(font.GetHandle(), nullptr);
    EXPECT_NE(LastStatus(), 0);
}

TEST(DrawOwnership, FontKeepsStyleSizeAndFamily) {
    DrawFont font;
    ASSERT_TRUE(font.CreateFontByName(Utf8ToGbk("宋体"), 13.5f, 1, 2));
    EXPECT_EQ(font.GetFontStyle(), 1);
    EXPECT_FLOAT_EQ(font.GetFontSize(), 13.5f);
    DrawFontFamily family;
    ASSERT_TRUE(family.CreateFontFamilyFromName("WenQuanYi Zen Hei"));  // replaced by GetFamily
    ASSERT_TRUE(font.GetFamily(family));
    const std::string name = family.GetFamilyName();
    EXPECT_FALSE(name.empty());
    DrawFontFamily again;
    EXPECT_TRUE(again.CreateFontFamilyFromName(name)) << "the GBK name found is a name GDI+ knows";
    EXPECT_EQ(again.GetFamilyName(), name);
}

TEST(DrawOwnership, FontFromADeviceContextTakesItsCurrentFont) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT hfont = CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
    ASSERT_NE(hfont, nullptr);
    HGDIOBJ old = SelectObject(dc, hfont);
    DrawFont fromDc;
    DrawFont fromHandle;
    EXPECT_TRUE(fromDc.CreateFontFromHFont(dc));
    EXPECT_TRUE(fromHandle.CreateFontFromHFont(dc, hfont));
    EXPECT_GT(fromDc.GetFontSize(), 0.0f);
    EXPECT_FLOAT_EQ(fromDc.GetFontSize(), fromHandle.GetFontSize());
    EXPECT_EQ(fromDc.GetFontStyle() & 1, 1) << "bold";
    EXPECT_EQ(fromHandle.GetFontStyle() & 1, 1) << "bold";
    SelectObject(dc, old);
    DeleteObject(hfont);
    DeleteDC(dc);
}

TEST(DrawOwnership, RegionCombinesRectanglesAndPaths) {
    DrawRegion region;
    ASSERT_TRUE(region.CreateRegionRect(0, 0, 50, 50));
    ASSERT_TRUE(region.CombineRegionRect(25, 25, 50, 50, 3));  // xor
    EXPECT_TRUE(region.IsVisibleRegionPoint(10, 10));
    EXPECT_FALSE(region.IsVisibleRegionPoint(30, 30));
    EXPECT_TRUE(region.IsVisibleRegionPoint(60, 60));
    DrawPath hole;
    ASSERT_TRUE(hole.CreatePath());
    ASSERT_TRUE(hole.AddPathEllipse(0, 0, 20, 20));
    ASSERT_TRUE(region.CombineRegionPath(hole, 4));  // exclude
    EXPECT_FALSE(region.IsVisibleRegionPoint(10, 10));

    DrawBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(10, 10));
    DrawGraphics graphics;
    ASSERT_TRUE(graphics.GetImageGraphicsContext(bitmap));
    HRGN rgn = region.GetRegionHRgn(graphics);
    ASSERT_NE(rgn, nullptr);
    EXPECT_TRUE(PtInRegion(rgn, 60, 60));
    EXPECT_FALSE(PtInRegion(rgn, 30, 30));
    DeleteObject(rgn);
}

}  // namespace
}  // namespace zandrel
