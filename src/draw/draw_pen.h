// A GDI+ pen: a solid colour or a brush, with a width.
#pragma once

#include "draw/draw_object.h"

namespace zandrel {

class DrawBrush;

class DrawPen : public DrawObject {
  public:
    DrawPen() = default;
    ~DrawPen() { DeletePen(); }
    DrawPen(DrawPen&& other) noexcept = default;
    DrawPen& operator=(DrawPen&& other) noexcept;

    bool DeletePen();
    // unit: GDI+ unit, 0 world (the GDI+ default), 2 pixel.
    bool CreatePen1(uint32_t argb, float width, int unit = 0);
    bool CreatePen2(const DrawBrush& brush, float width, int unit = 0);

    gp::GpPen* Native() const { return static_cast<gp::GpPen*>(handle_); }
};

}  // namespace zandrel
