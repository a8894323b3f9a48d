// Timing of the window background path: the wood PNG stretched to the main window's 648x538, against a plain
// fill of the same size. Prints one figure a line as "name: value unit", times in milliseconds per frame.
#include <windows.h>

#include <cstdio>

#include "draw/draw_brushes.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/gdiplus_session.h"
#include "draw/skin_images.h"

namespace {

using namespace zandrel;

double Now() {
    LARGE_INTEGER f;
    LARGE_INTEGER t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

template <typename F>
double MillisecondsPerFrame(int frames, F&& frame) {
    frame();  // warm-up
    const double start = Now();
    for (int i = 0; i < frames; ++i) {
        frame();
    }
    return (Now() - start) * 1000.0 / frames;
}

}  // namespace

int main() {
    GdiplusSession session;
    if (!session.Start()) {
        return 1;
    }
    DrawBitmap target;
    target.CreateBitmap(648, 538);
    DrawGraphics g;
    g.GetImageGraphicsContext(target);

    const double decode = MillisecondsPerFrame(20, [] {
        DrawBitmap wood;
        wood.CreateBitmapFromBytes(SkinImageBytes(SkinImageId::WoodBackground));
        wood.BitmapGetPixel(0, 0);  // forces the decode
    });
    DrawBitmap wood;
    wood.CreateBitmapFromBytes(SkinImageBytes(SkinImageId::WoodBackground));
    g.SetInterpolationMode(7);  // high-quality bicubic
    const double stretchHq = MillisecondsPerFrame(20, [&] { g.DrawImageRect(wood, 0, 0, 648, 538); });
    g.SetInterpolationMode(5);  // nearest neighbour
    const double stretchNn = MillisecondsPerFrame(20, [&] { g.DrawImageRect(wood, 0, 0, 648, 538); });
    g.SetInterpolationMode(2);  // low quality (bilinear)
    const double stretchLow = MillisecondsPerFrame(20, [&] { g.DrawImageRect(wood, 0, 0, 648, 538); });
    const double decodeAndStretch = MillisecondsPerFrame(20, [&] {
        DrawBitmap fresh;
        fresh.CreateBitmapFromBytes(SkinImageBytes(SkinImageId::WoodBackground));
        g.DrawImageRect(fresh, 0, 0, 648, 538);
    });
    DrawSolidBrush brush;
    brush.CreateSolidFill(0xFF3A2A1A);
    const double fill = MillisecondsPerFrame(200, [&] { g.FillRectangle(brush, 0, 0, 648, 538); });

    std::printf("wood_png_decode_1366x150: %.3f ms\n", decode);
    std::printf("wood_stretch_648x538_bicubic: %.3f ms\n", stretchHq);
    std::printf("wood_stretch_648x538_bilinear: %.3f ms\n", stretchLow);
    std::printf("wood_stretch_648x538_nearest_neighbour: %.3f ms\n", stretchNn);
    std::printf("wood_decode_and_stretch_648x538_bicubic: %.3f ms\n", decodeAndStretch);
    std::printf("fill_rectangle_648x538: %.3f ms\n", fill);  // the baseline
    std::printf("wood_decode_and_stretch_over_fill_648x538: %.1f x\n", decodeAndStretch / fill);
    return 0;
}
