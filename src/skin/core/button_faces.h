// The faces of skinned push buttons, drawn on a copy of the backdrop behind the button and copied into the DC the
// caller gives (an owner-draw DC, or a window DC the caller releases). State bits are the owner-draw item-state
// bits: ODS_SELECTED pressed, ODS_DISABLED, ODS_FOCUS, ODS_HOTLIGHT hover.
#pragma once

#include <windows.h>

namespace zandrel {

class PainterHost;

// The glassy push-button face with its text.
void PaintPushButtonFace(PainterHost& host, HWND hwnd, HDC target, UINT state, const RECT& rect);
// An image button with one picture beside or above its text.
void PaintImageButtonFace(PainterHost& host, HWND hwnd, HDC target, UINT state, const RECT& rect);
// An image button with a picture per state; a state without its own picture gets a drawn frame around the normal
// picture.
void PaintStateImageButtonFace(PainterHost& host, HWND hwnd, HDC target, UINT state, const RECT& rect);

}  // namespace zandrel
