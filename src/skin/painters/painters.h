// The control painters: one install routine per control kind, run by the control skinning pass over the children
// of a skinned window or frame, and the few painting helpers the painters share with each other and with the
// frames. Each install routine takes the window's index and the parent whose direct children it looks at, and does
// nothing while the control skin mode is 0.
#pragma once

#include <windows.h>

#include <string>

namespace zandrel {

class PainterHost;

void InstallPushButtons(PainterHost& host, int windowIndex, HWND parent);
void InstallCheckButtons(PainterHost& host, int windowIndex, HWND parent);
void InstallEditAndComboBoxes(PainterHost& host, int windowIndex, HWND parent);
void InstallTrackbars(PainterHost& host, int windowIndex, HWND parent);
void InstallProgressBars(PainterHost& host, int windowIndex, HWND parent);
void InstallListControls(PainterHost& host, int windowIndex, HWND parent);
void InstallUpDowns(PainterHost& host, int windowIndex, HWND parent);
void InstallHeaders(PainterHost& host, int windowIndex, HWND parent);

// Between the painters: the combo boxes (the second half of InstallEditAndComboBoxes), the edit box inside a
// combo box, and the list of a drop-down combo box.
void InstallComboBoxes(PainterHost& host, int windowIndex, HWND parent);
bool RegisterEditBox(PainterHost& host, int windowIndex, HWND edit);
bool RegisterDropList(PainterHost& host, int windowIndex, HWND list);

// Takes hwnd over as a container control of the window: it paints itself as usual and is then laid over the
// backdrop with every pixel of backColour left out. False, with nothing changed, for a control that is one
// already or a window index outside the list.
bool RegisterContainerControl(PainterHost& host, int windowIndex, HWND hwnd, COLORREF backColour);

// The entry of a button that is to show pictures: its entry when the skin knows it already, else a new one (text
// and font read from the button), the tooltip made or its text changed when tipText (GBK) is not empty, and the
// button made owner-drawn. nullptr when the button cannot be taken over.
struct ButtonEntry;
ButtonEntry* TakeOverImageButton(PainterHost& host, int windowIndex, HWND button, const std::string& tipText);

// A button's face drawn now, on a DC of its own; state uses the owner-draw item-state bits, hot adds the hover look.
void RepaintButton(HWND hwnd, UINT state, bool hot);

// The font a control draws with, as GDI+ sees it (name GBK, size in pixels, GDI+ style bits); empty name and size
// 0 when it cannot be read.
struct FontInfo {
    std::string name;
    int size = 0;
    int style = 0;
};
FontInfo ReadControlFont(HWND hwnd);

// Edit boxes and list-type controls.
bool HasScrollBars(HWND hwnd);
// The client area together with its scroll bars, centred in the window rectangle (window coordinates).
RECT InnerRect(HWND hwnd);
// The backdrop behind the client area under the white veil: into dc at (0, 0) when toGivenDc, else into the
// window DC at the client area's place.
void PaintVeiledBackground(PainterHost& host, HWND hwnd, HDC dc, bool toGivenDc);
// The scroll bars (and the corner box between them) as a region in screen coordinates for the default non-client
// painting; nullptr without scroll bars. The caller deletes it.
HRGN ScrollBarRegion(HWND hwnd);
// WM_NCPAINT after the skin drew a control's frame: the default painting draws only the scroll bars and the corner
// box between them; without scroll bars nothing is left to it (it would paint the platform border over the frame).
LRESULT PaintScrollBarsOnly(HWND hwnd, UINT msg);
// The backdrop behind the client area under the white veil, in a memory DC given back with ReleaseMemoryDc.
HDC CreateVeiledClientDc(PainterHost& host, HWND hwnd);
void InvalidateVisibleChildren(HWND hwnd);

}  // namespace zandrel
