// Copies of the rendered window background for controls to paint over, the registry that owns their memory DCs,
// and the searches from any window handle to the skinned window (or child frame) it sits in.
#include <algorithm>
#include <vector>

#include "base/win_handles.h"
#include "draw/draw_brushes.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {

namespace {

HWND WindowFromProp(HWND hwnd, const char* key) {
    return static_cast<HWND>(GetPropA(hwnd, key));
}

bool SuppliesOwnBackdrop(HWND hwnd) {
    return reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kPropOwnBackdrop)) == 1;
}

// Lays a child frame's fill over the whole copy: for the frame's own copy a rounded body below its caption line, or
// the full rectangle; a copy for a window inside the frame lies within its body and is filled whole.
void FillFrame(HDC dc, const ChildFrameEntry& frame, int width, int height, bool own = true) {
    if (!frame.hasFill) {
        return;
    }
    DrawGraphics graphics;
    DrawPath path;
    DrawSolidBrush brush;
    if (!graphics.CreateFromHDC(dc) || !path.CreatePath() ||
        !brush.CreateSolidFill(ToArgb(frame.fillColour, frame.alpha, true))) {
        return;
    }
    if (frame.rounded && own) {
        AddRoundRect(path, 0, 5, static_cast<float>(width), static_cast<float>(height - 6), 5);
    } else {
        path.AddPathRectangle(0, 0, static_cast<float>(width), static_cast<float>(height));
    }
    graphics.FillPath(brush, path);
}

}  // namespace

