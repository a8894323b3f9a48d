// Edit boxes keep their own text drawing; the skin paints their frame (the non-client border) and, with the white
// veil on, the background under their text.
#include <windows.h>

#include <algorithm>

#include <cmath>

#include "base/win_handles.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_types.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

constexpr int kClipReplace = 0;
constexpr int kClipXor = 3;

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

int FloorHalf(int value) {
    return static_cast<int>(std::floor(static_cast<double>(value) / 2.0));
}

LONG_PTR StyleOf(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_STYLE);
}

bool ParentIsCombo(HWND hwnd) {
    return GetClassNameText(GetParent(hwnd)) == "ComboBox";
}

RECT BarRect(HWND hwnd, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollBarInfo(hwnd, object, &info)) {
        return RECT{};
    }
    return info.rcScrollBar;
}

}  // namespace

RECT InnerRect(HWND hwnd) {
    RECT client{};
    RECT window{};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &window);
    const int W = window.right - window.left;
    const int H = window.bottom - window.top;
    const LONG_PTR style = StyleOf(hwnd);
    int iw = client.right;
    int ih = client.bottom;
    if (style & WS_VSCROLL) {
        const RECT bar = BarRect(hwnd, OBJID_VSCROLL);
        iw += bar.right - bar.left;
    }
    if (style & WS_HSCROLL) {
        const RECT bar = BarRect(hwnd, OBJID_HSCROLL);
        ih += bar.bottom - bar.top;
    }
    const int ox = FloorHalf(W - iw);
    const int oy = FloorHalf(H - ih);
    return RECT{ox, oy, ox + iw, oy + ih};
}

namespace {

// focused and hot < 0 are taken from the entry.
void PaintEditFrame(PainterHost& host, HWND hwnd, int focused, int hot);

void DrawEditBorder(PainterHost& host, HWND hwnd, bool focused, bool hot, DrawGraphics& g) {
    if (host.FindOwnerWindowIndex(hwnd) == 0) {
        return;
    }
    RECT window{};
    GetWindowRect(hwnd, &window);
    const float W = static_cast<float>(window.right - window.left);
    const float H = static_cast<float>(window.bottom - window.top);
    if (hot) {
        StrokeRectSolid(g, 1, 1, W - 2, H - 2, Argb(host.AccentColour(), 180), 2.0f);
    } else if (focused) {
        StrokeRectSolid(g, 0, 0, W - 1, H - 1, Argb(host.AccentColour(), 180));
    } else {
        StrokeRectSolid(g, 0, 0, W - 1, H - 1, Argb(kBlack, 80));
    }
}

void PaintEditFrame(PainterHost& host, HWND hwnd, int focused, int hot) {
    const ControlRef ref = LookUpControl(hwnd);
    if (const EditEntry* entry = LookUpEntry(ref, &ControlLists::edits, hwnd)) {
        if (focused < 0) {
            focused = entry->focused ? 1 : 0;
        }
        if (hot < 0) {
            hot = entry->hovered ? 1 : 0;
        }
    }
    RECT window{};
    GetWindowRect(hwnd, &window);
    const int W = window.right - window.left;
    const int H = window.bottom - window.top;
    const RECT inner = InnerRect(hwnd);
    const int iw = inner.right - inner.left;
    const int ih = inner.bottom - inner.top;
    BackdropCanvas canvas(host, hwnd, RECT{0, 0, W, H});
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    // Only the ring between the window edge and the client area (with its scroll bars) is drawn.
    g.SetClipRect(0, 0, static_cast<float>(W), static_cast<float>(H), kClipReplace);
    g.SetClipRect(static_cast<float>(inner.left), static_cast<float>(inner.top), static_cast<float>(iw),
                  static_cast<float>(ih), kClipXor);
    if (host.OverlayGiven()) {
        FillRectSolid(g, 0, 0, static_cast<float>(W), static_cast<float>(H), Argb(kWhite, host.OverlayAlpha()));
    } else {
        g.Clear(Argb(kWhite, 255));
    }
    DrawEditBorder(host, hwnd, focused > 0, hot > 0, g);
    HDC dc = GetWindowDC(hwnd);
    if (dc == nullptr) {
        return;
    }
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    canvas.CopyTo(dc, 0, 0);
    ReleaseDC(hwnd, dc);
}

LRESULT OnNcPaint(PainterHost& host, HWND hwnd, UINT msg) {
    PaintEditFrame(host, hwnd, -1, -1);
    return PaintScrollBarsOnly(hwnd, msg);
}

LRESULT OnEraseBackground(PainterHost& host, HWND hwnd, HDC dc, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!host.OverlayGiven()) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    SetBkMode(dc, TRANSPARENT);
    PaintVeiledBackground(host, hwnd, dc, true);
    return 1;
}

