// Hover tips for rectangles of one owner window, over the standard tooltip control. Tools are identified by an
// integer id; texts are GBK. The control is destroyed with the object.
#pragma once

#include <string_view>

#include <windows.h>

namespace zandrel {

class ToolTipWindow {
  public:
    ToolTipWindow() = default;
    ~ToolTipWindow() { Destroy(); }
    ToolTipWindow(const ToolTipWindow&) = delete;
    ToolTipWindow& operator=(const ToolTipWindow&) = delete;
    ToolTipWindow(ToolTipWindow&& other) noexcept;
    ToolTipWindow& operator=(ToolTipWindow&& other) noexcept;

    // Creates the control for owner (a control made before is destroyed); balloon draws the tips as balloons.
    HWND Create(HWND owner, bool balloon = false);
    void Destroy();

    // rect in owner client coordinates. The Add/Del/New/Update operations return the control's answer.
    bool AddTool(const RECT& rect, std::string_view text, UINT_PTR id);
    LRESULT DelTool(UINT_PTR id);
    LRESULT NewToolRect(UINT_PTR id, const RECT& rect);
    LRESULT UpdateTipText(UINT_PTR id, std::string_view text);
    LRESULT SetMaxTipWidth(int width);
    // Windows colours (0x00BBGGRR).
    LRESULT SetTipBkColor(COLORREF colour);
    LRESULT SetTipTextColor(COLORREF colour);

    HWND GetWindow() const { return window_; }
    HWND GetOwner() const { return owner_; }

  private:
    HWND window_ = nullptr;
    HWND owner_ = nullptr;
};

}  // namespace zandrel
