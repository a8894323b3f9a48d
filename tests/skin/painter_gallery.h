// The skin gallery: one top-level window holding one of every control class the skin engine paints, for the
// painter tests, the leak cycles, the paint benchmark and the gallery pictures.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zandrel {
class SkinEngine;
}

namespace zandrel::test {

// How a control is put into its pressed state for a picture.
enum class PressKind { None, Button, Mouse, DropDown };

struct GalleryControl {
    std::string name;  // for messages and picture labels
    HWND hwnd = nullptr;
    PressKind press = PressKind::None;
    POINT pressPoint{};  // client point the mouse presses (Mouse)
};

// The engine settings the gallery is shown with.
enum class GallerySettings {
    MainWindow,  // the main window's: stretched wood, overlay alpha 0 (given), track-bar style 0
    EngineVeil,  // the engine's defaults with the veil on: overlay alpha 160 (given), track-bar style 1
    NoControls,  // control skin mode 0: the window is skinned, its controls are left alone
};

// What the gallery window holds.
enum class GalleryLayout {
    Controls,    // one of every control class the painters take over
    Containers,  // a tab control with controls on its page and a rich edit laid over the backdrop as container
                 // controls, and image buttons of both kinds
    Frames,      // group boxes of each caption alignment holding controls, a translucent filled panel whose fill a
                 // track bar makes more or less opaque, and an outlined panel
};

class Gallery {
  public:
    static constexpr int kWidth = 760;
    static constexpr int kHeight = 560;

    // Creates the window with its controls, applies the settings to the engine and skins the window. The window
    // is shown (the painters draw on the screen).
    bool Create(SkinEngine& engine, GallerySettings settings, GalleryLayout layout = GalleryLayout::Controls);
    ~Gallery();

    HWND Hwnd() const { return hwnd_; }
    const std::vector<GalleryControl>& Controls() const { return controls_; }
    HWND Control(const std::string& name) const;
    // Paints every pending message of this thread.
    static void Pump();

  private:
    HWND Add(const std::string& name,
             const wchar_t* cls,
             const wchar_t* text,
             DWORD style,
             int x,
             int y,
             int w,
             int h,
             PressKind press = PressKind::None,
             POINT pressPoint = {},
             DWORD exStyle = 0,
             HWND parent = nullptr);
    void Fill();
    void FillContainers();
    // The skin operations the containers layout needs once the window is skinned.
    void SkinContainers(SkinEngine& engine);
    void FillFrames();
    void SkinFrames(SkinEngine& engine);

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    std::vector<GalleryControl> controls_;
};

}  // namespace zandrel::test
