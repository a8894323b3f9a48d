#include "app/skin_setup_win.h"

#include "draw/skin_images.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_types.h"

namespace zandrel {

namespace {

// The caption title's colour.
constexpr COLORREF kLightText = RGB(255, 255, 255);

}  // namespace

std::unique_ptr<SkinEngine> StartSkinEngine() {
    auto engine = std::make_unique<SkinEngine>();
    if (!engine->Startup()) {
        return nullptr;
    }
    return engine;
}

void SetSkinTextColour(HWND control, COLORREF colour) {
    SetPropA(control, kPropTextColour, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(colour)));
    InvalidateRect(control, nullptr, TRUE);
}

bool ApplyMainWindowSkin(SkinEngine& engine, HWND mainWindow, const MainWindowSkinParts& parts) {
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
    if (!engine.SkinWindow(mainWindow, options)) {
        return false;
    }
    if (parts.frame != nullptr) {
        engine.SkinChildFrame(parts.frame, true, std::nullopt, std::nullopt, true);
    }
    // Set after the controls were taken over (which gives them black text): light text reads on the dark wood.
    for (HWND control : parts.lightControls) {
        SetSkinTextColour(control, kLightText);
    }
    return true;
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
