// Column headers, stand-alone or of a list view, are painted whole: a gradient face per column in the accent
// colour (lighter under the mouse, darker while pressed), a separator, the column's icon and its text.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <string>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "draw/draw_brushes.h"
#include "draw/draw_image.h"
#include "draw/draw_pen.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_types.h"
#include "skin/painters/painter_geometry.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

constexpr int kTextPadding = 6;
constexpr int kIconGap = 4;
constexpr int kAlignNear = 0;
constexpr int kAlignCentre = 1;
constexpr int kAlignFar = 2;

LRESULT CALLBACK HeaderWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

struct HeaderItem {
    RECT rect{};
    std::string text;  // GBK
    int format = 0;
    int image = -1;
};

bool ReadItem(HWND header, int item, HeaderItem& out) {
    if (!SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&out.rect))) {
        return false;
    }
    wchar_t text[260] = {};
    HDITEMW data{};
    data.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    data.pszText = text;
    data.cchTextMax = static_cast<int>(std::size(text));
    if (SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&data))) {
        out.text = WideToGbk(std::wstring_view(text, wcsnlen(text, std::size(text))));
        out.format = data.fmt;
        out.image = (data.fmt & HDF_IMAGE) ? data.iImage : -1;
    }
    return true;
}

int HeaderItemAt(HWND header, LPARAM mouse) {
    const POINT p{MouseX(mouse), MouseY(mouse)};
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        RECT r{};
        if (SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r)) &&
            PtInRect(&r, p)) {
            return item + 1;
        }
    }
    return 0;
}

// The column's icon, from the image list the header has now (the header's owner owns the list).
float DrawItemIcon(DrawGraphics& g, HWND header, const HeaderItem& item, float x, float top, float height) {
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
    if (images == nullptr || item.image < 0) {
        return 0;
    }
    UniqueIcon icon(ImageList_GetIcon(images, item.image, ILD_TRANSPARENT));
    DrawBitmap bitmap;
    if (!icon || !bitmap.CreateBitmapFromHICON(icon.get())) {
        return 0;
    }
    const float w = static_cast<float>(bitmap.GetImageWidth());
    const float h = static_cast<float>(bitmap.GetImageHeight());
    g.DrawImageRect(bitmap, x, top + (height - h) / 2, w, h);
    return w;
}

void PaintHeader(PainterHost& host, HWND header, const HeaderEntry& entry, HDC target) {
    if (target == nullptr && !IsWindowVisible(header)) {
        return;
    }
    RECT client{};
    GetClientRect(header, &client);
    BackdropCanvas canvas(host, header, client);
    if (!canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    const COLORREF accent = host.AccentColour();
    const uint32_t background = host.OverlayGiven() ? Argb(kWhite, host.OverlayAlpha()) : Argb(kWhite, 255);
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    const int margin = static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0));
    for (int item = 0; item < count; ++item) {
        HeaderItem data;
        if (!ReadItem(header, item, data)) {
            continue;
        }
        const float x = static_cast<float>(data.rect.left);
        const float y = static_cast<float>(data.rect.top);
        const float w = static_cast<float>(data.rect.right - data.rect.left);
        const float h = static_cast<float>(data.rect.bottom - data.rect.top);
        if (w <= 0 || h <= 0) {
            continue;
        }
        const bool hot = entry.hotItem == item + 1;
        const bool pressed = entry.buttons && entry.pressedItem == item + 1 && entry.mouseDown;
        const DrawPath face = RectPath(x, y, w, h);
        FillPathSolid(g, face, background);
        if (hot) {
            FillPathGradient(g, face, {x, y}, {x, y + h}, Argb(kWhite, 80), Argb(accent, 120));
        } else {
            FillPathGradient(g, face, {x, y}, {x, y + h}, Argb(accent, 60), Argb(accent, 10));
        }
        if (pressed) {
            FillPathGradient(g, face, {x, y}, {x, y + h}, Argb(accent, 60), Argb(kBlack, 30));
        }
        if (hot) {
            // A light rim inside the hot column.
            DrawLinearBrush rim;
            DrawPen pen;
            if (rim.CreateLineBrush({x, y}, {x, y + h}, Argb(kBlack, 30), Argb(kWhite, 120), 3) &&
                pen.CreatePen2(rim, 1.0f)) {
                g.DrawRectangle(pen, x + 1, y + 1, w - 3, h - 3);
            }
        }
        DrawLinearBrush separatorBrush;
        DrawPen separator;
        if (separatorBrush.CreateLineBrush({x, y}, {x, y + h}, Argb(kBlack, 60), Argb(kWhite, 50), 3) &&
            separator.CreatePen2(separatorBrush, 1.0f)) {
            g.DrawLine(separator, x + w - 1, y + 2, x + w - 1, y + h - 2);
        }
        const float shift = pressed ? 1.0f : 0.0f;
        float left = x + kTextPadding + shift;
        const float icon =
            DrawItemIcon(g, header, data, left + static_cast<float>(margin) - kTextPadding, y + shift, h);
        if (icon > 0) {
            left += icon + kIconGap;
        }
        int alignment = kAlignNear;
        if ((data.format & HDF_JUSTIFYMASK) == HDF_CENTER) {
            alignment = kAlignCentre;
        } else if ((data.format & HDF_JUSTIFYMASK) == HDF_RIGHT) {
            alignment = kAlignFar;
        }
        const float right = x + w - kTextPadding;
        if (right > left) {
            DrawSkinText(g, data.text, entry.fontName, static_cast<float>(entry.fontSize), entry.fontStyle,
                         Argb(kBlack, 255), gp::RectF{left, y + shift, right - left, h}, alignment, kAlignCentre, true);
        }
    }
    if (target != nullptr) {
        canvas.CopyTo(target, 0, 0);
        return;
    }
    WindowDc dc(header);
    canvas.CopyTo(dc.get(), 0, 0);
}

