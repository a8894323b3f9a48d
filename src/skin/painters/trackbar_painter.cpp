// Track bars are painted whole: an optional rounded panel, the channel as a thin shaded bar, a round thumb that
// grows while the mouse is over the control, the selection range and an accent line up to the thumb.
#include <windows.h>

#include <commctrl.h>

#include "base/win_handles.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_types.h"
#include "skin/painters/painter_geometry.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

LRESULT CALLBACK TrackbarWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

int TickSideOf(LONG_PTR style) {
    if (style & TBS_NOTICKS) {
        return kNoTicks;
    }
    if (style & TBS_TOP) {
        return kTicksTopLeft;
    }
    if (style & TBS_BOTH) {
        return kTicksBoth;
    }
    return kTicksBottomRight;
}

TrackbarState ReadState(HWND hwnd, const TrackbarEntry& entry) {
    TrackbarState s;
    SendMessageW(hwnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&s.channel));
    SendMessageW(hwnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&s.thumb));
    s.pos = static_cast<int>(SendMessageW(hwnd, TBM_GETPOS, 0, 0));
    s.min = static_cast<int>(SendMessageW(hwnd, TBM_GETRANGEMIN, 0, 0));
    s.max = static_cast<int>(SendMessageW(hwnd, TBM_GETRANGEMAX, 0, 0));
    s.selStart = static_cast<int>(SendMessageW(hwnd, TBM_GETSELSTART, 0, 0));
    s.selEnd = static_cast<int>(SendMessageW(hwnd, TBM_GETSELEND, 0, 0));
    s.vertical = entry.vertical;
    // Windows reports a vertical bar's channel as if the bar lay on its side, Wine in the bar's own coordinates;
    // the layout reads it the Windows way: left to right along the bar.
    const RECT c = s.channel;
    if (s.vertical && c.bottom - c.top > c.right - c.left) {
        s.channel = RECT{c.top, c.left, c.bottom, c.right};
    }
    s.selRange = entry.selRange;
    s.hovered = entry.hovered;
    s.tickSide = entry.tickSide;
    return s;
}

void PaintTrackbar(PainterHost& host, HWND hwnd, const TrackbarEntry& entry) {
    if (!IsWindowVisible(hwnd)) {
        return;
    }
    RECT window{};
    GetWindowRect(hwnd, &window);
    const float W = static_cast<float>(window.right - window.left);
    const float H = static_cast<float>(window.bottom - window.top);
    BackdropCanvas canvas(host, hwnd, RECT{0, 0, window.right - window.left, window.bottom - window.top});
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    const TrackbarState state = ReadState(hwnd, entry);
    const TrackbarLayout layout = LayoutTrackbar(state);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;

    if (host.TrackbarStyle() != 0) {
        StrokePathSolid(g, RoundRectPath(0, 0, W - 1, H - 1, 5), Argb(kBlack, 30));
        const gp::PointF end = entry.vertical ? gp::PointF{W - 1, 0} : gp::PointF{0, H - 1};
        FillPathGradient(g, RoundRectPath(1, 1, W - 2, H - 2, 3), {0, 0}, end, Argb(kWhite, 160), Argb(kBlack, 30));
    }
    const FloatRect& b = layout.bar;
    const gp::PointF acrossEnd = entry.vertical ? gp::PointF{b.x + b.w, b.y} : gp::PointF{b.x, b.y + b.h};
    FillPathGradient(g, RoundRectPath(b.x, b.y, b.w, b.h, 1), {b.x, b.y}, acrossEnd, Argb(kBlack, 50),
                     Argb(kBlack, 30));

    const FloatRect& t = layout.thumb;
    const DrawPath thumb = EllipsePath(t.x, t.y, t.w, t.h);
    FillPathSolid(g, thumb, Argb(kWhite, enabled ? 255 : 160));
    const float shadeLength = static_cast<float>(state.channel.right - state.channel.left);
    FillPathGradient(g, thumb, {t.x, t.y}, {t.x, t.y + (shadeLength > 0 ? shadeLength : t.h)}, Argb(kWhite, 0),
                     Argb(kBlack, 90));
    StrokePathSolid(g, thumb, Argb(kBlack, 50));

    if (layout.hasSelection) {
        const FloatRect& s = layout.selection;
        StrokeRectSolid(g, s.x, s.y, s.w, s.h, Argb(kWhite, 160));
    }
    const FloatRect& p = layout.progress;
    if (p.w > 0 && p.h > 0 && enabled) {
        StrokeRectSolid(g, p.x, p.y, p.w, p.h, Argb(host.AccentColour(), 200));
    }
    HDC dc = GetWindowDC(hwnd);
    if (dc != nullptr) {
        canvas.CopyTo(dc, 0, 0);
        ReleaseDC(hwnd, dc);
    }
}

void RepaintNow(HWND hwnd) {
    const ControlRef ref = LookUpControl(hwnd);
    if (const TrackbarEntry* entry = LookUpEntry(ref, &ControlLists::trackbars, hwnd)) {
        PaintTrackbar(*ref.host, hwnd, *entry);
    }
}

// Messages after which the control may have drawn its platform look straight onto the screen.
bool RedrawsItself(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_CAPTURECHANGED:
        case WM_TIMER:
        case TBM_SETPOS:
        case TBM_SETSEL:
        case TBM_SETRANGE: return true;
        default: return false;
    }
}

LRESULT CALLBACK TrackbarWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    TrackbarEntry* entry = LookUpEntry(ref, &ControlLists::trackbars, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    HoverState& hover = ref.lists->hover;
    switch (msg) {
        case WM_MOVE: PaintTrackbar(host, hwnd, *entry); break;
        case WM_PAINT: {
            {
                PaintDc paint(hwnd);
            }
            PaintTrackbar(host, hwnd, *entry);
            return 0;
        }
        case WM_ERASEBKGND: SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
        case WM_NCPAINT: PaintTrackbar(host, hwnd, *entry); return 1;
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
            hover.controlUnderMouse = ref.index;
            if (hover.hotControlIndex != hover.controlUnderMouse || hover.hotControlKind != kHotTrackbar) {
                entry->hovered = true;
                hover.hotControlIndex = hover.controlUnderMouse;
                hover.hotControlKind = kHotTrackbar;
                PaintTrackbar(host, hwnd, *entry);
            }
            break;
        }
        case WM_MOUSELEAVE:
            hover.hotControlIndex = 0;
            entry->hovered = false;
            PaintTrackbar(host, hwnd, *entry);
            break;
        default: break;
    }
    if (!RedrawsItself(msg)) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam);
    RepaintNow(hwnd);
    return result;
}

}  // namespace

void InstallTrackbars(PainterHost& host, int windowIndex, HWND parent) {
    ControlLists* lists = host.Controls(windowIndex);
    if (host.ControlSkinMode() == 0 || lists == nullptr) {
        return;
    }
    for (HWND bar = FindWindowExW(parent, nullptr, TRACKBAR_CLASSW, nullptr); bar != nullptr;
         bar = FindWindowExW(parent, bar, TRACKBAR_CLASSW, nullptr)) {
        if (IsTakenOver(bar)) {
            continue;
        }
        const auto fill = [bar](TrackbarEntry& entry) {
            const LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE);
            entry.vertical = (style & TBS_VERT) != 0;
            entry.tickSide = TickSideOf(style);
            entry.selRange = (style & TBS_ENABLESELRANGE) != 0;
        };
        if (TakeOverNewEntry(lists->trackbars, bar, &TrackbarWindowProc, windowIndex, fill) != nullptr) {
            InvalidateControl(bar);
        }
    }
}

}  // namespace zandrel
