// How the program hands its window to the skin engine: the engine lives from before the main window is created
// until after it is gone.
#pragma once

#include <windows.h>

#include <memory>
#include <span>

namespace zandrel {

class SkinEngine;

// Creates and starts the one skin engine (GDI+, application icon, default options); nullptr when GDI+ does not
// start. Destroying the returned object stops the engine and shuts GDI+ down.
std::unique_ptr<SkinEngine> StartSkinEngine();

// The parts of the main window the skin set-up treats specially.
struct MainWindowSkinParts {
    HWND frame = nullptr;                 // the frame holding the keyword row and the pictures
    std::span<const HWND> lightControls;  // controls whose text is drawn light over the dark wood
};

// The wood background stretched over the window, controls shown over the unveiled backdrop, and the main
// window skinned: caption 80 high, not resizable, no help or menu buttons, no engine-drawn title, a 25-pixel
// status bar with one empty panel. The frame becomes a child frame of the window (so the controls inside it are
// skinned as well) drawn with the soft outlines, and the light controls get the caption's white text.
bool ApplyMainWindowSkin(SkinEngine& engine, HWND mainWindow, const MainWindowSkinParts& parts = {});

// The text colour the skin draws a control's text in (a Windows colour).
void SetSkinTextColour(HWND control, COLORREF colour);

// Copies the skinned window's backdrop behind `hwnd` into dc (client coordinates). False when hwnd does not lie
// in a skinned window, and nothing is drawn.
bool PaintSkinBackdrop(HWND hwnd, HDC dc);

}  // namespace zandrel
