#include "app/shape_frame_win.h"

#include "base/win_handles.h"

namespace zandrel {
namespace {

constexpr wchar_t kClassName[] = L"ZandrelShapeFrame";

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
        case WM_PAINT: {
            PaintDc paint(hwnd);
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(paint.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
            DrawEdge(paint.get(), &r, EDGE_ETCHED, BF_RECT);
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
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace zandrel
