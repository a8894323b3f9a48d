// A skinned 400 x 300 window (minimise, maximise and close buttons, a status bar 20 high) whose backdrop is a known
// pattern instead of a rendered background, so drawing tests can tell exactly which pixels changed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "base/dib_section.h"
#include "skin/core/skin_engine.h"

namespace zandrel::test {

// The pattern: every pixel names its own position, dark enough that white veils and gradients show.
inline COLORREF PatternColour(int x, int y) {
    return RGB((x * 3) & 0x7F, (y * 5) & 0x7F, ((x + y) * 2) & 0x7F);
}

// A top-down 32-bit DIB section in a memory DC; the caller owns both.
inline HDC MakeDibDc(int width, int height, HBITMAP* bitmap, HGDIOBJ* previous, uint32_t** pixels = nullptr) {
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    *bitmap = CreateTopDownDib(width, height, &bits);
    *previous = SelectObject(dc, *bitmap);
    if (pixels != nullptr) {
        *pixels = static_cast<uint32_t*>(bits);
    }
    return dc;
}

inline const wchar_t* RegisterPlainClass() {
    static const wchar_t kClass[] = L"ZandrelDrawingTestWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        registered = RegisterClassW(&wc) != 0;
    }
    return kClass;
}

// A popup without a border, so its window rectangle is its client rectangle.
inline HWND MakePopup(int width, int height, DWORD style = WS_MINIMIZEBOX | WS_MAXIMIZEBOX) {
    return CreateWindowExW(0, RegisterPlainClass(), L"Skin test", WS_POPUP | style, 40, 40, width, height, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

class SkinnedWindowFixture : public ::testing::Test {
  protected:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    void SetUp() override {
        hwnd_ = MakePopup(kWidth, kHeight);
        ASSERT_NE(hwnd_, nullptr);
        SkinWindowOptions options;
        options.statusBarHeight = 20;
        ASSERT_TRUE(engine_.SkinWindow(hwnd_, options));
        ASSERT_EQ(engine_.FindWindowIndex(hwnd_), 1);
        InstallPatternBackdrop();
    }

    void TearDown() override {
        if (IsWindow(hwnd_)) {
            DestroyWindow(hwnd_);
        }
    }

    SkinnedWindow& Record() { return *engine_.Window(1); }

    // Puts the pattern into the backdrop and takes the clean caption and status copies from it, as a rendering
    // does. The record owns the DCs from here on.
    void InstallPatternBackdrop() {
        SkinnedWindow& w = Record();
        ASSERT_EQ(w.backdropDc, nullptr);
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
        uint32_t* bits = nullptr;
        w.backdropDc = MakeDibDc(kWidth, kHeight, &bitmap, &previous, &bits);
        ASSERT_NE(bits, nullptr);
        w.backdropBitmap = bitmap;
        w.backdropFirstBitmap = static_cast<HBITMAP>(previous);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const COLORREF c = PatternColour(x, y);
                // DIB pixels are 0xAARRGGBB.
                bits[y * kWidth + x] = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        }
        RefreshCleanCopies();
    }

    void RefreshCleanCopies() {
        SkinnedWindow& w = Record();
        ASSERT_TRUE(w.captionBackdrop.Create(kWidth, w.captionHeight));
        BitBlt(w.captionBackdrop.dc(), 0, 0, kWidth, w.captionHeight, w.backdropDc, 0, 0, SRCCOPY);
        const IntRect& bar = w.statusBarRect;
        ASSERT_TRUE(w.statusBackdrop.Create(bar.width, bar.height));
        BitBlt(w.statusBackdrop.dc(), 0, 0, bar.width, bar.height, w.backdropDc, bar.x, bar.y, SRCCOPY);
    }

    // The backdrop pixels of a rectangle, row by row.
    std::vector<COLORREF> Pixels(const RECT& r) {
        GdiFlush();
        std::vector<COLORREF> pixels;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                pixels.push_back(GetPixel(Record().backdropDc, x, y));
            }
        }
        return pixels;
    }

    COLORREF Pixel(int x, int y) {
        GdiFlush();
        return GetPixel(Record().backdropDc, x, y);
    }

    SkinEngine engine_;
    HWND hwnd_ = nullptr;
};

}  // namespace zandrel::test
