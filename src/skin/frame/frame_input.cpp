// Moving and resizing a frameless skinned window: a press near an edge starts a system resize, a press in the
// caption a system move, and the cursor shows the resize direction over the edges.
#include <windows.h>
#include <windowsx.h>

#include <iterator>

#include "skin/core/skin_engine.h"

namespace zandrel {

namespace {

constexpr double kTolerance = 1e-7;

bool AtMost(double value, double limit) {
    return value <= limit + kTolerance;
}
bool AtLeast(double value, double limit) {
    return value >= limit - kTolerance;
}
bool Below(double value, double limit) {
    return value < limit - kTolerance;
}

struct EdgeZone {
    WPARAM command;  // SC_SIZE + the WMSZ_ edge
    WORD cursor;     // system cursor id (IDC_SIZE...)
};

constexpr WORD kSizeWe = 32644;    // IDC_SIZEWE
constexpr WORD kSizeNs = 32645;    // IDC_SIZENS
constexpr WORD kSizeNwse = 32642;  // IDC_SIZENWSE
constexpr WORD kSizeNesw = 32643;  // IDC_SIZENESW

// In the order they are tested; the first match wins.
constexpr EdgeZone kZones[] = {
    {SC_SIZE + WMSZ_LEFT, kSizeWe},         {SC_SIZE + WMSZ_RIGHT, kSizeWe},
    {SC_SIZE + WMSZ_TOP, kSizeNs},          {SC_SIZE + WMSZ_BOTTOM, kSizeNs},
    {SC_SIZE + WMSZ_TOPLEFT, kSizeNwse},    {SC_SIZE + WMSZ_TOPRIGHT, kSizeNesw},
    {SC_SIZE + WMSZ_BOTTOMLEFT, kSizeNesw}, {SC_SIZE + WMSZ_BOTTOMRIGHT, kSizeNwse},
};

// The edge zone under (x, y) in a client area with right edge r and bottom b, margin m; nullptr for none.
const EdgeZone* FindZone(double x, double y, double r, double b, double m) {
    const bool sideRows = AtLeast(y, 11) && Below(y, b - 10);
    const bool sideColumns = AtLeast(x, 11) && Below(x, r - 10);
    const bool matches[] = {
        AtMost(x, m) && sideRows,                  // left
        AtLeast(x, r - m) && sideRows,             // right
        sideColumns && AtMost(y, m),               // top
        sideColumns && AtLeast(y, b - m),          // bottom
        AtMost(x, 10) && AtMost(y, 10),            // top-left
        AtLeast(x, r - 10) && AtMost(y, 10),       // top-right
        AtMost(x, 10) && AtLeast(y, b - 10),       // bottom-left
        AtLeast(x, r - 10) && AtLeast(y, b - 10),  // bottom-right
    };
    for (size_t i = 0; i < std::size(kZones); ++i) {
        if (matches[i]) {
            return &kZones[i];
        }
    }
    return nullptr;
}

// The press point in screen coordinates, as WM_NCLBUTTONDOWN and SC_SIZE expect it.
LPARAM ScreenPoint(HWND hwnd, int x, int y) {
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    return MAKELPARAM(static_cast<short>(point.x), static_cast<short>(point.y));
}

}  // namespace

void SkinEngine::OnFrameMouseDown(int windowIndex, LPARAM lParam, const RECT& clientRect) {
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return;
    }
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    // The caption buttons handle their own presses.
    if (x >= w->stripLeft && x <= w->stripLeft + w->stripWidth && y >= 3 && y <= w->stripHeight) {
        return;
    }
    if (!w->movable) {
        return;
    }
    HWND hwnd = w->hwnd;
    const bool inCaption = y <= w->captionHeight;
    // A window that may not be resized is never resized from its edges either; it can still be moved.
    if (w->resizable) {
        if (const EdgeZone* zone = FindZone(x, y, clientRect.right, clientRect.bottom, frameMargin_)) {
            w->backdropDirty = true;
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(zone->cursor)));
            ReleaseCapture();
            SendMessageW(hwnd, WM_SYSCOMMAND, zone->command, ScreenPoint(hwnd, x, y));
            return;
        }
    }
    if (inCaption) {
        ReleaseCapture();
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(hwnd, x, y));
    }
}

void SkinEngine::UpdateFrameCursor(int windowIndex, LPARAM lParam, const RECT& clientRect) {
    const SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr || !w->resizable) {
        return;
    }
    if (const EdgeZone* zone =
            FindZone(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), clientRect.right, clientRect.bottom, frameMargin_)) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(zone->cursor)));
    }
}

void SkinEngine::SetHelpCallback(HWND hwnd, ButtonCallback callback) {
    if (SkinnedWindow* w = Window(IndexFromProperty(hwnd))) {
        w->helpCallback = callback;
    }
}

void SkinEngine::SetMainMenuCallback(HWND hwnd, ButtonCallback callback) {
    if (SkinnedWindow* w = Window(IndexFromProperty(hwnd))) {
        w->menuCallback = callback;
    }
}

}  // namespace zandrel
