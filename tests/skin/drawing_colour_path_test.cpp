// Colour conversions, the rounded path figures and the picture helpers (average colour, tinted background).
#include <windows.h>

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "draw/draw_brushes.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {
namespace {

struct ArgbCase {
    COLORREF colour;
    int alpha;
    bool useAlpha;
    uint32_t argb;
};

TEST(ColourConversion, ToArgbSwapsRedAndBlueAndPlacesAlpha) {
    const ArgbCase cases[] = {
        {0x0000FF, 0, false, 0xFFFF0000},    // alpha ignored without useAlpha
        {0x0000FF, 0, true, 0x00FF0000},     // an explicit 0 is kept
        {0xFF0000, 128, true, 0x800000FF},   // blue
        {0x123456, 255, true, 0xFF563412},   // every byte moves to its place
        {0xDDCA22, 60, true, 0x3C22CADD},    // the accent colour
        {0xFF123456, 10, true, 0x0A563412},  // a stray top byte in the Windows colour is dropped
    };
    for (const ArgbCase& c : cases) {
        EXPECT_EQ(ToArgb(c.colour, c.alpha, c.useAlpha), c.argb) << std::hex << c.colour << " alpha " << c.alpha;
    }
}

TEST(ColourConversion, ArgbToColourGivesTheAlphaBack) {
    const struct {
        uint32_t argb;
        COLORREF colour;
        int alpha;
    } cases[] = {
        {0x80FF0000, 0x0000FF, 0x80},
        {0xFF563412, 0x123456, 0xFF},
        {0x00000000, 0x000000, 0x00},
    };
    for (const auto& c : cases) {
        int alpha = -1;
        EXPECT_EQ(ArgbToColour(c.argb, &alpha), c.colour) << std::hex << c.argb;
        EXPECT_EQ(alpha, c.alpha) << std::hex << c.argb;
        EXPECT_EQ(ToArgb(ArgbToColour(c.argb), c.alpha, true), c.argb);
    }
    EXPECT_EQ(ArgbToColour(0x80FF0000), 0x0000FFu);  // the alpha is optional
}

std::vector<gp::PointF> PathPoints(DrawPath& path) {
    const int count = path.GetPointCount();
    std::vector<gp::PointF> points(static_cast<size_t>(count > 0 ? count : 0));
    if (count > 0) {
        gp::GdipGetPathPoints(path.Native(), points.data(), count);
    }
    return points;
}

bool SamePoints(const std::vector<gp::PointF>& a, const std::vector<gp::PointF>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].X != b[i].X || a[i].Y != b[i].Y) {
            return false;
        }
    }
    return true;
}

std::vector<gp::PointF> RoundRectPoints(float radius) {
    DrawPath path;  // left empty: the helper makes the path itself
    AddRoundRect(path, 10, 20, 300, 200, radius);
    return PathPoints(path);
}

TEST(RoundRect, RadiusIsClampedToOneAndAHundred) {
    EXPECT_TRUE(SamePoints(RoundRectPoints(0), RoundRectPoints(1)));
    EXPECT_TRUE(SamePoints(RoundRectPoints(-5), RoundRectPoints(1)));
    EXPECT_TRUE(SamePoints(RoundRectPoints(500), RoundRectPoints(100)));
    // The comparison can tell radii apart at all.
    EXPECT_FALSE(SamePoints(RoundRectPoints(50), RoundRectPoints(100)));
    EXPECT_FALSE(SamePoints(RoundRectPoints(2), RoundRectPoints(1)));
}

TEST(RoundRect, BoundsReachTheRightAndBottomEdges) {
    DrawPath path;
    AddRoundRect(path, 0, 0, 100, 50, 7);
    gp::RectF bounds;
    ASSERT_EQ(gp::GdipGetPathWorldBounds(path.Native(), &bounds, nullptr, nullptr), gp::Ok);
    EXPECT_NEAR(bounds.X, 0, 0.01);
    EXPECT_NEAR(bounds.Y, 0, 0.01);
    EXPECT_NEAR(bounds.X + bounds.Width, 100, 0.01);
    EXPECT_NEAR(bounds.Y + bounds.Height, 50, 0.01);
}

TEST(RoundRect, TopShapesStayOpenAtTheBottom) {
    DrawPath top;
    AddTopRoundRect(top, 0, 0, 40, 20, 4);
    DrawPath corner;
    AddTopRightRoundRect(corner, 0, 0, 40, 20, 5);
    for (DrawPath* path : {&top, &corner}) {
        const std::vector<gp::PointF> points = PathPoints(*path);
        ASSERT_GE(points.size(), 4u);
        // Starts at the bottom left and ends at the bottom right: nothing joins them.
        EXPECT_FLOAT_EQ(points.front().X, 0);
        EXPECT_FLOAT_EQ(points.front().Y, 20);
        EXPECT_FLOAT_EQ(points.back().X, 40);
        EXPECT_FLOAT_EQ(points.back().Y, 20);
        std::vector<BYTE> types(points.size());
        gp::GdipGetPathTypes(path->Native(), types.data(), static_cast<INT>(types.size()));
        EXPECT_EQ(types.back() & gp::PathPointTypeCloseSubpath, 0);
    }
}

// A picture of one colour (ARGB), encoded as PNG.
std::vector<unsigned char> SolidPng(int width, int height, uint32_t argb) {
    DrawBitmap bitmap;
    EXPECT_TRUE(bitmap.CreateBitmap(width, height));
    {
        DrawGraphics graphics;
        EXPECT_TRUE(graphics.GetImageGraphicsContext(bitmap));
        graphics.Clear(argb);
    }
    return bitmap.SaveImageToBytes(kPngFormatId);
}

