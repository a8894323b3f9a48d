// A zero-filled, top-down 32-bit DIB section: the pixel layout the backdrops and their copies use.
#pragma once

#include <windows.h>

namespace zandrel {

// nullptr on failure; the caller owns the bitmap. `bits`, when given, receives the pixel address.
inline HBITMAP CreateTopDownDib(int width, int height, void** bits = nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bits != nullptr) {
        *bits = pixels;
    }
    return bitmap;
}

}  // namespace zandrel
