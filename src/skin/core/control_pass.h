// The control skinning pass: the install routines of the painters, run in a fixed order over the children of a
// skinned window (or of one of its frames), and the owner-draw dispatch that paints the faces of skinned buttons.
#pragma once

#include <windows.h>

namespace zandrel {

class PainterHost;

// Takes over every standard control among the direct children of parent, in the order push buttons, check and
// radio buttons, edit and combo boxes, track bars, progress bars, list-type controls, up-down controls, headers.
// Controls already taken over are left as they are. Nothing happens while the control skin mode is 0.
void InstallControls(PainterHost& host, int windowIndex, HWND parent);

// WM_DRAWITEM of a skinned window or frame: paints the face of a skinned push or image button and returns true;
// false (nothing drawn) for anything else, which is left to its own drawing.
bool DispatchOwnerDraw(PainterHost& host, const DRAWITEMSTRUCT& item);

}  // namespace zandrel
