// Child frames in the frames gallery: what registration records, the fill's opacity, which repaint path a paint
// takes, where a group box puts its caption, a backdrop taken from a window that renders its own, the fill's
// pixels, and destroying frames and the windows around them.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/dib_section.h"
#include "base/win_handles.h"
#include "painter_capture.h"
#include "painter_gallery.h"
#include "skin/core/skin_engine.h"
#include "skin/frame/frame_geometry.h"
#include "support/leak_probe.h"

namespace zandrel::test {
namespace {

INT_PTR PropValue(HWND hwnd, const char* key) {
    return reinterpret_cast<INT_PTR>(GetPropA(hwnd, key));
}

WNDPROC ProcOf(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

RECT ClientOnScreen(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A window class whose procedure answers every message with a mark and remembers the last one.
struct Heard {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
Heard gHeard;
constexpr LRESULT kProbeAnswer = 0x5A5A;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND || msg >= WM_APP) {
        gHeard = Heard{msg, wParam, lParam};
        return kProbeAnswer;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

const wchar_t* ProbeClass() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZandrelFrameProbe";
        return RegisterClassW(&wc) != 0;
    }();
    return registered ? L"ZandrelFrameProbe" : nullptr;
}

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetCursorPos(2000, 2000);
        ASSERT_TRUE(engine_.Startup());
        ASSERT_TRUE(gallery_.Create(engine_, GallerySettings::MainWindow, GalleryLayout::Frames));
        windowIndex_ = engine_.FindWindowIndex(gallery_.Hwnd());
        ASSERT_GE(windowIndex_, 1);
    }

    SkinnedWindow& Record() { return *engine_.Window(windowIndex_); }
    ChildFrameEntry* Frame(HWND hwnd) {
        const int index = engine_.FindFrameIndex(windowIndex_, hwnd);
        return index >= 1 ? &Record().childFrames[static_cast<size_t>(index - 1)] : nullptr;
    }
    HWND Child(const wchar_t* cls, HWND parent, int x, int y, int w, int h, DWORD style = 0) {
        HWND hwnd =
            CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                            parent != nullptr ? parent : gallery_.Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
        created_.emplace_back(hwnd);
        return hwnd;
    }

    SkinEngine engine_;
    Gallery gallery_;
    int windowIndex_ = 0;
    std::vector<UniqueWindow> created_;
};

TEST_F(FrameTest, AFrameIsRecordedWithItsPropertiesAndItsControlsAreSkinned) {
    const struct {
        const char* name;
        bool groupBox;
        bool hasFill;
        int alpha;
        bool outlined;
        const char* inside;
    } cases[] = {{"group left", true, false, 255, false, "group left button"},
                 {"filled panel", false, true, 128, false, "filled panel button"},
                 {"outlined panel", false, false, 255, true, "outlined panel edit"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = gallery_.Control(c.name);
        const int index = engine_.FindFrameIndex(windowIndex_, hwnd);
        ASSERT_GE(index, 1);
        const ChildFrameEntry& frame = Record().childFrames[static_cast<size_t>(index - 1)];
        EXPECT_TRUE(frame.ownBackground);
        EXPECT_EQ(frame.rounded, c.groupBox);
        EXPECT_EQ(frame.hasFill, c.hasFill);
        EXPECT_EQ(frame.alpha, c.alpha);
        EXPECT_EQ(frame.outlined, c.outlined);
        EXPECT_EQ(!frame.fontName.empty(), c.groupBox);
        ASSERT_NE(frame.previousWndProc, nullptr);
        EXPECT_NE(ProcOf(hwnd), frame.previousWndProc);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(hwnd, kPropPreviousProc)), frame.previousWndProc);
        EXPECT_EQ(PropValue(hwnd, kPropWindowIndex), index);
        EXPECT_EQ(PropValue(hwnd, kPropOwnerIndex), windowIndex_);
        EXPECT_EQ(GetPropA(hwnd, kPropFrameOwner), nullptr);
        // The controls inside were taken over as the window's own are.
        HWND control = gallery_.Control(c.inside);
        EXPECT_NE(GetPropA(control, kPropPreviousProc), nullptr);
        EXPECT_EQ(PropValue(control, kPropOwnerIndex), windowIndex_);
    }
}

