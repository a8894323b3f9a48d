// List boxes, the list of simple combo boxes, list views, tree views, IP address fields and date-time pickers: the
// skin draws their border ring and, with the white veil on, makes them draw their content over the backdrop.
#include <windows.h>

#include <commctrl.h>

#include <string>

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
constexpr UINT kArrowRepaintMessage = 0x8002;

LRESULT CALLBACK ListWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

bool HasBorder(HWND hwnd) {
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_BORDER) {
        return true;
    }
    const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    for (LONG_PTR mask : {0x100, 0x300, 0x200, 0x1, 0x188}) {
        if ((ex & mask) == mask) {
            return true;
        }
    }
    return false;
}

// hot and focused < 0 are taken from the entry.
void PaintListFrame(PainterHost& host, HWND hwnd, int hot, int focused) {
    const ControlRef ref = LookUpControl(hwnd);
    if (const ListEntry* entry = LookUpEntry(ref, &ControlLists::lists, hwnd)) {
        if (hot < 0) {
            hot = entry->hovered ? 1 : 0;
        }
        if (focused < 0) {
            focused = entry->focused ? 1 : 0;
        }
    }
    RECT window{};
    GetWindowRect(hwnd, &window);
    const int W = window.right - window.left;
    const int H = window.bottom - window.top;
    const RECT inner = InnerRect(hwnd);
    BackdropCanvas canvas(host, hwnd, RECT{0, 0, W, H});
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    const float w = static_cast<float>(W);
    const float h = static_cast<float>(H);
    if (GetClassNameText(hwnd) == "ComboLBox" || !HasBorder(hwnd)) {
        g.Clear(Argb(kMagentaKey, 255));  // no frame is shown
    } else {
        const float il = static_cast<float>(inner.left);
        const float it = static_cast<float>(inner.top);
        const float iw = static_cast<float>(inner.right - inner.left);
        const float ih = static_cast<float>(inner.bottom - inner.top);
        g.SetClipRect(0, 0, w, h, kClipReplace);
        g.SetClipRect(il, it, iw, ih, kClipXor);
        if (host.OverlayGiven()) {
            FillRectSolid(g, 0, 0, w, h, Argb(kWhite, host.OverlayAlpha()));
        } else {
            g.Clear(Argb(kWhite, 255));
        }
        g.ResetClip();
        g.SetClipRect(il, it, iw, ih, kClipReplace);
        g.Clear(Argb(kMagentaKey, 255));
        g.ResetClip();
        if (hot > 0) {
            StrokeRectSolid(g, 1, 1, w - 2, h - 2, Argb(host.AccentColour(), 200), 2.0f);
        } else if (focused > 0) {
            StrokeRectSolid(g, 0, 0, w - 1, h - 1, Argb(host.AccentColour(), 200));
        } else {
            StrokeRectSolid(g, 0, 0, w - 1, h - 1, Argb(kBlack, 90));
        }
    }
    HDC dc = GetWindowDC(hwnd);
    if (dc != nullptr) {
        ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        canvas.CopyKeyedTo(dc, 0, 0, kMagentaKey);
        ReleaseDC(hwnd, dc);
    }
}

// A tree view draws its items on magenta, which is keyed out over the veiled backdrop.
LRESULT PaintTreeView(PainterHost& host, HWND hwnd, WNDPROC previous, UINT msg, LPARAM lParam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int cw = client.right;
    const int ch = client.bottom;
    HDC own = host.CreateBackdropDc(hwnd, client);
    if (own != nullptr) {
        CallWindowProcW(previous, hwnd, msg, reinterpret_cast<WPARAM>(own), lParam);
        HDC veiled = CreateVeiledClientDc(host, hwnd);
        HDC dc = ClientDcWithoutChildren(hwnd);
        if (veiled != nullptr && dc != nullptr) {
            TransparentBlt(veiled, 0, 0, cw, ch, own, 0, 0, cw, ch, kMagentaKey);
            BitBlt(dc, 0, 0, cw, ch, veiled, 0, 0, SRCCOPY);
        }
        if (dc != nullptr) {
            ReleaseDC(hwnd, dc);
        }
        host.ReleaseMemoryDc(own);
        host.ReleaseMemoryDc(veiled);
    }
    // Validates the update region.
    return DefWindowProcW(hwnd, msg, 0, lParam);
}

