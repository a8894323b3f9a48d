// The list a drop-down combo box opens is a pop-up of its own that may reach beyond the skinned window, so it is
// painted whole and opaque: a light face, the items in the skin's font, the selected one in the accent colour,
// and an accent border.
#include <windows.h>

#include <cwchar>
#include <string>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_types.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

constexpr uint32_t kFace = 0xFFFFFFFF;
constexpr int kAlignNear = 0;
constexpr int kAlignCentre = 1;

std::string ItemText(HWND list, int item) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(item), 0);
    if (length == LB_ERR || length < 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return WideToGbk(text);
}

void PaintItems(PainterHost& host, HWND list, HDC target) {
    RECT client{};
    GetClientRect(list, &client);
    const RECT inWindow = ClientRectInWindow(list);
    BackdropCanvas canvas(host, list, inWindow);
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    g.Clear(kFace);
    const COLORREF accent = host.AccentColour();
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    for (int item = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)); item >= 0 && item < count; ++item) {
        RECT r{};
        if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r)) == LB_ERR ||
            r.top >= client.bottom) {
            break;
        }
        const float x = static_cast<float>(r.left);
        const float y = static_cast<float>(r.top);
        const float w = static_cast<float>(r.right - r.left);
        const float h = static_cast<float>(r.bottom - r.top);
        if (item == selected) {
            const DrawPath face = RectPath(x + 1, y, w - 2, h - 1);
            FillPathGradient(g, face, {x, y}, {x, y + h}, Argb(accent, 70), Argb(accent, 150));
            StrokePathSolid(g, face, Argb(accent, 220));
        }
        DrawSkinText(g, ItemText(list, item), kSkinFontName, 12, 0, Argb(kBlack, 255), gp::RectF{x + 4, y, w - 6, h},
                     kAlignNear, kAlignCentre, true);
    }
    canvas.CopyTo(target, 0, 0);
}

void PaintBorder(PainterHost& host, HWND list) {
    RECT window{};
    GetWindowRect(list, &window);
    const int W = window.right - window.left;
    const int H = window.bottom - window.top;
    const RECT inner = InnerRect(list);
    BackdropCanvas canvas(host, list, RECT{0, 0, W, H});
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    g.Clear(kFace);
    StrokeRectSolid(g, 0, 0, static_cast<float>(W - 1), static_cast<float>(H - 1), Argb(host.AccentColour(), 230));
    HDC dc = GetWindowDC(list);
    if (dc != nullptr) {
        ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        canvas.CopyTo(dc, 0, 0);
        ReleaseDC(list, dc);
    }
}

void RepaintNow(PainterHost& host, HWND list) {
    if (!IsWindowVisible(list)) {
        return;
    }
    WindowDc dc(list);
    PaintItems(host, list, dc.get());
}

// Messages after which the list may have drawn an item in the platform's colours straight onto the screen (the
// selection follows the mouse while the list is open).
bool RedrawsItself(UINT msg) {
    switch (msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_MOUSEWHEEL:
        case WM_VSCROLL:
        case WM_TIMER:
        case WM_SHOWWINDOW:
        case LB_SETCURSEL:
        case LB_SETTOPINDEX:
        case LB_SETCARETINDEX: return true;
        default: return false;
    }
}

LRESULT OnNcPaint(PainterHost& host, HWND list, UINT msg) {
    PaintBorder(host, list);
    return PaintScrollBarsOnly(list, msg);
}

LRESULT CALLBACK DropListWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    ListEntry* entry = LookUpEntry(ref, &ControlLists::lists, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintDc paint(hwnd);
            PaintItems(host, hwnd, paint.get());
            return 0;
        }
        case WM_PRINTCLIENT: PaintItems(host, hwnd, reinterpret_cast<HDC>(wParam)); return 0;
        case WM_NCPAINT: return OnNcPaint(host, hwnd, msg);
        default: break;
    }
    if (!RedrawsItself(msg)) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam);
    if (LookUpEntry(LookUpControl(hwnd), &ControlLists::lists, hwnd) != nullptr) {
        RepaintNow(host, hwnd);
    }
    return result;
}

}  // namespace

bool RegisterDropList(PainterHost& host, int windowIndex, HWND list) {
    ControlLists* lists = host.Controls(windowIndex);
    if (lists == nullptr || IsTakenOver(list)) {
        return false;
    }
    int index = 0;
    ListEntry& entry = AppendEntry(lists->lists, index);
    if (!TakeOverControl(list, &DropListWindowProc, windowIndex, index, entry)) {
        lists->lists.pop_back();
        return false;
    }
    entry.dropList = true;
    return true;
}

}  // namespace zandrel
