// Move-only owners for Win32 handles. Each alias fixes the release that matches how the handle was obtained.
#pragma once

#include <windows.h>

#include <utility>

namespace zandrel {

template <typename H, typename Traits>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            reset(std::exchange(o.h_, Traits::Invalid()));
        }
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    H release() { return std::exchange(h_, Traits::Invalid()); }
    void reset(H h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) {
            Traits::Close(h_);
        }
        h_ = h;
    }

  private:
    H h_ = Traits::Invalid();
};

struct GdiObjectTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
template <typename T>
struct GdiTraits {
    static T Invalid() { return nullptr; }
    static void Close(T h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Close(HWND h) {
        if (IsWindow(h)) {
            DestroyWindow(h);
        }
    }
};

using UniqueFont = UniqueHandle<HFONT, GdiTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiTraits<HBRUSH>>;
using UniquePen = UniqueHandle<HPEN, GdiTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<HRGN, GdiTraits<HRGN>>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueFile = UniqueHandle<HANDLE, FileHandleTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;

// GetDC/ReleaseDC pair.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(hwnd_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint pair.
class PaintDc {
  public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const RECT& dirty() const { return ps_.rcPaint; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// SelectObject with the old object selected back on scope exit.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace zandrel
