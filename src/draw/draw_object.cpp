#include "draw/draw_object.h"

namespace zandrel {

namespace {
int gLastStatus = 0;
}  // namespace

int LastStatus() {
    return gLastStatus;
}

namespace draw_detail {
bool Record(gp::GpStatus status) {
    gLastStatus = static_cast<int>(status);
    return status == gp::Ok;
}
}  // namespace draw_detail

void* DrawObject::Alloc(size_t size) {
    return gp::GdipAlloc(size);
}

void DrawObject::Free(void* block) {
    gp::GdipFree(block);
}

}  // namespace zandrel
