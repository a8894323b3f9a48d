#include "base/window_text.h"

#include "base/encoding.h"

namespace zandrel {

std::string WindowTextGbk(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, wide.data(), length + 1);
    wide.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return WideToGbk(wide);
}

}  // namespace zandrel
