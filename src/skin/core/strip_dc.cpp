#include "skin/core/skin_types.h"

#include "base/dib_section.h"

namespace zandrel {

bool StripDc::Create(int width, int height) {
    Reset();
    if (width <= 0 || height <= 0) {
        return false;
    }
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) {
        return false;
    }
    UniqueBitmap bitmap(CreateTopDownDib(width, height));
    if (!bitmap) {
        return false;
    }
    HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
    if (previous == nullptr || previous == HGDI_ERROR) {
        return false;
    }
    previous_ = previous;
    current_ = bitmap.release();
    dc_ = dc.release();
    return true;
}

void StripDc::Reset() {
    if (dc_ != nullptr) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (current_ != nullptr) {
        DeleteObject(current_);
    }
    dc_ = nullptr;
    current_ = nullptr;
    previous_ = nullptr;
}

}  // namespace zandrel
