#include "app/picture_box_win.h"

#include <span>

#include "app/skin_setup_win.h"
#include "base/window_object.h"
#include "draw/draw_image.h"

namespace zandrel {

PictureBox* PictureBox::Create(HWND parent, int id, int x, int y, int width, int height) {
    static bool registered = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = &PictureBox::WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) {
        return nullptr;
    }
    HWND hwnd =
        CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        return nullptr;
    }
    auto* box = new PictureBox(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
    return box;
}

PictureBox* PictureBox::FromHwnd(HWND hwnd) {
    return ObjectOfWindow<PictureBox>(hwnd, kClassName);
}

void PictureBox::SetPicture(std::string bytes) {
    bitmap_.reset();
    width_ = height_ = 0;
    DrawBitmap picture;
    HBITMAP hbitmap = nullptr;
    auto data = std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    if (!bytes.empty() && picture.CreateBitmapFromBytes(data) &&
        picture.CreateHBITMAPFromBitmap(&hbitmap, 0xFFFFFFFF)) {
        bitmap_.reset(hbitmap);
        width_ = static_cast<int>(picture.GetImageWidth());
        height_ = static_cast<int>(picture.GetImageHeight());
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void PictureBox::Paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd_, &r);
    if (!bitmap_) {
        if (!PaintSkinBackdrop(hwnd_, dc)) {
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        }
        return;
    }
    UniqueMemoryDc mem(CreateCompatibleDC(dc));
    SelectedObject sel(mem.get(), bitmap_.get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, r.right, r.bottom, mem.get(), 0, 0, width_, height_, SRCCOPY);
}

LRESULT CALLBACK PictureBox::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_PAINT: {
            PaintDc paint(hwnd);
            self->Paint(paint.get());
            return 0;
        }
        case WM_PRINTCLIENT: self->Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
            if (self->onClick_) {
                self->onClick_();
            }
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            delete self;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace zandrel
