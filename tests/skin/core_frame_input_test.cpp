// Presses and mouse moves over a frameless skinned window: which edge starts a resize, where the caption starts a
// move, where nothing happens, and which cursor is shown.
#include <windows.h>

#include <gtest/gtest.h>

#include "core_fixture.h"

namespace zandrel::test {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr WPARAM kNothing = 0;
constexpr WPARAM kMove = 1;  // WM_NCLBUTTONDOWN with HTCAPTION

struct PressCase {
    const char* name;
    int x;
    int y;
    bool resizable;
    int captionHeight;
    WPARAM expected;  // SC_SIZE + edge, kMove or kNothing
};

// What one WM_LBUTTONDOWN led to, as the window's own procedure saw it.
WPARAM Outcome() {
    WPARAM result = kNothing;
    for (const SentCommand& c : Recorded()) {
        if (c.msg == WM_SYSCOMMAND) {
            result = c.wParam;
        } else if (c.msg == WM_NCLBUTTONDOWN && c.wParam == HTCAPTION) {
            result = kMove;
        }
    }
    return result;
}

TEST_F(CoreTest, PressesStartTheRightResizeOrMove) {
    const PressCase cases[] = {
        {"left edge", 2, 100, true, 80, SC_SIZE + WMSZ_LEFT},
        {"inside the margin, below the caption", 5, 100, true, 80, kNothing},
        {"inside the margin, in a tall caption", 5, 100, true, 120, kMove},
        {"top-left corner inside the caption", 5, 5, true, 80, SC_SIZE + WMSZ_TOPLEFT},
        {"right edge", 398, 150, true, 80, SC_SIZE + WMSZ_RIGHT},
        {"top edge", 200, 1, true, 80, SC_SIZE + WMSZ_TOP},
        {"bottom edge", 200, 298, true, 80, SC_SIZE + WMSZ_BOTTOM},
        {"bottom-left corner", 4, 295, true, 80, SC_SIZE + WMSZ_BOTTOMLEFT},
        {"bottom-right corner", 395, 295, true, 80, SC_SIZE + WMSZ_BOTTOMRIGHT},
        {"top-right corner above the button strip", 395, 2, true, 80, SC_SIZE + WMSZ_TOPRIGHT},
        {"caption-button strip", 395, 5, true, 80, kNothing},
        {"caption-button strip, bottom edge", 320, 22, true, 80, kNothing},
        {"caption", 200, 50, true, 80, kMove},
        {"client area", 200, 150, true, 80, kNothing},
        {"left of the window (x is signed)", -1, 100, true, 80, SC_SIZE + WMSZ_LEFT},
        {"not resizable: caption moves", 200, 50, false, 80, kMove},
        {"not resizable: corner in the caption moves", 5, 5, false, 80, kMove},
        {"not resizable: left edge does nothing", 2, 100, false, 80, kNothing},
        {"not resizable: bottom edge does nothing", 200, 298, false, 80, kNothing},
        {"not resizable: strip", 395, 5, false, 80, kNothing},
    };
    for (const PressCase& c : cases) {
        SkinWindowOptions options;
        options.captionHeight = c.captionHeight;
        options.resizable = c.resizable;
        HWND hwnd = Skinned(kWidth, kHeight, options);
        Recorded().clear();
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(c.x, c.y));
        EXPECT_EQ(Outcome(), c.expected) << c.name;
        DestroyWindow(hwnd);
    }
}

TEST_F(CoreTest, PressesOnAFixedWindowDoNothing) {
    struct Case {
        const char* name;
        bool movable;
        bool maximized;
    };
    for (const Case& c : {Case{"not movable", false, false}, Case{"maximised", true, true}}) {
        SkinWindowOptions options;
        options.captionHeight = 80;
        options.movable = c.movable;
        HWND hwnd = Skinned(kWidth, kHeight, options);
        Record(hwnd).maximized = c.maximized;
        Recorded().clear();
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(2, 100));
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(200, 40));
        EXPECT_EQ(Outcome(), kNothing) << c.name;
    }
}

TEST_F(CoreTest, MouseMovesShowTheResizeCursorOfTheEdge) {
    struct Case {
        int x;
        int y;
        bool resizable;
        LPCWSTR cursor;  // nullptr: the cursor stays as it was
    };
    const Case cases[] = {
        {2, 100, true, IDC_SIZEWE},   {398, 100, true, IDC_SIZEWE}, {200, 2, true, IDC_SIZENS},
        {200, 298, true, IDC_SIZENS}, {5, 5, true, IDC_SIZENWSE},   {395, 296, true, IDC_SIZENWSE},
        {394, 2, true, IDC_SIZENESW}, {5, 295, true, IDC_SIZENESW}, {200, 150, true, nullptr},
        {2, 100, false, nullptr},     {5, 5, false, nullptr},
    };
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    for (const Case& c : cases) {
        SkinWindowOptions options;
        options.captionHeight = 80;
        options.resizable = c.resizable;
        HWND hwnd = Skinned(kWidth, kHeight, options);
        SetCursor(arrow);
        SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(c.x, c.y));
        HCURSOR expected = c.cursor != nullptr ? LoadCursorW(nullptr, c.cursor) : arrow;
        EXPECT_EQ(GetCursor(), expected) << "(" << c.x << ", " << c.y << ") resizable " << c.resizable;
        DestroyWindow(hwnd);
    }
}

}  // namespace
}  // namespace zandrel::test
