// Small drawing tools shared by the button faces and the control painters: the backdrop copy a control paints on,
// and one-call fills and strokes in GDI+ colours.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "draw/draw_graphics.h"
#include "draw/draw_path.h"

namespace zandrel {

class DrawFont;
class PainterHost;

// A copy of the skinned background behind a rectangle of a control (its window coordinates), with a GDI+ surface
// on it. The copy goes back to the engine's registry when the canvas goes, on every path.
class BackdropCanvas {
  public:
    BackdropCanvas(PainterHost& host, HWND hwnd, const RECT& rect);
    ~BackdropCanvas();
    BackdropCanvas(const BackdropCanvas&) = delete;
    BackdropCanvas& operator=(const BackdropCanvas&) = delete;

    // False when the copy or its surface could not be made; nothing is drawn then.
    bool Ready() const { return dc_ != nullptr && !graphics_.IsEmpty(); }
    HDC Dc() const { return dc_; }
    DrawGraphics& Graphics() { return graphics_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Ends the GDI+ drawing, so GDI sees all of it, then copies the picture to (x, y) of target.
    void CopyTo(HDC target, int x, int y);
    // The same, leaving out every pixel of exactly the key colour.
    void CopyKeyedTo(HDC target, int x, int y, COLORREF key);
    void EndDrawing() { graphics_.DeleteGraphics(); }

  private:
    PainterHost& host_;
    HDC dc_ = nullptr;
    DrawGraphics graphics_;
    int width_ = 0;
    int height_ = 0;
};

// A Windows colour at an alpha, as GDI+ ARGB.
uint32_t Argb(COLORREF colour, int alpha);

inline constexpr COLORREF kWhite = 0xFFFFFF;
inline constexpr COLORREF kBlack = 0x000000;
inline constexpr COLORREF kMagentaKey = 0xFF00FF;  // painted where a control's own drawing must show through

// A new path holding a rounded rectangle (radius clamped to 1..100).
DrawPath RoundRectPath(float x, float y, float w, float h, float r);
DrawPath RectPath(float x, float y, float w, float h);
DrawPath EllipsePath(float x, float y, float w, float h);

void FillPathSolid(DrawGraphics& graphics, const DrawPath& path, uint32_t argb);
void StrokePathSolid(DrawGraphics& graphics, const DrawPath& path, uint32_t argb, float width = 1.0f);
// A linear gradient between two points, mirrored beyond them so no seam shows at the far edge.
void FillPathGradient(DrawGraphics& graphics,
                      const DrawPath& path,
                      gp::PointF from,
                      gp::PointF to,
                      uint32_t argbFrom,
                      uint32_t argbTo);
void FillRectSolid(DrawGraphics& graphics, float x, float y, float w, float h, uint32_t argb);
void StrokeRectSolid(DrawGraphics& graphics, float x, float y, float w, float h, uint32_t argb, float width = 1.0f);

// A font of the family, or of the skin's own face when the family is unknown or empty (GDI+ has no fallback, and
// a text drawn with no font would simply be missing); a size of 0 becomes 12.
bool CreateSkinFont(DrawFont& font, const std::string& family, float size, int style, int unit);

// Text in one colour; alignments 0 near, 1 centre, 2 far. False when nothing could be drawn.
bool DrawSkinText(DrawGraphics& graphics,
                  std::string_view text,
                  const std::string& family,
                  float size,
                  int style,
                  uint32_t argb,
                  const gp::RectF& layout,
                  int alignment,
                  int lineAlignment,
                  bool singleLine = false);

// A picture from its bytes drawn at its pixel size; false when it does not decode.
bool DrawPicture(DrawGraphics& graphics, std::span<const unsigned char> picture, float x, float y);

}  // namespace zandrel
