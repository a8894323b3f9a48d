// Where the painters draw, as plain functions: combo buttons, radio rings, progress fills, up-down halves and
// track-bar thumbs and selections, including the ends and the empty ranges.
#include <gtest/gtest.h>

#include "skin/painters/painter_geometry.h"

namespace zandrel {
namespace {

void ExpectRect(const FloatRect& r, float x, float y, float w, float h, const char* what) {
    EXPECT_FLOAT_EQ(r.x, x) << what;
    EXPECT_FLOAT_EQ(r.y, y) << what;
    EXPECT_FLOAT_EQ(r.w, w) << what;
    EXPECT_FLOAT_EQ(r.h, h) << what;
}

TEST(PainterGeometry, ComboButtonSitsAtTheRightEdgeInsideTheFrame) {
    struct Case {
        int w, h;
        bool list;
        FloatRect button;
    };
    const Case cases[] = {
        {140, 22, true, {121, 2, 17, 18}},
        {140, 22, false, {120, 2, 18, 18}},
        {60, 30, true, {41, 2, 17, 26}},
    };
    for (const Case& c : cases) {
        const ComboLayout layout = LayoutCombo(c.w, c.h, c.list);
        ExpectRect(layout.button, c.button.x, c.button.y, c.button.w, c.button.h, "button");
        EXPECT_FLOAT_EQ(layout.button.x + layout.button.w, static_cast<float>(c.w - 2)) << c.w;
    }
}

TEST(PainterGeometry, RadioRingIsCentredVerticallyAndTheDotInsideIt) {
    for (float height : {12.0f, 13.0f, 20.0f, 40.0f}) {
        const FloatRect ring = RadioRing(0, 0, height);
        const FloatRect dot = RadioDot(0, 0, height);
        EXPECT_FLOAT_EQ(ring.x, 2);
        EXPECT_FLOAT_EQ(ring.y, (height - 12) / 2) << height;
        EXPECT_FLOAT_EQ(ring.w, 12);
        // The dot is centred in the ring.
        EXPECT_FLOAT_EQ(dot.x + dot.w / 2, ring.x + ring.w / 2) << height;
        EXPECT_FLOAT_EQ(dot.y + dot.h / 2, ring.y + ring.h / 2) << height;
    }
    const FloatRect shifted = RadioRing(10, 5, 20);
    ExpectRect(shifted, 12, 9, 12, 12, "offset ring");
}

TEST(PainterGeometry, ProgressFillIsTheShareOfTheRangeAndNeverLeavesTheBar) {
    struct Case {
        const char* what;
        int w, h, low, high, pos;
        bool vertical;
        int x, y, fw, fh;
        bool figure;
    };
    const Case cases[] = {
        {"60 of 100", 200, 18, 0, 100, 60, false, 0, 0, 120, 18, true},
        {"low end counts", 200, 18, 50, 150, 100, false, 0, 0, 100, 18, true},
        {"at the low end", 200, 18, 50, 150, 50, false, 0, 0, 0, 18, false},
        {"below the range", 200, 18, 50, 150, 0, false, 0, 0, 0, 18, false},
        {"above the range", 200, 18, 0, 100, 500, false, 0, 0, 200, 18, true},
        {"full", 200, 18, 0, 100, 100, false, 0, 0, 200, 18, true},
        {"negative range", 100, 10, -100, -50, -75, false, 0, 0, 50, 10, true},
        {"vertical grows from the bottom", 20, 150, 0, 100, 35, true, 0, 98, 20, 52, true},
        {"vertical full", 20, 150, 0, 100, 100, true, 0, 0, 20, 150, true},
    };
    for (const Case& c : cases) {
        const ProgressFill fill = LayoutProgressFill(c.w, c.h, c.low, c.high, c.pos, c.vertical);
        EXPECT_EQ(fill.x, c.x) << c.what;
        EXPECT_EQ(fill.y, c.y) << c.what;
        EXPECT_EQ(fill.w, c.fw) << c.what;
        EXPECT_EQ(fill.h, c.fh) << c.what;
        EXPECT_EQ(fill.hasFigure, c.figure) << c.what;
        if (fill.hasFigure) {
            EXPECT_GE(fill.figure.x, fill.x) << c.what;
            EXPECT_LE(fill.figure.x + fill.figure.w, static_cast<float>(fill.x + fill.w)) << c.what;
        }
    }
}

TEST(PainterGeometry, ProgressWithAnEmptyOrInvertedRangeFillsNothing) {
    struct Case {
        int low, high, pos;
    };
    for (const Case& c : {Case{10, 10, 10}, Case{0, 0, 5}, Case{100, 0, 50}, Case{5, 4, 5}}) {
        const ProgressFill fill = LayoutProgressFill(200, 18, c.low, c.high, c.pos, false);
        EXPECT_FALSE(fill.hasFigure) << c.low << ".." << c.high;
        EXPECT_EQ(fill.w, 0) << c.low << ".." << c.high;
    }
    EXPECT_FALSE(LayoutProgressFill(0, 18, 0, 100, 50, false).hasFigure);
    EXPECT_FALSE(LayoutProgressFill(200, 0, 0, 100, 50, true).hasFigure);
}

TEST(PainterGeometry, UpDownHalvesSplitTheControlAndThePointerPicksOne) {
    struct Case {
        int w, h;
        bool horizontal;
        FloatRect first, second;
    };
    const Case cases[] = {
        {16, 24, false, {0, 0, 16, 12}, {0, 12, 16, 12}},
        {16, 25, false, {0, 0, 16, 12}, {0, 12, 16, 12}},
        {30, 16, true, {0, 0, 15, 16}, {15, 0, 15, 16}},
    };
    for (const Case& c : cases) {
        const UpDownHalves halves = LayoutUpDown(c.w, c.h, c.horizontal);
        ExpectRect(halves.first, c.first.x, c.first.y, c.first.w, c.first.h, "first");
        ExpectRect(halves.second, c.second.x, c.second.y, c.second.w, c.second.h, "second");
    }
    struct Point {
        int w, h;
        bool horizontal;
        int x, y, part;
    };
    const Point points[] = {
        {16, 24, false, 8, 0, 0},  {16, 24, false, 8, 12, 0}, {16, 24, false, 8, 13, 1},
        {16, 24, false, 8, 23, 1}, {30, 16, true, 15, 8, 0},  {30, 16, true, 16, 8, 1},
    };
    for (const Point& p : points) {
        EXPECT_EQ(UpDownPartAt(p.w, p.h, p.horizontal, p.x, p.y), p.part) << p.x << "," << p.y;
    }
}

TrackbarState Bar(int pos, int thumbLeft) {
    TrackbarState s;
    s.channel = RECT{8, 13, 252, 17};  // 244 pixels along the bar
    s.thumb = RECT{thumbLeft, 5, thumbLeft + 11, 25};
    s.min = 0;
    s.max = 100;
    s.pos = pos;
    s.tickSide = 3;
    return s;
}

TEST(PainterGeometry, TrackbarThumbAndAccentLineFollowThePositionToBothEnds) {
    const TrackbarLayout atStart = LayoutTrackbar(Bar(0, 3));
    EXPECT_FLOAT_EQ(atStart.thumb.x, 3);
    EXPECT_FLOAT_EQ(atStart.progress.w, 0);  // nothing to the left of the thumb
    EXPECT_FLOAT_EQ(atStart.progress.x, 8);

    const TrackbarLayout middle = LayoutTrackbar(Bar(50, 125));
    EXPECT_FLOAT_EQ(middle.thumb.x, 125);
    EXPECT_FLOAT_EQ(middle.progress.w, 125 - 8 - 1);

    const TrackbarLayout atEnd = LayoutTrackbar(Bar(100, 247));
    EXPECT_GT(atEnd.thumb.x, middle.thumb.x);
    EXPECT_GE(atEnd.progress.x + atEnd.progress.w, 252);  // the line reaches the channel's end

    TrackbarState hovered = Bar(50, 125);
    hovered.hovered = true;
    const TrackbarLayout big = LayoutTrackbar(hovered);
    EXPECT_FLOAT_EQ(big.thumb.w, 11);
    EXPECT_GT(big.thumb.w, middle.thumb.w);
}

TEST(PainterGeometry, TrackbarSelectionMapsTheRangeOntoTheChannel) {
    struct Case {
        const char* what;
        int min, max, selStart, selEnd;
        bool has;
        float x, w;
    };
    const Case cases[] = {
        {"whole range", 0, 100, 0, 100, true, 8, 244},
        {"inner range", 0, 100, 20, 70, true, 8 + 0.2f * 244, 0.5f * 244},
        {"reversed", 0, 100, 70, 20, true, 8 + 0.2f * 244, 0.5f * 244},
        {"beyond both ends", 0, 100, -50, 300, true, 8, 244},
        {"offset range at its ends", 50, 150, 50, 150, true, 8, 244},
        {"empty range", 10, 10, 10, 10, false, 0, 0},
    };
    for (const Case& c : cases) {
        TrackbarState s = Bar(c.min, 3);
        s.selRange = true;
        s.min = c.min;
        s.max = c.max;
        s.selStart = c.selStart;
        s.selEnd = c.selEnd;
        const TrackbarLayout layout = LayoutTrackbar(s);
        EXPECT_EQ(layout.hasSelection, c.has) << c.what;
        if (c.has) {
            EXPECT_NEAR(layout.selection.x, c.x, 0.01) << c.what;
            EXPECT_NEAR(layout.selection.w, c.w, 0.01) << c.what;
        }
    }
}

TEST(PainterGeometry, VerticalTrackbarRunsDownTheChannel) {
    TrackbarState s = Bar(50, 125);
    s.vertical = true;
    s.thumb = RECT{5, 125, 25, 136};
    s.selRange = true;
    s.selStart = 0;
    s.selEnd = 100;
    const TrackbarLayout layout = LayoutTrackbar(s);
    EXPECT_FLOAT_EQ(layout.bar.y, 8);
    EXPECT_FLOAT_EQ(layout.bar.h, 244);
    EXPECT_LT(layout.bar.w, layout.bar.h);
    EXPECT_FLOAT_EQ(layout.thumb.y, 125);
    EXPECT_FLOAT_EQ(layout.selection.y, 8);
    EXPECT_FLOAT_EQ(layout.selection.h, 244);
}

}  // namespace
}  // namespace zandrel