TEST_F(FrameTest, RegisteringAFrameTwiceChangesNothing) {
    HWND panel = gallery_.Control("filled panel");
    const size_t frames = Record().childFrames.size();
    const WNDPROC proc = ProcOf(panel);
    const INT_PTR previous = PropValue(panel, kPropPreviousProc);
    const INT_PTR index = PropValue(panel, kPropWindowIndex);
    engine_.SkinChildFrame(panel, false, RGB(1, 2, 3), 7, true);
    EXPECT_EQ(Record().childFrames.size(), frames);
    EXPECT_EQ(ProcOf(panel), proc);
    EXPECT_EQ(PropValue(panel, kPropPreviousProc), previous);
    EXPECT_EQ(PropValue(panel, kPropWindowIndex), index);
    const ChildFrameEntry& frame = *Frame(panel);
    EXPECT_EQ(frame.fillColour, RGB(40, 110, 190));
    EXPECT_EQ(frame.alpha, 128);
    EXPECT_TRUE(frame.ownBackground);
    EXPECT_FALSE(frame.outlined);
}

TEST_F(FrameTest, OnlyTheLowByteOfAnAlphaIsKeptAndAFrameWithoutFillIgnoresIt) {
    const struct {
        int given;
        int kept;
    } cases[] = {{0, 0}, {128, 128}, {255, 255}, {256, 0}, {300, 44}, {-1, 255}, {-256, 0}};
    HWND filled = gallery_.Control("filled panel");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        engine_.SetChildFrameAlpha(filled, c.given);
        EXPECT_EQ(Frame(filled)->alpha, c.kept);
        HWND panel = Child(L"STATIC", nullptr, 400, 470, 40, 20);
        engine_.SkinChildFrame(panel, true, RGB(9, 9, 9), c.given);
        ASSERT_NE(Frame(panel), nullptr);
        EXPECT_EQ(Frame(panel)->alpha, c.kept);
    }
    // No fill, nothing to make more or less opaque; a window that is no frame, and none at all, change nothing.
    HWND outlined = gallery_.Control("outlined panel");
    engine_.SetChildFrameAlpha(outlined, 10);
    EXPECT_EQ(Frame(outlined)->alpha, 255);
    const size_t frames = Record().childFrames.size();
    engine_.SetChildFrameAlpha(gallery_.Control("alpha label"), 10);
    engine_.SetChildFrameAlpha(nullptr, 10);
    EXPECT_EQ(Record().childFrames.size(), frames);
}

TEST_F(FrameTest, TheGallerysTrackBarSetsTheFillAlphaAndThePanelRepaints) {
    HWND panel = gallery_.Control("filled panel");
    HWND track = gallery_.Control("alpha track bar");
    const ScreenPicture before = CaptureScreen(ClientOnScreen(panel));
    SendMessageW(track, TBM_SETPOS, TRUE, 230);
    SendMessageW(gallery_.Hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 230), reinterpret_cast<LPARAM>(track));
    EXPECT_EQ(Frame(panel)->alpha, 230);
    Gallery::Pump();
    EXPECT_GT(CountDifferent(CaptureScreen(ClientOnScreen(panel)), before), 0);
}

TEST_F(FrameTest, TheFullPathPaintsAfterRegistrationAndResizingThePartialOneOtherwiseAndBothLookAlike) {
    HWND panel = gallery_.Control("outlined panel");
    ChildFrameEntry& frame = *Frame(panel);
    EXPECT_FALSE(frame.needsFullRepaint);
    EXPECT_GE(frame.fullRepaints, 1);
    const ScreenPicture afterFull = CaptureScreen(ClientOnScreen(panel));

    const int full = frame.fullRepaints;
    const int partial = frame.partialRepaints;
    InvalidateRect(panel, nullptr, FALSE);
    UpdateWindow(panel);
    EXPECT_EQ(frame.fullRepaints, full);
    EXPECT_EQ(frame.partialRepaints, partial + 1);
    Gallery::Pump();
    EXPECT_EQ(CountDifferent(CaptureScreen(ClientOnScreen(panel)), afterFull), 0);

    SetWindowPos(panel, nullptr, 0, 0, 340, 190, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(frame.needsFullRepaint);
    UpdateWindow(panel);
    Gallery::Pump();
    EXPECT_FALSE(frame.needsFullRepaint);
    EXPECT_EQ(frame.fullRepaints, full + 1);
    const ScreenPicture resized = CaptureScreen(ClientOnScreen(panel));
    InvalidateRect(panel, nullptr, FALSE);
    UpdateWindow(panel);
    EXPECT_EQ(frame.fullRepaints, full + 1);
    EXPECT_EQ(frame.partialRepaints, partial + 2);
    Gallery::Pump();
    EXPECT_EQ(CountDifferent(CaptureScreen(ClientOnScreen(panel)), resized), 0);
    // Neither path covered the controls inside: repainting them too changes nothing.
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Gallery::Pump();
    EXPECT_EQ(CountDifferent(CaptureScreen(ClientOnScreen(panel)), resized), 0);
}

TEST_F(FrameTest, AFrameDisabledOrGivenANewCaptionIsPaintedAsAFreshRepaintWouldPaintIt) {
    const struct {
        const char* name;
        void (*change)(HWND);
    } cases[] = {{"outlined panel disabled", [](HWND h) { EnableWindow(h, FALSE); }},
                 {"filled panel disabled", [](HWND h) { EnableWindow(h, FALSE); }},
                 {"group box captioned anew", [](HWND h) { SetWindowTextW(h, L"新的分组标题"); }}};
    const char* frames[] = {"outlined panel", "filled panel", "group left"};
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        HWND frame = gallery_.Control(frames[i]);
        cases[i].change(frame);
        Gallery::Pump();
        const ScreenPicture changed = CaptureScreen(ClientOnScreen(frame));
        RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Gallery::Pump();
        EXPECT_EQ(CountDifferent(CaptureScreen(ClientOnScreen(frame)), changed), 0);
    }
}

