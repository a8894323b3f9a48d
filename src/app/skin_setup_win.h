// How the program hands its window to the skin engine: the engine lives from before the main window is created
// until after it is gone.
#pragma once

#include <windows.h>

#include <memory>

namespace zandrel {

class SkinEngine;

// Creates and starts the one skin engine (GDI+, application icon, default options); nullptr when GDI+ does not
// start. Destroying the returned object stops the engine and shuts GDI+ down.
std::unique_ptr<SkinEngine> StartSkinEngine();

// The wood background stretched over the window, controls shown over the unveiled backdrop, and the main
// window skinned: caption 80 high, not resizable, no help or menu buttons, no engine-drawn title, a 25-pixel
// status bar with one empty panel.
bool ApplyMainWindowSkin(SkinEngine& engine, HWND mainWindow);

// Copies the skinned window's backdrop behind `hwnd` into dc (client coordinates). False when hwnd does not lie
// in a skinned window, and nothing is drawn.
bool PaintSkinBackdrop(HWND hwnd, HDC dc);

}  // namespace zandrel
