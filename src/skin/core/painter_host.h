// What the control painters reach of the skin engine: the global drawing options, the backdrop copies they paint
// over, and the control lists of a skinned window. The painters know nothing else of the engine, and the engine
// knows the painters only as the ordered install routines and the owner-draw dispatch (control_pass.h).
#pragma once

#include <windows.h>

#include "skin/core/control_entries.h"

namespace zandrel {

class PainterHost {
  public:
    // 0 leaves controls unskinned.
    virtual int ControlSkinMode() const = 0;
    // The white veil over control backdrops is on (an overlay alpha was given), and its alpha.
    virtual bool OverlayGiven() const = 0;
    virtual int OverlayAlpha() const = 0;
    // Windows colour of hover, focus and fills.
    virtual COLORREF AccentColour() const = 0;
    // Nonzero: track bars get a rounded panel.
    virtual int TrackbarStyle() const = 0;

    // A memory DC holding the skinned background behind rect of hwnd (window coordinates of hwnd); given back
    // with ReleaseMemoryDc.
    virtual HDC CreateBackdropDc(HWND hwnd, const RECT& rect) = 0;
    virtual int ReleaseMemoryDc(HDC dc) = 0;
    // The backdrop behind hwnd's client area under the white veil, as a bitmap the caller deletes.
    virtual HBITMAP MakeVeiledBackdropBitmap(HWND hwnd) = 0;

    // The reply to a control-colour message of control: the backdrop behind it under the white veil as a pattern
    // brush (veiled), or the hollow brush; the control's text colour ("Kj_Ztys") and a transparent background are
    // set on dc. The record of the skinned window the control lies in owns the brush; 0 outside every one.
    virtual LRESULT ControlColourBrush(HWND control, HDC dc, bool veiled) = 0;

    // The skinned window hwnd lies in (the parent walk), 0 for none.
    virtual int FindOwnerWindowIndex(HWND hwnd) const = 0;
    virtual int WindowCount() const = 0;
    // The control lists of a skinned window, nullptr for an index outside the window list.
    virtual ControlLists* Controls(int windowIndex) = 0;

  protected:
    ~PainterHost() = default;
};

// The engine's painter interface, nullptr when no engine exists.
PainterHost* ActivePainterHost();

}  // namespace zandrel
