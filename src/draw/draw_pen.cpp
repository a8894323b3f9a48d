#include "draw/draw_pen.h"

#include "draw/draw_brushes.h"

namespace zandrel {

using draw_detail::Record;

DrawPen& DrawPen::operator=(DrawPen&& other) noexcept {
    if (this != &other) {
        DeletePen();
        handle_ = TakeHandle(other);
    }
    return *this;
}

bool DrawPen::DeletePen() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok = Record(gp::GdipDeletePen(Native()));
    SetHandle(nullptr);
    return ok;
}

bool DrawPen::CreatePen1(uint32_t argb, float width, int unit) {
    DeletePen();
    gp::GpPen* pen = nullptr;
    const bool ok = Record(gp::GdipCreatePen1(argb, width, static_cast<gp::GpUnit>(unit), &pen));
    SetHandle(pen);
    return ok;
}

bool DrawPen::CreatePen2(const DrawBrush& brush, float width, int unit) {
    DeletePen();
    gp::GpPen* pen = nullptr;
    const bool ok = Record(gp::GdipCreatePen2(brush.Native(), width, static_cast<gp::GpUnit>(unit), &pen));
    SetHandle(pen);
    return ok;
}

}  // namespace zandrel
