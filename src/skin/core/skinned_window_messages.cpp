// The window procedure of every skinned top-level window: painting from the rendered backdrop, window states,
// control colours, the caption-button hover fade and clicks.
#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>
#include <shlwapi.h>

#include <string>

#include "base/encoding.h"
#include "skin/core/control_pass.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {

namespace {

constexpr UINT kFadeIntervalMs = 20;
constexpr int kFadeSteps = 8;
constexpr int kFadeAlphaStep = 30;
constexpr double kTolerance = 1e-7;

UINT_PTR FadeTimerId(HWND hwnd) {
    return reinterpret_cast<UINT_PTR>(hwnd);
}

bool ClassIs(HWND hwnd, const wchar_t* name) {
    wchar_t buffer[64] = {};
    return hwnd != nullptr && GetClassNameW(hwnd, buffer, 64) > 0 && lstrcmpiW(buffer, name) == 0;
}

RECT WorkArea() {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// Empties this process's working set. Runs on a short-lived thread so deactivation never waits for it.
DWORD WINAPI TrimWorkingSet(void*) {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    return 0;
}

}  // namespace

LRESULT CALLBACK SkinEngine::WindowProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (SkinEngine* engine = Instance()) {
        return engine->HandleWindowMessage(hwnd, msg, wParam, lParam);
    }
    // The engine is gone but the thunk is still in the chain (the window was subclassed again after us).
    if (auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPropPreviousProc))) {
        return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT SkinEngine::PassOn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPropPreviousProc))) {
        return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

namespace {

// The brush answers to WM_CTLCOLOR*: the record keeps the last one of each control and releases it when the
// next one replaces it or when the window is forgotten.
ControlBrushSlot& BrushSlot(SkinnedWindow& w, HWND control) {
    for (ControlBrushSlot& slot : w.controlBrushes) {
        if (slot.control == control) {
            return slot;
        }
    }
    // Slots of controls destroyed since are reused rather than piling up.
    for (ControlBrushSlot& slot : w.controlBrushes) {
        if (!IsWindow(slot.control)) {
            slot.control = control;
            slot.brush.reset();
            slot.bitmap.reset();
            return slot;
        }
    }
    w.controlBrushes.push_back(ControlBrushSlot{control, {}, {}});
    return w.controlBrushes.back();
}

void PrepareControlDc(HDC dc, HWND control) {
    SetTextColor(dc, static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(control, kPropTextColour))));
    SetBkMode(dc, TRANSPARENT);
}

LRESULT HollowBrush(SkinnedWindow& w, HDC dc, HWND control) {
    PrepareControlDc(dc, control);
    ControlBrushSlot& slot = BrushSlot(w, control);
    slot.brush.reset();
    slot.bitmap.reset();
    HGDIOBJ brush = GetStockObject(NULL_BRUSH);
    SetPropA(control, kPropCtlBrush, brush);
    RemovePropA(control, kPropCtlBitmap);
    return reinterpret_cast<LRESULT>(brush);
}

}  // namespace

