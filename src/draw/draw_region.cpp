#include "draw/draw_region.h"

#include "draw/draw_graphics.h"
#include "draw/draw_path.h"

namespace zandrel {

using draw_detail::Record;

DrawRegion& DrawRegion::operator=(DrawRegion&& other) noexcept {
    if (this != &other) {
        DeleteRegion();
        handle_ = TakeHandle(other);
    }
    return *this;
}

bool DrawRegion::DeleteRegion() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok = Record(gp::GdipDeleteRegion(Native()));
    SetHandle(nullptr);
    return ok;
}

bool DrawRegion::CreateRegion() {
    DeleteRegion();
    gp::GpRegion* region = nullptr;
    const bool ok = Record(gp::GdipCreateRegion(&region));
    SetHandle(region);
    return ok;
}

bool DrawRegion::CreateRegionRect(float x, float y, float width, float height) {
    DeleteRegion();
    const gp::RectF rect(x, y, width, height);
    gp::GpRegion* region = nullptr;
    const bool ok = Record(gp::GdipCreateRegionRect(&rect, &region));
    SetHandle(region);
    return ok;
}

bool DrawRegion::CreateRegionPath(const DrawPath& path) {
    DeleteRegion();
    gp::GpRegion* region = nullptr;
    const bool ok = Record(gp::GdipCreateRegionPath(path.Native(), &region));
    SetHandle(region);
    return ok;
}

bool DrawRegion::CombineRegionRect(float x, float y, float width, float height, int combineMode) {
    const gp::RectF rect(x, y, width, height);
    return Record(gp::GdipCombineRegionRect(Native(), &rect, static_cast<gp::CombineMode>(combineMode)));
}

bool DrawRegion::CombineRegionPath(const DrawPath& path, int combineMode) {
    return Record(gp::GdipCombineRegionPath(Native(), path.Native(), static_cast<gp::CombineMode>(combineMode)));
}

bool DrawRegion::IsVisibleRegionPoint(float x, float y, const DrawGraphics* graphics) {
    BOOL visible = FALSE;
    const bool ok =
        Record(gp::GdipIsVisibleRegionPoint(Native(), x, y, graphics ? graphics->Native() : nullptr, &visible));
    return ok && visible;
}

HRGN DrawRegion::GetRegionHRgn(const DrawGraphics& graphics) {
    HRGN rgn = nullptr;
    return Record(gp::GdipGetRegionHRgn(Native(), graphics.Native(), &rgn)) ? rgn : nullptr;
}

}  // namespace zandrel
