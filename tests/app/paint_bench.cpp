// Figures for the control painters: the median paint time of each control class of the skin gallery over 1,000
// paints, and one full repaint of the skinned main window with all its controls, each against one stretched draw
// of the wood picture over the main window's size, measured in the same run. Prints one figure a line as
// "name: value unit"; failures go to stderr.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/skin_setup_win.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/skin_images.h"
#include "painter_gallery.h"
#include "scripted_prompter.h"
#include "skin/core/skin_engine.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
double MedianMicros(int rounds, int calls, F&& f) {
    std::vector<double> perCall;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i) {
            f();
        }
        const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
        perCall.push_back(spent.count() / calls);
    }
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}

void RepaintNow(HWND hwnd, UINT extra = 0) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | extra);
}

// "owner-drawn" -> "owner_drawn", "radio 1" -> "radio_1": a control's name as part of a figure's name.
std::string SnakeCase(const std::string& text) {
    std::string name;
    for (const char c : text) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (c >= 'A' && c <= 'Z') {
            name += static_cast<char>(c - 'A' + 'a');
        } else if (keep) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name;
}

class NoNetwork : public zandrel::PageFetcher {
  public:
    std::string HttpGetText(const std::string&) override { return {}; }
};

}  // namespace

int main() {
    const auto wood = zandrel::SkinImageBytes(zandrel::SkinImageId::WoodBackground);
    zandrel::DrawBitmap picture;
    zandrel::DrawBitmap canvas;
    zandrel::DrawGraphics graphics;
    std::unique_ptr<zandrel::SkinEngine> engine = zandrel::StartSkinEngine();
    if (!engine || !picture.CreateBitmapFromBytes(wood) || !canvas.CreateBitmap(648, 538) ||
        !graphics.GetImageGraphicsContext(canvas)) {
        std::fprintf(stderr, "no engine or no wood picture\n");
        return 1;
    }
    const double stretch = MedianMicros(7, 20, [&] {
        graphics.DrawImageRect(picture, 0, 0, 648, 538);
        graphics.Flush();
    });
    std::printf("paint_reference_wood_stretch_648x538: %.0f us\n", stretch);  // the reference

    {
        zandrel::test::Gallery gallery;
        if (!gallery.Create(*engine, zandrel::test::GallerySettings::MainWindow)) {
            std::fprintf(stderr, "no gallery\n");
            return 1;
        }
        // Each control's median over 1,000 paints, and that against the reference.
        for (const zandrel::test::GalleryControl& c : gallery.Controls()) {
            const double median = MedianMicros(10, 100, [&] { RepaintNow(c.hwnd); });
            const std::string name = "paint_" + SnakeCase(c.name);
            std::printf("%s: %.0f us\n", name.c_str(), median);
            std::printf("%s_over_wood_stretch: %.2f x\n", name.c_str(), median / stretch);
        }
    }

    zandrel::testing::ScriptedPrompter prompter;
    NoNetwork fetcher;
    zandrel::MainWindowOptions options;
    options.prompter = &prompter;
    options.fetcher = &fetcher;
    options.downloadBanner = false;
    options.skin = engine.get();
    std::unique_ptr<zandrel::MainWindow> window = zandrel::MainWindow::Create(options);
    if (!window) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    ShowWindow(window->Hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(window->Hwnd());
    const double full = MedianMicros(7, 10, [&] { RepaintNow(window->Hwnd(), RDW_ALLCHILDREN); });
    // The ratio's goal is below 1.
    std::printf("paint_main_window_full_repaint: %.0f us\n", full);
    std::printf("paint_main_window_full_repaint_over_wood_stretch: %.2f x\n", full / stretch);
    return 0;
}
