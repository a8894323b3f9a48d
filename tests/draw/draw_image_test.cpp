// Images from bytes, saving to bytes, memory streams and the embedded skin pictures.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/memory_stream.h"
#include "draw/skin_images.h"

namespace zandrel {
namespace {

constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool StartsWithPngSignature(std::span<const unsigned char> bytes) {
    return bytes.size() >= 8 && std::memcmp(bytes.data(), kPngSignature, 8) == 0;
}

std::vector<unsigned char> SmallPng() {
    DrawBitmap bitmap;
    EXPECT_TRUE(bitmap.CreateBitmap(3, 2));
    EXPECT_TRUE(bitmap.BitmapSetPixel(2, 1, 0x80FF0000));
    return bitmap.SaveImageToBytes(kPngFormatId);
}

TEST(MemoryStream, GivesBackExactlyTheBytesWritten) {
    for (size_t size : {size_t{1}, size_t{7}, size_t{4096}, size_t{70001}}) {
        std::vector<unsigned char> bytes(size);
        for (size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<unsigned char>(i * 31 + 7);
        }
        MemoryStream stream;
        ASSERT_NE(stream.CreateFromBytes(bytes), nullptr);
        EXPECT_EQ(stream.GetSize(), size);
        EXPECT_NE(stream.GetMemoryHandle(), nullptr);
        EXPECT_EQ(stream.GetBytes(), bytes) << size;
    }
}

TEST(MemoryStream, ReleaseAndMoveLeaveItEmpty) {
    const unsigned char bytes[] = {1, 2, 3};
    MemoryStream a;
    ASSERT_NE(a.CreateFromBytes(bytes), nullptr);
    MemoryStream b(std::move(a));
    EXPECT_EQ(a.GetStream(), nullptr);
    EXPECT_EQ(a.GetSize(), 0u);
    EXPECT_TRUE(a.GetBytes().empty());
    EXPECT_EQ(b.GetSize(), 3u);
    b.Release();
    EXPECT_EQ(b.GetStream(), nullptr);
    EXPECT_EQ(b.GetMemoryHandle(), nullptr);
}

TEST(MemoryStream, AdoptsAStreamOverGlobalMemory) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, FALSE, &stream), S_OK);
    const char text[] = "zandrel";
    ULONG written = 0;
    ASSERT_EQ(stream->Write(text, 7, &written), S_OK);
    MemoryStream adopted;
    ASSERT_TRUE(adopted.AdoptStream(stream));
    const std::vector<unsigned char> bytes = adopted.GetBytes();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "zandrel");
    EXPECT_FALSE(adopted.AdoptStream(nullptr));
    EXPECT_EQ(adopted.GetStream(), nullptr);
}

TEST(DrawImage, SavedPngStartsWithTheSignatureAndLoadsBack) {
    const std::vector<unsigned char> png = SmallPng();
    ASSERT_TRUE(StartsWithPngSignature(png));
    DrawBitmap loaded;
    ASSERT_TRUE(loaded.CreateBitmapFromBytes(png));
    EXPECT_EQ(loaded.GetImageWidth(), 3u);
    EXPECT_EQ(loaded.GetImageHeight(), 2u);
    EXPECT_EQ(loaded.BitmapGetPixel(2, 1), 0x80FF0000u);
    EXPECT_EQ(loaded.BitmapGetPixel(0, 0), 0u);
}

TEST(DrawImage, UnknownEncoderGivesNoBytes) {
    DrawBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2));
    EXPECT_TRUE(bitmap.SaveImageToBytes("{00000000-0000-0000-0000-000000000001}").empty());
    EXPECT_NE(LastStatus(), 0);
    EXPECT_TRUE(bitmap.SaveImageToBytes("not a guid").empty());
    EXPECT_EQ(LastStatus(), 2);
}

TEST(DrawImage, LoadingTwiceReleasesTheFirstCopy) {
    const std::vector<unsigned char> png = SmallPng();
    DrawImage image;
    ASSERT_TRUE(image.LoadImageFromBytes(png));
    const HGLOBAL first = image.Source().GetMemoryHandle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(image.Source().GetBytes(), png) << "the image holds its own copy";
    ASSERT_TRUE(image.LoadImageFromBytes(png));
    EXPECT_EQ(image.GetImageWidth(), 3u);
    // The first block is gone (a freed handle has no size), the second one is in use.
    EXPECT_EQ(GlobalSize(first) == 0 || image.Source().GetMemoryHandle() == first, true);
    EXPECT_TRUE(image.DisposeImage());
    EXPECT_EQ(image.Source().GetMemoryHandle(), nullptr) << "disposing releases the copy";
}

TEST(DrawImage, ImageStaysValidAfterTheCallersBytesAreGone) {
    DrawBitmap bitmap;
    {
        std::vector<unsigned char> png = SmallPng();
        ASSERT_TRUE(bitmap.CreateBitmapFromBytes(png));
        std::fill(png.begin(), png.end(), 0);
    }
    EXPECT_EQ(bitmap.BitmapGetPixel(2, 1), 0x80FF0000u);
    DrawBitmap target;
    ASSERT_TRUE(target.CreateBitmap(3, 2));
    DrawGraphics graphics;
    ASSERT_TRUE(graphics.GetImageGraphicsContext(target));
    EXPECT_TRUE(graphics.DrawImage(bitmap, 0, 0));
}