TEST(AverageImageColour, LowBytesReadAsTheWindowsColourOfThePicture) {
    const std::vector<unsigned char> png = SolidPng(16, 8, 0xFF336699);
    const uint32_t average = AverageImageColour(png, {}, 200, 0, 0);
    EXPECT_EQ(average, 0xFF996633u);
    EXPECT_EQ(average & 0xFFFFFF, ArgbToColour(0xFF336699));
}

TEST(AverageImageColour, DegenerateInputsGiveZeroInsteadOfFaulting) {
    const std::vector<unsigned char> png = SolidPng(4, 4, 0xFF102030);
    const std::vector<unsigned char> garbage = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    EXPECT_EQ(AverageImageColour(png, {}, 0, 0, 0), 0u);  // no samples: no division by zero
    EXPECT_EQ(AverageImageColour(png, {}, -3, 0, 0), 0u);
    EXPECT_EQ(AverageImageColour({}, {}, 100, 0, 0), 0u);
    EXPECT_EQ(AverageImageColour(garbage, {}, 100, 0, 0), 0u);
    EXPECT_EQ(AverageImageColour({}, "Z:\\no\\such\\picture.png", 100, 0, 0), 0u);
}

TEST(AverageImageColour, TinyPicturesAndLargeMarginsStayInsideThePicture) {
    // A 1 x 1 picture has no pixel at 1; margins wider than the picture leave no area. Both still sample it.
    const std::vector<unsigned char> one = SolidPng(1, 1, 0xFF204060);
    EXPECT_EQ(AverageImageColour(one, {}, 50, 0, 0), 0xFF604020u);
    const std::vector<unsigned char> small = SolidPng(5, 5, 0xFF204060);
    EXPECT_EQ(AverageImageColour(small, {}, 50, 40, 40), 0xFF604020u);
}

TEST(AverageImageColour, ReadsAFile) {
    const std::vector<unsigned char> png = SolidPng(8, 8, 0xFF0000FF);
    char dir[MAX_PATH] = {};
    char name[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, dir), 0u);
    ASSERT_NE(GetTempFileNameA(dir, "zsk", 0, name), 0u);
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
    CloseHandle(file);
    // The file wins over the bytes.
    EXPECT_EQ(AverageImageColour(SolidPng(2, 2, 0xFFFFFFFF), name, 20, 0, 0), 0xFFFF0000u);
    DeleteFileA(name);
}

struct TintCase {
    bool rightEdge;
    int x, y;
    uint32_t expected;  // ARGB
    int tolerance;
};

TEST(TintedBackground, EdgesFadeIntoTheColourAndTheRestIsKept) {
    // A blue 100 x 50 picture tinted red: the side band is 30 wide, the bottom band 30 high.
    const std::vector<unsigned char> png = SolidPng(100, 50, 0xFF0000FF);
    const TintCase cases[] = {
        {true, 99, 5, 0xFFFF0000, 16},   // right edge: the colour
        {true, 50, 5, 0xFF0000FF, 0},    // left of the band: untouched
        {true, 10, 19, 0xFF0000FF, 0},   // above the bottom band: untouched
        {true, 10, 49, 0xFFFF0000, 16},  // bottom edge: the colour
        {false, 0, 5, 0xFFFF0000, 16},   // left edge
        {false, 99, 5, 0xFF0000FF, 0},   // the right side is kept
    };
    for (const TintCase& c : cases) {
        const std::vector<unsigned char> tinted = MakeTintedBackground(png, {}, std::nullopt, 0x0000FF, c.rightEdge);
        DrawBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmapFromBytes(tinted));
        ASSERT_EQ(bitmap.GetImageWidth(), 100u);
        ASSERT_EQ(bitmap.GetImageHeight(), 50u);
        const uint32_t pixel = bitmap.BitmapGetPixel(c.x, c.y);
        for (int shift : {24, 16, 8, 0}) {
            const int got = static_cast<int>((pixel >> shift) & 0xFF);
            const int want = static_cast<int>((c.expected >> shift) & 0xFF);
            EXPECT_LE(std::abs(got - want), c.tolerance)
                << "right " << c.rightEdge << " at " << c.x << "," << c.y << " got " << std::hex << pixel;
        }
    }
}

TEST(TintedBackground, GivenBandAndBadPictures) {
    const std::vector<unsigned char> png = SolidPng(100, 50, 0xFF0000FF);
    DrawBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmapFromBytes(MakeTintedBackground(png, {}, 10, 0x0000FF, true)));
    EXPECT_EQ(bitmap.BitmapGetPixel(85, 5), 0xFF0000FFu);  // outside a 10-wide band
    EXPECT_TRUE(MakeTintedBackground({}, {}, std::nullopt, 0, true).empty());
    const std::vector<unsigned char> garbage(64, 0x42);
    EXPECT_TRUE(MakeTintedBackground(garbage, {}, std::nullopt, 0, true).empty());
}

TEST(StrokeGlow, EachPassWidensTheOutline) {
    const auto inkedAt = [](int count, int x) {
        DrawBitmap bitmap;
        bitmap.CreateBitmap(40, 40);
        DrawGraphics graphics;
        graphics.GetImageGraphicsContext(bitmap);
        DrawPath path;
        path.CreatePath();
        path.AddPathLine(20, 0, 20, 40);
        StrokeGlow(graphics, path, count, 0x0000FF, 255);
        graphics.Flush();
        return bitmap.BitmapGetPixel(x, 20) != 0;
    };
    EXPECT_FALSE(inkedAt(1, 22));
    EXPECT_TRUE(inkedAt(6, 22));
    EXPECT_FALSE(inkedAt(0, 20));  // no passes, nothing drawn
}

}  // namespace
}  // namespace zandrel
