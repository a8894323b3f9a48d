#include "app/shape_frame_win.h"

#include "app/skin_setup_win.h"
#include "base/win_handles.h"
#include "draw/draw_graphics.h"
#include "draw/draw_path.h"
#include "draw/draw_pen.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {
namespace {

constexpr wchar_t kClassName[] = L"ZandrelShapeFrame";

// Unskinned, the frame is a plain etched panel; a skin draws it as one of its frames. On a skinned window that
// has not taken the frame over, it shows the backdrop behind it with a faint light outline.
void PaintFrame(HWND hwnd, HDC dc) {
    RECT r;
    GetClientRect(hwnd, &r);
    if (PaintSkinBackdrop(hwnd, dc)) {
        DrawGraphics g;
        DrawPath outline;
        DrawPen pen;
        if (g.CreateFromHDC(dc) && outline.CreatePath() && pen.CreatePen1(0x50FFFFFF, 1.0f)) {
            g.SetSmoothingMode(4);
            AddRoundRect(outline, 0.5f, 0.5f, static_cast<float>(r.right) - 1.5f, static_cast<float>(r.bottom) - 1.5f,
                         6.0f);
            g.DrawPath(pen, outline);
        }
        return;
    }
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}

LRESULT CALLBACK ShapeFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
        case WM_ERASEBKGND: return 1;
        // Where it has no control the frame is not there for the mouse: a press in the caption band drags the
        // window, as on the rest of the caption.
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_PAINT: {
            PaintDc paint(hwnd);
            PaintFrame(hwnd, paint.get());
            return 0;
        }
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

HWND CreateShapeFrame(HWND parent, int id, int x, int y, int width, int height) {
    static bool registered = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = ShapeFrameProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) {
        return nullptr;
    }
    return CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

}  // namespace zandrel
