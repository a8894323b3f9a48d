// A GDI+ drawing surface on a device context, a window or an image.
#pragma once

#include <cstdint>
#include <string_view>

#include "draw/draw_object.h"

namespace zandrel {

class DrawBrush;
class DrawFont;
class DrawImage;
class DrawPath;
class DrawPen;
class DrawStringFormat;

class DrawGraphics : public DrawObject {
  public:
    DrawGraphics() = default;
    ~DrawGraphics() { DeleteGraphics(); }
    DrawGraphics(DrawGraphics&& other) noexcept = default;
    DrawGraphics& operator=(DrawGraphics&& other) noexcept;

    bool DeleteGraphics();
    // With a device handle the two-handle form is used.
    bool CreateFromHDC(HDC hdc, HANDLE device = nullptr);
    bool CreateFromHWND(HWND hwnd);
    // A surface that draws into the image; the image must outlive it.
    bool GetImageGraphicsContext(const DrawImage& image);
    bool Flush();

    // The surface's device context (nullptr on failure); hand it back with ReleaseDC before drawing again.
    HDC GetDC();
    bool ReleaseDC(HDC hdc);

    // GDI+ enumeration values.
    bool SetCompositingMode(int mode);
    bool SetCompositingQuality(int quality);
    bool SetInterpolationMode(int mode);
    int GetInterpolationMode();
    bool SetSmoothingMode(int mode);
    bool SetPixelOffsetMode(int mode);
    bool SetTextRenderingHint(int hint);

    bool Clear(uint32_t argb);
    bool DrawLine(const DrawPen& pen, float x1, float y1, float x2, float y2);
    bool DrawRectangle(const DrawPen& pen, float x, float y, float width, float height);
    bool DrawEllipse(const DrawPen& pen, float x, float y, float width, float height);
    bool DrawPath(const DrawPen& pen, const zandrel::DrawPath& path);
    bool FillRectangle(const DrawBrush& brush, float x, float y, float width, float height);
    bool FillEllipse(const DrawBrush& brush, float x, float y, float width, float height);
    bool FillPath(const DrawBrush& brush, const zandrel::DrawPath& path);

    // text is GBK. format may be nullptr (GDI+ default layout).
    bool DrawString(std::string_view text,
                    const DrawFont& font,
                    const DrawBrush& brush,
                    const gp::RectF& layout,
                    const DrawStringFormat* format = nullptr);
    bool MeasureString(std::string_view text,
                       const DrawFont& font,
                       const gp::RectF& layout,
                       const DrawStringFormat* format,
                       gp::RectF* bounds,
                       int* charactersFitted = nullptr,
                       int* linesFilled = nullptr);

    // At the image's natural size.
    bool DrawImage(const zandrel::DrawImage& image, float x, float y);
    // The whole image scaled into the rectangle; unit 2 = pixel.
    bool DrawImageRect(const zandrel::DrawImage& image, float x, float y, float width, float height, int unit = 2);
    // The source rectangle of the image scaled into the target rectangle.
    bool DrawImageRectRect(const zandrel::DrawImage& image,
                           float x,
                           float y,
                           float width,
                           float height,
                           float srcX,
                           float srcY,
                           float srcWidth,
                           float srcHeight,
                           int unit = 2);

    // combineMode: 0 replace, 1 intersect, 2 union, 3 xor, 4 exclude, 5 complement.
    bool SetClipRect(float x, float y, float width, float height, int combineMode = 0);
    bool SetClipPath(const zandrel::DrawPath& path, int combineMode = 0);
    bool ResetClip();

    gp::GpGraphics* Native() const { return static_cast<gp::GpGraphics*>(handle_); }
};

}  // namespace zandrel