LRESULT SkinEngine::HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int windowIndex = IndexFromProperty(hwnd);
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return PassOn(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_NCDESTROY: {
            ForgetWindow(hwnd);
            KillTimer(hwnd, FadeTimerId(hwnd));
            // Unhook before the last message goes on, so nothing of ours is left in the chain.
            auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPropPreviousProc));
            RemovePropA(hwnd, kPropPreviousProc);
            if (previous == nullptr) {
                return DefWindowProcW(hwnd, msg, wParam, lParam);
            }
            if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &SkinEngine::WindowProcThunk) {
                SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            }
            return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
        }
        case WM_SHOWWINDOW:
            if (wParam != 0) {
                if (w->minimized) {
                    w->minimized = false;
                } else {
                    RenderWindowBackdrop(windowIndex, nullptr, true);
                }
            }
            break;
        case WM_ERASEBKGND: SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
        case WM_PAINT: {
            PaintDc paint(hwnd);
            if (!w->minimized) {
                if (w->backdropDirty || w->backdropDc == nullptr) {
                    RenderWindowBackdrop(windowIndex, paint.get(), true);
                } else {
                    PresentBackdrop(windowIndex, paint.get());
                }
            }
            return 0;
        }
        case WM_PRINTCLIENT: {
            if (w->backdropDirty || w->backdropDc == nullptr) {
                RenderWindowBackdrop(windowIndex, nullptr, false);
                // The controls copy the backdrop that was just rendered: they show it too.
                RepaintBackdropUsers(IndexFromProperty(hwnd));
            }
            SkinnedWindow* rendered = Window(IndexFromProperty(hwnd));
            if (rendered != nullptr && rendered->backdropDc != nullptr) {
                RECT client{};
                GetClientRect(hwnd, &client);
                BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, client.right, client.bottom, rendered->backdropDc, 0, 0,
                       SRCCOPY);
            }
            return 0;
        }
        case WM_QUERYOPEN: w->minimized = false; break;
        case WM_SIZE:
            w->hotButton = 0;
            if (skipNextBackdropRefresh_) {
                skipNextBackdropRefresh_ = false;
            } else {
                w->backdropDirty = true;
            }
            LayoutDockedChildren(windowIndex);
            break;
        case WM_WINDOWPOSCHANGED: OnWindowPosChanged(windowIndex); break;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = POINT{w->minTrackWidth, w->minTrackHeight};
            if (w->maximized) {
                const RECT area = WorkArea();
                info->ptMaxTrackSize = POINT{area.right - area.left, area.bottom - area.top};
            } else {
                info->ptMaxTrackSize = POINT{w->maxTrackWidth, w->maxTrackHeight};
            }
            break;
        }
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_MAXIMIZE:
                    w->maximized = true;
                    w->backdropDirty = true;
                    break;
                case SC_RESTORE:
                    w->backdropDirty = true;
                    w->minimized = false;
                    break;
                case SC_MINIMIZE:
                    w->backdropDirty = true;
                    w->minimized = true;
                    break;
                default: break;
            }
            break;
        case WM_SETTEXT:
            if (w->showCaptionText && w->movable && lParam != 0 && w->backdropDc != nullptr) {
                DrawCaptionTitle(windowIndex, nullptr, false, WideToGbk(reinterpret_cast<const wchar_t*>(lParam)));
            }
            break;
        case WM_DRAWITEM:
            // A face the skin drew is not drawn again by the window's own procedure.
            if (lParam != 0 && DispatchOwnerDraw(*this, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            // Unicode tree views send the W codes; both forms are accepted.
            if (header != nullptr && (header->code == TVN_ITEMEXPANDEDA || header->code == TVN_ITEMEXPANDINGA ||
                                      header->code == TVN_ITEMEXPANDEDW || header->code == TVN_ITEMEXPANDINGW)) {
                InvalidateRect(header->hwndFrom, nullptr, TRUE);
            }
            break;
        }
        case WM_COMMAND: OnControlCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam)); break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            if (LRESULT brush = OnControlColour(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return brush;
            }
            break;
        case WM_ACTIVATEAPP:
            if (wParam == 0) {
                // Not CTF_INSIST: when no thread can be made the trim is simply skipped.
                SHCreateThread(&TrimWorkingSet, nullptr, 0, nullptr);
            }
            break;
        case WM_MOUSEMOVE: OnSkinnedMouseMove(windowIndex, lParam); break;
        case WM_LBUTTONDOWN: OnSkinnedButtonDown(windowIndex, lParam); break;
        case WM_LBUTTONUP:
            if (hotCaptionButton_ >= 1 && hotCaptionButton_ <= static_cast<int>(w->captionButtons.size()) &&
                w->movable) {
                OnCaptionButtonClick(windowIndex, hotCaptionButton_);
            }
            break;
        case WM_LBUTTONDBLCLK:
            if (GET_Y_LPARAM(lParam) <= w->captionHeight && w->resizable) {
                if (const int button = FindMaximizeButton(windowIndex); button > 0) {
                    OnCaptionButtonClick(windowIndex, button);
                }
            }
            break;
        case WM_MOUSEHOVER: w->mouseTracked = true; break;
        case WM_MOUSELEAVE:
            w->mouseTracked = false;
            OnSkinnedMouseLeave(windowIndex);
            break;
        case WM_TIMER:
            if (wParam == FadeTimerId(hwnd)) {
                OnFadeTimer(windowIndex);
            }
            break;
        default: break;
    }
    // A handler above may have destroyed the window; then there is nothing left to pass the message to.
    if (!IsWindow(hwnd)) {
        return 0;
    }
    return PassOn(hwnd, msg, wParam, lParam);
}

