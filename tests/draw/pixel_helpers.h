// Small helpers for tests that draw into a bitmap and read pixels back.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "draw/draw_graphics.h"
#include "draw/draw_image.h"

namespace zandrel::test {

inline int Channel(uint32_t argb, int shift) {
    return static_cast<int>((argb >> shift) & 0xFF);
}

// True when every channel of a and b differs by at most tolerance.
inline ::testing::AssertionResult ColourNear(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift : {24, 16, 8, 0}) {
        if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) {
            char text[80];
            std::snprintf(text, sizeof(text), "0x%08X is not within %d of 0x%08X", static_cast<unsigned>(actual),
                          tolerance, static_cast<unsigned>(expected));
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

// A 32-bpp ARGB bitmap cleared to one colour, with a surface on it.
struct Canvas {
    DrawBitmap bitmap;
    DrawGraphics graphics;

    Canvas(int width, int height, uint32_t background) {
        EXPECT_TRUE(bitmap.CreateBitmap(width, height));
        EXPECT_TRUE(graphics.GetImageGraphicsContext(bitmap));
        EXPECT_TRUE(graphics.Clear(background));
    }
    // Flushes the surface and reads one pixel.
    uint32_t Pixel(int x, int y) {
        graphics.Flush();
        return bitmap.BitmapGetPixel(x, y);
    }
};

}  // namespace zandrel::test
