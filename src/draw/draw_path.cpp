#include "draw/draw_path.h"

namespace zandrel {

using draw_detail::Record;

DrawPath& DrawPath::operator=(DrawPath&& other) noexcept {
    if (this != &other) {
        DeletePath();
        handle_ = TakeHandle(other);
    }
    return *this;
}

bool DrawPath::DeletePath() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok = Record(gp::GdipDeletePath(Native()));
    SetHandle(nullptr);
    return ok;
}

bool DrawPath::CreatePath(int fillMode) {
    DeletePath();
    gp::GpPath* path = nullptr;
    const bool ok = Record(gp::GdipCreatePath(static_cast<gp::FillMode>(fillMode), &path));
    SetHandle(path);
    return ok;
}

bool DrawPath::ResetPath() {
    return Record(gp::GdipResetPath(Native()));
}

bool DrawPath::StartPathFigure() {
    return Record(gp::GdipStartPathFigure(Native()));
}

bool DrawPath::ClosePathFigure() {
    return Record(gp::GdipClosePathFigure(Native()));
}

bool DrawPath::AddPathLine(float x1, float y1, float x2, float y2) {
    return Record(gp::GdipAddPathLine(Native(), x1, y1, x2, y2));
}

bool DrawPath::AddPathArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
    return Record(gp::GdipAddPathArc(Native(), x, y, width, height, startAngle, sweepAngle));
}

bool DrawPath::AddPathRectangle(float x, float y, float width, float height) {
    return Record(gp::GdipAddPathRectangle(Native(), x, y, width, height));
}

bool DrawPath::AddPathEllipse(float x, float y, float width, float height) {
    return Record(gp::GdipAddPathEllipse(Native(), x, y, width, height));
}

int DrawPath::GetPointCount() {
    INT count = 0;
    return Record(gp::GdipGetPointCount(Native(), &count)) ? count : 0;
}

}  // namespace zandrel
