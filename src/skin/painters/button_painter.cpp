// Push buttons (made owner-drawn, their faces painted by the button faces), check boxes and radio buttons (painted
// whole here), with the hover look kept in step with the mouse.
#include <windows.h>

#include <cwchar>
#include <string_view>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "base/window_text.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_graphics.h"
#include "draw/skin_images.h"
#include "skin/core/button_faces.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_types.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

constexpr COLORREF kGlowColour = 0xDDCA22;  // RGB(34, 202, 221)
constexpr COLORREF kRadioDot = 0x808000;    // RGB(0, 128, 128)
constexpr int kSmoothingAntiAlias = 4;
constexpr int kAlignNear = 0;
constexpr int kAlignCentre = 1;
constexpr float kPadWidth = 1.0f;

LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// "Has bits": every bit of the mask is set in the style.
bool HasBits(LONG_PTR style, LONG_PTR bits) {
    return (style | bits) == style;
}

LONG_PTR StyleOf(HWND hwnd) {
    return GetWindowLongPtrW(hwnd, GWL_STYLE);
}

bool IsOwnerDrawn(LONG_PTR style) {
    return HasBits(style, BS_OWNERDRAW);
}

// Types 0, 1 and 8: push, default push and user buttons.
bool IsPlainPushButton(LONG_PTR style) {
    return !HasBits(style, 0x2) && !HasBits(style, 0x9) && !HasBits(style, 0x4);
}

// Two-state check boxes (types 2, 3, 10, 11) and the three-state ones (types 5 and 6).
bool IsCheckBoxButton(LONG_PTR style) {
    const LONG_PTR type = style & BS_TYPEMASK;
    return (HasBits(style, 0x2) && !HasBits(style, 0x4)) || type == BS_3STATE || type == BS_AUTO3STATE;
}

COLORREF TextColour(HWND hwnd) {
    return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kPropTextColour)));
}

void TrackLeave(HWND hwnd) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&track);
}

