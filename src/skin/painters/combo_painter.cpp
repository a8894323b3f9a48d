// Combo boxes are painted whole: frame, veiled background, the drop button with its arrow and, for drop-down
// lists, the selected text. The areas of the combo's own children (its edit box, the list of a simple combo box)
// are painted in a key colour the final copy leaves out, so they keep their own drawing.
#include <windows.h>

#include <cwchar>
#include <string>

#include "base/encoding.h"
#include "base/window_text.h"
#include "draw/skin_images.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_types.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

constexpr int kClipReplace = 0;
constexpr COLORREF kDisabledText = 0x808080;

LRESULT CALLBACK ComboWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

LONG_PTR StyleOf(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_STYLE);
}

COLORREF TextColour(HWND hwnd) {
    return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kPropTextColour)));
}

bool IsHot(const ControlRef& ref) {
    const HoverState& hover = ref.lists->hover;
    return hover.hotControlKind == kHotCombo && hover.hotControlIndex == ref.index;
}

// The window rectangle of hwnd less the top-left corner of its parent's window rectangle.
RECT RectInParent(HWND hwnd) {
    RECT r{};
    RECT parent{};
    GetWindowRect(hwnd, &r);
    GetWindowRect(GetParent(hwnd), &parent);
    OffsetRect(&r, -parent.left, -parent.top);
    return r;
}

void KeyOutChild(DrawGraphics& g, HWND child, bool shrinkList) {
    RECT r = RectInParent(child);
    if (shrinkList && GetClassNameText(child) == "ComboLBox") {
        InflateRect(&r, -2, -2);
    }
    g.ResetClip();
    g.SetClipRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right - r.left),
                  static_cast<float>(r.bottom - r.top), kClipReplace);
    g.Clear(Argb(kMagentaKey, 255));
}

// The text of the selected item (what a drop-down list shows), else the window text.
std::string SelectedText(HWND hwnd) {
    const LRESULT selected = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return WindowTextGbk(hwnd);
    }
    const LRESULT length = SendMessageW(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length == CB_ERR || length < 0) {
        return WindowTextGbk(hwnd);
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return WideToGbk(text);
}

// focused < 0: from the entry.
void PaintCombo(PainterHost& host, HWND hwnd, bool hot, int focused) {
    const ControlRef ref = LookUpControl(hwnd);
    const ComboEntry* entry = LookUpEntry(ref, &ControlLists::combos, hwnd);
    if (entry == nullptr || !IsWindowVisible(hwnd)) {
        return;
    }
    if (focused < 0) {
        focused = entry->focused ? 1 : 0;
    }
    const LONG_PTR style = StyleOf(hwnd);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    hot = hot && enabled;
    RECT window{};
    GetWindowRect(hwnd, &window);
    OffsetRect(&window, -window.left, -window.top);
    const float W = static_cast<float>(window.right);
    const float H = static_cast<float>(window.bottom);
    const bool dropDownList = (style & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
    const float by = 2;
    const float bh = H - 4;
    const float bw = dropDownList ? 17.0f : 18.0f;
    const float bx = W - bw - 2;
    const COLORREF accent = host.AccentColour();

    BackdropCanvas canvas(host, hwnd, window);
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    if (host.OverlayGiven()) {
        FillRectSolid(g, 0, 0, W, H, Argb(kWhite, host.OverlayAlpha()));
    } else {
        FillRectSolid(g, 0, 0, W, H, Argb(kWhite, 255));
    }
    if (style & 0x1) {  // simple combo box or drop-down list: every child keeps its own drawing
        for (HWND child = FindWindowExW(hwnd, nullptr, nullptr, nullptr); child != nullptr;
             child = FindWindowExW(hwnd, child, nullptr, nullptr)) {
            KeyOutChild(g, child, true);
        }
    } else if (HWND first = FindWindowExW(hwnd, nullptr, nullptr, nullptr)) {
        KeyOutChild(g, first, false);
    }
    g.ResetClip();

    StrokeRectSolid(g, 0, 0, W - 1, H - 1, (hot || focused > 0) ? Argb(accent, 200) : Argb(kBlack, 80));
    if (style & 0x2) {  // a drop button
        const DrawPath outline = RoundRectPath(bx, by, bw - 1, bh - 1, 4);
        StrokePathSolid(g, outline, hot ? Argb(accent, 200) : Argb(kBlack, 80));
        const DrawPath face = RoundRectPath(bx + 1, by + 1, bw - 2, bh - 2, 1);
        if (hot) {
            FillPathGradient(g, face, {bx + 1, 2}, {bx + 1, bh}, Argb(kWhite, 100), Argb(accent, 150));
        } else if (enabled) {
            FillPathGradient(g, face, {bx + 1, 2}, {bx + 1, bh}, Argb(accent, 30), Argb(accent, 100));
        } else {
            FillPathGradient(g, face, {bx + 1, 2}, {bx + 1, bh}, Argb(kDisabledText, 30), Argb(kDisabledText, 90));
        }
        DrawPicture(g, SkinImageBytes(SkinImageId::ArrowDown), bx + (bw - 7) / 2, 2 + (bh - 4) / 2);
        if (dropDownList) {
            const COLORREF colour = enabled ? TextColour(hwnd) : kDisabledText;
            DrawSkinText(g, SelectedText(hwnd), kSkinFontName, 12, 0, Argb(colour, 255),
                         gp::RectF{2, (H - 12) / 2, W - 17, H - 4}, 0, 0, true);
        }
    }
    HDC dc = GetWindowDC(hwnd);
    if (dc != nullptr) {
        canvas.CopyKeyedTo(dc, 0, 0, kMagentaKey);
        ReleaseDC(hwnd, dc);
    }
}

void RepaintNow(PainterHost& host, HWND hwnd) {
    const ControlRef ref = LookUpControl(hwnd);
    if (LookUpEntry(ref, &ControlLists::combos, hwnd) != nullptr) {
        PaintCombo(host, hwnd, IsHot(ref), -1);
    }
}

bool IsEditNotification(HWND control, int code) {
    return GetClassNameText(control) == "Edit" &&
           (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE);
}

// Messages after which the combo box's own procedure may have drawn its platform look (the text field, the
// pressed drop button) straight onto the screen: the skinned picture is drawn again once they are handled.
bool RedrawsItself(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_ENABLE:
        case WM_CAPTURECHANGED:
        case WM_KILLFOCUS:
        case WM_MOUSEWHEEL:
        case CB_SETCURSEL:
        case CB_SELECTSTRING:
        case CB_SHOWDROPDOWN:
        case CB_RESETCONTENT: return true;
        default: return false;
    }
}