TEST_F(FrameTest, AGroupBoxCaptionSitsByItsAlignment) {
    HWND group = gallery_.Control("group centre");
    const ChildFrameEntry& frame = *Frame(group);
    RECT client{};
    GetClientRect(group, &client);
    const LONG_PTR base = GetWindowLongPtrW(group, GWL_STYLE) & ~static_cast<LONG_PTR>(BS_CENTER);
    const struct {
        const char* name;
        LONG_PTR align;
        int expectedLeft;  // -1: centred
    } cases[] = {{"left", BS_LEFT, 10}, {"centre", BS_CENTER, -1}, {"right", BS_RIGHT, -2}, {"none", 0, -2}};
    int width = -1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetWindowLongPtrW(group, GWL_STYLE, base | c.align);
        const RECT r = GroupBoxCaptionRect(group, frame.fontName, frame.fontSize, frame.fontStyle);
        const int w = r.right - r.left;
        EXPECT_GT(w, 1);
        if (width >= 0) {
            EXPECT_EQ(w, width);
        }
        width = w;
        const int left = c.expectedLeft == -1   ? (client.right - w) / 2
                         : c.expectedLeft == -2 ? client.right - w - 10
                                                : c.expectedLeft;
        EXPECT_EQ(r.left, left);
        EXPECT_EQ(r.top, 1);
        EXPECT_EQ(r.bottom, 1 + frame.fontSize + 3);
    }
    SetWindowLongPtrW(group, GWL_STYLE, base | BS_CENTER);
}

TEST_F(FrameTest, AFrameInsideAWindowThatRendersItsOwnBackdropCopiesFromIt) {
    // The window's rendered background: red on the left half, green on the right.
    constexpr int kW = 200;
    constexpr int kH = 120;
    HWND supplier = Child(L"STATIC", nullptr, 400, 440, kW, kH);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateTopDownDib(kW, kH, &bits));
    HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            static_cast<uint32_t*>(bits)[y * kW + x] = x < kW / 2 ? 0xC80000 : 0x00C800;
        }
    }
    SetPropA(supplier, kPropOwnBackdrop, reinterpret_cast<HANDLE>(1));
    SetPropA(supplier, kPropOwnBackdropDc, dc.get());
    const struct {
        const char* name;
        COLORREF fill;
        uint32_t left;
        uint32_t right;
    } cases[] = {{"unfilled", 0, 0xC80000, 0x00C800}, {"opaque blue fill", RGB(0, 0, 255), 0x0000FF, 0x0000FF}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND frame = Child(ProbeClass(), supplier, 60, 20, 80, 60);
        engine_.SkinChildFrame(frame, true, c.fill, 255);
        EXPECT_EQ(GetPropA(frame, kPropFrameOwner), supplier);
        RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Gallery::Pump();
        const ScreenPicture picture = CaptureScreen(ClientOnScreen(frame));
        // Frame x 0..39 lies over the supplier's left half, 40..79 over its right.
        EXPECT_EQ(picture.At(10, 30), c.left);
        EXPECT_EQ(picture.At(70, 30), c.right);
        DestroyWindow(frame);
    }
    RemovePropA(supplier, kPropOwnBackdrop);
    RemovePropA(supplier, kPropOwnBackdropDc);
    SelectObject(dc.get(), previous);
}

