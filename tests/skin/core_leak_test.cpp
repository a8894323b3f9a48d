// Rendering, hovering, control colours and whole window lifetimes, repeated many times, must leave the GDI object
// count where it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "core_fixture.h"
#include "draw/skin_images.h"
#include "support/leak_probe.h"

namespace zandrel::test {
namespace {

// One render of the backdrop and one full hover of the close button: faded in, then out when the mouse leaves.
void HoverCycle(SkinEngine& engine, HWND hwnd) {
    const int index = engine.IndexFromProperty(hwnd);
    engine.RenderWindowBackdrop(index, nullptr, false);
    const RectF close = engine.Window(index)->captionButtons.back().bounds;
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(static_cast<int>(close.x + 10), 8));
    SendMessageW(hwnd, WM_MOUSEHOVER, 0, 0);
    for (int i = 0; i < 8; ++i) {
        SendMessageW(hwnd, WM_TIMER, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    for (int i = 0; i < 8; ++i) {
        SendMessageW(hwnd, WM_TIMER, reinterpret_cast<WPARAM>(hwnd), 0);
    }
}

// A window skinned like the main window with a label and a button, rendered, coloured, hovered and destroyed.
void WindowLifetime(SkinEngine& engine) {
    HWND hwnd = MakeWindow(320, 240);
    HWND label =
        CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 20, 90, 80, 20, hwnd, nullptr, nullptr, nullptr);
    SkinWindowOptions options;
    options.captionHeight = 80;
    options.resizable = false;
    options.statusBarHeight = 25;
    engine.SkinWindow(hwnd, options);
    HoverCycle(engine, hwnd);
    HDC dc = GetDC(label);
    SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    ReleaseDC(label, dc);
    SetWindowTextW(hwnd, L"title");
    DestroyWindow(hwnd);
}

class CoreLeakTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        // A small picture tiled at its own size: the cycles exercise the picture path without spending their time
        // in GDI+ scaling, which is slow under Wine.
        const auto glyph = SkinImageBytes(SkinImageId::CloseGlyph);
        engine_.SetDefaultBackground({}, glyph, std::nullopt, std::nullopt, 4);
        engine_.SetGlobalOptions(1, 0, 0);
    }
};

TEST_F(CoreLeakTest, RenderHoverAndFadeCyclesKeepTheGdiCount) {
    SkinWindowOptions options;
    options.showCaptionText = true;
    options.statusBarHeight = 20;
    HWND hwnd = Skinned(240, 150, options);
    for (int i = 0; i < 5; ++i) {
        HoverCycle(engine_, hwnd);
    }
    const long before = CountGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        HoverCycle(engine_, hwnd);
    }
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST_F(CoreLeakTest, SkinningAndDestroyingWindowsKeepsTheGdiCount) {
    for (int i = 0; i < 3; ++i) {
        WindowLifetime(engine_);
    }
    const long before = CountGdiObjects();
    for (int i = 0; i < 50; ++i) {
        WindowLifetime(engine_);
    }
    EXPECT_EQ(engine_.WindowCount(), 0);
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(SkinEngineLeaks, AnEngineDestroyedWithLiveWindowsReleasesTheirObjects) {
    const auto cycle = [] {
        HWND hwnd = MakeWindow(320, 240);
        HWND label =
            CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 20, 90, 80, 20, hwnd, nullptr, nullptr, nullptr);
        {
            SkinEngine engine;
            engine.Startup();
            engine.SetGlobalOptions(1, 50, std::nullopt);
            engine.SkinWindow(hwnd, {});
            HoverCycle(engine, hwnd);
            HDC dc = GetDC(label);
            SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
            ReleaseDC(label, dc);
        }
        // The window outlives the engine and still works.
        SendMessageW(hwnd, WM_TIMER, reinterpret_cast<WPARAM>(hwnd), 0);
        DestroyWindow(hwnd);
    };
    for (int i = 0; i < 3; ++i) {
        cycle();
    }
    const long before = CountGdiObjects();
    for (int i = 0; i < 20; ++i) {
        cycle();
    }
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
}  // namespace zandrel::test
