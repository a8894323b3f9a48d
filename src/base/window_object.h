// Windows of our own classes keep their C++ object in GWLP_USERDATA; this finds it again from a handle.
#pragma once

#include <windows.h>

#include <string_view>

namespace zandrel {

// The object of `hwnd` when the window is of class `className`, else nullptr.
template <typename T>
T* ObjectOfWindow(HWND hwnd, std::wstring_view className) {
    if (!hwnd) {
        return nullptr;
    }
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (std::wstring_view(cls) != className) {
        return nullptr;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace zandrel
