// Figures for the skinned main window: a full backdrop rendering of a 648 x 538 window skinned like the main
// window (wood stretched, caption 80, status bar 25), one present, and the rendering against one stretched draw
// of the wood picture measured in the same run, one figure a line as "name: value unit". With a file name argument
// the rendered backdrop is also saved there as PNG, for a look by eye; that and any failure go to stderr.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/skin_images.h"
#include "skin/core/skin_engine.h"

namespace {

using Clock = std::chrono::steady_clock;
using zandrel::DrawBitmap;
using zandrel::DrawGraphics;
using zandrel::SkinEngine;
using zandrel::SkinImageBytes;
using zandrel::SkinImageId;

constexpr int kWidth = 648;
constexpr int kHeight = 538;

// Median microseconds per call over `rounds` rounds of `calls` calls.
template <typename F>
double MedianMicros(int rounds, int calls, F&& f) {
    std::vector<double> perCall;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i) {
            f();
        }
        const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
        perCall.push_back(spent.count() / calls);
    }
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}

bool SaveBackdrop(HDC backdrop, const char* path) {
    DrawBitmap picture;
    if (!picture.CreateBitmap(kWidth, kHeight)) {
        return false;
    }
    GdiFlush();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF c = GetPixel(backdrop, x, y);
            picture.BitmapSetPixel(x, y, 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
        }
    }
    const std::vector<unsigned char> png = picture.SaveImageToBytes(zandrel::kPngFormatId);
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr || png.empty()) {
        if (file != nullptr) {
            std::fclose(file);
        }
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    SkinEngine engine;
    if (!engine.Startup()) {
        std::fprintf(stderr, "GDI+ did not start\n");
        return 1;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZandrelSkinBench";
    RegisterClassW(&wc);
    HWND hwnd =
        CreateWindowExW(0, wc.lpszClassName, L"\x5173\x952E\x8BCD\x5DE5\x5177", WS_POPUP | WS_MINIMIZEBOX | WS_VISIBLE,
                        20, 20, kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
    const auto wood = SkinImageBytes(SkinImageId::WoodBackground);
    if (hwnd == nullptr || wood.empty()) {
        std::fprintf(stderr, "no window or no wood picture\n");
        return 1;
    }
    engine.SetDefaultBackground({}, wood, std::nullopt, std::nullopt, 3);
    engine.SetGlobalOptions(1, 0, 0);
    zandrel::SkinWindowOptions options;
    options.captionHeight = 80;
    options.resizable = false;
    options.showCaptionText = argc > 2;  // the main window draws no caption text; a second argument shows it
    options.statusBarHeight = 25;
    if (!engine.SkinWindow(hwnd, options)) {
        std::fprintf(stderr, "SkinWindow failed\n");
        return 1;
    }
    const int index = engine.IndexFromProperty(hwnd);

    const double render = MedianMicros(7, 20, [&] { engine.RenderWindowBackdrop(index, nullptr, false); });
    const double present = MedianMicros(7, 100, [&] { engine.PresentBackdrop(index, nullptr); });

    // One hover-fade step: the close button redrawn over its clean copy and copied to the window.
    const int closeButton = static_cast<int>(engine.Window(index)->captionButtons.size());
    int alpha = 0;
    const double fadeStep = MedianMicros(7, 50, [&] {
        alpha = (alpha + 30) % 270;
        engine.DrawCaptionButton(index, closeButton, nullptr, false, false, alpha);
    });

    DrawBitmap picture;
    DrawBitmap canvas;
    DrawGraphics graphics;
    picture.CreateBitmapFromBytes(wood);
    canvas.CreateBitmap(kWidth, kHeight);
    graphics.GetImageGraphicsContext(canvas);
    const double stretch = MedianMicros(7, 20, [&] {
        graphics.DrawImageRect(picture, 0, 0, kWidth, kHeight);
        graphics.Flush();
    });

    // The backdrop: wood stretched, caption 80, status bar 25.
    std::printf("skin_backdrop_render_%dx%d: %.0f us\n", kWidth, kHeight, render);
    std::printf("skin_backdrop_present_%dx%d: %.0f us\n", kWidth, kHeight, present);  // BitBlt to the window
    std::printf("skin_close_button_fade_step: %.0f us\n", fadeStep);
    std::printf("skin_reference_wood_stretch_%dx%d: %.0f us\n", kWidth, kHeight, stretch);
    std::printf("skin_backdrop_render_over_wood_stretch: %.2f x\n", stretch > 0 ? render / stretch : 0.0);

    if (argc > 1) {
        engine.RenderWindowBackdrop(index, nullptr, false);
        const bool saved = SaveBackdrop(engine.Window(index)->backdropDc, argv[1]);
        std::fprintf(stderr, "backdrop saved to %s: %s\n", argv[1], saved ? "yes" : "no");
    }
    DestroyWindow(hwnd);
    return 0;
}
