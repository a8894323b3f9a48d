#include "draw/draw_brushes.h"

#include "draw/draw_path.h"

namespace zandrel {

using draw_detail::Record;

DrawBrush& DrawBrush::operator=(DrawBrush&& other) noexcept {
    if (this != &other) {
        DeleteBrush();
        handle_ = TakeHandle(other);
    }
    return *this;
}

bool DrawBrush::DeleteBrush() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok = Record(gp::GdipDeleteBrush(Native()));
    SetHandle(nullptr);
    return ok;
}

int DrawBrush::GetBrushType() {
    gp::GpBrushType type = gp::BrushTypeSolidColor;
    return Record(gp::GdipGetBrushType(Native(), &type)) ? static_cast<int>(type) : 0;
}

bool DrawBrush::Adopt(gp::GpStatus status, gp::GpBrush* brush) {
    SetHandle(brush);
    return Record(status);
}

bool DrawSolidBrush::CreateSolidFill(uint32_t argb) {
    DeleteBrush();
    gp::GpSolidFill* fill = nullptr;
    const gp::GpStatus status = gp::GdipCreateSolidFill(argb, &fill);
    return Adopt(status, fill);
}

bool DrawSolidBrush::SetSolidFillColor(uint32_t argb) {
    return Record(gp::GdipSetSolidFillColor(static_cast<gp::GpSolidFill*>(handle_), argb));
}

bool DrawLinearBrush::CreateLineBrush(gp::PointF point1,
                                      gp::PointF point2,
                                      uint32_t argb1,
                                      uint32_t argb2,
                                      int wrapMode) {
    DeleteBrush();
    gp::GpLineGradient* line = nullptr;
    const gp::GpStatus status =
        gp::GdipCreateLineBrush(&point1, &point2, argb1, argb2, static_cast<gp::GpWrapMode>(wrapMode), &line);
    return Adopt(status, line);
}

bool DrawLinearBrush::SetLinePresetBlend(std::span<const uint32_t> colours, std::span<const float> positions) {
    // GDI+ reads as many positions as colours; a shorter position list would be read past its end.
    if (colours.size() != positions.size()) {
        return Record(gp::InvalidParameter);
    }
    return Record(gp::GdipSetLinePresetBlend(Line(), reinterpret_cast<const gp::ARGB*>(colours.data()),
                                             positions.data(), static_cast<INT>(colours.size())));
}

bool DrawLinearBrush::SetLineLinearBlend(float focus, float scale) {
    return Record(gp::GdipSetLineLinearBlend(Line(), focus, scale));
}

bool DrawLinearBrush::SetLineWrapMode(int wrapMode) {
    return Record(gp::GdipSetLineWrapMode(Line(), static_cast<gp::GpWrapMode>(wrapMode)));
}

bool DrawPathBrush::CreatePathGradientFromPath(const DrawPath& path) {
    DeleteBrush();
    gp::GpPathGradient* gradient = nullptr;
    const gp::GpStatus status = gp::GdipCreatePathGradientFromPath(path.Native(), &gradient);
    return Adopt(status, gradient);
}

bool DrawPathBrush::SetPathGradientCenterColor(uint32_t argb) {
    return Record(gp::GdipSetPathGradientCenterColor(Gradient(), argb));
}

bool DrawPathBrush::SetPathGradientCenterPoint(gp::PointF point) {
    return Record(gp::GdipSetPathGradientCenterPoint(Gradient(), &point));
}

bool DrawPathBrush::SetPathGradientSurroundColorsWithCount(std::span<const uint32_t> colours, int count) {
    if (count < 0) {
        count = static_cast<int>(colours.size());
    }
    if (static_cast<size_t>(count) > colours.size()) {
        return Record(gp::InvalidParameter);
    }
    INT n = count;
    return Record(gp::GdipSetPathGradientSurroundColorsWithCount(
        Gradient(), reinterpret_cast<const gp::ARGB*>(colours.data()), &n));
}

}  // namespace zandrel
