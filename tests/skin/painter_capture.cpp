#include "painter_capture.h"

#include <cstdio>

#include "base/dib_section.h"
#include "draw/draw_image.h"

namespace zandrel::test {

ScreenPicture CaptureScreen(const RECT& r) {
    ScreenPicture picture;
    picture.width = r.right - r.left;
    picture.height = r.bottom - r.top;
    if (picture.width <= 0 || picture.height <= 0) {
        picture.width = picture.height = 0;
        return picture;
    }
    GdiFlush();
    void* bits = nullptr;
    HBITMAP bitmap = CreateTopDownDib(picture.width, picture.height, &bits);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    picture.pixels.assign(source, source + static_cast<size_t>(picture.width) * picture.height);
    for (uint32_t& p : picture.pixels) {
        p &= 0xFFFFFF;
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return picture;
}

ScreenPicture CaptureWindow(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return CaptureScreen(r);
}

int CountColour(const ScreenPicture& picture, uint32_t rgb) {
    int n = 0;
    for (uint32_t p : picture.pixels) {
        n += p == rgb ? 1 : 0;
    }
    return n;
}

int CountDifferent(const ScreenPicture& a, const ScreenPicture& b) {
    if (a.width != b.width || a.height != b.height) {
        return -1;
    }
    int n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        n += a.pixels[i] != b.pixels[i] ? 1 : 0;
    }
    return n;
}

Sheet::Sheet(int width, int height) {
    picture_.width = width;
    picture_.height = height;
    picture_.pixels.assign(static_cast<size_t>(width) * height, 0xFFFFFF);
}

void Sheet::Paste(const RECT& screenRect, int x, int y) {
    const ScreenPicture piece = CaptureScreen(screenRect);
    for (int row = 0; row < piece.height; ++row) {
        for (int col = 0; col < piece.width; ++col) {
            const int tx = x + col;
            const int ty = y + row;
            if (tx >= 0 && ty >= 0 && tx < picture_.width && ty < picture_.height) {
                picture_.pixels[static_cast<size_t>(ty) * picture_.width + tx] = piece.At(col, row);
            }
        }
    }
}

bool Sheet::SavePng(const std::string& path) const {
    DrawBitmap bitmap;
    if (!bitmap.CreateBitmap(picture_.width, picture_.height)) {
        return false;
    }
    for (int y = 0; y < picture_.height; ++y) {
        for (int x = 0; x < picture_.width; ++x) {
            bitmap.BitmapSetPixel(x, y, 0xFF000000u | picture_.At(x, y));
        }
    }
    const std::vector<unsigned char> png = bitmap.SaveImageToBytes(kPngFormatId);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || png.empty()) {
        if (file != nullptr) {
            std::fclose(file);
        }
        return false;
    }
    const bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace zandrel::test