// The state bits a repaint outside WM_DRAWITEM must show: what the caller asks for and what the button is.
UINT ActualState(HWND hwnd, UINT state) {
    if (!IsWindowEnabled(hwnd)) {
        state |= ODS_DISABLED;
    }
    if (SendMessageW(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) {
        state |= ODS_SELECTED;
    }
    return state;
}

bool IsHot(const ControlRef& ref) {
    const HoverState& hover = ref.lists->hover;
    return hover.hotControlKind == kHotButton && hover.hotControlIndex == ref.index;
}

// target nullptr: the control's own window DC.
void PaintRadioButton(PainterHost& host, HWND hwnd, const ButtonEntry& entry, UINT state, HDC target);
void PaintCheckBox(PainterHost& host, HWND hwnd, const ButtonEntry& entry, UINT state, HDC target);

// Check boxes and radio buttons drawn now, with the hover look when they are the hot control.
void RepaintSelfDrawn(PainterHost& host,
                      HWND hwnd,
                      const ControlRef& ref,
                      const ButtonEntry& entry,
                      UINT state,
                      HDC target = nullptr) {
    if (target == nullptr && !IsWindowVisible(hwnd)) {
        return;
    }
    if (IsHot(ref)) {
        state |= ODS_HOTLIGHT;
    }
    if (entry.kind == kRadioButton) {
        PaintRadioButton(host, hwnd, entry, state, target);
    } else {
        PaintCheckBox(host, hwnd, entry, state, target);
    }
}

void CopyToControl(BackdropCanvas& canvas, HWND hwnd, HDC target) {
    if (target != nullptr) {
        canvas.CopyTo(target, 0, 0);
        return;
    }
    WindowDc dc(hwnd);
    canvas.CopyTo(dc.get(), 0, 0);
}

void DrawButtonText(DrawGraphics& g, HWND hwnd, const ButtonEntry& entry, const gp::RectF& layout, bool enabled) {
    // A disabled control's text is greyed; the box or ring beside it is drawn faded too.
    const uint32_t argb = enabled ? Argb(TextColour(hwnd), 255) : Argb(TextColour(hwnd), 110);
    DrawSkinText(g, entry.text, entry.fontName, static_cast<float>(entry.fontSize), entry.fontStyle, argb, layout,
                 kAlignNear, kAlignCentre);
}

// A thin accent line under the text marks keyboard focus, which the box or ring alone does not show.
void DrawFocusCue(DrawGraphics& g, PainterHost& host, float left, float height, float width) {
    if (width > left + 2) {
        StrokeRectSolid(g, left, 1, width - left - 2, height - 3, Argb(host.AccentColour(), 150), kPadWidth);
    }
}

bool Focused(HWND hwnd) {
    return GetFocus() == hwnd;
}

void PaintRadioButton(PainterHost& host, HWND hwnd, const ButtonEntry& entry, UINT state, HDC target) {
    RECT client{};
    GetClientRect(hwnd, &client);
    BackdropCanvas canvas(host, hwnd, client);
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    const float l = static_cast<float>(client.left);
    const float t = static_cast<float>(client.top);
    const float W = static_cast<float>(client.right - client.left);
    const float H = static_cast<float>(client.bottom - client.top);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const int fade = enabled ? 255 : 110;
    g.SetSmoothingMode(kSmoothingAntiAlias);

    StrokePathSolid(g, EllipsePath(l + 2, t + (H - 12) / 2, 12, 12), Argb(kBlack, 200 * fade / 255));
    DrawPath disc = EllipsePath(l + 3, t + (H - 11) / 2 + 1, 9, 9);
    StrokePathSolid(g, disc, Argb(kWhite, fade));
    FillPathSolid(g, disc, Argb(kWhite, fade));
    const float y0 = t + (H - 12) / 2 + 1;
    FillPathGradient(g, disc, {l + 3, y0}, {l + 10, y0 + 10}, Argb(kBlack, 100), Argb(kBlack, 0));
    if (enabled && (state & ODS_HOTLIGHT)) {
        FillPathGradient(g, disc, {l + 3, y0}, {l + 11, y0 + 11}, Argb(host.AccentColour(), 100), Argb(kBlack, 0));
        StrokeGlow(g, disc, 2, kGlowColour, 30);
    }
    if (SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        const DrawPath dot = EllipsePath(l + 5, t + (H - 12) / 2 + 3, 6, 6);
        StrokePathSolid(g, dot, Argb(kBlack, 200 * fade / 255));
        DrawPathBrush shine;
        const uint32_t surround[] = {Argb(kRadioDot, fade)};
        if (shine.CreatePathGradientFromPath(dot) && shine.SetPathGradientCenterColor(Argb(kWhite, 100)) &&
            shine.SetPathGradientSurroundColorsWithCount(surround)) {
            g.FillPath(shine, dot);
        }
    }
    DrawButtonText(g, hwnd, entry, gp::RectF{l + 18, 2, W, H}, enabled);
    if (Focused(hwnd)) {
        DrawFocusCue(g, host, l + 16, H, W);
    }
    CopyToControl(canvas, hwnd, target);
}

void PaintCheckBox(PainterHost& host, HWND hwnd, const ButtonEntry& entry, UINT state, HDC target) {
    RECT client{};
    GetClientRect(hwnd, &client);
    BackdropCanvas canvas(host, hwnd, client);
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    const float l = static_cast<float>(client.left);
    const float t = static_cast<float>(client.top);
    const float W = static_cast<float>(client.right - client.left);
    const float H = static_cast<float>(client.bottom - client.top);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    const float boxY = t + (H - 13) / 2;

    DrawPicture(g, SkinImageBytes(SkinImageId::CheckBoxEmpty), l, boxY);
    const LRESULT check = SendMessageW(hwnd, BM_GETCHECK, 0, 0);
    if (check == BST_CHECKED) {
        DrawPicture(g, SkinImageBytes(SkinImageId::CheckBoxChecked), l, boxY);
    } else if (check == BST_INDETERMINATE) {
        // Neither checked nor not: a filled square inside the box.
        FillRectSolid(g, l + 3, boxY + 3, 7, 7, Argb(host.AccentColour(), 200));
        StrokeRectSolid(g, l + 3, boxY + 3, 6, 6, Argb(kBlack, 90));
    }
    if (enabled && (state & ODS_HOTLIGHT)) {
        DrawPath box = RectPath(l, boxY, 13, 13);
        const float y0 = t + (H - 12) / 2 + 1;
        FillPathGradient(g, box, {l + 3, y0}, {l + 11, y0 + 11}, Argb(host.AccentColour(), 100), Argb(kBlack, 0));
        StrokeGlow(g, box, 2, kGlowColour, 30);
    }
    if (!enabled) {
        FillRectSolid(g, l, boxY, 13, 13, Argb(0xC0C0C0, 110));
    }
    DrawButtonText(g, hwnd, entry, gp::RectF{l + 17, 2, W - 19, H}, enabled);
    if (Focused(hwnd)) {
        DrawFocusCue(g, host, l + 15, H, W);
    }
    CopyToControl(canvas, hwnd, target);
}

// Registers a button in the window's list and takes it over; nullptr when it cannot be.
// The skin makes the buttons it draws owner-drawn; let go, a button is the kind it was and draws itself.
std::function<void(HWND)> OwnKindBack(HWND button) {
    return [type = StyleOf(button) & BS_TYPEMASK](HWND hwnd) {
        SetWindowLongPtrW(hwnd, GWL_STYLE, (StyleOf(hwnd) & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | type);
        InvalidateRect(hwnd, nullptr, TRUE);
    };
}

ButtonEntry* Register(PainterHost& host, int windowIndex, HWND button, int kind) {
    ControlLists* lists = host.Controls(windowIndex);
    if (lists == nullptr || IsTakenOver(button)) {
        return nullptr;
    }
    int index = 0;
    ButtonEntry& entry = AppendEntry(lists->buttons, index);
    entry.kind = kind;
    entry.giveBack = OwnKindBack(button);
    entry.text = WindowTextGbk(button);
    if (!TakeOverControl(button, &ButtonWindowProc, windowIndex, index, entry)) {
        lists->buttons.pop_back();
        return nullptr;
    }
    return &entry;
}

template <typename Visit>
void ForEachChildButton(HWND parent, Visit visit) {
    for (HWND child = FindWindowExW(parent, nullptr, L"Button", nullptr); child != nullptr;
         child = FindWindowExW(parent, child, L"Button", nullptr)) {
        visit(child);
    }
}

LRESULT OnPaintSelfDrawn(PainterHost& host, HWND hwnd, const ControlRef& ref, const ButtonEntry& entry) {
    { PaintDc paint(hwnd); }
    // The picture is drawn in one piece through a window DC, so the update region is simply validated above.
    RepaintSelfDrawn(host, hwnd, ref, entry, 0);
    return 0;
}

LRESULT OnEraseBackground(HWND hwnd, HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<LRESULT>(SetTextColor(dc, TextColour(hwnd)));
}

// The button's own procedure may have invalidated itself for its platform hot look; the face painted here covers
// the whole button, so that pending repaint is dropped and a change of the hot button paints once.
void RepaintFaceOnce(HWND hwnd, UINT state, bool hot) {
    RepaintButton(hwnd, state, hot);
    ValidateRect(hwnd, nullptr);
}

LRESULT OnMouseMove(HWND hwnd, const ControlRef& ref, UINT msg, WPARAM wParam, LPARAM lParam) {
    TrackLeave(hwnd);
    HoverState& hover = ref.lists->hover;
    hover.controlUnderMouse = ref.index;
    const bool becomesHot = hover.hotControlIndex != hover.controlUnderMouse || hover.hotControlKind != kHotButton;
    if (becomesHot) {
        hover.hotControlIndex = hover.controlUnderMouse;
        hover.hotControlKind = kHotButton;
    }
    const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam);
    if (becomesHot) {
        RepaintFaceOnce(hwnd, 0, true);
    }
    return result;
}

LRESULT OnMouseLeave(HWND hwnd,
                     const ControlRef& ref,
                     const ButtonEntry& entry,
                     UINT msg,
                     WPARAM wParam,
                     LPARAM lParam) {
    ref.lists->hover.hotControlIndex = 0;
    const UINT state = entry.focused ? ODS_FOCUS : 0;
    const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam);
    RepaintFaceOnce(hwnd, state, false);
    return result;
}

