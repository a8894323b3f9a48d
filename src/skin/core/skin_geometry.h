// Small colour, geometry and picture helpers shared by every part of the skin engine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "skin/core/skin_types.h"

namespace zandrel {

class DrawGraphics;
class DrawPath;

// Windows colour (0x00BBGGRR) -> ARGB; the alpha byte is `alpha` when useAlpha, else 255.
uint32_t ToArgb(COLORREF colour, int alpha, bool useAlpha);
// ARGB -> Windows colour, with the alpha byte given back separately.
COLORREF ArgbToColour(uint32_t argb, int* alpha = nullptr);

// Rounded rectangle figure (radius clamped to 1..100), closed.
void AddRoundRect(DrawPath& path, float x, float y, float w, float h, float r);
// Rounded top corners, open at the bottom.
void AddTopRoundRect(DrawPath& path, float x, float y, float w, float h, float r);
// Rounded top-right corner only, open at the bottom.
void AddTopRightRoundRect(DrawPath& path, float x, float y, float w, float h, float r);
// Draws the path count times with pens of width 1..count in the colour at the given alpha.
void StrokeGlow(DrawGraphics& graphics, DrawPath& path, int count, COLORREF colour, int alpha);

RECT RectRelativeTo(HWND a, HWND b);
RECT RectInRoot(HWND hwnd);
// The client area placed inside the window rectangle (scroll bars count 17 pixels, borders even on both sides).
RECT ClientRectInWindow(HWND hwnd);
std::string GetClassNameText(HWND hwnd);
// The window's DC (GetDC when dc is null) with every visible child that lacks WS_EX_TRANSPARENT clipped out.
// Release with ReleaseDC(hwnd, ...).
HDC ClientDcWithoutChildren(HWND hwnd, HDC dc = nullptr);
bool IsOwnerDrawListBox(HWND hwnd);
bool IsAutoRadioButton(HWND hwnd);

// The bytes of a file named in GBK (pictures given by file name); empty when it cannot be read.
Bytes ReadFileBytes(const std::string& fileName);

// Average colour of a picture (bytes, or a file when fileName is not empty) from `samples` random pixels, as
// opaque ARGB; 0 when the picture does not decode.
uint32_t AverageImageColour(std::span<const unsigned char> image,
                            const std::string& fileName,
                            int samples,
                            int marginX,
                            int marginY);
// The picture with its side band (right or left) and bottom band blended into the colour, as PNG bytes.
Bytes MakeTintedBackground(std::span<const unsigned char> image,
                           const std::string& fileName,
                           std::optional<int> band,
                           COLORREF colour,
                           bool rightEdge);

}  // namespace zandrel
