// Renders a small skinned window on the wood background in three states (buttons normal; minimise and close
// hovered; maximise and close pressed) and saves the picture as PNG for a look by eye: into the build tree's
// artifacts folder, or to the file ZANDREL_SKIN_SAMPLE names.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/skin_images.h"
#include "drawing_fixture.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {
namespace {

TEST(SkinSample, CaptionAndStatusBarOnWood) {
    const char* named = std::getenv("ZANDREL_SKIN_SAMPLE");
    const std::string out = named ? named : std::string(ZANDREL_ARTIFACTS_DIR) + "/skin_sample.png";
    constexpr int kW = 420;
    constexpr int kH = 140;
    SkinEngine engine;
    HWND hwnd = test::MakePopup(kW, kH);
    ASSERT_NE(hwnd, nullptr);
    SkinWindowOptions options;
    options.statusBarHeight = 25;
    std::vector<StatusPanel> panels(2);
    panels[0].width = 120;
    panels[0].text = "\xBE\xCD\xD0\xF7";  // 就绪
    panels[0].textColour = 0xFFFFFF;
    panels[1].width = -1;
    panels[1].text = "glow text";
    options.statusPanels = panels;
    ASSERT_TRUE(engine.SkinWindow(hwnd, options));
    SkinnedWindow& w = *engine.Window(1);

    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    w.backdropDc = test::MakeDibDc(kW, kH, &bitmap, &previous);
    w.backdropBitmap = bitmap;
    w.backdropFirstBitmap = static_cast<HBITMAP>(previous);
    {
        DrawGraphics g;
        ASSERT_TRUE(g.CreateFromHDC(w.backdropDc));
        DrawImage wood;
        ASSERT_TRUE(wood.LoadImageFromBytes(SkinImageBytes(SkinImageId::WoodBackground)));
        g.DrawImage(wood, 0, 0);
        engine.DrawWindowBorder(1, g);
    }
    ASSERT_TRUE(w.captionBackdrop.Create(kW, w.captionHeight));
    BitBlt(w.captionBackdrop.dc(), 0, 0, kW, w.captionHeight, w.backdropDc, 0, 0, SRCCOPY);
    const IntRect bar = w.statusBarRect;
    ASSERT_TRUE(w.statusBackdrop.Create(bar.width, bar.height));
    BitBlt(w.statusBackdrop.dc(), 0, 0, bar.width, bar.height, w.backdropDc, bar.x, bar.y, SRCCOPY);
    {
        DrawGraphics g;
        ASSERT_TRUE(g.CreateFromHDC(w.backdropDc));
        g.SetSmoothingMode(4);
        engine.DrawCaptionTitle(1, &g, true, std::string("Zandrel \xB9\xD8\xBC\xFC\xB4\xCA"));  // 关键词
        for (int i = 1; i <= static_cast<int>(w.captionButtons.size()); ++i) {
            engine.DrawCaptionButton(1, i, &g, true);
        }
        engine.DrawStatusPanel(1, &g, true, 1);
    }
    w.statusGlow = 1;
    engine.DrawStatusPanel(1, nullptr, false, 2);

    DrawBitmap sheet;
    ASSERT_TRUE(sheet.CreateBitmap(kW, kH * 3 + 8));
    DrawGraphics sheetGraphics;
    ASSERT_TRUE(sheetGraphics.GetImageGraphicsContext(sheet));
    sheetGraphics.Clear(0xFFFFFFFF);
    const auto snapshot = [&](int row) {
        GdiFlush();
        HDC dc = sheetGraphics.GetDC();
        ASSERT_NE(dc, nullptr);
        BitBlt(dc, 0, row * (kH + 4), kW, kH, w.backdropDc, 0, 0, SRCCOPY);
        sheetGraphics.ReleaseDC(dc);
    };
    snapshot(0);
    engine.DrawCaptionButton(1, 1, nullptr, false, false, 240);
    engine.DrawCaptionButton(1, 3, nullptr, false, false, 240);
    snapshot(1);
    engine.DrawCaptionButton(1, 1, nullptr, false, false, 0);
    engine.DrawCaptionButton(1, 3, nullptr, false, false, 0);
    engine.DrawCaptionButton(1, 2, nullptr, false, true);
    engine.DrawCaptionButton(1, 3, nullptr, false, true);
    snapshot(2);
    sheetGraphics.DeleteGraphics();
    const std::vector<unsigned char> png = sheet.SaveImageToBytes(kPngFormatId);
    ASSERT_FALSE(png.empty());
    FILE* file = std::fopen(out.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(png.data(), 1, png.size(), file);
    std::fclose(file);
    DestroyWindow(hwnd);
}

}  // namespace
}  // namespace zandrel
