// Child frames: a child window of a skinned window (a group box, a panel holding controls) treated as a small
// skinned surface of its own. Its controls are skinned like the window's, and it may paint a translucent fill over
// the backdrop, a pair of soft rounded outlines, or, as a group box, a rounded outline with its caption.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "base/win_handles.h"
#include "base/window_text.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_graphics.h"
#include "skin/core/control_pass.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"
#include "skin/frame/frame_geometry.h"
#include "skin/painters/painters.h"

namespace zandrel {

namespace {

constexpr int kAlignCentre = 1;

int IntProp(HWND hwnd, const char* key) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(hwnd, key)));
}

HANDLE IntValue(int value) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value));
}

bool IsGroupBoxStyle(HWND hwnd) {
    return GetClassNameText(hwnd) == "Button" && (GetWindowLongPtrW(hwnd, GWL_STYLE) & 0x4) != 0;
}

// The nearest ancestor that supplies its own backdrop ("Wxk_Zpf" = 1), nullptr for none.
HWND BackdropSupplier(HWND frame) {
    for (HWND h = GetParent(frame); h != nullptr; h = GetParent(h)) {
        if (reinterpret_cast<UINT_PTR>(GetPropA(h, kPropOwnBackdrop)) == 1) {
            return h;
        }
    }
    return nullptr;
}

COLORREF TextColour(HWND hwnd) {
    return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kPropTextColour)));
}

}  // namespace

LRESULT CALLBACK SkinEngine::ChildFrameProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (SkinEngine* engine = Instance()) {
        return engine->HandleChildFrameMessage(hwnd, msg, wParam, lParam);
    }
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

LRESULT SkinEngine::PassOnFrame(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PassOnToPrevious(hwnd, msg, wParam, lParam);
}

