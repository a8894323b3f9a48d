// Backdrop copies behind controls, the memory-DC registry and the searches from a control to its skinned window.
#include <windows.h>

#include <gtest/gtest.h>

#include "drawing_fixture.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {
namespace {

using BackdropDc = test::SkinnedWindowFixture;

HWND MakeChild(HWND parent, int x, int y, int width, int height) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD, x, y, width, height, parent, nullptr, nullptr, nullptr);
}

TEST_F(BackdropDc, ReleaseTwiceGivesOneThenZero) {
    HDC dc = engine_.CreateBackdropDc(hwnd_, RECT{0, 0, 10, 10});
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(engine_.MemoryDcCount(), 1u);
    EXPECT_EQ(engine_.ReleaseMemoryDc(dc), 1);
    EXPECT_EQ(engine_.ReleaseMemoryDc(dc), 0);
    EXPECT_EQ(engine_.ReleaseMemoryDc(nullptr), 0);
    EXPECT_EQ(engine_.MemoryDcCount(), 0u);
    // A DC the registry does not know is left alone.
    HDC foreign = CreateCompatibleDC(nullptr);
    EXPECT_EQ(engine_.ReleaseMemoryDc(foreign), 0);
    EXPECT_EQ(GetObjectType(foreign), static_cast<DWORD>(OBJ_MEMDC));
    DeleteDC(foreign);
}

TEST_F(BackdropDc, RegisteringTheSameDcUpdatesItsEntry) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP first = CreateCompatibleBitmap(dc, 4, 4);
    HBITMAP second = CreateCompatibleBitmap(dc, 4, 4);
    HGDIOBJ original = SelectObject(dc, first);
    engine_.RegisterMemoryDc(dc, first, original);
    SelectObject(dc, second);
    engine_.RegisterMemoryDc(dc, second, original);
    EXPECT_EQ(engine_.MemoryDcCount(), 1u);
    EXPECT_EQ(engine_.ReleaseMemoryDc(dc), 1);
    EXPECT_EQ(GetObjectType(second), 0u);  // the selected bitmap was deleted with the DC
    DeleteObject(first);
}

struct SliceCase {
    const char* what;
    int childX, childY;  // 0, 0 with width 0: the skinned window itself
    RECT rect;
};

TEST_F(BackdropDc, CopiesTheSliceBehindTheControl) {
    const SliceCase cases[] = {
        {"child", 50, 60, {5, 6, 25, 26}},
        {"child at origin rect", 50, 60, {0, 0, 40, 30}},
        {"window itself", 0, 0, {100, 200, 130, 220}},
    };
    for (const SliceCase& c : cases) {
        HWND target = hwnd_;
        HWND child = nullptr;
        if (c.childX != 0) {
            child = MakeChild(hwnd_, c.childX, c.childY, 40, 30);
            ASSERT_NE(child, nullptr);
            target = child;
        }
        HDC dc = engine_.CreateBackdropDc(target, c.rect);
        ASSERT_NE(dc, nullptr) << c.what;
        const int width = c.rect.right - c.rect.left;
        const int height = c.rect.bottom - c.rect.top;
        for (const POINT p : {POINT{0, 0}, POINT{width - 1, height - 1}, POINT{width / 2, 3}}) {
            const int sx = c.childX + c.rect.left + p.x;
            const int sy = c.childY + c.rect.top + p.y;
            EXPECT_EQ(GetPixel(dc, p.x, p.y), test::PatternColour(sx, sy)) << c.what << " at " << p.x << "," << p.y;
        }
        EXPECT_EQ(engine_.ReleaseMemoryDc(dc), 1);
        if (child != nullptr) {
            DestroyWindow(child);
        }
    }
}

TEST_F(BackdropDc, GrandchildrenAndUnskinnedWindows) {
    HWND panel = MakeChild(hwnd_, 20, 30, 200, 100);
    HWND inner = MakeChild(panel, 7, 9, 50, 20);
    HDC dc = engine_.CreateBackdropDc(inner, RECT{0, 0, 50, 20});
    EXPECT_EQ(GetPixel(dc, 0, 0), test::PatternColour(27, 39));
    EXPECT_EQ(GetPixel(dc, 49, 19), test::PatternColour(76, 58));
    engine_.ReleaseMemoryDc(dc);

    // Not under any skinned window: a cleared picture.
    HWND stranger = test::MakePopup(60, 60, 0);
    dc = engine_.CreateBackdropDc(stranger, RECT{0, 0, 10, 10});
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 5, 5), 0u);
    engine_.ReleaseMemoryDc(dc);
    DestroyWindow(stranger);

    // An empty rectangle still yields a DC that can be released.
    dc = engine_.CreateBackdropDc(inner, RECT{10, 10, 10, 5});
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(engine_.ReleaseMemoryDc(dc), 1);
    EXPECT_EQ(engine_.MemoryDcCount(), 0u);
}

