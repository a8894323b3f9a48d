// Container controls and control text colours, the engine's side: the control is recorded in the list of the
// skinned window it lies in and taken over by the container painter; a control with children is a frame too.
#include <windows.h>

#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"
#include "skin/painters/painters.h"

namespace zandrel {

void SkinEngine::SkinContainerControl(HWND hwnd,
                                      std::optional<COLORREF> backColour,
                                      std::optional<COLORREF> fillColour,
                                      std::optional<int> fillAlpha) {
    if (hwnd == nullptr || !IsWindow(hwnd)) {
        return;
    }
    const int windowIndex = FindOwnerWindowIndex(hwnd);
    if (windowIndex < 1 ||
        !RegisterContainerControl(*this, windowIndex, hwnd, backColour.value_or(GetSysColor(COLOR_BTNFACE)))) {
        return;
    }
    if (FindWindowExW(hwnd, nullptr, nullptr, nullptr) != nullptr) {
        SkinChildFrame(hwnd, false, fillColour.value_or(0), fillAlpha.value_or(0), std::nullopt);
    }
}

void SkinEngine::SetControlTextColour(HWND hwnd, COLORREF colour) {
    if (hwnd == nullptr || !IsWindow(hwnd)) {
        return;
    }
    HWND target = hwnd;
    if (GetClassNameText(hwnd) == "ComboBox") {
        target = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
        if (target == nullptr) {
            return;
        }
    }
    SetPropA(target, kPropTextColour, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(colour)));
    // The new colour shows at once, not at the next repaint for some other reason.
    InvalidateRect(target, nullptr, TRUE);
}

}  // namespace zandrel
