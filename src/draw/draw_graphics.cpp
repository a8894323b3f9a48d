#include "draw/draw_graphics.h"

#include <string>

#include "base/encoding.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "draw/draw_pen.h"

namespace zandrel {

using draw_detail::Record;

namespace {
gp::GpStringFormat* NativeFormat(const DrawStringFormat* format) {
    return format ? format->Native() : nullptr;
}
}  // namespace

DrawGraphics& DrawGraphics::operator=(DrawGraphics&& other) noexcept {
    if (this != &other) {
        DeleteGraphics();
        handle_ = TakeHandle(other);
    }
    return *this;
}

bool DrawGraphics::DeleteGraphics() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok = Record(gp::GdipDeleteGraphics(Native()));
    SetHandle(nullptr);
    return ok;
}

bool DrawGraphics::CreateFromHDC(HDC hdc, HANDLE device) {
    DeleteGraphics();
    gp::GpGraphics* graphics = nullptr;
    const gp::GpStatus status =
        device ? gp::GdipCreateFromHDC2(hdc, device, &graphics) : gp::GdipCreateFromHDC(hdc, &graphics);
    SetHandle(graphics);
    return Record(status);
}

bool DrawGraphics::CreateFromHWND(HWND hwnd) {
    DeleteGraphics();
    gp::GpGraphics* graphics = nullptr;
    const gp::GpStatus status = gp::GdipCreateFromHWND(hwnd, &graphics);
    SetHandle(graphics);
    return Record(status);
}

bool DrawGraphics::GetImageGraphicsContext(const zandrel::DrawImage& image) {
    DeleteGraphics();
    gp::GpGraphics* graphics = nullptr;
    const gp::GpStatus status = gp::GdipGetImageGraphicsContext(image.Native(), &graphics);
    SetHandle(graphics);
    return Record(status);
}

bool DrawGraphics::Flush() {
    return Record(gp::GdipFlush(Native(), gp::FlushIntentionFlush));
}

HDC DrawGraphics::GetDC() {
    HDC hdc = nullptr;
    return Record(gp::GdipGetDC(Native(), &hdc)) ? hdc : nullptr;
}

bool DrawGraphics::ReleaseDC(HDC hdc) {
    return Record(gp::GdipReleaseDC(Native(), hdc));
}

bool DrawGraphics::SetCompositingMode(int mode) {
    return Record(gp::GdipSetCompositingMode(Native(), static_cast<gp::CompositingMode>(mode)));
}

bool DrawGraphics::SetCompositingQuality(int quality) {
    return Record(gp::GdipSetCompositingQuality(Native(), static_cast<gp::CompositingQuality>(quality)));
}

bool DrawGraphics::SetInterpolationMode(int mode) {
    return Record(gp::GdipSetInterpolationMode(Native(), static_cast<gp::InterpolationMode>(mode)));
}

int DrawGraphics::GetInterpolationMode() {
    gp::InterpolationMode mode = gp::InterpolationModeDefault;
    return Record(gp::GdipGetInterpolationMode(Native(), &mode)) ? static_cast<int>(mode) : 0;
}

bool DrawGraphics::SetSmoothingMode(int mode) {
    return Record(gp::GdipSetSmoothingMode(Native(), static_cast<gp::SmoothingMode>(mode)));
}

bool DrawGraphics::SetPixelOffsetMode(int mode) {
    return Record(gp::GdipSetPixelOffsetMode(Native(), static_cast<gp::PixelOffsetMode>(mode)));
}

bool DrawGraphics::SetTextRenderingHint(int hint) {
    return Record(gp::GdipSetTextRenderingHint(Native(), static_cast<gp::TextRenderingHint>(hint)));
}

bool DrawGraphics::Clear(uint32_t argb) {
    return Record(gp::GdipGraphicsClear(Native(), argb));
}

bool DrawGraphics::DrawLine(const DrawPen& pen, float x1, float y1, float x2, float y2) {
    return Record(gp::GdipDrawLine(Native(), pen.Native(), x1, y1, x2, y2));
}

bool DrawGraphics::DrawRectangle(const DrawPen& pen, float x, float y, float width, float height) {
    return Record(gp::GdipDrawRectangle(Native(), pen.Native(), x, y, width, height));
}

