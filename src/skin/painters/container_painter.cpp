// Container controls: any control, typically one holding controls of its own (a tab control with its pages, a
// rich edit), laid over the skinned backdrop. The control paints itself as usual; every pixel of its background
// colour is then left out, so the backdrop shows through everywhere the control draws nothing of its own.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "base/win_handles.h"
#include "skin/core/control_subclass.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_geometry.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

// A backdrop copy of the host, given back when it goes.
class HostDc {
  public:
    HostDc(PainterHost& host, HDC dc) : host_(host), dc_(dc) {}
    ~HostDc() {
        if (dc_ != nullptr) {
            host_.ReleaseMemoryDc(dc_);
        }
    }
    HostDc(const HostDc&) = delete;
    HostDc& operator=(const HostDc&) = delete;
    HDC get() const { return dc_; }

  private:
    PainterHost& host_;
    HDC dc_;
};

// Window class names are compared without regard to case, as Windows does.
bool ClassIsOneOf(const std::string& cls, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (lstrcmpiA(cls.c_str(), name) == 0) {
            return true;
        }
    }
    return false;
}

// Classes that draw their whole client area into the DC handed with WM_PAINT.
bool PaintsWholeClient(const std::string& cls) {
    return ClassIsOneOf(cls, {"SysMonthCal32", "SysTabControl32", "ToolbarWindow32", "msctls_statusbar32", "Button",
                              "msctls_trackbar32"});
}

// Rich edits scroll their pixels with ScrollWindow, which would carry the backdrop along with the text.
bool IsRichEdit(const std::string& cls) {
    return ClassIsOneOf(cls, {"RichEdit20A", "RichEdit20W", "RichEdit50W"});
}

RECT Offset(RECT r, const RECT& by) {
    OffsetRect(&r, by.left, by.top);
    return r;
}

// The control draws itself into the backdrop behind it; what is not its background colour lands on the veiled
// backdrop, which goes to the screen in one piece.
LRESULT PaintWholeClient(PainterHost& host, HWND hwnd, const ContainerControl& entry, UINT msg, LPARAM lParam) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    const RECT client = ClientRectInWindow(hwnd);
    HostDc backdrop(host, host.CreateBackdropDc(hwnd, client));
    PaintDc paint(hwnd);
    if (backdrop.get() == nullptr) {
        return PassOnToPrevious(hwnd, msg, reinterpret_cast<WPARAM>(paint.get()), lParam, kContainerKeys);
    }
    const LRESULT result =
        PassOnToPrevious(hwnd, msg, reinterpret_cast<WPARAM>(backdrop.get()), lParam, kContainerKeys);
    HostDc veiled(host, CreateVeiledClientDc(host, hwnd));
    if (veiled.get() != nullptr && paint.get() != nullptr) {
        TransparentBlt(veiled.get(), 0, 0, rc.right, rc.bottom, backdrop.get(), 0, 0, rc.right, rc.bottom,
                       entry.backColour);
        BitBlt(paint.get(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, veiled.get(), 0, 0, SRCCOPY);
    }
    return result;
}

// The control paints the update rectangle on the screen itself; that piece of the screen, less the background
// colour, is laid over the backdrop and put back. The control validates the region with its own BeginPaint:
// handing it a DC would leave the region invalid, and the control would be asked to paint again and again.
LRESULT PaintUpdateRect(PainterHost& host, HWND hwnd, const ContainerControl& entry, UINT msg, LPARAM lParam) {
    RECT r{};
    if (!GetUpdateRect(hwnd, &r, FALSE) || IsRectEmpty(&r)) {
        return PassOnToPrevious(hwnd, msg, 0, lParam, kContainerKeys);
    }
    const LRESULT result = PassOnToPrevious(hwnd, msg, 0, lParam, kContainerKeys);
    const RECT client = ClientRectInWindow(hwnd);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    {
        WindowDc dc(hwnd);
        HostDc backdrop(host, host.CreateBackdropDc(hwnd, Offset(r, client)));
        if (dc.get() != nullptr && backdrop.get() != nullptr) {
            TransparentBlt(backdrop.get(), 0, 0, width, height, dc.get(), r.left, r.top, width, height,
                           entry.backColour);
            BitBlt(dc.get(), r.left, r.top, width, height, backdrop.get(), 0, 0, SRCCOPY);
        }
    }
    InvalidateVisibleChildren(hwnd);
    return result;
}

LRESULT CALLBACK ContainerControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ControlRef ref = LookUpControl(hwnd, kContainerKeys);
    ContainerControl* entry = LookUpEntry(ref, &ControlLists::containers, hwnd);
    if (msg == WM_NCDESTROY) {
        return ReleaseControlAndPassOn(hwnd, entry, msg, wParam, lParam, kContainerKeys);
    }
    if (entry == nullptr) {
        return PassOnToPrevious(hwnd, msg, wParam, lParam, kContainerKeys);
    }
    PainterHost& host = *ref.host;
    switch (msg) {
        case WM_MOVE:
            if (host.OverlayGiven()) {
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            break;
        case WM_ERASEBKGND:
            if (host.OverlayGiven()) {
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return 1;
            }
            break;
        case WM_PAINT:
            if (host.ControlSkinMode() == 0) {
                break;
            }
            if (PaintsWholeClient(GetClassNameText(hwnd))) {
                return PaintWholeClient(host, hwnd, *entry, msg, lParam);
            }
            return PaintUpdateRect(host, hwnd, *entry, msg, lParam);
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (IsRichEdit(GetClassNameText(hwnd))) {
                // After the scroll: the rich edit may paint the uncovered strip at once, and the rest must follow.
                const LRESULT result = PassOnToPrevious(hwnd, msg, wParam, lParam, kContainerKeys);
                InvalidateRect(hwnd, nullptr, FALSE);
                return result;
            }
            break;
        default: break;
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam, kContainerKeys);
}

}  // namespace

bool RegisterContainerControl(PainterHost& host, int windowIndex, HWND hwnd, COLORREF backColour) {
    ControlLists* lists = host.Controls(windowIndex);
    if (lists == nullptr || hwnd == nullptr || FindEntry(lists->containers, hwnd) != 0 ||
        IsTakenOver(hwnd, kContainerKeys)) {
        return false;
    }
    int index = 0;
    ContainerControl& entry = AppendEntry(lists->containers, index);
    entry.backColour = backColour;
    if (!TakeOverControl(hwnd, &ContainerControlProc, windowIndex, index, entry, kContainerKeys)) {
        lists->containers.pop_back();
        return false;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
}

}  // namespace zandrel