// Messages after which the button's own procedure may have drawn its platform look straight onto the screen: a
// check box or radio button is painted over again once the message has been handled.
bool RedrawsItself(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
        case WM_CAPTURECHANGED:
        case BM_SETCHECK:
        case BM_SETSTATE:
        case BM_CLICK: return true;
        default: return false;
    }
}

LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    ButtonEntry* entry = LookUpEntry(ref, &ControlLists::buttons, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    const bool selfDrawn = entry->kind == kCheckBox || entry->kind == kRadioButton;
    switch (msg) {
        case WM_MOVE: InvalidateRect(hwnd, nullptr, TRUE); break;
        case WM_SETFOCUS: entry->focused = true; break;
        case WM_KILLFOCUS: entry->focused = false; break;
        case WM_SETTEXT:
            entry->text = lParam != 0 ? WideToGbk(reinterpret_cast<const wchar_t*>(lParam)) : std::string();
            break;
        case WM_PAINT:
            if (selfDrawn) {
                return OnPaintSelfDrawn(host, hwnd, ref, *entry);
            }
            break;
        case WM_PRINTCLIENT:
            if (selfDrawn) {
                RepaintSelfDrawn(host, hwnd, ref, *entry, 0, reinterpret_cast<HDC>(wParam));
                return 0;
            }
            break;
        case WM_ERASEBKGND: return OnEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        case WM_NCPAINT: return 1;
        case WM_LBUTTONDBLCLK: return 0;  // a double click neither toggles nor repaints
        case WM_MOUSEMOVE: return OnMouseMove(hwnd, ref, msg, wParam, lParam);
        case WM_LBUTTONUP: ref.lists->hover.hotControlIndex = 0; break;
        case WM_MOUSELEAVE: return OnMouseLeave(hwnd, ref, *entry, msg, wParam, lParam);
        default: break;
    }
    if (!selfDrawn || !RedrawsItself(msg)) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam);
    // The button may have gone, or been released, while it handled the message.
    const ControlRef after = LookUpControl(hwnd);
    if (const ButtonEntry* again = LookUpEntry(after, &ControlLists::buttons, hwnd)) {
        const bool pressed = msg == WM_LBUTTONDOWN || (msg == WM_KEYDOWN && wParam == VK_SPACE);
        RepaintSelfDrawn(*after.host, hwnd, after, *again, pressed ? ODS_SELECTED : 0);
    }
    return result;
}

}  // namespace

