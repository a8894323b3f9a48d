// Window rectangles, class and style tests, and the window DC that leaves the children alone.
#include <windows.h>

#include <gtest/gtest.h>

#include "drawing_fixture.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {
namespace {

using test::MakePopup;

struct ClientCase {
    const char* name;
    DWORD style;  // added after creation, without a frame change, so the client keeps its size
    RECT expected;
};

TEST(ClientRectInWindow, CentresTheClientAndCountsSeventeenPixelsPerScrollBar) {
    // A 200 x 100 popup without a border: the client fills the window, so every scroll-bar style bit makes the
    // difference negative and shows the rounding toward minus infinity.
    const ClientCase cases[] = {
        {"no bars", 0, {0, 0, 200, 100}},
        {"vertical", WS_VSCROLL, {-9, 0, 191, 100}},  // floor(-17 / 2) = -9, not -8
        {"horizontal", WS_HSCROLL, {0, -9, 200, 91}},
        {"both", WS_VSCROLL | WS_HSCROLL, {-9, -9, 191, 91}},
    };
    for (const ClientCase& c : cases) {
        HWND hwnd = MakePopup(200, 100, 0);
        ASSERT_NE(hwnd, nullptr);
        SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | static_cast<LONG>(c.style));
        const RECT r = ClientRectInWindow(hwnd);
        EXPECT_EQ(r.left, c.expected.left) << c.name;
        EXPECT_EQ(r.top, c.expected.top) << c.name;
        EXPECT_EQ(r.right, c.expected.right) << c.name;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.name;
        DestroyWindow(hwnd);
    }
}

TEST(ClientRectInWindow, ListBoxWithAVisibleScrollBar) {
    HWND parent = MakePopup(300, 300, 0);
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_DISABLENOSCROLL, 10, 10,
                                120, 80, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    RECT client{};
    GetClientRect(list, &client);
    const RECT r = ClientRectInWindow(list);
    EXPECT_EQ(r.right - r.left, client.right);
    EXPECT_EQ(r.bottom - r.top, client.bottom);
    if (GetSystemMetrics(SM_CXVSCROLL) == 17) {
        // Borders of one pixel: 120 = 1 + client + 17 + 1.
        EXPECT_EQ(r.left, 1);
        EXPECT_EQ(r.top, 1);
        EXPECT_EQ(client.right, 120 - 2 - 17);
    }
    DestroyWindow(parent);
}

TEST(WindowRects, RelativeToAnotherWindowAndToTheRoot) {
    HWND parent = MakePopup(300, 200, 0);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 30, 40, 50, 60, parent, nullptr, nullptr, nullptr);
    HWND grandchild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 5, 6, 7, 8, child, nullptr, nullptr, nullptr);
    ASSERT_NE(grandchild, nullptr);
    const RECT r = RectRelativeTo(parent, child);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right, 80);
    EXPECT_EQ(r.bottom, 100);
    const RECT root = RectInRoot(grandchild);
    EXPECT_EQ(root.left, 35);
    EXPECT_EQ(root.top, 46);
    EXPECT_EQ(root.right, 42);
    EXPECT_EQ(root.bottom, 54);
    DestroyWindow(parent);
}

struct StyleCase {
    const wchar_t* className;
    DWORD style;
    bool ownerDrawList;
    bool autoRadio;
};

TEST(ControlKinds, OwnerDrawListBoxesAndAutoRadioButtons) {
    const StyleCase cases[] = {
        {L"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, true, false},
        {L"LISTBOX", LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, true, false},
        {L"LISTBOX", LBS_STANDARD, false, false},
        {L"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, false, false},  // only list boxes count
        {L"BUTTON", BS_AUTORADIOBUTTON, false, true},
        {L"BUTTON", BS_RADIOBUTTON, false, false},
        {L"BUTTON", BS_AUTOCHECKBOX, false, false},
        {L"BUTTON", BS_AUTO3STATE, false, false},
        {L"BUTTON", BS_PUSHBUTTON, false, false},
    };
    HWND parent = MakePopup(300, 300, 0);
    for (const StyleCase& c : cases) {
        HWND control =
            CreateWindowExW(0, c.className, L"", WS_CHILD | c.style, 0, 0, 100, 100, parent, nullptr, nullptr, nullptr);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(IsOwnerDrawListBox(control), c.ownerDrawList) << std::hex << c.style;
        EXPECT_EQ(IsAutoRadioButton(control), c.autoRadio) << std::hex << c.style;
        DestroyWindow(control);
    }
    EXPECT_EQ(GetClassNameText(parent), "ZandrelDrawingTestWindow");
    EXPECT_EQ(GetClassNameText(nullptr), "");
    DestroyWindow(parent);
}

TEST(ClientDcWithoutChildren, ClipsVisibleChildrenButNotTransparentOrHiddenOnes) {
    HWND parent = MakePopup(300, 200, 0);
    HWND solid =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 40, 40, parent, nullptr, nullptr, nullptr);
    HWND clear = CreateWindowExW(WS_EX_TRANSPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 100, 10, 40, 40, parent,
                                 nullptr, nullptr, nullptr);
    HWND hidden = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 200, 10, 40, 40, parent, nullptr, nullptr, nullptr);
    ASSERT_NE(hidden, nullptr);
    ASSERT_NE(clear, nullptr);
    ASSERT_NE(solid, nullptr);
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    UpdateWindow(parent);
    HDC dc = ClientDcWithoutChildren(parent);
    ASSERT_NE(dc, nullptr);
    EXPECT_FALSE(PtVisible(dc, 30, 30));  // the visible child
    EXPECT_TRUE(PtVisible(dc, 120, 30));  // WS_EX_TRANSPARENT
    EXPECT_TRUE(PtVisible(dc, 220, 30));  // hidden
    EXPECT_TRUE(PtVisible(dc, 5, 5));     // the parent's own area
    EXPECT_TRUE(PtVisible(dc, 50, 50));   // just beyond the child's right and bottom edges
    ReleaseDC(parent, dc);
    DestroyWindow(parent);
}

}  // namespace
}  // namespace zandrel
