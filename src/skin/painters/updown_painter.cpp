// Up-down controls are painted whole: two rounded half-buttons with their arrows on a translucent plate; the half
// under the mouse lights up in the accent colour and shows a pressed gradient while the button is held.
#include <windows.h>

#include <commctrl.h>

#include "base/win_handles.h"
#include "draw/skin_images.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_types.h"
#include "skin/painters/painter_geometry.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

constexpr int kSmoothingAntiAlias = 4;
constexpr int kCompositingHighQuality = 2;

LRESULT CALLBACK UpDownWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

SIZE WindowSize(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void PaintUpDown(PainterHost& host, HWND hwnd, const UpDownEntry& entry, bool hot, bool pressed, LPARAM mouse) {
    if (!IsWindowVisible(hwnd)) {
        return;
    }
    const SIZE size = WindowSize(hwnd);
    const float W = static_cast<float>(size.cx);
    const float H = static_cast<float>(size.cy);
    BackdropCanvas canvas(host, hwnd, RECT{0, 0, size.cx, size.cy});
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    g.SetSmoothingMode(kSmoothingAntiAlias);
    g.SetCompositingQuality(kCompositingHighQuality);
    const UpDownHalves halves = LayoutUpDown(size.cx, size.cy, entry.horizontal);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    // Without the hot flag no half is lit, even while pressed (the mouse is captured outside the control).
    int active = -1;
    if (hot && enabled) {
        active = UpDownPartAt(size.cx, size.cy, entry.horizontal, MouseX(mouse), MouseY(mouse));
    }
    const COLORREF accent = host.AccentColour();
    FillPathSolid(g, RoundRectPath(0, 0, W - 1, H - 1, 3), Argb(kWhite, 160));
    const SkinImageId arrows[2] = {entry.horizontal ? SkinImageId::ArrowLeft : SkinImageId::ArrowUp,
                                   entry.horizontal ? SkinImageId::ArrowRight : SkinImageId::ArrowDown};
    for (int part = 0; part < 2; ++part) {
        const FloatRect& half = part == 0 ? halves.first : halves.second;
        const DrawPath path = RoundRectPath(half.x, half.y, half.w - 1, half.h - 1, 3);
        const gp::PointF from{half.x, half.y};
        const gp::PointF to =
            entry.horizontal ? gp::PointF{half.x + half.w, half.y} : gp::PointF{half.x, half.y + half.h};
        uint32_t pen = Argb(kBlack, 100);
        if (part == active && !pressed) {
            FillPathGradient(g, path, from, to, Argb(kWhite, 100), Argb(accent, 150));
            pen = Argb(accent, 200);
        } else if (part == active) {
            FillPathGradient(g, path, from, to, Argb(accent, 100), Argb(kWhite, 150));
            pen = Argb(accent, 200);
        } else {
            const int start = (!entry.horizontal && part == 0) ? 60 : 20;
            FillPathGradient(g, path, from, to, Argb(kWhite, start), Argb(accent, enabled ? 100 : 30));
        }
        // The arrows are 7 x 4 (up, down) or 4 x 7 (left, right).
        const float iw = entry.horizontal ? 4.0f : 7.0f;
        const float ih = entry.horizontal ? 7.0f : 4.0f;
        DrawPicture(g, SkinImageBytes(arrows[part]), half.x + (half.w - iw) / 2, half.y + (half.h - ih) / 2);
        StrokePathSolid(g, path, pen);
    }
    HDC dc = GetWindowDC(hwnd);
    if (dc != nullptr) {
        canvas.CopyTo(dc, 0, 0);
        ReleaseDC(hwnd, dc);
    }
}

void PaintFromEntry(PainterHost& host, HWND hwnd, const UpDownEntry& entry) {
    PaintUpDown(host, hwnd, entry, entry.hovered, entry.pressed, entry.lastMouse);
}

bool RedrawsItself(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_TIMER:
        case WM_CAPTURECHANGED:
        case WM_ENABLE:
        case WM_KEYDOWN:
        case WM_KEYUP: return true;
        default: return false;
    }
}

void OnMouseMove(PainterHost& host, HWND hwnd, const ControlRef& ref, UpDownEntry& entry, LPARAM lParam) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&track);
    HoverState& hover = ref.lists->hover;
    hover.controlUnderMouse = ref.index;
    const SIZE size = WindowSize(hwnd);
    const int part = UpDownPartAt(size.cx, size.cy, entry.horizontal, MouseX(lParam), MouseY(lParam));
    if (hover.hotControlIndex != hover.controlUnderMouse || hover.hotControlKind != kHotUpDown ||
        part != entry.hotPart) {
        entry.hovered = true;
        entry.lastMouse = lParam;
        PaintUpDown(host, hwnd, entry, true, entry.pressed, lParam);
        hover.hotControlIndex = hover.controlUnderMouse;
        hover.hotControlKind = kHotUpDown;
        entry.hotPart = part;
    }
}

LRESULT CALLBACK UpDownWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    UpDownEntry* entry = LookUpEntry(ref, &ControlLists::upDowns, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    switch (msg) {
        case WM_MOVE: PaintFromEntry(host, hwnd, *entry); break;
        case WM_PAINT: {
            {
                PaintDc paint(hwnd);
            }
            PaintFromEntry(host, hwnd, *entry);
            return 0;
        }
        case WM_ERASEBKGND: SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
        case WM_NCPAINT: return 1;
        case WM_MOUSEMOVE: OnMouseMove(host, hwnd, ref, *entry, lParam); break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            entry->pressed = msg == WM_LBUTTONDOWN;
            entry->lastMouse = lParam;
            break;
        case WM_MOUSELEAVE:
            ref.lists->hover.hotControlIndex = 0;
            entry->hovered = false;
            PaintUpDown(host, hwnd, *entry, false, entry->pressed, entry->lastMouse);
            break;
        default: break;
    }
    if (!RedrawsItself(msg)) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam);
    const ControlRef after = LookUpControl(hwnd);
    if (const UpDownEntry* again = LookUpEntry(after, &ControlLists::upDowns, hwnd)) {
        PaintFromEntry(*after.host, hwnd, *again);
    }
    return result;
}

}  // namespace

void InstallUpDowns(PainterHost& host, int windowIndex, HWND parent) {
    ControlLists* lists = host.Controls(windowIndex);
    if (host.ControlSkinMode() == 0 || lists == nullptr) {
        return;
    }
    for (HWND control = FindWindowExW(parent, nullptr, UPDOWN_CLASSW, nullptr); control != nullptr;
         control = FindWindowExW(parent, control, UPDOWN_CLASSW, nullptr)) {
        if (IsTakenOver(control)) {
            continue;
        }
        const auto fill = [control](UpDownEntry& entry) {
            entry.horizontal = (GetWindowLongPtrW(control, GWL_STYLE) & UDS_HORZ) != 0;
        };
        if (TakeOverNewEntry(lists->upDowns, control, &UpDownWindowProc, windowIndex, fill) != nullptr) {
            InvalidateControl(control);
        }
    }
}

}  // namespace zandrel
