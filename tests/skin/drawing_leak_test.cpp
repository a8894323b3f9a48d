// Many paints of caption buttons, status panels and backdrop copies leave the GDI object count where it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "drawing_fixture.h"
#include "skin/core/skin_geometry.h"
#include "support/leak_probe.h"

namespace zandrel {
namespace {

using DrawingLeaks = test::SkinnedWindowFixture;

// Runs the cycle a few times to fill one-time caches, then 1,000 times and compares the GDI object counts.
template <typename Cycle>
void ExpectNoGdiGrowth(Cycle cycle, const char* what) {
    for (int i = 0; i < 20; ++i) {
        cycle(i);
    }
    const long before = test::CountGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        cycle(i);
    }
    const long after = test::CountGdiObjects();
    EXPECT_LE(after, before + 2) << what << ": " << before << " -> " << after;
}

TEST_F(DrawingLeaks, CaptionButtonCycles) {
    engine_.LayoutCaptionButtons(1);
    ExpectNoGdiGrowth(
        [this](int i) {
            const int button = 1 + i % 3;
            engine_.DrawCaptionButton(1, button, nullptr, false, false, (i % 9) * 30);
            engine_.DrawCaptionButton(1, button, nullptr, false, true);
            engine_.DrawCaptionButton(1, button, nullptr, false, false, 0);
        },
        "caption buttons");
    ExpectNoGdiGrowth([this](int) { engine_.DrawCaptionTitle(1, nullptr, false, std::string("Leak test")); },
                      "caption title");
}

TEST_F(DrawingLeaks, StatusPanelCycles) {
    ASSERT_TRUE(engine_.SetStatusPanel(hwnd_, 1, "status", std::nullopt, 0x0000FF));
    ExpectNoGdiGrowth(
        [this](int i) {
            Record().statusGlow = i % 2;
            engine_.DrawStatusPanel(1, nullptr, false, 1);
        },
        "status panel");
}

TEST_F(DrawingLeaks, BackdropCopyCycles) {
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 50, 60, 40, 30, hwnd_, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    ExpectNoGdiGrowth(
        [&](int) {
            HDC dc = engine_.CreateBackdropDc(child, RECT{0, 0, 40, 30});
            engine_.ReleaseMemoryDc(dc);
        },
        "CreateBackdropDc / ReleaseMemoryDc");
    ExpectNoGdiGrowth([&](int) { DeleteObject(engine_.MakeVeiledBackdropBitmap(child)); }, "veiled bitmaps");
    ExpectNoGdiGrowth(
        [&](int i) {
            StripDc strip;
            strip.Create(30 + i % 5, 20);
            strip.Create(10, 10);
        },
        "strip DCs");
    ExpectNoGdiGrowth(
        [&](int) {
            HDC dc = ClientDcWithoutChildren(hwnd_);
            ReleaseDC(hwnd_, dc);
        },
        "client DCs");
    EXPECT_EQ(engine_.MemoryDcCount(), 0u);
}

}  // namespace
}  // namespace zandrel