TEST_F(FrameTest, ATranslucentFillBlendsWithTheBackdropByItsAlphaAlsoBehindTheControlsInside) {
    HWND panel = gallery_.Control("filled panel");
    const COLORREF fill = RGB(40, 110, 190);
    // Points of the panel (its client coordinates) with no text over them: bare, inside the label, inside the edit.
    const struct {
        const char* name;
        POINT at;
    } points[] = {{"bare panel", {300, 180}}, {"label", {190, 22}}, {"edit", {190, 98}}};
    for (int alpha : {0, 128, 255}) {
        engine_.SetChildFrameAlpha(panel, alpha);
        UpdateWindow(panel);
        Gallery::Pump();
        const RECT screen = ClientOnScreen(panel);
        const ScreenPicture picture = CaptureScreen(screen);
        for (const auto& p : points) {
            SCOPED_TRACE(std::string(p.name) + " at alpha " + std::to_string(alpha));
            POINT inWindow = p.at;
            MapWindowPoints(panel, gallery_.Hwnd(), &inWindow, 1);
            const COLORREF back = GetPixel(Record().backdropDc, inWindow.x, inWindow.y);
            const uint32_t got = picture.At(p.at.x, p.at.y);
            const auto blend = [&](int b, int f) { return b + (f - b) * alpha / 255; };
            const int expected[] = {blend(GetRValue(back), GetRValue(fill)), blend(GetGValue(back), GetGValue(fill)),
                                    blend(GetBValue(back), GetBValue(fill))};
            const int actual[] = {static_cast<int>((got >> 16) & 0xFF), static_cast<int>((got >> 8) & 0xFF),
                                  static_cast<int>(got & 0xFF)};
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(actual[i], expected[i], 3) << "channel " << i;
            }
        }
    }
}

TEST_F(FrameTest, DestroyingFramesAndTheWindowsAroundThemInAnyOrderLeavesNoDeadRecordAndNoGdiObject) {
    // A host window holding a filled frame holding a button.
    const auto build = [&](HWND& host, HWND& frame) {
        host = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 400, 440, 200, 100, gallery_.Hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        frame = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 180, 80, host, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 10, 10, 80, 26, frame, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
        engine_.SkinChildFrame(frame, true, RGB(200, 0, 0), 100, true);
        UpdateWindow(host);
        Gallery::Pump();
    };
    const auto noDeadFrame = [&] {
        for (const ChildFrameEntry& f : Record().childFrames) {
            if (f.hwnd != nullptr) {
                EXPECT_TRUE(IsWindow(f.hwnd));
            }
        }
    };
    HWND host = nullptr;
    HWND frame = nullptr;
    build(host, frame);  // warm-up
    DestroyWindow(host);
    Gallery::Pump();
    const long before = CountGdiObjects();
    for (const char* order : {"frame, then host", "host"}) {
        SCOPED_TRACE(order);
        build(host, frame);
        if (std::string(order) == "host") {
            DestroyWindow(host);
        } else {
            DestroyWindow(frame);
            Gallery::Pump();
            noDeadFrame();
            DestroyWindow(host);
        }
        Gallery::Pump();
        noDeadFrame();
        EXPECT_EQ(engine_.FindFrameIndex(windowIndex_, frame), 0);
    }
    if (before >= 0) {
        EXPECT_LE(CountGdiObjects(), before + 2);
    }
    // The whole window: every record goes with it.
    build(host, frame);
    DestroyWindow(gallery_.Hwnd());
    Gallery::Pump();
    EXPECT_EQ(engine_.FindWindowIndex(gallery_.Hwnd()), 0);
    for (int i = 1; i <= engine_.WindowCount(); ++i) {
        for (const ChildFrameEntry& f : engine_.Window(i)->childFrames) {
            if (f.hwnd != nullptr) {
                EXPECT_TRUE(IsWindow(f.hwnd));
            }
        }
    }
}

TEST_F(FrameTest, AMessageForAFrameWhoseRecordIsGoneIsPassedOnUnchanged) {
    HWND frame = Child(ProbeClass(), nullptr, 400, 440, 100, 60);
    engine_.SkinChildFrame(frame, true, RGB(1, 2, 3), 255);
    ASSERT_NE(Frame(frame), nullptr);
    HDC dc = GetDC(frame);
    // While the record is there the frame erases nothing itself.
    EXPECT_EQ(SendMessageW(frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    const struct {
        const char* name;
        void (*lose)(HWND, ChildFrameEntry&);
    } cases[] = {{"record forgets the window", [](HWND, ChildFrameEntry& f) { f.hwnd = nullptr; }},
                 {"index out of range",
                  [](HWND h, ChildFrameEntry&) { SetPropA(h, kPropWindowIndex, reinterpret_cast<HANDLE>(999)); }}};
    ChildFrameEntry& entry = *Frame(frame);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.lose(frame, entry);
        gHeard = {};
        EXPECT_EQ(SendMessageW(frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), kProbeAnswer);
        EXPECT_EQ(gHeard.msg, static_cast<UINT>(WM_ERASEBKGND));
        EXPECT_EQ(gHeard.wParam, reinterpret_cast<WPARAM>(dc));
        EXPECT_EQ(SendMessageW(frame, WM_APP + 3, 0x1234, 0x5678), kProbeAnswer);
        EXPECT_EQ(gHeard.wParam, 0x1234u);
        EXPECT_EQ(gHeard.lParam, 0x5678);
    }
    ReleaseDC(frame, dc);
}

}  // namespace
}  // namespace zandrel::test
