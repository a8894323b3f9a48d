// GDI+ brushes: the common DrawBrush and its solid, linear-gradient and path-gradient kinds.
#pragma once

#include <cstdint>
#include <span>

#include "draw/draw_object.h"

namespace zandrel {

class DrawPath;

class DrawBrush : public DrawObject {
  public:
    DrawBrush() = default;
    ~DrawBrush() { DeleteBrush(); }
    DrawBrush(DrawBrush&& other) noexcept = default;
    DrawBrush& operator=(DrawBrush&& other) noexcept;

    bool DeleteBrush();
    // GDI+ brush type (0 solid, 1 hatch, 2 texture, 3 path gradient, 4 linear gradient); 0 on failure.
    int GetBrushType();

    gp::GpBrush* Native() const { return static_cast<gp::GpBrush*>(handle_); }

  protected:
    // Stores a newly created brush; the caller has released the previous one.
    bool Adopt(gp::GpStatus status, gp::GpBrush* brush);
};

class DrawSolidBrush : public DrawBrush {
  public:
    bool CreateSolidFill(uint32_t argb);
    bool SetSolidFillColor(uint32_t argb);
};

class DrawLinearBrush : public DrawBrush {
  public:
    // A gradient along the line point1 -> point2; wrapMode 0 tiles.
    bool CreateLineBrush(gp::PointF point1, gp::PointF point2, uint32_t argb1, uint32_t argb2, int wrapMode = 0);
    // Colours at relative positions 0..1 (first 0, last 1). Both spans must have the same length.
    bool SetLinePresetBlend(std::span<const uint32_t> colours, std::span<const float> positions);
    bool SetLineLinearBlend(float focus, float scale);
    bool SetLineWrapMode(int wrapMode);

    gp::GpLineGradient* Line() const { return static_cast<gp::GpLineGradient*>(handle_); }
};

class DrawPathBrush : public DrawBrush {
  public:
    bool CreatePathGradientFromPath(const DrawPath& path);
    bool SetPathGradientCenterColor(uint32_t argb);
    bool SetPathGradientCenterPoint(gp::PointF point);
    // count defaults to the number of colours; a count beyond them is refused.
    bool SetPathGradientSurroundColorsWithCount(std::span<const uint32_t> colours, int count = -1);

    gp::GpPathGradient* Gradient() const { return static_cast<gp::GpPathGradient*>(handle_); }
};

}  // namespace zandrel