TEST(DrawImage, InvalidBytesFailAndLeaveTheImageEmpty) {
    const unsigned char junk[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    DrawImage image;
    EXPECT_FALSE(image.LoadImageFromBytes(junk));
    EXPECT_EQ(image.GetHandle(), nullptr);
    EXPECT_NE(LastStatus(), 0);
    DrawBitmap bitmap;
    EXPECT_FALSE(bitmap.CreateBitmapFromBytes(junk));
    EXPECT_EQ(bitmap.GetHandle(), nullptr);
}

TEST(DrawBitmap, DefaultPixelFormatHasAlpha) {
    DrawBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4));
    EXPECT_EQ(bitmap.GetImagePixelFormat(), kPixelFormat32bppArgb);
    EXPECT_EQ(bitmap.BitmapGetPixel(1, 1), 0u) << "starts transparent";
    ASSERT_TRUE(bitmap.BitmapSetPixel(1, 1, 0x40123456));
    EXPECT_EQ(bitmap.BitmapGetPixel(1, 1), 0x40123456u) << "alpha is kept";

    DrawBitmap rgb;
    ASSERT_TRUE(rgb.CreateBitmap(4, 4, 0x00021808));  // 24 bpp RGB
    ASSERT_TRUE(rgb.BitmapSetPixel(1, 1, 0x40123456));
    EXPECT_EQ(rgb.BitmapGetPixel(1, 1) >> 24, 0xFFu) << "no alpha without an alpha format";
}

TEST(DrawBitmap, HbitmapAndIconRoundTrip) {
    DrawBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(16, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            bitmap.BitmapSetPixel(x, y, 0xFF00FF00);
        }
    }
    HBITMAP hbitmap = nullptr;
    ASSERT_TRUE(bitmap.CreateHBITMAPFromBitmap(&hbitmap, 0xFF000000));
    ASSERT_NE(hbitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectW(hbitmap, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 16);

    ICONINFO iconInfo{TRUE, 0, 0, hbitmap, hbitmap};
    HICON icon = CreateIconIndirect(&iconInfo);
    ASSERT_NE(icon, nullptr);
    DrawBitmap fromIcon;
    EXPECT_TRUE(fromIcon.CreateBitmapFromHICON(icon));
    EXPECT_EQ(fromIcon.GetImageWidth(), 16u);
    DestroyIcon(icon);
    DeleteObject(hbitmap);
}

struct SkinImageCase {
    SkinImageId id;
    unsigned width;
    unsigned height;
    bool png;
};

TEST(SkinImages, EveryPictureIsEmbeddedAtItsSize) {
    const SkinImageCase cases[] = {
        {SkinImageId::HelpGlyph, 26, 18, true},         {SkinImageId::MenuGlyph, 26, 18, true},
        {SkinImageId::MinimizeGlyph, 26, 18, true},     {SkinImageId::MaximizeGlyph, 26, 18, true},
        {SkinImageId::RestoreGlyph, 26, 18, true},      {SkinImageId::CloseGlyph, 38, 18, true},
        {SkinImageId::CheckBoxEmpty, 13, 13, true},     {SkinImageId::CheckBoxChecked, 13, 13, true},
        {SkinImageId::ArrowDown, 7, 4, true},           {SkinImageId::ArrowUp, 7, 4, true},
        {SkinImageId::ArrowLeft, 4, 7, true},           {SkinImageId::ArrowRight, 4, 7, true},
        {SkinImageId::WoodBackground, 1366, 150, true}, {SkinImageId::Promotion, 305, 317, false},
    };
    for (const SkinImageCase& c : cases) {
        SCOPED_TRACE(SkinImageResourceId(c.id));
        const std::span<const unsigned char> bytes = SkinImageBytes(c.id);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(StartsWithPngSignature(bytes), c.png);
        DrawBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateBitmapFromBytes(bytes));
        EXPECT_EQ(bitmap.GetImageWidth(), c.width);
        EXPECT_EQ(bitmap.GetImageHeight(), c.height);
    }
}

TEST(SkinImages, GlyphsAreWhiteOnTransparentAndArrowsBlack) {
    const SkinImageId glyphs[] = {SkinImageId::HelpGlyph,     SkinImageId::MenuGlyph,    SkinImageId::MinimizeGlyph,
                                  SkinImageId::MaximizeGlyph, SkinImageId::RestoreGlyph, SkinImageId::CloseGlyph};
    for (SkinImageId id : glyphs) {
        SCOPED_TRACE(SkinImageResourceId(id));
        DrawBitmap glyph;
        ASSERT_TRUE(glyph.CreateBitmapFromBytes(SkinImageBytes(id)));
        EXPECT_EQ(glyph.BitmapGetPixel(0, 0) >> 24, 0u) << "transparent ground";
        int white = 0;
        for (unsigned y = 0; y < glyph.GetImageHeight(); ++y) {
            for (unsigned x = 0; x < glyph.GetImageWidth(); ++x) {
                white += glyph.BitmapGetPixel(static_cast<int>(x), static_cast<int>(y)) == 0xFFFFFFFF;
            }
        }
        EXPECT_GT(white, 8) << "an opaque white symbol";
    }
    DrawBitmap down;
    ASSERT_TRUE(down.CreateBitmapFromBytes(SkinImageBytes(SkinImageId::ArrowDown)));
    EXPECT_EQ(down.BitmapGetPixel(0, 0), 0xFF000000u);
    EXPECT_EQ(down.BitmapGetPixel(3, 3), 0xFF000000u);
    EXPECT_EQ(down.BitmapGetPixel(0, 3) >> 24, 0u);
}

}  // namespace
}  // namespace zandrel