void SkinEngine::OnWindowPosChanged(int windowIndex) {
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return;
    }
    HWND hwnd = w->hwnd;
    if (w->hasMaximizeBox) {
        RECT client{};
        GetClientRect(hwnd, &client);
        if (client.right == GetSystemMetrics(SM_CXSCREEN) && client.bottom == GetSystemMetrics(SM_CYSCREEN)) {
            // A maximised frameless window would cover the taskbar: keep it inside the work area.
            w->maximized = true;
            const RECT area = WorkArea();
            RECT now{};
            GetWindowRect(hwnd, &now);
            if (!EqualRect(&now, &area)) {
                SetWindowPos(hwnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                             SWP_NOZORDER | SWP_NOOWNERZORDER);
            }
            windowIndex = IndexFromProperty(hwnd);
            w = Window(windowIndex);
            if (w == nullptr) {
                return;
            }
        }
    }
    LayoutCaptionButtons(windowIndex);
    if (w->statusBarHeight > 0) {
        LayoutStatusBar(windowIndex);
    }
}

void SkinEngine::OnControlCommand(HWND sender, int code) {
    if (!overlayGiven_ || controlSkinMode_ == 0 || sender == nullptr) {
        return;
    }
    bool repaint = false;
    if (ClassIs(sender, L"Edit")) {
        repaint = code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE;
    } else if (ClassIs(sender, L"ListBox")) {
        repaint = code == LBN_SELCHANGE || code == LBN_SELCANCEL;
    } else if (ClassIs(sender, L"ComboBox")) {
        repaint = code == CBN_KILLFOCUS || code == CBN_SELCHANGE;
    }
    if (repaint) {
        InvalidateRect(sender, nullptr, TRUE);
    }
}

LRESULT SkinEngine::OnControlColour(UINT msg, HDC dc, HWND control) {
    if (control == nullptr || controlSkinMode_ == 0 || !overlayGiven_) {
        return 0;
    }
    switch (msg) {
        case WM_CTLCOLOREDIT:
            if (ClassIs(GetParent(control), L"ComboBox")) {
                return 0;  // the combo-box painter colours its own edit
            }
            return ControlColourBrush(control, dc, true);
        case WM_CTLCOLORLISTBOX:
            if (!ClassIs(control, L"ListBox") || IsOwnerDrawListBox(control)) {
                return 0;
            }
            return ControlColourBrush(control, dc, false);
        case WM_CTLCOLORBTN: return ControlColourBrush(control, dc, false);
        case WM_CTLCOLORSTATIC: return ControlColourBrush(control, dc, true);
        default: return 0;
    }
}

LRESULT SkinEngine::ControlColourBrush(HWND control, HDC dc, bool veiled) {
    SkinnedWindow* w = Window(FindOwnerWindowIndex(control));
    if (w == nullptr || control == nullptr) {
        return 0;
    }
    if (!veiled) {
        return HollowBrush(*w, dc, control);
    }
    // The backdrop behind the control under the white veil, as a pattern brush.
    UniqueBitmap bitmap(MakeVeiledBackdropBitmap(control));
    if (!bitmap) {
        return HollowBrush(*w, dc, control);
    }
    UniqueBrush brush(CreatePatternBrush(bitmap.get()));
    if (!brush) {
        return HollowBrush(*w, dc, control);
    }
    PrepareControlDc(dc, control);
    ControlBrushSlot& slot = BrushSlot(*w, control);
    slot.brush = std::move(brush);
    slot.bitmap = std::move(bitmap);
    SetPropA(control, kPropCtlBrush, slot.brush.get());
    SetPropA(control, kPropCtlBitmap, slot.bitmap.get());
    return reinterpret_cast<LRESULT>(slot.brush.get());
}

