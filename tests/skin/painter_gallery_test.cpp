// The skin gallery in its normal, hovered, focused, pressed and disabled states, written to the build tree's
// artifacts as PNG for a look by eye (skin_gallery_<settings>_<state>.png, and
// skin_containers_... for the container controls and image buttons). Each control is put into the state on
// its own and its piece of the screen pasted onto the sheet; the magenta key colour must never reach the screen.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "painter_capture.h"
#include "painter_gallery.h"
#include "skin/core/skin_engine.h"

namespace zandrel::test {
namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

RECT ScreenRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

LPARAM ClientPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// Puts one control into a state and takes it out again afterwards.
struct StateChange {
    std::function<void(const GalleryControl&)> enter;
    std::function<void(const GalleryControl&)> leave;
};

void Hover(const GalleryControl& c) {
    RECT r = ScreenRectOf(c.hwnd);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    MapWindowPoints(nullptr, c.hwnd, reinterpret_cast<POINT*>(&r), 2);
    SendMessageW(c.hwnd, WM_MOUSEMOVE, 0, ClientPoint((r.right - r.left) / 2, (r.bottom - r.top) / 2));
}

void Unhover(const GalleryControl& c) {
    SetCursorPos(2000, 2000);
    SendMessageW(c.hwnd, WM_MOUSELEAVE, 0, 0);
}

struct Saved {
    LRESULT check = 0;
    LRESULT pos = 0;
};
Saved gSaved;

void Press(const GalleryControl& c) {
    gSaved.check = SendMessageW(c.hwnd, BM_GETCHECK, 0, 0);
    gSaved.pos = SendMessageW(c.hwnd, TBM_GETPOS, 0, 0);
    switch (c.press) {
        case PressKind::Button: SendMessageW(c.hwnd, BM_SETSTATE, TRUE, 0); break;
        case PressKind::Mouse:
            SendMessageW(c.hwnd, WM_MOUSEMOVE, 0, ClientPoint(c.pressPoint.x, c.pressPoint.y));
            SendMessageW(c.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(c.pressPoint.x, c.pressPoint.y));
            break;
        case PressKind::DropDown: SendMessageW(c.hwnd, CB_SHOWDROPDOWN, TRUE, 0); break;
        case PressKind::None: break;
    }
}

void Release(const GalleryControl& c) {
    switch (c.press) {
        case PressKind::Button: SendMessageW(c.hwnd, BM_SETSTATE, FALSE, 0); break;
        case PressKind::Mouse:
            SendMessageW(c.hwnd, WM_LBUTTONUP, 0, ClientPoint(c.pressPoint.x, c.pressPoint.y));
            SendMessageW(c.hwnd, WM_MOUSELEAVE, 0, 0);
            ReleaseCapture();
            SendMessageW(c.hwnd, BM_SETCHECK, static_cast<WPARAM>(gSaved.check), 0);
            SendMessageW(c.hwnd, TBM_SETPOS, TRUE, gSaved.pos);
            // Whoever follows a track bar (the frames gallery's fill) hears of the position put back.
            if (wchar_t cls[32] = {}; GetClassNameW(c.hwnd, cls, 32) > 0 && lstrcmpiW(cls, TRACKBAR_CLASSW) == 0) {
                SendMessageW(GetParent(c.hwnd),
                             (GetWindowLongW(c.hwnd, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL,
                             MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(c.hwnd));
            }
            break;
        case PressKind::DropDown: SendMessageW(c.hwnd, CB_SHOWDROPDOWN, FALSE, 0); break;
        case PressKind::None: break;
    }
}

// The control and, for a combo box with its list open, the list too.
RECT PieceOf(const GalleryControl& c) {
    RECT r = ScreenRectOf(c.hwnd);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (c.press == PressKind::DropDown && GetComboBoxInfo(c.hwnd, &info) && IsWindowVisible(info.hwndList)) {
        RECT list = ScreenRectOf(info.hwndList);
        UnionRect(&r, &r, &list);
    }
    return r;
}

Sheet RenderState(const Gallery& gallery, const StateChange* change) {
    const RECT window = ScreenRectOf(gallery.Hwnd());
    Sheet sheet(window.right - window.left, window.bottom - window.top);
    Gallery::Pump();
    sheet.Paste(window, 0, 0);
    if (change == nullptr) {
        return sheet;
    }
    for (const GalleryControl& c : gallery.Controls()) {
        change->enter(c);
        Gallery::Pump();
        const RECT piece = PieceOf(c);
        sheet.Paste(piece, piece.left - window.left, piece.top - window.top);
        change->leave(c);
        Gallery::Pump();
    }
    return sheet;
}

using GalleryCase = std::tuple<GallerySettings, GalleryLayout>;

class GalleryPictures : public ::testing::TestWithParam<GalleryCase> {};

TEST_P(GalleryPictures, EveryStateIsDrawnAndTheKeyColourNeverShows) {
    SkinEngine engine;
    ASSERT_TRUE(engine.Startup());
    Gallery gallery;
    const auto [settingsParam, layout] = GetParam();
    ASSERT_TRUE(gallery.Create(engine, settingsParam, layout));
    const std::string settings = settingsParam == GallerySettings::MainWindow ? "main" : "veil";
    const std::string sheetName = layout == GalleryLayout::Controls     ? "skin_gallery_"
                                  : layout == GalleryLayout::Containers ? "skin_containers_"
                                                                        : "skin_frames_";

    const StateChange hovered{Hover, Unhover};
    const StateChange focused{[](const GalleryControl& c) { SetFocus(c.hwnd); },
                              [&](const GalleryControl&) { SetFocus(gallery.Hwnd()); }};
    const StateChange pressed{Press, Release};
    const StateChange disabled{[](const GalleryControl& c) { EnableWindow(c.hwnd, FALSE); },
                               [](const GalleryControl& c) { EnableWindow(c.hwnd, TRUE); }};
    const struct {
        const char* name;
        const StateChange* change;
    } states[] = {{"normal", nullptr},
                  {"hovered", &hovered},
                  {"focused", &focused},
                  {"pressed", &pressed},
                  {"disabled", &disabled}};
    for (const auto& state : states) {
        const Sheet sheet = RenderState(gallery, state.change);
        const std::string path =
            std::string(ZANDREL_ARTIFACTS_DIR) + "/" + sheetName + settings + "_" + state.name + ".png";
        EXPECT_TRUE(sheet.SavePng(path)) << path;
        EXPECT_EQ(CountColour(sheet.Picture(), kMagenta), 0) << state.name;
    }
    SetCursorPos(2000, 2000);
}

INSTANTIATE_TEST_SUITE_P(
    Settings,
    GalleryPictures,
    ::testing::Combine(::testing::Values(GallerySettings::MainWindow, GallerySettings::EngineVeil),
                       ::testing::Values(GalleryLayout::Controls, GalleryLayout::Containers, GalleryLayout::Frames)),
    [](const auto& info) {
        const bool main = std::get<0>(info.param) == GallerySettings::MainWindow;
        const GalleryLayout layout = std::get<1>(info.param);
        return std::string(main ? "MainWindow" : "EngineVeil") + (layout == GalleryLayout::Controls     ? "Controls"
                                                                  : layout == GalleryLayout::Containers ? "Containers"
                                                                                                        : "Frames");
    });

}  // namespace
}  // namespace zandrel::test