void RepaintNow(HWND header) {
    const ControlRef ref = LookUpControl(header);
    if (const HeaderEntry* entry = LookUpEntry(ref, &ControlLists::headers, header)) {
        PaintHeader(*ref.host, header, *entry, nullptr);
    }
}

void OnMouseMove(PainterHost& host, HWND header, const ControlRef& ref, HeaderEntry& entry, LPARAM lParam) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, header, 0};
    TrackMouseEvent(&track);
    HoverState& hover = ref.lists->hover;
    hover.controlUnderMouse = ref.index;
    if (hover.hotControlIndex != hover.controlUnderMouse || hover.hotControlKind != kHotHeader) {
        entry.hovered = true;
        hover.hotControlKind = kHotHeader;
    }
    entry.hotItem = HeaderItemAt(header, lParam);
    if (entry.hotItem >= 1 && entry.hotItem != entry.paintedHotItem && !entry.mouseDown) {
        entry.paintedHotItem = entry.hotItem;
        PaintHeader(host, header, entry, nullptr);
    } else if (entry.hotItem == 0 && entry.paintedHotItem != 0) {
        entry.paintedHotItem = 0;
        entry.hovered = false;
        PaintHeader(host, header, entry, nullptr);
    }
    hover.hotControlIndex = hover.controlUnderMouse;
}

bool RedrawsItself(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
        case HDM_SETITEMW:
        case HDM_SETITEMA:
        case HDM_INSERTITEMW:
        case HDM_INSERTITEMA:
        case HDM_DELETEITEM: return true;
        default: return false;
    }
}

LRESULT CALLBACK HeaderWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd);
    HeaderEntry* entry = LookUpEntry(ref, &ControlLists::headers, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam);
    }
    PainterHost& host = *ref.host;
    switch (msg) {
        case WM_MOVE: PaintHeader(host, hwnd, *entry, nullptr); break;
        case WM_PAINT: {
            {
                PaintDc paint(hwnd);
            }
            PaintHeader(host, hwnd, *entry, nullptr);
            return 0;
        }
        case WM_PRINTCLIENT: PaintHeader(host, hwnd, *entry, reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
        case WM_MOUSEMOVE: OnMouseMove(host, hwnd, ref, *entry, lParam); break;
        case WM_LBUTTONDOWN:
            entry->mouseDown = true;
            entry->pressedItem = entry->hotItem;
            break;
        case WM_LBUTTONUP:
            entry->mouseDown = false;
            entry->pressedItem = 0;
            break;
        case WM_MOUSELEAVE:
            ref.lists->hover.hotControlIndex = 0;
            entry->paintedHotItem = 0;
            entry->hotItem = 0;
            entry->hovered = false;
            PaintHeader(host, hwnd, *entry, nullptr);
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

bool RegisterHeader(PainterHost& host, int windowIndex, HWND header, const FontInfo* font) {
    ControlLists* lists = host.Controls(windowIndex);
    if (lists == nullptr || IsTakenOver(header)) {
        return false;
    }
    HeaderEntry* taken =
        TakeOverNewEntry(lists->headers, header, &HeaderWindowProc, windowIndex, [header, font](HeaderEntry& fresh) {
            fresh.buttons = (GetWindowLongPtrW(header, GWL_STYLE) & HDS_BUTTONS) != 0;
            if (font != nullptr) {
                fresh.fontName = font->name;
                fresh.fontStyle = font->style;
                fresh.fontSize = font->size;
            }
        });
    if (taken == nullptr) {
        return false;
    }
    taken->imageList = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
    InvalidateControl(header, false);
    return true;
}

}  // namespace

void InstallHeaders(PainterHost& host, int windowIndex, HWND parent) {
    if (host.ControlSkinMode() == 0) {
        return;
    }
    for (HWND header = FindWindowExW(parent, nullptr, WC_HEADERW, nullptr); header != nullptr;
         header = FindWindowExW(parent, header, WC_HEADERW, nullptr)) {
        RegisterHeader(host, windowIndex, header, nullptr);
    }
    for (HWND view = FindWindowExW(parent, nullptr, WC_LISTVIEWW, nullptr); view != nullptr;
         view = FindWindowExW(parent, view, WC_LISTVIEWW, nullptr)) {
        if (HWND header = FindWindowExW(view, nullptr, WC_HEADERW, nullptr)) {
            const FontInfo font = ReadControlFont(header);
            RegisterHeader(host, windowIndex, header, &font);
        }
    }
}

}  // namespace zandrel
