#include "app/skin_setup_win.h"

#include "draw/skin_images.h"
#include "skin/core/skin_engine.h"

namespace zandrel {

std::unique_ptr<SkinEngine> StartSkinEngine() {
    auto engine = std::make_unique<SkinEngine>();
    if (!engine->Startup()) {
        return nullptr;
    }
    return engine;
}

bool ApplyMainWindowSkin(SkinEngine& engine, HWND mainWindow) {
    std::span<const unsigned char> wood = SkinImageBytes(SkinImageId::WoodBackground);
    // Accent colour left out: the engine's own 0xDDCA22. Mode 3: stretched over the whole client area.
    engine.SetDefaultBackground("", wood, std::nullopt, std::nullopt, 3);
    engine.SetGlobalOptions(1, 0, 0);

    SkinWindowOptions options;
    options.captionHeight = 80;
    options.resizable = false;
    options.showHelp = false;
    options.showMenu = false;
    options.showCaptionText = false;
    options.statusBarHeight = 25;
    return engine.SkinWindow(mainWindow, options);
}

bool PaintSkinBackdrop(HWND hwnd, HDC dc) {
    SkinEngine* engine = SkinEngine::Instance();
    if (!engine || engine->FindOwnerWindowIndex(hwnd) <= 0) {
        return false;
    }
    RECT r;
    GetClientRect(hwnd, &r);
    HDC backdrop = engine->CreateBackdropDc(hwnd, r);
    if (!backdrop) {
        return false;
    }
    BitBlt(dc, 0, 0, r.right, r.bottom, backdrop, 0, 0, SRCCOPY);
    engine->ReleaseMemoryDc(backdrop);
    return true;
}

}  // namespace zandrel
