// A GDI+ path (figures of lines, arcs, rectangles and ellipses) for filling, stroking, clipping and gradients.
#pragma once

#include "draw/draw_object.h"

namespace zandrel {

class DrawPath : public DrawObject {
  public:
    DrawPath() = default;
    ~DrawPath() { DeletePath(); }
    DrawPath(DrawPath&& other) noexcept = default;
    DrawPath& operator=(DrawPath&& other) noexcept;

    // False without a GDI+ call when the path is empty.
    bool DeletePath();
    // fillMode: 0 alternate, 1 winding.
    bool CreatePath(int fillMode = 0);
    bool ResetPath();
    bool StartPathFigure();
    bool ClosePathFigure();
    bool AddPathLine(float x1, float y1, float x2, float y2);
    bool AddPathArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    bool AddPathRectangle(float x, float y, float width, float height);
    bool AddPathEllipse(float x, float y, float width, float height);
    // Number of points, 0 on failure.
    int GetPointCount();

    gp::GpPath* Native() const { return static_cast<gp::GpPath*>(handle_); }
};

}  // namespace zandrel