// A list view or list box draws itself into the veiled backdrop, which is copied in one piece.
LRESULT PaintIntoVeil(PainterHost& host, HWND hwnd, WNDPROC previous, UINT msg, LPARAM lParam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    HDC veiled = CreateVeiledClientDc(host, hwnd);
    {
        PaintDc paint(hwnd);
        if (veiled != nullptr) {
            CallWindowProcW(previous, hwnd, msg, reinterpret_cast<WPARAM>(veiled), lParam);
            BitBlt(paint.get(), 0, 0, client.right, client.bottom, veiled, 0, 0, SRCCOPY);
        }
    }
    host.ReleaseMemoryDc(veiled);
    InvalidateVisibleChildren(hwnd);  // a list view's header repaints itself
    return 0;
}

LRESULT OnPaint(PainterHost& host, HWND hwnd, const ListEntry& entry, UINT msg, WPARAM wParam, LPARAM lParam) {
    PaintListFrame(host, hwnd, -1, -1);
    const std::string cls = GetClassNameText(hwnd);
    // A paint into a DC someone else hands over is theirs to place.
    if (host.OverlayGiven() && wParam == 0) {
        if (cls == "SysTreeView32") {
            return PaintTreeView(host, hwnd, entry.previousWndProc, msg, lParam);
        }
        if (cls == "SysListView32" || cls == "ListBox") {
            return PaintIntoVeil(host, hwnd, entry.previousWndProc, msg, lParam);
        }
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

LRESULT OnEraseBackground(PainterHost& host, HWND hwnd, HDC dc, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!host.OverlayGiven()) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    const std::string cls = GetClassNameText(hwnd);
    const bool ownerDraw = IsOwnerDrawListBox(hwnd);
    if (cls == "SysTreeView32" || cls == "SysListView32" || (cls == "ListBox" && !ownerDraw)) {
        SetBkMode(dc, TRANSPARENT);
        return 1;
    }
    if (!ownerDraw && cls != "ComboLBox") {
        SetBkMode(dc, TRANSPARENT);
        PaintVeiledBackground(host, hwnd, dc, true);
        return static_cast<LRESULT>(
            SetTextColor(dc, static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kPropTextColour)))));
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

LRESULT OnNcPaint(PainterHost& host, HWND hwnd, UINT msg) {
    PaintListFrame(host, hwnd, -1, -1);
    return PaintScrollBarsOnly(hwnd, msg);
}