LRESULT OnMouseMove(PainterHost& host, HWND hwnd, const ControlRef& ref, UINT msg, WPARAM wParam, LPARAM lParam) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&track);
    HoverState& hover = ref.lists->hover;
    hover.controlUnderMouse = ref.index;
    if ((ref.index >= 1 && hover.controlUnderMouse != hover.hotControlIndex) || hover.hotControlKind != kHotCombo) {
        hover.hotControlIndex = hover.controlUnderMouse;
        hover.hotControlKind = kHotCombo;
        PaintCombo(host, hwnd, true, -1);
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ComboWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    ComboEntry* entry = LookUpEntry(ref, &ControlLists::combos, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    switch (msg) {
        case WM_MOVE: PaintCombo(host, hwnd, false, -1); break;
        case WM_SETFOCUS:
            entry->focused = true;
            PaintCombo(host, hwnd, false, 1);
            break;
        case WM_KILLFOCUS: entry->focused = false; break;
        case WM_SETTEXT:
            if (FindWindowExW(hwnd, nullptr, L"Edit", nullptr) != nullptr) {
                InvalidateControl(hwnd);
            }
            break;
        case WM_PAINT: {
            {
                PaintDc paint(hwnd);
            }
            PaintCombo(host, hwnd, IsHot(ref), -1);
            return 0;
        }
        case WM_ERASEBKGND: SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
        case WM_NCPAINT: PaintCombo(host, hwnd, IsHot(ref), -1); return 0;
        case WM_COMMAND:
            if (host.OverlayGiven() && host.ControlSkinMode() != 0 &&
                IsEditNotification(reinterpret_cast<HWND>(lParam), HIWORD(wParam))) {
                InvalidateControl(reinterpret_cast<HWND>(lParam));
            }
            break;
        case WM_CTLCOLOREDIT:
            if (host.OverlayGiven()) {
                return host.ControlColourBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), true);
            }
            break;
        case WM_MOUSEMOVE: return OnMouseMove(host, hwnd, ref, msg, wParam, lParam);
        case WM_MOUSELEAVE:
            PaintCombo(host, hwnd, false, -1);
            ref.lists->hover.hotControlIndex = 0;
            break;
        default: break;
    }
    if (!RedrawsItself(msg)) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam);
    RepaintNow(host, hwnd);
    return result;
}

}  // namespace

void InstallComboBoxes(PainterHost& host, int windowIndex, HWND parent) {
    ControlLists* lists = host.Controls(windowIndex);
    if (host.ControlSkinMode() == 0 || lists == nullptr) {
        return;
    }
    for (HWND combo = FindWindowExW(parent, nullptr, L"ComboBox", nullptr); combo != nullptr;
         combo = FindWindowExW(parent, combo, L"ComboBox", nullptr)) {
        if (IsTakenOver(combo)) {
            continue;
        }
        int index = 0;
        ComboEntry& entry = AppendEntry(lists->combos, index);
        if (!TakeOverControl(combo, &ComboWindowProc, windowIndex, index, entry)) {
            lists->combos.pop_back();
            continue;
        }
        entry.focused = GetFocus() == combo;
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr); edit != nullptr && host.OverlayGiven()) {
            RegisterEditBox(host, windowIndex, edit);
        }
        // The list of a drop-down combo box is a pop-up of its own, not a child: it is painted by the list
        // painter, readable over whatever lies beneath it.
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if ((StyleOf(combo) & 0x2) && GetComboBoxInfo(combo, &info) && info.hwndList != nullptr &&
            GetAncestor(info.hwndList, GA_PARENT) != combo) {
            RegisterDropList(host, windowIndex, info.hwndList);
        }
        InvalidateControl(combo);
    }
}

}  // namespace zandrel