bool DrawGraphics::DrawEllipse(const DrawPen& pen, float x, float y, float width, float height) {
    return Record(gp::GdipDrawEllipse(Native(), pen.Native(), x, y, width, height));
}

bool DrawGraphics::DrawPath(const DrawPen& pen, const zandrel::DrawPath& path) {
    return Record(gp::GdipDrawPath(Native(), pen.Native(), path.Native()));
}

bool DrawGraphics::FillRectangle(const DrawBrush& brush, float x, float y, float width, float height) {
    return Record(gp::GdipFillRectangle(Native(), brush.Native(), x, y, width, height));
}

bool DrawGraphics::FillEllipse(const DrawBrush& brush, float x, float y, float width, float height) {
    return Record(gp::GdipFillEllipse(Native(), brush.Native(), x, y, width, height));
}

bool DrawGraphics::FillPath(const DrawBrush& brush, const zandrel::DrawPath& path) {
    return Record(gp::GdipFillPath(Native(), brush.Native(), path.Native()));
}

bool DrawGraphics::DrawString(std::string_view text,
                              const DrawFont& font,
                              const DrawBrush& brush,
                              const gp::RectF& layout,
                              const DrawStringFormat* format) {
    const std::wstring wide = GbkToWide(text);
    return Record(gp::GdipDrawString(Native(), wide.c_str(), static_cast<INT>(wide.size()), font.Native(), &layout,
                                     NativeFormat(format), brush.Native()));
}

bool DrawGraphics::MeasureString(std::string_view text,
                                 const DrawFont& font,
                                 const gp::RectF& layout,
                                 const DrawStringFormat* format,
                                 gp::RectF* bounds,
                                 int* charactersFitted,
                                 int* linesFilled) {
    const std::wstring wide = GbkToWide(text);
    INT fitted = 0;
    INT lines = 0;
    const bool ok = Record(gp::GdipMeasureString(Native(), wide.c_str(), static_cast<INT>(wide.size()), font.Native(),
                                                 &layout, NativeFormat(format), bounds, &fitted, &lines));
    if (charactersFitted) {
        *charactersFitted = fitted;
    }
    if (linesFilled) {
        *linesFilled = lines;
    }
    return ok;
}

bool DrawGraphics::DrawImage(const zandrel::DrawImage& image, float x, float y) {
    return Record(gp::GdipDrawImage(Native(), image.Native(), x, y));
}

bool DrawGraphics::DrawImageRect(const zandrel::DrawImage& image,
                                 float x,
                                 float y,
                                 float width,
                                 float height,
                                 int unit) {
    UINT imageWidth = 0;
    UINT imageHeight = 0;
    if (!Record(gp::GdipGetImageWidth(image.Native(), &imageWidth)) ||
        !Record(gp::GdipGetImageHeight(image.Native(), &imageHeight))) {
        return false;
    }
    return DrawImageRectRect(image, x, y, width, height, 0, 0, static_cast<float>(imageWidth),
                             static_cast<float>(imageHeight), unit);
}

bool DrawGraphics::DrawImageRectRect(const zandrel::DrawImage& image,
                                     float x,
                                     float y,
                                     float width,
                                     float height,
                                     float srcX,
                                     float srcY,
                                     float srcWidth,
                                     float srcHeight,
                                     int unit) {
    return Record(gp::GdipDrawImageRectRect(Native(), image.Native(), x, y, width, height, srcX, srcY, srcWidth,
                                            srcHeight, static_cast<gp::GpUnit>(unit), nullptr, nullptr, nullptr));
}

bool DrawGraphics::SetClipRect(float x, float y, float width, float height, int combineMode) {
    return Record(gp::GdipSetClipRect(Native(), x, y, width, height, static_cast<gp::CombineMode>(combineMode)));
}

bool DrawGraphics::SetClipPath(const zandrel::DrawPath& path, int combineMode) {
    return Record(gp::GdipSetClipPath(Native(), path.Native(), static_cast<gp::CombineMode>(combineMode)));
}

bool DrawGraphics::ResetClip() {
    return Record(gp::GdipResetClip(Native()));
}

}  // namespace zandrel
