// Progress bars are painted whole: a rounded glassy trough and a rounded accent fill that follows the position.
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

LRESULT CALLBACK ProgressWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void PaintProgressBar(PainterHost& host, HWND hwnd, const ProgressEntry& entry, HDC target) {
    if (target == nullptr && !IsWindowVisible(hwnd)) {
        return;
    }
    RECT window{};
    GetWindowRect(hwnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const float W = static_cast<float>(width);
    const float H = static_cast<float>(height);
    BackdropCanvas canvas(host, hwnd, RECT{0, 0, width, height});
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    StrokePathSolid(g, RoundRectPath(0, 0, W - 1, H - 1, 5), Argb(kBlack, 50));
    const gp::PointF troughEnd = entry.vertical ? gp::PointF{W - 1, 0} : gp::PointF{0, H - 1};
    FillPathGradient(g, RoundRectPath(1, 1, W - 2, H - 2, 1), {0, 0}, troughEnd, Argb(kWhite, 160), Argb(kBlack, 30));

    const int pos = static_cast<int>(SendMessageW(hwnd, PBM_GETPOS, 0, 0));
    PBRANGE range{};
    SendMessageW(hwnd, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
    const ProgressFill fill = LayoutProgressFill(width, height, range.iLow, range.iHigh, pos, entry.vertical);
    if (fill.hasFigure) {
        const FloatRect& f = fill.figure;
        const float x0 = static_cast<float>(fill.x);
        const float y0 = static_cast<float>(fill.y);
        const gp::PointF end = entry.vertical ? gp::PointF{x0 + fill.w - 1, y0} : gp::PointF{0, fill.h - 1.0f};
        const COLORREF accent = IsWindowEnabled(hwnd) ? host.AccentColour() : 0xA0A0A0;
        const DrawPath figure = RoundRectPath(f.x, f.y, f.w, f.h, 3);
        FillPathGradient(g, figure, {x0, y0}, end, Argb(kWhite, 90), Argb(accent, 255));
        StrokePathSolid(g, figure, Argb(accent, 150));
    }
    if (target != nullptr) {
        canvas.CopyTo(target, 0, 0);
        return;
    }
    HDC dc = GetWindowDC(hwnd);
    if (dc != nullptr) {
        canvas.CopyTo(dc, 0, 0);
        ReleaseDC(hwnd, dc);
    }
}

LRESULT CALLBACK ProgressWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    ProgressEntry* entry = LookUpEntry(ref, &ControlLists::progressBars, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    switch (msg) {
        case WM_MOVE: PaintProgressBar(host, hwnd, *entry, nullptr); break;
        case WM_PAINT: {
            {
                PaintDc paint(hwnd);
            }
            PaintProgressBar(host, hwnd, *entry, nullptr);
            return 0;
        }
        case WM_PRINTCLIENT: PaintProgressBar(host, hwnd, *entry, reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
        case WM_NCPAINT: PaintProgressBar(host, hwnd, *entry, nullptr); return 1;
        default: break;
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

}  // namespace

void InstallProgressBars(PainterHost& host, int windowIndex, HWND parent) {
    ControlLists* lists = host.Controls(windowIndex);
    if (host.ControlSkinMode() == 0 || lists == nullptr) {
        return;
    }
    for (HWND bar = FindWindowExW(parent, nullptr, PROGRESS_CLASSW, nullptr); bar != nullptr;
         bar = FindWindowExW(parent, bar, PROGRESS_CLASSW, nullptr)) {
        if (IsTakenOver(bar)) {
            continue;
        }
        const auto fill = [bar](ProgressEntry& entry) {
            entry.vertical = (GetWindowLongPtrW(bar, GWL_STYLE) & PBS_VERTICAL) != 0;
        };
        if (TakeOverNewEntry(lists->progressBars, bar, &ProgressWindowProc, windowIndex, fill) != nullptr) {
            InvalidateControl(bar);
        }
    }
}

}  // namespace zandrel