LRESULT CALLBACK ListWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    ListEntry* entry = LookUpEntry(ref, &ControlLists::lists, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    HoverState& hover = ref.lists->hover;
    switch (msg) {
        case WM_MOVE:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
            if (host.OverlayGiven()) {
                InvalidateControl(hwnd);
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            entry->focused = msg == WM_SETFOCUS;
            PaintListFrame(host, hwnd, -1, -1);
            break;
        case WM_PAINT: return OnPaint(host, hwnd, *entry, msg, wParam, lParam);
        case WM_ERASEBKGND: return OnEraseBackground(host, hwnd, reinterpret_cast<HDC>(wParam), msg, wParam, lParam);
        case WM_NCPAINT: return OnNcPaint(host, hwnd, msg);
        case WM_KEYDOWN:
            if (wParam >= VK_LEFT && wParam <= VK_DOWN) {
                entry->arrowKeyDown = true;
            }
            break;
        case WM_KEYUP:
            ReleaseCapture();
            entry->arrowKeyDown = false;
            break;
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
            hover.controlUnderMouse = ref.index;
            if (hover.hotControlIndex != hover.controlUnderMouse || hover.hotControlKind != kHotList) {
                entry->hovered = true;
                hover.hotControlIndex = hover.controlUnderMouse;
                hover.hotControlKind = kHotList;
                PaintListFrame(host, hwnd, 1, -1);
            }
            break;
        }
        case WM_MOUSELEAVE:
            hover.hotControlIndex = 0;
            entry->hovered = false;
            PaintListFrame(host, hwnd, 0, -1);
            break;
        case kArrowRepaintMessage:
            if (host.OverlayGiven() && entry->arrowKeyDown) {
                InvalidateControl(hwnd, false);
            }
            break;
        default: break;
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

bool RegisterList(PainterHost& host, int windowIndex, HWND control) {
    ControlLists* lists = host.Controls(windowIndex);
    if (lists == nullptr || IsTakenOver(control)) {
        return false;
    }
    ListEntry* entry = TakeOverNewEntry(lists->lists, control, &ListWindowProc, windowIndex, [](ListEntry&) {});
    if (entry == nullptr) {
        return false;
    }
    entry->focused = GetFocus() == control;
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

template <typename Visit>
void ForEachChild(HWND parent, const wchar_t* cls, Visit visit) {
    for (HWND child = FindWindowExW(parent, nullptr, cls, nullptr); child != nullptr;
         child = FindWindowExW(parent, child, cls, nullptr)) {
        visit(child);
    }
}

}  // namespace

void InstallListControls(PainterHost& host, int windowIndex, HWND parent) {
    if (host.ControlSkinMode() == 0) {
        return;
    }
    const bool veiled = host.OverlayGiven();
    ForEachChild(parent, L"ListBox", [&](HWND list) { RegisterList(host, windowIndex, list); });
    ForEachChild(parent, L"ComboBox", [&](HWND combo) {
        HWND list = FindWindowExW(combo, nullptr, L"ComboLBox", nullptr);
        if (list != nullptr && (GetWindowLongPtrW(list, GWL_STYLE) & 0x10) == 0) {
            RegisterList(host, windowIndex, list);
        }
    });
    ForEachChild(parent, WC_LISTVIEWW, [&](HWND view) {
        if ((GetWindowLongPtrW(view, GWL_STYLE) & 0x10) != 0 || IsTakenOver(view)) {
            return;
        }
        if (!RegisterList(host, windowIndex, view) || !veiled) {
            return;
        }
        const auto own = static_cast<COLORREF>(SendMessageW(view, LVM_GETTEXTBKCOLOR, 0, 0));
        SendMessageW(view, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
        if (ListEntry* entry = LookUpEntry(LookUpControl(view), &ControlLists::lists, view)) {
            entry->giveBack = [own](HWND hwnd) {
                SendMessageW(hwnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(own));
                InvalidateRect(hwnd, nullptr, TRUE);
            };
        }
    });
    ForEachChild(parent, WC_TREEVIEWW, [&](HWND tree) {
        if (IsTakenOver(tree)) {
            return;
        }
        if (!RegisterList(host, windowIndex, tree) || !veiled) {
            return;
        }
        const LRESULT ownBackground = SendMessageW(tree, TVM_GETBKCOLOR, 0, 0);  // -1: the system's colour
        SendMessageW(tree, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(kMagentaKey));
        // Smoothed text would blend into the key colour and keep a magenta fringe once the key is taken out:
        // the tree draws with the same font, unsmoothed.
        ListEntry* entry = LookUpEntry(LookUpControl(tree), &ControlLists::lists, tree);
        if (entry != nullptr) {
            entry->giveBack = [ownBackground](HWND hwnd) {
                SendMessageW(hwnd, TVM_SETBKCOLOR, 0, ownBackground);
                InvalidateRect(hwnd, nullptr, TRUE);
            };
        }
        const auto own = reinterpret_cast<HFONT>(SendMessageW(tree, WM_GETFONT, 0, 0));
        LOGFONTW font{};
        if (entry == nullptr ||
            GetObjectW(own != nullptr ? static_cast<HGDIOBJ>(own) : GetStockObject(DEFAULT_GUI_FONT), sizeof(font),
                       &font) == 0) {
            return;
        }
        font.lfQuality = NONANTIALIASED_QUALITY;
        if (HFONT plain = CreateFontIndirectW(&font)) {
            entry->skinFont.reset(plain, [](HFONT f) { DeleteObject(f); });
            entry->ownFont = own;
            SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(plain), TRUE);
        }
    });
    ForEachChild(parent, WC_IPADDRESSW, [&](HWND field) { RegisterList(host, windowIndex, field); });
    ForEachChild(parent, DATETIMEPICK_CLASSW, [&](HWND picker) { RegisterList(host, windowIndex, picker); });
}

}  // namespace zandrel
