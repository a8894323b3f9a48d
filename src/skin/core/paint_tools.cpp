#include "skin/core/paint_tools.h"

#include <algorithm>

#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_image.h"
#include "draw/draw_pen.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_types.h"

namespace zandrel {

namespace {

constexpr int kWrapTileFlipXY = 3;
constexpr int kUnitPixel = 2;
constexpr int kStringFormatNoWrap = 0x1000;
constexpr int kTrimmingEllipsisCharacter = 3;

}  // namespace

BackdropCanvas::BackdropCanvas(PainterHost& host, HWND hwnd, const RECT& rect)
    : host_(host), width_(std::max(0L, rect.right - rect.left)), height_(std::max(0L, rect.bottom - rect.top)) {
    dc_ = host_.CreateBackdropDc(hwnd, rect);
    if (dc_ != nullptr) {
        graphics_.CreateFromHDC(dc_);
    }
}

BackdropCanvas::~BackdropCanvas() {
    graphics_.DeleteGraphics();
    if (dc_ != nullptr) {
        host_.ReleaseMemoryDc(dc_);
    }
}

void BackdropCanvas::CopyTo(HDC target, int x, int y) {
    graphics_.DeleteGraphics();
    if (dc_ != nullptr && target != nullptr) {
        BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
    }
}

void BackdropCanvas::CopyKeyedTo(HDC target, int x, int y, COLORREF key) {
    graphics_.DeleteGraphics();
    if (dc_ != nullptr && target != nullptr && width_ > 0 && height_ > 0) {
        TransparentBlt(target, x, y, width_, height_, dc_, 0, 0, width_, height_, key);
    }
}

uint32_t Argb(COLORREF colour, int alpha) {
    return ToArgb(colour, alpha, true);
}

DrawPath RoundRectPath(float x, float y, float w, float h, float r) {
    DrawPath path;
    if (path.CreatePath()) {
        AddRoundRect(path, x, y, w, h, r);
    }
    return path;
}

DrawPath RectPath(float x, float y, float w, float h) {
    DrawPath path;
    if (path.CreatePath()) {
        path.AddPathRectangle(x, y, w, h);
    }
    return path;
}

DrawPath EllipsePath(float x, float y, float w, float h) {
    DrawPath path;
    if (path.CreatePath()) {
        path.AddPathEllipse(x, y, w, h);
    }
    return path;
}

void FillPathSolid(DrawGraphics& graphics, const DrawPath& path, uint32_t argb) {
    DrawSolidBrush brush;
    if (!path.IsEmpty() && brush.CreateSolidFill(argb)) {
        graphics.FillPath(brush, path);
    }
}

void StrokePathSolid(DrawGraphics& graphics, const DrawPath& path, uint32_t argb, float width) {
    DrawPen pen;
    if (!path.IsEmpty() && pen.CreatePen1(argb, width)) {
        graphics.DrawPath(pen, path);
    }
}

void FillPathGradient(DrawGraphics& graphics,
                      const DrawPath& path,
                      gp::PointF from,
                      gp::PointF to,
                      uint32_t argbFrom,
                      uint32_t argbTo) {
    if (path.IsEmpty()) {
        return;
    }
    // A gradient along a line of no length is refused by GDI+: fill with its first colour instead.
    if (from.X == to.X && from.Y == to.Y) {
        FillPathSolid(graphics, path, argbFrom);
        return;
    }
    DrawLinearBrush brush;
    if (brush.CreateLineBrush(from, to, argbFrom, argbTo, kWrapTileFlipXY)) {
        graphics.FillPath(brush, path);
    }
}

void FillRectSolid(DrawGraphics& graphics, float x, float y, float w, float h, uint32_t argb) {
    DrawSolidBrush brush;
    if (brush.CreateSolidFill(argb)) {
        graphics.FillRectangle(brush, x, y, w, h);
    }
}

void StrokeRectSolid(DrawGraphics& graphics, float x, float y, float w, float h, uint32_t argb, float width) {
    DrawPen pen;
    if (pen.CreatePen1(argb, width)) {
        graphics.DrawRectangle(pen, x, y, w, h);
    }
}

bool CreateSkinFont(DrawFont& font, const std::string& family, float size, int style, int unit) {
    if (size <= 0) {
        size = 12;
    }
    if (!family.empty() && font.CreateFontByName(family, size, style, unit)) {
        return true;
    }
    return font.CreateFontByName(kSkinFontName, size, style, unit);
}

bool DrawSkinText(DrawGraphics& graphics,
                  std::string_view text,
                  const std::string& family,
                  float size,
                  int style,
                  uint32_t argb,
                  const gp::RectF& layout,
                  int alignment,
                  int lineAlignment,
                  bool singleLine) {
    if (text.empty()) {
        return true;
    }
    DrawFont font;
    DrawStringFormat format;
    DrawSolidBrush brush;
    if (!CreateSkinFont(font, family, size, style, kUnitPixel) ||
        !format.CreateStringFormat(singleLine ? kStringFormatNoWrap : 0) || !brush.CreateSolidFill(argb)) {
        return false;
    }
    format.SetStringFormatAlign(alignment);
    format.SetStringFormatLineAlign(lineAlignment);
    if (singleLine) {
        format.SetStringFormatTrimming(kTrimmingEllipsisCharacter);
    }
    return graphics.DrawString(text, font, brush, layout, &format);
}

bool DrawPicture(DrawGraphics& graphics, std::span<const unsigned char> picture, float x, float y) {
    DrawImage image;
    if (picture.empty() || !image.LoadImageFromBytes(picture)) {
        return false;
    }
    // Drawn at its pixel size: a picture's own resolution must not scale it.
    return graphics.DrawImageRect(image, x, y, static_cast<float>(image.GetImageWidth()),
                                  static_cast<float>(image.GetImageHeight()));
}

}  // namespace zandrel
