// A GDI+ region: rectangles and paths combined by the GDI+ combine modes.
#pragma once

#include "draw/draw_object.h"

namespace zandrel {

class DrawGraphics;
class DrawPath;

class DrawRegion : public DrawObject {
  public:
    DrawRegion() = default;
    ~DrawRegion() { DeleteRegion(); }
    DrawRegion(DrawRegion&& other) noexcept = default;
    DrawRegion& operator=(DrawRegion&& other) noexcept;

    bool DeleteRegion();
    // An infinite region.
    bool CreateRegion();
    bool CreateRegionRect(float x, float y, float width, float height);
    bool CreateRegionPath(const DrawPath& path);
    // combineMode: 0 replace, 1 intersect, 2 union, 3 xor, 4 exclude, 5 complement.
    bool CombineRegionRect(float x, float y, float width, float height, int combineMode);
    bool CombineRegionPath(const DrawPath& path, int combineMode);
    // False also when the call fails (see LastStatus()).
    bool IsVisibleRegionPoint(float x, float y, const DrawGraphics* graphics = nullptr);
    // A GDI region the caller deletes with DeleteObject; nullptr on failure (nullptr too for an infinite region).
    HRGN GetRegionHRgn(const DrawGraphics& graphics);

    gp::GpRegion* Native() const { return static_cast<gp::GpRegion*>(handle_); }
};

}  // namespace zandrel