TEST_F(BackdropDc, ChildFrameFillIsLaidOverItsCopy) {
    HWND frame = MakeChild(hwnd_, 40, 40, 100, 80);
    ChildFrameEntry entry;
    entry.hwnd = frame;
    entry.hasFill = true;
    entry.fillColour = 0x0000FF;
    entry.alpha = 255;
    Record().childFrames.push_back(entry);
    HDC dc = engine_.CreateBackdropDc(frame, RECT{0, 0, 100, 80});
    EXPECT_EQ(GetPixel(dc, 50, 40), 0x0000FFu);
    engine_.ReleaseMemoryDc(dc);
    // Rounded: the body starts five pixels down, so the top rows keep the backdrop.
    Record().childFrames[0].rounded = true;
    dc = engine_.CreateBackdropDc(frame, RECT{0, 0, 100, 80});
    EXPECT_EQ(GetPixel(dc, 50, 1), test::PatternColour(90, 41));
    EXPECT_EQ(GetPixel(dc, 50, 40), 0x0000FFu);
    engine_.ReleaseMemoryDc(dc);
}

TEST_F(BackdropDc, OwnerSearches) {
    HWND panel = MakeChild(hwnd_, 20, 30, 200, 100);
    HWND inner = MakeChild(panel, 7, 9, 50, 20);
    HWND stranger = test::MakePopup(60, 60, 0);
    EXPECT_EQ(engine_.FindWindowIndex(hwnd_), 1);
    EXPECT_EQ(engine_.FindWindowIndex(panel), 0);
    EXPECT_EQ(engine_.FindWindowIndex(nullptr), 0);
    EXPECT_EQ(engine_.FindOwnerWindowIndex(inner), 1);
    EXPECT_EQ(engine_.FindOwnerWindowIndex(panel), 1);
    EXPECT_EQ(engine_.FindOwnerWindowIndex(hwnd_), 0);  // starts at the parent
    EXPECT_EQ(engine_.FindOwnerWindowIndex(stranger), 0);

    Record().childFrames.push_back(ChildFrameEntry{panel, true});
    EXPECT_EQ(engine_.FindFrameIndex(1, panel), 1);
    EXPECT_EQ(engine_.FindFrameIndex(1, inner), 0);
    EXPECT_EQ(engine_.FindFrameIndex(2, panel), 0);
    EXPECT_EQ(engine_.FindEnclosingFrame(1, inner, hwnd_), 1);
    EXPECT_EQ(engine_.FindEnclosingFrame(1, inner, panel), 0);  // stops at stopHwnd
    EXPECT_EQ(engine_.FindEnclosingFrame(1, panel, nullptr), 0);

    int window = -1;
    int frame = -1;
    HWND backdrop = hwnd_;
    engine_.FindSkinnedOwner(inner, window, frame, backdrop, true);
    EXPECT_EQ(window, 1);
    EXPECT_EQ(frame, 1);
    EXPECT_EQ(backdrop, nullptr);
    SetPropA(panel, kPropOwnBackdrop, reinterpret_cast<HANDLE>(1));
    engine_.FindSkinnedOwner(inner, window, frame, backdrop, true);
    EXPECT_EQ(backdrop, panel);
    engine_.FindSkinnedOwner(inner, window, frame, backdrop, false);
    EXPECT_EQ(backdrop, nullptr);
    engine_.FindSkinnedOwner(stranger, window, frame, backdrop, true);
    EXPECT_EQ(window, 0);
    EXPECT_EQ(frame, 0);
    RemovePropA(panel, kPropOwnBackdrop);

    const RECT o = engine_.RectInOwner(inner);
    EXPECT_EQ(o.left, 27);
    EXPECT_EQ(o.top, 39);
    DestroyWindow(stranger);
}

TEST_F(BackdropDc, VeiledBitmapIsTheBackdropUnderWhiteAtTheOverlayAlpha) {
    HWND child = MakeChild(hwnd_, 50, 60, 40, 30);
    HBITMAP veiled = engine_.MakeVeiledBackdropBitmap(child);
    ASSERT_NE(veiled, nullptr);
    EXPECT_EQ(engine_.MemoryDcCount(), 0u);  // the copy's DC went back to the registry
    BITMAP info{};
    ASSERT_EQ(GetObjectW(veiled, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 40);
    EXPECT_EQ(info.bmHeight, 30);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, veiled);
    const COLORREF under = test::PatternColour(60, 70);
    const COLORREF got = GetPixel(dc, 10, 10);
    const int alpha = engine_.OverlayAlpha();
    const auto blend = [alpha](int channel) { return (255 * alpha + channel * (255 - alpha)) / 255; };
    EXPECT_NEAR(GetRValue(got), blend(GetRValue(under)), 2);
    EXPECT_NEAR(GetGValue(got), blend(GetGValue(under)), 2);
    EXPECT_NEAR(GetBValue(got), blend(GetBValue(under)), 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(veiled);
}

TEST(StripDc, CreateResetAndRecreate) {
    StripDc strip;
    EXPECT_EQ(strip.dc(), nullptr);
    EXPECT_FALSE(strip.Create(0, 10));
    EXPECT_EQ(strip.dc(), nullptr);
    ASSERT_TRUE(strip.Create(30, 20));
    HDC first = strip.dc();
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(first, OBJ_BITMAP));
    BITMAP info{};
    ASSERT_NE(GetObjectW(bitmap, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 30);
    EXPECT_EQ(info.bmHeight, 20);
    EXPECT_EQ(info.bmBitsPixel, 32);
    ASSERT_TRUE(strip.Create(5, 5));  // the old DC and bitmap are taken apart first
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    strip.Reset();
    EXPECT_EQ(strip.dc(), nullptr);
    strip.Reset();  // twice is harmless
}

}  // namespace
}  // namespace zandrel