FontInfo ReadControlFont(HWND hwnd) {
    FontInfo info;
    WindowDc dc(hwnd);
    if (dc.get() == nullptr) {
        return info;
    }
    // Without a font of its own the control draws with the DC's.
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    if (font == nullptr) {
        font = static_cast<HFONT>(GetCurrentObject(dc.get(), OBJ_FONT));
    }
    // Read from the font as the control asked for it, not as the system realised it: a substituted face can
    // report another weight and size than the control's font has.
    LOGFONTW logFont{};
    if (font == nullptr || GetObjectW(font, sizeof(logFont), &logFont) == 0) {
        return info;
    }
    info.name = WideToGbk(std::wstring_view(logFont.lfFaceName, wcsnlen(logFont.lfFaceName, LF_FACESIZE)));
    if (logFont.lfHeight < 0) {
        info.size = -logFont.lfHeight;  // the em height in pixels
    } else if (logFont.lfHeight > 0) {
        SelectedObject selected(dc.get(), font);
        TEXTMETRICW metrics{};
        info.size =
            GetTextMetricsW(dc.get(), &metrics) ? metrics.tmHeight - metrics.tmInternalLeading : logFont.lfHeight;
    }
    constexpr int kBold = 1;
    constexpr int kItalic = 2;
    constexpr int kUnderline = 4;
    constexpr int kStrikeout = 8;
    info.style = (logFont.lfWeight >= FW_BOLD ? kBold : 0) | (logFont.lfItalic ? kItalic : 0) |
                 (logFont.lfUnderline ? kUnderline : 0) | (logFont.lfStrikeOut ? kStrikeout : 0);
    return info;
}

