// A picture box: shows a JPEG or PNG given as bytes, stretched over the box, and reports left clicks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/win_handles.h"

namespace zandrel {

class PictureBox {
  public:
    static constexpr wchar_t kClassName[] = L"ZandrelPictureBox";

    // The object belongs to the window and is deleted with it.
    static PictureBox* Create(HWND parent, int id, int x, int y, int width, int height);
    static PictureBox* FromHwnd(HWND hwnd);

    HWND Hwnd() const { return hwnd_; }
    // Bytes that do not decode leave the box empty.
    void SetPicture(std::string bytes);
    bool HasPicture() const { return static_cast<bool>(bitmap_); }
    void OnClick(std::function<void()> handler) { onClick_ = std::move(handler); }

  private:
    explicit PictureBox(HWND hwnd) : hwnd_(hwnd) {}
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

    HWND hwnd_;
    UniqueBitmap bitmap_;  // decoded once, stretched at every paint
    int width_ = 0;
    int height_ = 0;
    std::function<void()> onClick_;
};

}  // namespace zandrel