void SkinEngine::SkinChildFrame(HWND hwnd,
                                std::optional<bool> ownBackground,
                                std::optional<COLORREF> fillColour,
                                std::optional<int> fillAlpha,
                                std::optional<bool> outlined) {
    // Only a window inside a skinned window can be a frame, and only once.
    const int windowIndex = FindOwnerWindowIndex(hwnd);
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr || !IsWindow(hwnd) || FindFrameIndex(windowIndex, hwnd) >= 1 || IsTakenOver(hwnd)) {
        return;
    }
    w->childFrames.emplace_back();
    const int frameIndex = static_cast<int>(w->childFrames.size());
    ChildFrameEntry& frame = w->childFrames.back();
    frame.hwnd = hwnd;
    frame.ownBackground = ownBackground.value_or(true);
    frame.fillColour = fillColour.value_or(0);
    frame.hasFill = frame.fillColour != 0;
    frame.alpha = fillAlpha.value_or(255) & 0xFF;
    frame.outlined = outlined.value_or(false);
    if (IsGroupBoxStyle(hwnd)) {
        frame.rounded = true;
        const FontInfo font = ReadControlFont(hwnd);
        frame.fontName = font.name;
        frame.fontSize = font.size;
        frame.fontStyle = font.style;
    }
    InstallControls(*this, windowIndex, hwnd);
    frame.needsFullRepaint = true;
    frame.previousWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    SetPropA(hwnd, kPropPreviousProc, reinterpret_cast<HANDLE>(frame.previousWndProc));
    SetPropA(hwnd, kPropWindowIndex, IntValue(frameIndex));
    SetPropA(hwnd, kPropOwnerIndex, IntValue(windowIndex));
    SetPropA(hwnd, kPropFrameOwner, BackdropSupplier(hwnd));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinEngine::ChildFrameProcThunk));
    if (frame.ownBackground) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void SkinEngine::SetChildFrameAlpha(HWND hwnd, int alpha) {
    SkinnedWindow* w = Window(IntProp(hwnd, kPropOwnerIndex));
    const int frameIndex = IntProp(hwnd, kPropWindowIndex);
    if (w == nullptr || frameIndex < 1 || frameIndex > static_cast<int>(w->childFrames.size())) {
        return;
    }
    ChildFrameEntry& frame = w->childFrames[static_cast<size_t>(frameIndex - 1)];
    if (frame.hwnd != hwnd || !frame.hasFill) {
        return;
    }
    frame.alpha = alpha & 0xFF;
    // The controls inside show the fill behind them too.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT SkinEngine::HandleChildFrameMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int windowIndex = IntProp(hwnd, kPropOwnerIndex);
    const int frameIndex = IntProp(hwnd, kPropWindowIndex);
    SkinnedWindow* w = Window(windowIndex);
    ChildFrameEntry* frame = nullptr;
    if (w != nullptr && frameIndex >= 1 && frameIndex <= static_cast<int>(w->childFrames.size()) &&
        w->childFrames[static_cast<size_t>(frameIndex - 1)].hwnd == hwnd) {
        frame = &w->childFrames[static_cast<size_t>(frameIndex - 1)];
    }
    if (msg == WM_NCDESTROY) {
        // The frame gets its own procedure back and the record forgets the window.
        auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPropPreviousProc));
        if (previous != nullptr &&
            reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &SkinEngine::ChildFrameProcThunk) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        }
        for (const char* key : {kPropPreviousProc, kPropWindowIndex, kPropOwnerIndex, kPropFrameOwner}) {
            RemovePropA(hwnd, key);
        }
        if (frame != nullptr) {
            frame->hwnd = nullptr;
        }
        return previous != nullptr ? CallWindowProcW(previous, hwnd, msg, wParam, lParam)
                                   : DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (frame == nullptr) {
        return PassOnFrame(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_SHOWWINDOW:
            if (wParam == 1) {
                const LRESULT result = PassOnFrame(hwnd, msg, wParam, lParam);
                if (frame->ownBackground) {
                    PaintChildFrame(windowIndex, frameIndex, nullptr, true);
                }
                return result;
            }
            break;
        case WM_ENABLE:
        case WM_SETTEXT: {
            // The window's own procedure may paint at once, outside WM_PAINT (a group box its plain caption, a
            // static its background): the frame is painted again over it, with a new caption where one was set.
            const LRESULT result = PassOnFrame(hwnd, msg, wParam, lParam);
            if (frame->ownBackground) {
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return result;
        }
        case WM_MOVE:
            // A frame the backdrop shows through must copy its new slice of it.
            if (frame->ownBackground && (frame->alpha != 255 || !frame->hasFill)) {
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            break;
        case WM_PAINT:
            if (frame->ownBackground) {
                PaintDc paint(hwnd);
                PaintChildFrame(windowIndex, frameIndex, paint.get(), frame->needsFullRepaint);
                return 0;
            }
            break;
        case WM_PRINTCLIENT:
            if (frame->ownBackground) {
                PaintChildFrame(windowIndex, frameIndex, reinterpret_cast<HDC>(wParam), true);
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            if (frame->ownBackground) {
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return 1;
            }
            break;
        case WM_DRAWITEM:
            // A face the skin drew is not drawn again by the window's own procedure.
            if (lParam != 0 && DispatchOwnerDraw(*this, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            if (LRESULT brush = OnControlColour(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return brush;
            }
            break;
        case WM_SIZE: {
            frame->needsFullRepaint = true;
            // The outlines and the caption follow the edges: a frame that shrinks gets no new area to paint, yet
            // all of it must be drawn again.
            if (frame->ownBackground) {
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            RECT client{};
            GetClientRect(hwnd, &client);
            for (const DockedChild& child : frame->dockedChildren) {
                if (child.hwnd != nullptr) {
                    MoveWindow(child.hwnd, 2, child.top, client.right - 4, client.bottom - child.top, TRUE);
                }
            }
            break;
        }
        case WM_COMMAND: OnControlCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam)); break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && (header->code == TVN_ITEMEXPANDEDA || header->code == TVN_ITEMEXPANDINGA ||
                                      header->code == TVN_ITEMEXPANDEDW || header->code == TVN_ITEMEXPANDINGW)) {
                InvalidateRect(header->hwndFrom, nullptr, TRUE);
            }
            break;
        }
        default: break;
    }
    return PassOnFrame(hwnd, msg, wParam, lParam);
}

void SkinEngine::PaintChildFrame(int windowIndex, int frameIndex, HDC dc, bool full) {
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr || frameIndex < 1 || frameIndex > static_cast<int>(w->childFrames.size())) {
        return;
    }
    HWND hwnd = w->childFrames[static_cast<size_t>(frameIndex - 1)].hwnd;
    RECT rc{};
    GetClientRect(hwnd, &rc);
    HDC backdrop = CreateBackdropDc(hwnd, rc);
    if (backdrop == nullptr) {
        return;
    }
    DecorateChildFrame(windowIndex, frameIndex, backdrop, rc);
    if (full && dc != nullptr) {
        BitBlt(dc, 0, 0, rc.right, rc.bottom, backdrop, 0, 0, SRCCOPY);
    } else if (HDC own = ClientDcWithoutChildren(hwnd)) {
        BitBlt(own, 0, 0, rc.right, rc.bottom, backdrop, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, own);
    }
    ReleaseMemoryDc(backdrop);
    // Look the frame up again: nothing above may run messages, but the record is the source of truth.
    if (SkinnedWindow* again = Window(windowIndex);
        again != nullptr && frameIndex <= static_cast<int>(again->childFrames.size())) {
        ChildFrameEntry& frame = again->childFrames[static_cast<size_t>(frameIndex - 1)];
        if (full) {
            frame.needsFullRepaint = false;
            ++frame.fullRepaints;
        } else {
            ++frame.partialRepaints;
            // Transparent children paint over the new background.
            for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                if (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) {
                    InvalidateRect(child, nullptr, FALSE);
                }
            }
        }
    }
}

void SkinEngine::DecorateChildFrame(int windowIndex, int frameIndex, HDC backdrop, const RECT& rc) {
    const ChildFrameEntry& frame = Window(windowIndex)->childFrames[static_cast<size_t>(frameIndex - 1)];
    if (frame.rounded) {
        DrawGroupBox(windowIndex, frameIndex, backdrop, rc);
        return;
    }
    if (!frame.outlined) {
        return;
    }
    DrawGraphics g;
    if (!g.CreateFromHDC(backdrop)) {
        return;
    }
    const float w = static_cast<float>(rc.right);
    const float h = static_cast<float>(rc.bottom);
    StrokePathSolid(g, RoundRectPath(0, 0, w - 1, h - 1, 5), Argb(kBlack, 40));
    StrokePathSolid(g, RoundRectPath(1, 1, w - 3, h - 3, 3), Argb(kWhite, 100));
}

RECT GroupBoxCaptionRect(HWND frame, const std::string& fontName, int fontSize, int fontStyle) {
    RECT rc{};
    GetClientRect(frame, &rc);
    const std::string caption = WindowTextGbk(frame);
    float measured = 0;
    {
        UniqueMemoryDc screen(CreateCompatibleDC(nullptr));
        DrawGraphics g;
        DrawFont font;
        gp::RectF bounds{};
        if (screen && g.CreateFromHDC(screen.get()) &&
            CreateSkinFont(font, fontName, static_cast<float>(fontSize), fontStyle, 0) &&
            g.MeasureString(caption, font, gp::RectF{0, 0, 0, 0}, nullptr, &bounds)) {
            measured = bounds.Width;
        }
    }
    const int tw = static_cast<int>(std::floor(measured)) + 1;
    const LONG_PTR style = GetWindowLongPtrW(frame, GWL_STYLE);
    int x = 0;
    if ((style & BS_CENTER) == BS_CENTER) {
        x = (rc.right - tw) / 2;
    } else if (style & BS_LEFT) {
        x = 10;
    } else {
        x = rc.right - tw - 10;
    }
    const int height = (fontSize > 0 ? fontSize : 12) + 3;
    return RECT{x, 1, x + tw, 1 + height};
}

void SkinEngine::DrawGroupBox(int windowIndex, int frameIndex, HDC backdrop, const RECT& rc) {
    const ChildFrameEntry& frame = Window(windowIndex)->childFrames[static_cast<size_t>(frameIndex - 1)];
    const RECT caption = GroupBoxCaptionRect(frame.hwnd, frame.fontName, frame.fontSize, frame.fontStyle);
    {
        DrawGraphics g;
        if (g.CreateFromHDC(backdrop)) {
            const float w = static_cast<float>(rc.right);
            const float h = static_cast<float>(rc.bottom);
            StrokePathSolid(g, RoundRectPath(0, 5, w - 1, h - 6, 5), Argb(kBlack, 40));
            StrokePathSolid(g, RoundRectPath(1, 6, w - 3, h - 8, 3), Argb(kWhite, 90));
        }
    }
    // The outline is cleared under the caption by the backdrop behind it.
    PaintBackdropBehind(frame.hwnd, backdrop, caption);
    DrawGraphics g;
    if (g.CreateFromHDC(backdrop)) {
        const gp::RectF layout{static_cast<float>(caption.left), static_cast<float>(caption.top),
                               static_cast<float>(caption.right - caption.left),
                               static_cast<float>(caption.bottom - caption.top)};
        DrawSkinText(g, WindowTextGbk(frame.hwnd), frame.fontName, static_cast<float>(frame.fontSize), frame.fontStyle,
                     Argb(TextColour(frame.hwnd), 255), layout, kAlignCentre, 0, true);
    }
}

void SkinEngine::PaintBackdropBehind(HWND frame, HDC backdrop, const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    int windowIndex = 0;
    int frameIndex = 0;
    HWND backdropWindow = nullptr;
    FindSkinnedOwner(frame, windowIndex, frameIndex, backdropWindow, true);
    const SkinnedWindow* owner = Window(windowIndex);
    HDC source = nullptr;
    RECT at{};
    const bool supplied =
        backdropWindow != nullptr && backdropWindow != frame && GetPropA(backdropWindow, kPropOwnBackdropDc) != nullptr;
    if (owner != nullptr && !supplied) {
        source = owner->backdropDc;
        at = RectInOwner(frame);
    } else if (backdropWindow != nullptr) {
        if (backdropWindow == frame) {
            if (HWND supplier = static_cast<HWND>(GetPropA(frame, kPropFrameOwner))) {
                source = static_cast<HDC>(GetPropA(supplier, kPropOwnBackdropDc));
                at = RectRelativeTo(supplier, frame);
            } else if (const SkinnedWindow* top = Window(FindOwnerWindowIndex(frame))) {
                source = top->backdropDc;
                at = RectInRoot(frame);
            }
        } else {
            source = static_cast<HDC>(GetPropA(backdropWindow, kPropOwnBackdropDc));
            at = RectRelativeTo(backdropWindow, frame);
        }
        owner = Window(FindOwnerWindowIndex(frame));
    }
    if (source != nullptr) {
        BitBlt(backdrop, r.left, r.top, width, height, source, at.left + r.left, at.top + r.top, SRCCOPY);
    }
    const int index = owner != nullptr ? FindFrameIndex(FindWindowIndex(owner->hwnd), frame) : 0;
    if (index < 1) {
        return;
    }
    const ChildFrameEntry& entry = owner->childFrames[static_cast<size_t>(index - 1)];
    if (!entry.hasFill) {
        return;
    }
    DrawGraphics g;
    if (!g.CreateFromHDC(backdrop)) {
        return;
    }
    const uint32_t fill = Argb(entry.fillColour, entry.alpha);
    if (entry.rounded) {
        FillRectSolid(g, static_cast<float>(r.left), static_cast<float>(r.top + 4), static_cast<float>(width),
                      static_cast<float>(height - 4), fill);
    } else {
        FillRectSolid(g, static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(width),
                      static_cast<float>(height), fill);
    }
}

}  // namespace zandrel
