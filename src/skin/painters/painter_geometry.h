// The geometry of the control painters as plain functions of sizes and control values, so that what a painter
// draws where can be checked without drawing.
#pragma once

#include <windows.h>

namespace zandrel {

// The signed client coordinates of a mouse message's lParam.
inline int MouseX(LPARAM lParam) {
    return static_cast<short>(LOWORD(lParam));
}
inline int MouseY(LPARAM lParam) {
    return static_cast<short>(HIWORD(lParam));
}

struct FloatRect {
    float x = 0, y = 0, w = 0, h = 0;
};

// A combo box of W x H: its drop button, and the rectangle the text of a drop-down list is drawn in.
struct ComboLayout {
    FloatRect button;
    FloatRect text;
};
ComboLayout LayoutCombo(int width, int height, bool dropDownList);

// The 12 x 12 ring and the 6 x 6 dot of a radio button in a client area of the given height.
FloatRect RadioRing(float left, float top, float height);
FloatRect RadioDot(float left, float top, float height);

// The fill of a progress bar: the filled rectangle (whole pixels) and the rounded figure drawn in it; no figure
// when nothing is filled. The range's low end counts: the fill is the share of (pos - low) in (high - low), kept
// inside the bar; an empty or inverted range fills nothing.
struct ProgressFill {
    int x = 0, y = 0, w = 0, h = 0;
    bool hasFigure = false;
    FloatRect figure;
};
ProgressFill LayoutProgressFill(int width, int height, int low, int high, int pos, bool vertical);

// An up-down control's two halves (up or left first), and which one a point is over (0 first, 1 second).
struct UpDownHalves {
    FloatRect first;
    FloatRect second;
};
UpDownHalves LayoutUpDown(int width, int height, bool horizontal);
int UpDownPartAt(int width, int height, bool horizontal, int x, int y);

// What the track-bar painter needs of the control, as it reports it.
struct TrackbarState {
    RECT channel{};  // TBM_GETCHANNELRECT (along the bar as if horizontal, also for a vertical one)
    RECT thumb{};    // TBM_GETTHUMBRECT
    int pos = 0;
    int min = 0;
    int max = 0;
    int selStart = 0;
    int selEnd = 0;
    bool vertical = false;
    bool selRange = false;
    bool hovered = false;
    int tickSide = 1;  // 0 top/left, 1 bottom/right, 2 both, 3 none
};
struct TrackbarLayout {
    FloatRect bar;       // the channel
    FloatRect thumb;     // the round thumb's box
    FloatRect progress;  // the accent line from the channel start to the thumb (zero length at the start)
    bool hasSelection = false;
    FloatRect selection;  // the selection range along the channel
};
TrackbarLayout LayoutTrackbar(const TrackbarState& state);

}  // namespace zandrel
