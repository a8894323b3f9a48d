#include "skin/painters/painter_geometry.h"

#include <algorithm>
#include <cmath>

namespace zandrel {

ComboLayout LayoutCombo(int width, int height, bool dropDownList) {
    const float W = static_cast<float>(width);
    const float H = static_cast<float>(height);
    const float bw = dropDownList ? 17.0f : 18.0f;
    ComboLayout layout;
    layout.button = FloatRect{W - bw - 2, 2, bw, H - 4};
    layout.text = FloatRect{2, (H - 12) / 2, W - 17, H - 4};
    return layout;
}

FloatRect RadioRing(float left, float top, float height) {
    return FloatRect{left + 2, top + (height - 12) / 2, 12, 12};
}

FloatRect RadioDot(float left, float top, float height) {
    return FloatRect{left + 5, top + (height - 12) / 2 + 3, 6, 6};
}

ProgressFill LayoutProgressFill(int width, int height, int low, int high, int pos, bool vertical) {
    ProgressFill fill;
    if (high <= low || width <= 0 || height <= 0) {
        return fill;
    }
    const double share = std::clamp(static_cast<double>(pos) - low, 0.0, static_cast<double>(high) - low) /
                         (static_cast<double>(high) - low);
    if (vertical) {
        fill.w = width;
        fill.h = static_cast<int>(height * share);
        fill.x = 0;
        fill.y = height - fill.h;  // grows from the bottom
    } else {
        fill.w = static_cast<int>(width * share);
        fill.h = height;
    }
    const int length = vertical ? fill.h : fill.w;
    if (length > 0) {
        fill.hasFigure = true;
        fill.figure = FloatRect{static_cast<float>(fill.x + 1), static_cast<float>(fill.y + 1),
                                static_cast<float>(fill.w - 3), static_cast<float>(fill.h - 3)};
    }
    return fill;
}

UpDownHalves LayoutUpDown(int width, int height, bool horizontal) {
    UpDownHalves halves;
    if (horizontal) {
        const float K = std::floor(width / 2.0f);
        const float L = static_cast<float>(height);
        halves.first = FloatRect{0, 0, K, L};
        halves.second = FloatRect{K, 0, K, L};
    } else {
        const float K = static_cast<float>(width);
        const float L = std::floor(height / 2.0f);
        halves.first = FloatRect{0, 0, K, L};
        halves.second = FloatRect{0, L, K, L};
    }
    return halves;
}

int UpDownPartAt(int width, int height, bool horizontal, int x, int y) {
    if (horizontal) {
        return std::floor(width / 2.0) < x ? 1 : 0;
    }
    return std::floor(height / 2.0) < y ? 1 : 0;
}

TrackbarLayout LayoutTrackbar(const TrackbarState& s) {
    TrackbarLayout layout;
    const RECT& c = s.channel;
    const float length = static_cast<float>(c.right - c.left);     // along the bar
    const float thickness = static_cast<float>(c.bottom - c.top);  // across it
    const float narrowStart = static_cast<float>(c.top) + (thickness - 4) / 2;
    // Along the bar and across it, whatever way the bar runs; converted to x and y at the end.
    struct Span {
        float along, across, alongLength, acrossLength;
    };
    const auto place = [&](const Span& span) {
        return s.vertical ? FloatRect{span.across, span.along, span.acrossLength, span.alongLength}
                          : FloatRect{span.along, span.across, span.alongLength, span.acrossLength};
    };
    const Span bar = s.selRange ? Span{static_cast<float>(c.left), narrowStart, length, 4}
                                : Span{static_cast<float>(c.left), static_cast<float>(c.top), length, thickness};
    layout.bar = place(bar);
    const float crossStart = bar.across;

    const bool atMax = s.pos == s.max;
    const float thumbAlong = static_cast<float>(s.vertical ? s.thumb.top : s.thumb.left);
    if (s.hovered) {
        float across = crossStart - 4;
        if (s.tickSide == 0) {
            across += 2;
        } else if (s.tickSide == 2) {
            across += 1;
        }
        layout.thumb = place(Span{thumbAlong, across, 11, 11});
    } else {
        layout.thumb = place(Span{thumbAlong + (atMax ? 8.0f : 0.0f), crossStart - 0.5f, 4, 4});
    }

    const float lineAcross = s.selRange ? narrowStart + 1 : static_cast<float>(c.top) + 1;
    float lineLength = thumbAlong - static_cast<float>(c.left) - 1 + (atMax ? 10.0f : 0.0f);
    lineLength = std::max(0.0f, lineLength);
    layout.progress = place(Span{static_cast<float>(c.left), lineAcross, lineLength, 1});

    // The selection maps its values onto the channel the way the thumb does: the range minimum at the channel's
    // start, the maximum at its end.
    if (s.selRange && s.max > s.min) {
        const float range = static_cast<float>(s.max - s.min);
        const int first = std::clamp(std::min(s.selStart, s.selEnd), s.min, s.max);
        const int last = std::clamp(std::max(s.selStart, s.selEnd), s.min, s.max);
        const float start = static_cast<float>(c.left) + (first - s.min) * length / range;
        const float extent = (last - first) * length / range;
        layout.hasSelection = true;
        layout.selection = place(Span{start, narrowStart + 1, extent, 1});
    }
    return layout;
}

}  // namespace zandrel
