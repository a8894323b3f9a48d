// The skin engine object: its one instance, start-up and shutdown, and the window list with the properties that
// lead from a window back to its record.
#include "skin/core/skin_engine.h"

#include <utility>

#include "skin/core/control_subclass.h"

namespace zandrel {

namespace {

SkinEngine* gInstance = nullptr;

constexpr WORD kAppIconResource = 129;

HANDLE IndexValue(int index) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(index));
}

// Hands the backdrop DC its first bitmap back and deletes the rendered one; the strip copies and the control
// brushes release themselves.
template <typename List>
void MarkOwner(const List& list, const char* key, int windowIndex) {
    for (const ControlEntry& entry : list) {
        if (entry.hwnd != nullptr && IsWindow(entry.hwnd)) {
            SetPropA(entry.hwnd, key, IndexValue(windowIndex));
        }
    }
}

// Frames get their own procedures back when the engine goes before them.
void ReleaseChildFrames(SkinnedWindow& window) {
    for (ChildFrameEntry& frame : window.childFrames) {
        HWND hwnd = frame.hwnd;
        if (hwnd == nullptr || !IsWindow(hwnd) || frame.previousWndProc == nullptr) {
            continue;
        }
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != frame.previousWndProc) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frame.previousWndProc));
        }
        for (const char* key : {kPropPreviousProc, kPropWindowIndex, kPropOwnerIndex, kPropFrameOwner}) {
            RemovePropA(hwnd, key);
        }
        frame.hwnd = nullptr;
    }
}

void ReleaseBackdrop(SkinnedWindow& window) {
    if (window.backdropDc != nullptr) {
        if (window.backdropFirstBitmap != nullptr) {
            SelectObject(window.backdropDc, window.backdropFirstBitmap);
        }
        DeleteDC(window.backdropDc);
    }
    if (window.backdropBitmap != nullptr) {
        DeleteObject(window.backdropBitmap);
    }
    window.backdropDc = nullptr;
    window.backdropFirstBitmap = nullptr;
    window.backdropBitmap = nullptr;
    window.captionBackdrop.Reset();
    window.statusBackdrop.Reset();
    window.controlBrushes.clear();
    if (IsWindow(window.hwnd)) {
        RemovePropA(window.hwnd, kPropFirstBitmap);
        RemovePropA(window.hwnd, kPropBackdropBitmap);
    }
}

}  // namespace

SkinEngine::SkinEngine() {
    defaultBackgroundColour_ = GetSysColor(COLOR_BTNFACE);
    // The window procedures reach the engine through this pointer; a second object would not be reachable, so
    // the first one keeps it (and a second one refuses to start).
    if (gInstance == nullptr) {
        gInstance = this;
    }
}

SkinEngine::~SkinEngine() {
    // Windows that outlive the engine get their own procedures back and keep no GDI object of ours.
    while (!windows_.empty()) {
        SkinnedWindow& window = *windows_.back();
        HWND hwnd = window.hwnd;
        if (IsWindow(hwnd)) {
            KillTimer(hwnd, reinterpret_cast<UINT_PTR>(hwnd));
            const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
            RemovePropA(hwnd, kPropWindowIndex);
            if (current == &SkinEngine::WindowProcThunk && window.previousWndProc != nullptr) {
                SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(window.previousWndProc));
                RemovePropA(hwnd, kPropPreviousProc);
            }
            // Otherwise someone subclassed the window after us: the thunk stays in the chain and, with no engine,
            // passes every message on through "Hw_hProc".
        }
        // Frames first: a container control that is a frame as well has the frame's procedure above its own.
        ReleaseChildFrames(window);
        ReleaseAllControls(window.controls);
        ReleaseBackdrop(window);
        windows_.pop_back();
    }
    while (!memoryDcs_.empty()) {
        if (ReleaseMemoryDc(memoryDcs_.back().dc) == 0) {
            memoryDcs_.pop_back();
        }
    }
    if (appIcon_ != nullptr) {
        DestroyIcon(appIcon_);
        appIcon_ = nullptr;
    }
    if (gInstance == this) {
        gInstance = nullptr;
    }
    // gdiplus_ shuts GDI+ down as the last member to go.
}