void RepaintButton(HWND hwnd, UINT state, bool hot) {
    const ControlRef ref = LookUpControl(hwnd);
    const ButtonEntry* entry = LookUpEntry(ref, &ControlLists::buttons, hwnd);
    if (entry == nullptr || !IsWindowVisible(hwnd)) {
        return;
    }
    state = ActualState(hwnd, state);
    if (hot) {
        state |= ODS_HOTLIGHT;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    switch (entry->kind) {
        case kPushButton: {
            WindowDc dc(hwnd);
            PaintPushButtonFace(*ref.host, hwnd, dc.get(), state, client);
            break;
        }
        case kImageButton: {
            WindowDc dc(hwnd);
            PaintImageButtonFace(*ref.host, hwnd, dc.get(), state, client);
            break;
        }
        case kStateImageButton: {
            WindowDc dc(hwnd);
            PaintStateImageButtonFace(*ref.host, hwnd, dc.get(), state, client);
            break;
        }
        case kRadioButton: PaintRadioButton(*ref.host, hwnd, *entry, state, nullptr); break;
        case kCheckBox: PaintCheckBox(*ref.host, hwnd, *entry, state, nullptr); break;
        default: break;
    }
}

ButtonEntry* TakeOverImageButton(PainterHost& host, int windowIndex, HWND button, const std::string& tipText) {
    ControlLists* lists = host.Controls(windowIndex);
    if (lists == nullptr || button == nullptr || !IsWindow(button)) {
        return nullptr;
    }
    const auto setTip = [&](ButtonEntry& entry) {
        if (tipText.empty()) {
            return;
        }
        if (entry.toolTip.GetWindow() != nullptr) {
            entry.toolTip.UpdateTipText(1, tipText);
            return;
        }
        RECT client{};
        GetClientRect(button, &client);
        if (entry.toolTip.Create(button) != nullptr) {
            entry.toolTip.AddTool(client, tipText, 1);
        }
    };
    ButtonEntry* entry = EntryAt(lists->buttons, FindEntry(lists->buttons, button));
    if (entry == nullptr) {
        if (IsTakenOver(button)) {
            return nullptr;  // another kind of control of the skin (a frame, say)
        }
        int index = 0;
        ButtonEntry& fresh = AppendEntry(lists->buttons, index);
        fresh.giveBack = OwnKindBack(button);
        fresh.text = WindowTextGbk(button);
        const FontInfo font = ReadControlFont(button);
        fresh.fontName = font.name.empty() ? std::string(kSkinFontName) : font.name;
        fresh.fontSize = font.size == 0 ? 12 : font.size;
        fresh.fontStyle = font.style;
        // The tooltip watches the button's messages from below the skin's procedure, so taking the button back
        // later finds the skin's procedure on top.
        setTip(fresh);
        if (!TakeOverControl(button, &ButtonWindowProc, windowIndex, index, fresh)) {
            lists->buttons.pop_back();
            return nullptr;
        }
        entry = &fresh;
    } else if (!tipText.empty() && entry->toolTip.GetWindow() == nullptr &&
               reinterpret_cast<WNDPROC>(GetWindowLongPtrW(button, GWLP_WNDPROC)) == &ButtonWindowProc) {
        // The tooltip hooks itself into the button's procedures. It goes in below the skin's procedure, which
        // stays on top, so that the engine can still give the button back when it goes.
        SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->previousWndProc));
        setTip(*entry);
        entry->previousWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(button, GWLP_WNDPROC));
        SetPropA(button, kPropPreviousProc, reinterpret_cast<HANDLE>(entry->previousWndProc));
        SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonWindowProc));
    } else {
        setTip(*entry);
    }
    // Owner-drawn, whatever kind of button it was: the type bits are replaced, not combined.
    const LONG_PTR style = StyleOf(button);
    SetWindowLongPtrW(button, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    return entry;
}

void InstallPushButtons(PainterHost& host, int windowIndex, HWND parent) {
    if (host.ControlSkinMode() == 0) {
        return;
    }
    ForEachChildButton(parent, [&](HWND button) {
        const LONG_PTR style = StyleOf(button);
        if (IsOwnerDrawn(style) || !IsPlainPushButton(style)) {
            return;
        }
        ButtonEntry* entry = Register(host, windowIndex, button, kPushButton);
        if (entry == nullptr) {
            return;
        }
        // Owner-drawn from now on: the face comes through WM_DRAWITEM.
        SetWindowLongPtrW(button, GWL_STYLE, style | BS_OWNERDRAW);
        const FontInfo font = ReadControlFont(button);
        entry->fontName = font.name.empty() ? std::string(kSkinFontName) : font.name;
        entry->fontSize = font.size == 0 ? 12 : font.size;
        entry->fontStyle = font.style;
        InvalidateRect(button, nullptr, TRUE);
    });
}

void InstallCheckButtons(PainterHost& host, int windowIndex, HWND parent) {
    if (host.ControlSkinMode() == 0) {
        return;
    }
    ForEachChildButton(parent, [&](HWND button) {
        const LONG_PTR style = StyleOf(button);
        const bool radio = IsAutoRadioButton(button);
        if ((!radio && !IsCheckBoxButton(style)) || IsOwnerDrawn(style)) {
            return;
        }
        const bool checked = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
        ButtonEntry* entry = Register(host, windowIndex, button, radio ? kRadioButton : kCheckBox);
        if (entry == nullptr) {
            return;
        }
        entry->checkedAtInstall = checked;
        entry->parentHwnd = parent;
        const FontInfo font = ReadControlFont(button);
        entry->fontName = font.name;
        entry->fontSize = font.size;
        entry->fontStyle = font.style;
        InvalidateRect(button, nullptr, TRUE);
    });
}

}  // namespace zandrel