void SkinEngine::OnSkinnedMouseMove(int windowIndex, LPARAM lParam) {
    SkinnedWindow* w = Window(windowIndex);
    HWND hwnd = w->hwnd;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (!w->mouseTracked) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, hwnd, 1};
        TrackMouseEvent(&track);
    }
    if (!w->movable) {
        return;
    }
    const bool inStrip = x >= w->stripLeft - 2 - kTolerance && x <= w->stripLeft + w->stripWidth + kTolerance &&
                         y >= -kTolerance && y <= w->stripHeight + kTolerance;
    if (inStrip) {
        if (!w->fadeTimerRunning) {
            SetTimer(hwnd, FadeTimerId(hwnd), kFadeIntervalMs, nullptr);
            w->fadeTimerRunning = true;
        }
    } else {
        w->fadeTimerRunning = false;
    }
    hotCaptionButton_ = HitTestCaptionButton(windowIndex, static_cast<float>(x), static_cast<float>(y));
    if (w->hotButton >= 1 && w->hotButton != hotCaptionButton_) {
        // Finish the fade-out still running before another one starts.
        if (w->fadeOut.button >= 1 && w->fadeOut.step < kFadeSteps) {
            DrawCaptionButton(windowIndex, w->fadeOut.button, nullptr, false, false, 0);
        }
        w->fadeOut = FadeState{w->hotButton, 0};
    }
    if (hotCaptionButton_ >= 1 && hotCaptionButton_ != w->hotButton) {
        w->fadeIn = FadeState{hotCaptionButton_, 0};
    }
    w->hotButton = hotCaptionButton_;
    if (!w->maximized) {
        RECT client{};
        GetClientRect(hwnd, &client);
        UpdateFrameCursor(windowIndex, lParam, client);
    }
}

void SkinEngine::OnSkinnedButtonDown(int windowIndex, LPARAM lParam) {
    SkinnedWindow* w = Window(windowIndex);
    HWND hwnd = w->hwnd;
    w->fadeIn.button = 0;
    if (!w->movable) {
        return;
    }
    if (!w->maximized && !w->minimized) {
        RECT client{};
        GetClientRect(hwnd, &client);
        // A move or resize runs a modal loop in which any window may be destroyed; look the record up again.
        OnFrameMouseDown(windowIndex, lParam, client);
        windowIndex = IndexFromProperty(hwnd);
        if (Window(windowIndex) == nullptr) {
            return;
        }
    }
    hotCaptionButton_ = HitTestCaptionButton(windowIndex, static_cast<float>(GET_X_LPARAM(lParam)),
                                             static_cast<float>(GET_Y_LPARAM(lParam)));
    if (hotCaptionButton_ >= 1) {
        DrawCaptionButton(windowIndex, hotCaptionButton_, nullptr, false, true);
    }
}

void SkinEngine::OnSkinnedMouseLeave(int windowIndex) {
    SkinnedWindow* w = Window(windowIndex);
    if (w->hotButton < 1 || !w->movable) {
        return;
    }
    if (w->fadeIn.step < kFadeSteps && w->fadeOut.step < kFadeSteps && w->fadeOut.button >= 1) {
        DrawCaptionButton(windowIndex, w->fadeOut.button, nullptr, false, false, 0);
        w->fadeIn = FadeState{};
    }
    w->fadeOut = FadeState{w->hotButton, 0};
    w->hotButton = 0;
}

void SkinEngine::OnFadeTimer(int windowIndex) {
    SkinnedWindow* w = Window(windowIndex);
    if (w->fadeIn.button >= 1 && w->fadeIn.step < kFadeSteps) {
        ++w->fadeIn.step;
        DrawCaptionButton(windowIndex, w->fadeIn.button, nullptr, false, false, w->fadeIn.step * kFadeAlphaStep);
    }
    if (w->fadeOut.button >= 1 && w->fadeOut.step < kFadeSteps) {
        ++w->fadeOut.step;
        DrawCaptionButton(windowIndex, w->fadeOut.button, nullptr, false, false,
                          (kFadeSteps - w->fadeOut.step) * kFadeAlphaStep);
    }
    const bool fadeOutOver = w->fadeOut.button < 1 || w->fadeOut.step >= kFadeSteps;
    if ((!w->mouseTracked || !w->fadeTimerRunning) && fadeOutOver) {
        w->fadeTimerRunning = false;
        KillTimer(w->hwnd, FadeTimerId(w->hwnd));
        w->hotButton = 0;
        w->fadeIn = FadeState{};
        w->fadeOut = FadeState{};
    }
}

}  // namespace zandrel