SkinEngine* SkinEngine::Instance() {
    return gInstance;
}

PainterHost* ActivePainterHost() {
    return gInstance;
}

ControlLists* SkinEngine::Controls(int windowIndex) {
    SkinnedWindow* window = Window(windowIndex);
    return window != nullptr ? &window->controls : nullptr;
}

bool SkinEngine::Startup() {
    if (gInstance != this || !gdiplus_.Start()) {
        return false;
    }
    // Loaded as a private copy (not LR_SHARED), so destroying it at shutdown is right.
    HINSTANCE module = GetModuleHandleW(nullptr);
    if (appIcon_ != nullptr) {
        DestroyIcon(appIcon_);
    }
    appIcon_ =
        static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(kAppIconResource), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (appIcon_ == nullptr) {
        appIcon_ = static_cast<HICON>(LoadImageW(module, L"DEFAULT_ICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    }
    skipNextBackdropRefresh_ = true;
    controlSkinMode_ = 1;
    overlayAlpha_ = 160;
    accentColour_ = 0xDDCA22;
    trackbarStyle_ = 1;
    return true;
}

SkinnedWindow* SkinEngine::Window(int windowIndex) {
    if (windowIndex < 1 || windowIndex > WindowCount()) {
        return nullptr;
    }
    return windows_[static_cast<size_t>(windowIndex - 1)].get();
}

const SkinnedWindow* SkinEngine::Window(int windowIndex) const {
    if (windowIndex < 1 || windowIndex > WindowCount()) {
        return nullptr;
    }
    return windows_[static_cast<size_t>(windowIndex - 1)].get();
}

int SkinEngine::IndexFromProperty(HWND hwnd) const {
    if (hwnd == nullptr) {
        return 0;
    }
    const auto index = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(hwnd, kPropWindowIndex)));
    // Controls carry "Hw_lbID" too (their place in a control list), so the record must name this very window.
    const SkinnedWindow* window = Window(index);
    return window != nullptr && window->hwnd == hwnd ? index : 0;
}

void SkinEngine::Renumber() {
    for (int i = 1; i <= WindowCount(); ++i) {
        SkinnedWindow& window = *windows_[static_cast<size_t>(i - 1)];
        if (IsWindow(window.hwnd)) {
            SetPropA(window.hwnd, kPropWindowIndex, IndexValue(i));
        }
        const ControlLists& c = window.controls;
        MarkOwner(c.buttons, kPropOwnerIndex, i);
        MarkOwner(c.edits, kPropOwnerIndex, i);
        MarkOwner(c.lists, kPropOwnerIndex, i);
        MarkOwner(c.trackbars, kPropOwnerIndex, i);
        MarkOwner(c.progressBars, kPropOwnerIndex, i);
        MarkOwner(c.combos, kPropOwnerIndex, i);
        MarkOwner(c.upDowns, kPropOwnerIndex, i);
        MarkOwner(c.headers, kPropOwnerIndex, i);
        MarkOwner(c.containers, kPropContainerOwner, i);
        for (const ChildFrameEntry& frame : window.childFrames) {
            if (frame.hwnd != nullptr && IsWindow(frame.hwnd)) {
                SetPropA(frame.hwnd, kPropOwnerIndex, IndexValue(i));
            }
        }
    }
}

void SkinEngine::ForgetWindow(HWND hwnd) {
    for (size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i]->hwnd != hwnd) {
            continue;
        }
        // Take the record out of the list first: whatever runs while it is taken apart (a tooltip being
        // destroyed, say) finds a consistent list.
        std::unique_ptr<SkinnedWindow> record = std::move(windows_[i]);
        windows_.erase(windows_.begin() + static_cast<std::ptrdiff_t>(i));
        hotCaptionButton_ = 0;
        RemovePropA(hwnd, kPropWindowIndex);
        ReleaseBackdrop(*record);
        Renumber();
        record.reset();
        return;
    }
}

}  // namespace zandrel