HDC SkinEngine::CreateBackdropDc(HWND hwnd, const RECT& rect) {
    ++backdropCopies_;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // An empty or inverted rectangle still gets a working one-pixel DC, so callers can draw and release it as usual.
    HBITMAP hbitmap = nullptr;
    {
        DrawBitmap bitmap;
        if (!bitmap.CreateBitmap(std::max(width, 1), std::max(height, 1)) ||
            !bitmap.CreateHBITMAPFromBitmap(&hbitmap, 0)) {
            return nullptr;
        }
    }
    UniqueBitmap ownedBitmap(hbitmap);
    UniqueMemoryDc ownedDc(CreateCompatibleDC(nullptr));
    if (!ownedDc) {
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(ownedDc.get(), hbitmap);
    if (previous == nullptr || previous == HGDI_ERROR) {
        return nullptr;
    }
    HDC dc = ownedDc.release();
    RegisterMemoryDc(dc, ownedBitmap.release(), previous);
    if (width <= 0 || height <= 0) {
        return dc;
    }

    int windowIndex = 0;
    int frameIndex = 0;
    HWND backdropWindow = nullptr;
    FindSkinnedOwner(hwnd, windowIndex, frameIndex, backdropWindow, true);
    // A window inside the skinned one that renders its own backdrop is nearer: its picture is the one behind.
    const bool supplied =
        backdropWindow != nullptr && backdropWindow != hwnd && GetPropA(backdropWindow, kPropOwnBackdropDc) != nullptr;
    if (const SkinnedWindow* record = supplied ? nullptr : Window(windowIndex)) {
        const RECT o = RectInOwner(hwnd);
        if (record->backdropDc != nullptr) {
            BitBlt(dc, 0, 0, width, height, record->backdropDc, o.left + rect.left, o.top + rect.top, SRCCOPY);
        }
        // The fills of the frames the window lies in, outer ones first, then its own when it is a frame.
        std::vector<const ChildFrameEntry*> around;
        for (HWND h = hwnd;;) {
            const int frame = FindEnclosingFrame(windowIndex, h, record->hwnd);
            if (frame <= 0) {
                break;
            }
            around.push_back(&record->childFrames[frame - 1]);
            h = record->childFrames[frame - 1].hwnd;
        }
        for (auto it = around.rbegin(); it != around.rend(); ++it) {
            FillFrame(dc, **it, width, height, false);
        }
        if (const int frame = FindFrameIndex(windowIndex, hwnd); frame > 0) {
            FillFrame(dc, record->childFrames[frame - 1], width, height);
        }
        return dc;
    }
    if (backdropWindow == nullptr) {
        return dc;
    }
    HDC source = nullptr;
    RECT sourceRect{};
    std::vector<const ChildFrameEntry*> fills;
    const ChildFrameEntry* ownFill = nullptr;
    if (hwnd == backdropWindow) {
        if (HWND supplier = WindowFromProp(hwnd, kPropFrameOwner)) {
            source = static_cast<HDC>(GetPropA(supplier, kPropOwnBackdropDc));
            sourceRect = RectRelativeTo(supplier, hwnd);
        } else if (const SkinnedWindow* owner = Window(FindOwnerWindowIndex(hwnd))) {
            source = owner->backdropDc;
            sourceRect = RectInRoot(hwnd);
        }
    } else {
        source = static_cast<HDC>(GetPropA(backdropWindow, kPropOwnBackdropDc));
        sourceRect = RectRelativeTo(backdropWindow, hwnd);
        const int ownerIndex = FindOwnerWindowIndex(hwnd);
        if (const SkinnedWindow* owner = Window(ownerIndex)) {
            // A frame's own fill lies on top of those of the frames around it.
            if (const int own = FindFrameIndex(ownerIndex, hwnd); own > 0) {
                ownFill = &owner->childFrames[own - 1];
            }
            for (HWND h = hwnd;;) {
                const int frame = FindEnclosingFrame(ownerIndex, h, backdropWindow);
                if (frame <= 0) {
                    break;
                }
                fills.push_back(&owner->childFrames[frame - 1]);
                h = owner->childFrames[frame - 1].hwnd;
            }
        }
    }
    if (source != nullptr) {
        BitBlt(dc, 0, 0, width, height, source, sourceRect.left + rect.left, sourceRect.top + rect.top, SRCCOPY);
    }
    // Outer frames first, so an inner frame's fill lies on top.
    for (auto it = fills.rbegin(); it != fills.rend(); ++it) {
        FillFrame(dc, **it, width, height, false);
    }
    if (ownFill != nullptr) {
        FillFrame(dc, *ownFill, width, height);
    }
    return dc;
}

void SkinEngine::RegisterMemoryDc(HDC dc, HBITMAP bitmap, HGDIOBJ previousBitmap) {
    if (dc == nullptr) {
        return;
    }
    for (MemoryDcEntry& entry : memoryDcs_) {
        if (entry.dc == dc) {
            entry.bitmap = bitmap;
            entry.previousBitmap = previousBitmap;
            return;
        }
    }
    memoryDcs_.push_back(MemoryDcEntry{dc, bitmap, previousBitmap});
}

int SkinEngine::ReleaseMemoryDc(HDC dc) {
    if (dc == nullptr) {
        return 0;
    }
    const auto it =
        std::find_if(memoryDcs_.begin(), memoryDcs_.end(), [dc](const MemoryDcEntry& e) { return e.dc == dc; });
    if (it == memoryDcs_.end()) {
        return 0;
    }
    HGDIOBJ current = SelectObject(dc, it->previousBitmap);
    if (current != nullptr && current != HGDI_ERROR) {
        DeleteObject(current);
    }
    DeleteDC(dc);
    memoryDcs_.erase(it);
    return 1;
}

int SkinEngine::FindWindowIndex(HWND hwnd) const {
    if (hwnd == nullptr) {
        return 0;
    }
    for (int i = 1; i <= WindowCount(); ++i) {
        if (Window(i)->hwnd == hwnd) {
            return i;
        }
    }
    return 0;
}

int SkinEngine::FindOwnerWindowIndex(HWND hwnd) const {
    for (HWND h = GetParent(hwnd); h != nullptr; h = GetParent(h)) {
        if (const int index = FindWindowIndex(h); index > 0) {
            return index;
        }
    }
    return 0;
}

int SkinEngine::FindFrameIndex(int windowIndex, HWND hwnd) const {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || hwnd == nullptr) {
        return 0;
    }
    for (size_t i = 0; i < record->childFrames.size(); ++i) {
        if (record->childFrames[i].hwnd == hwnd) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int SkinEngine::FindEnclosingFrame(int windowIndex, HWND hwnd, HWND stopHwnd) const {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        return 0;
    }
    for (HWND h = GetParent(hwnd); h != nullptr && h != stopHwnd; h = GetParent(h)) {
        const int frame = FindFrameIndex(windowIndex, h);
        if (frame > 0 && record->childFrames[frame - 1].ownBackground) {
            return frame;
        }
    }
    return 0;
}

void SkinEngine::FindSkinnedOwner(HWND hwnd,
                                  int& windowIndex,
                                  int& frameIndex,
                                  HWND& backdropWindow,
                                  bool useProps) const {
    windowIndex = 0;
    frameIndex = 0;
    backdropWindow = nullptr;
    if (hwnd == nullptr) {
        return;
    }
    if (useProps && SuppliesOwnBackdrop(hwnd)) {
        backdropWindow = hwnd;
    }
    if (const int index = FindWindowIndex(hwnd); index > 0) {
        windowIndex = index;
        return;
    }
    for (HWND h = GetParent(hwnd); h != nullptr; h = GetParent(h)) {
        if (useProps && SuppliesOwnBackdrop(h)) {
            backdropWindow = h;
        }
        if (const int index = FindWindowIndex(h); index > 0) {
            windowIndex = index;
            return;
        }
        for (int i = 1; i <= WindowCount(); ++i) {
            if (const int frame = FindFrameIndex(i, h); frame > 0) {
                windowIndex = i;
                frameIndex = frame;
                if (HWND supplier = useProps ? WindowFromProp(h, kPropFrameOwner) : nullptr) {
                    backdropWindow = supplier;
                }
                return;
            }
        }
    }
}

RECT SkinEngine::RectInOwner(HWND hwnd) const {
    int windowIndex = 0;
    int frameIndex = 0;
    HWND backdropWindow = nullptr;
    FindSkinnedOwner(hwnd, windowIndex, frameIndex, backdropWindow, false);
    // Relative to the skinned window whose backdrop is copied, also for controls inside one of its child frames:
    // the backdrop covers the whole window, so a frame-relative offset would copy the wrong slice.
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return RECT{0, 0, r.right - r.left, r.bottom - r.top};
    }
    return RectRelativeTo(record->hwnd, hwnd);
}

HBITMAP SkinEngine::DcToBitmap(HDC dc, int width, int height) {
    HBITMAP result = nullptr;
    if (dc != nullptr && width > 0 && height > 0) {
        UniqueMemoryDc copy(CreateCompatibleDC(nullptr));
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
        if (copy && bitmap) {
            {
                SelectedObject selected(copy.get(), bitmap.get());
                BitBlt(copy.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
            }
            result = bitmap.release();
        }
    }
    ReleaseMemoryDc(dc);
    return result;
}

HBITMAP SkinEngine::MakeVeiledBackdropBitmap(HWND hwnd) {
    const RECT r = ClientRectInWindow(hwnd);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC dc = CreateBackdropDc(hwnd, r);
    if (dc == nullptr) {
        return nullptr;
    }
    {
        DrawGraphics graphics;
        DrawSolidBrush veil;
        if (graphics.CreateFromHDC(dc) && veil.CreateSolidFill(ToArgb(0xFFFFFF, OverlayAlpha(), true))) {
            graphics.FillRectangle(veil, 0, 0, static_cast<float>(width), static_cast<float>(height));
        }
    }
    return DcToBitmap(dc, width, height);
}

}  // namespace zandrel