LRESULT OnMouseMove(PainterHost& host,
                    HWND hwnd,
                    const ControlRef& ref,
                    EditEntry& entry,
                    UINT msg,
                    WPARAM wParam,
                    LPARAM lParam) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&track);
    HoverState& hover = ref.lists->hover;
    hover.controlUnderMouse = ref.index;
    HWND parent = GetParent(hwnd);
    if (hover.hotControlIndex != hover.controlUnderMouse || hover.hotControlKind != kHotEdit ||
        hover.hotControlParent != parent) {
        hover.hotControlIndex = hover.controlUnderMouse;
        hover.hotControlKind = kHotEdit;
        hover.hotControlParent = parent;
        // The hover frame stays while the mouse is over the box, whatever repaints it meanwhile.
        entry.hovered = true;
        PaintEditFrame(host, hwnd, -1, 1);
    }
    if (entry.mouseDown && !HasScrollBars(hwnd)) {
        InvalidateControl(hwnd);
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    EditEntry* entry = LookUpEntry(ref, &ControlLists::edits, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    const bool veiled = host.OverlayGiven();
    switch (msg) {
        case WM_MOVE:
            if (veiled) {
                InvalidateControl(hwnd);
            }
            break;
        case WM_SETFOCUS: {
            entry->focused = true;
            const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam);
            // The focus frame shows at once, not only at the next repaint.
            if (LookUpEntry(LookUpControl(hwnd), &ControlLists::edits, hwnd) != nullptr) {
                PaintEditFrame(host, hwnd, -1, -1);
            }
            return result;
        }
        case WM_KILLFOCUS:
            entry->focused = false;
            if (ParentIsCombo(hwnd)) {
                PaintEditFrame(host, hwnd, -1, 0);
            } else {
                InvalidateControl(hwnd);
            }
            break;
        case WM_PAINT: PaintEditFrame(host, hwnd, -1, -1); break;
        case WM_ERASEBKGND: return OnEraseBackground(host, hwnd, reinterpret_cast<HDC>(wParam), msg, wParam, lParam);
        case WM_NCPAINT: return OnNcPaint(host, hwnd, msg);
        case WM_KEYDOWN:
            if (veiled && !HasScrollBars(hwnd)) {
                InvalidateControl(hwnd);
            }
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (veiled) {
                InvalidateControl(hwnd);
            }
            break;
        case WM_MOUSEMOVE: return OnMouseMove(host, hwnd, ref, *entry, msg, wParam, lParam);
        case WM_LBUTTONDOWN:
            entry->mouseDown = true;
            if (veiled && !HasScrollBars(hwnd)) {
                InvalidateControl(hwnd);
            }
            break;
        case WM_LBUTTONUP: entry->mouseDown = false; break;
        case WM_MOUSELEAVE:
            ref.lists->hover.hotControlIndex = 0;
            entry->hovered = false;
            PaintEditFrame(host, hwnd, entry->focused ? 1 : 0, 0);
            break;
        default: break;
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

}  // namespace

bool HasScrollBars(HWND hwnd) {
    return (StyleOf(hwnd) & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

void PaintVeiledBackground(PainterHost& host, HWND hwnd, HDC dc, bool toGivenDc) {
    const RECT r = ClientRectInWindow(hwnd);
    BackdropCanvas canvas(host, hwnd, r);
    if (!canvas.Ready()) {
        return;
    }
    FillRectSolid(canvas.Graphics(), 0, 0, static_cast<float>(canvas.Width()), static_cast<float>(canvas.Height()),
                  Argb(kWhite, host.OverlayAlpha()));
    if (toGivenDc) {
        canvas.CopyTo(dc, 0, 0);
        return;
    }
    HDC window = GetWindowDC(hwnd);
    if (window != nullptr) {
        canvas.CopyTo(window, r.left, r.top);
        ReleaseDC(hwnd, window);
    }
}

HRGN ScrollBarRegion(HWND hwnd) {
    const LONG_PTR style = StyleOf(hwnd);
    UniqueRegion horizontal;
    UniqueRegion vertical;
    if (style & WS_HSCROLL) {
        const RECT bar = BarRect(hwnd, OBJID_HSCROLL);
        horizontal.reset(CreateRectRgn(bar.left, bar.top, bar.right, bar.bottom));
    }
    if (style & WS_VSCROLL) {
        RECT bar = BarRect(hwnd, OBJID_VSCROLL);
        if (style & WS_HSCROLL) {
            // The corner box between the two bars: as wide as the vertical bar, as high as the horizontal one.
            const RECT across = BarRect(hwnd, OBJID_HSCROLL);
            bar.bottom = std::max(bar.bottom, across.bottom);
        }
        vertical.reset(CreateRectRgn(bar.left, bar.top, bar.right, bar.bottom));
    }
    if (horizontal && vertical) {
        HRGN both = CreateRectRgn(0, 0, 0, 0);
        if (both != nullptr) {
            CombineRgn(both, horizontal.get(), vertical.get(), RGN_OR);
        }
        return both;
    }
    return horizontal ? horizontal.release() : vertical.release();
}

LRESULT PaintScrollBarsOnly(HWND hwnd, UINT msg) {
    if (!HasScrollBars(hwnd)) {
        return 0;
    }
    UniqueRegion bars(ScrollBarRegion(hwnd));
    return DefWindowProcW(hwnd, msg, reinterpret_cast<WPARAM>(bars.get()), 0);
}

HDC CreateVeiledClientDc(PainterHost& host, HWND hwnd) {
    const RECT r = ClientRectInWindow(hwnd);
    HDC dc = host.CreateBackdropDc(hwnd, r);
    if (dc == nullptr) {
        return nullptr;
    }
    DrawGraphics g;
    if (g.CreateFromHDC(dc)) {
        FillRectSolid(g, 0, 0, static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top),
                      Argb(kWhite, host.OverlayAlpha()));
    }
    return dc;
}

void InvalidateVisibleChildren(HWND hwnd) {
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            InvalidateRect(child, nullptr, TRUE);
        }
    }
}

bool RegisterEditBox(PainterHost& host, int windowIndex, HWND edit) {
    ControlLists* lists = host.Controls(windowIndex);
    if (lists == nullptr || IsTakenOver(edit)) {
        return false;
    }
    EditEntry* entry = TakeOverNewEntry(lists->edits, edit, &EditWindowProc, windowIndex, [](EditEntry&) {});
    if (entry == nullptr) {
        return false;
    }
    SetPropA(edit, kPropTextColour, nullptr);  // black until the program says otherwise
    entry->focused = GetFocus() == edit;
    // The new frame replaces the platform's at once.
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

void InstallEditAndComboBoxes(PainterHost& host, int windowIndex, HWND parent) {
    if (host.ControlSkinMode() == 0) {
        return;
    }
    for (HWND edit = FindWindowExW(parent, nullptr, L"Edit", nullptr); edit != nullptr;
         edit = FindWindowExW(parent, edit, L"Edit", nullptr)) {
        RegisterEditBox(host, windowIndex, edit);
    }
    InstallComboBoxes(host, windowIndex, parent);
}

}  // namespace zandrel
