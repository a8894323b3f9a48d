// Records of the skin engine: one SkinnedWindow per skinned top-level window, with its caption buttons, status bar
// and the off-screen backdrop its controls paint over.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/win_handles.h"
#include "draw/tooltip_window.h"
#include "skin/core/control_entries.h"

namespace zandrel {

// The face the engine draws its texts in unless told otherwise (GBK).
inline constexpr char kSkinFontName[] = "\xCB\xCE\xCC\xE5";  // 宋体
using ButtonCallback = void (*)();

// Window property keys (values are pointer-sized).
inline constexpr char kPropWindowIndex[] = "Hw_lbID";       // window: its index; control: index in its kind's list
inline constexpr char kPropOwnerIndex[] = "Hw_FuID";        // control: index of the owning skinned window
inline constexpr char kPropPreviousProc[] = "Hw_hProc";     // previous window procedure
inline constexpr char kPropTextColour[] = "Kj_Ztys";        // control text colour
inline constexpr char kPropCtlBrush[] = "Kj_dxjb";          // brush returned for WM_CTLCOLOR*
inline constexpr char kPropCtlBitmap[] = "Kj_wtjb";         // bitmap behind that pattern brush
inline constexpr char kPropFirstBitmap[] = "Ck_Ycjdx";      // bitmap the backdrop DC was created with
inline constexpr char kPropBackdropBitmap[] = "Ck_wtjbdx";  // bitmap now selected into the backdrop DC
inline constexpr char kPropFrameOwner[] = "Mb_zpf";         // child frame: nearest ancestor supplying a backdrop
inline constexpr char kPropOwnBackdropDc[] = "Wxk_Cj";      // set by outside windows: their own backdrop DC
inline constexpr char kPropOwnBackdrop[] = "Wxk_Zpf";       // set by outside windows: 1 when they supply one
inline constexpr char kPropContainerIndex[] = "Kj_lbID";
inline constexpr char kPropContainerOwner[] = "Kj_FuID";
inline constexpr char kPropContainerProc[] = "Kj_hProc";

struct RectF {
    float x = 0, y = 0, width = 0, height = 0;
};

// x, y, width, height in client pixels.
struct IntRect {
    int x = 0, y = 0, width = 0, height = 0;
};

enum CaptionButtonKind : int {
    kCaptionClose = 0,
    kCaptionMaximize = 1,
    kCaptionMinimize = 2,
    kCaptionMainMenu = 3,
    kCaptionHelp = 4,
    kCaptionCustom = 5,
};

struct CaptionButton {
    int width = 26;
    int height = 18;
    Bytes image;     // PNG
    Bytes altImage;  // shown instead of image while the window is maximised (maximise/restore button)
    Bytes image3;    // empty for the built-in buttons
    int kind = kCaptionCustom;
    std::string tipText;  // GBK
    ButtonCallback callback = nullptr;
    RectF bounds;
};

struct StatusPanel {
    int width = -1;    // -1: all the width that is left
    std::string text;  // GBK
    Bytes icon;        // empty for none
    COLORREF textColour = 0;
};

// A memory DC with the bitmap selected into it and the bitmap it came with; taken apart in that order.
class StripDc {
  public:
    StripDc() = default;
    ~StripDc() { Reset(); }
    StripDc(const StripDc&) = delete;
    StripDc& operator=(const StripDc&) = delete;
    // Creates a DC holding a new 32-bit bitmap of the given size (the old one is taken apart first).
    bool Create(int width, int height);
    void Reset();
    HDC dc() const { return dc_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP current_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

struct DockedChild {
    HWND hwnd = nullptr;
    int top = 0;
};

// A child window skinned as a small surface of its own: a group box or a panel holding further controls.
struct ChildFrameEntry {
    HWND hwnd = nullptr;
    bool ownBackground = false;  // the frame paints its own background
    COLORREF fillColour = 0;     // laid over the backdrop inside the frame when hasFill
    bool hasFill = false;
    bool rounded = false;  // a group box: its fill and outline start below the caption line
    int alpha = 255;       // opacity of the fill
    bool outlined = false;
    WNDPROC previousWndProc = nullptr;
    bool needsFullRepaint = true;
    int fullRepaints = 0;     // paints taken by the full path (registration, resizing, showing, printing)
    int partialRepaints = 0;  // and by the partial one
    std::string fontName;     // group boxes: the caption font (GBK)
    int fontSize = 0;
    int fontStyle = 0;
    std::vector<DockedChild> dockedChildren;
};

// A brush handed out for a control's WM_CTLCOLOR* message (also in its "Kj_dxjb") and the bitmap behind it (in
// "Kj_wtjb"). The window record owns both: a control is often destroyed before its parent, and its properties go
// with it, so only the record can still release them.
struct ControlBrushSlot {
    HWND control = nullptr;
    UniqueBrush brush;    // empty for the stock hollow brush
    UniqueBitmap bitmap;  // empty for the hollow brush
};

struct FadeState {
    int button = 0;  // 1-based caption button, 0 for none
    int step = 0;    // 0..8
};

struct SkinnedWindow {
    HWND hwnd = nullptr;
    int captionHeight = 25;
    bool showHelpButton = false;
    bool showMenuButton = false;
    bool hasMinimizeBox = false;
    bool hasMaximizeBox = false;
    bool hasCloseButton = true;
    bool showCaptionText = true;
    bool captionGloss = false;
    WNDPROC previousWndProc = nullptr;

    Bytes backgroundImage;  // prepared picture of this window (empty: the default background is used)
    int backgroundMode = 0;
    uint32_t backgroundColour = 0;  // ARGB, average colour of the supplied picture

    std::vector<CaptionButton> captionButtons;
    int stripLeft = 0;
    int stripTop = 0;
    int stripWidth = 0;
    int stripHeight = 22;

    bool maximized = false;
    bool minimized = false;
    int minTrackWidth = 200;
    int minTrackHeight = 150;
    int maxTrackWidth = 0;
    int maxTrackHeight = 0;
    bool resizable = true;
    bool movable = true;

    COLORREF captionTextColour = 0xFFFFFF;
    COLORREF captionShadowColour = 0x808080;
    std::string captionFontName;  // GBK; "宋体"
    int captionFontSize = 12;
    int captionFontStyle = 1;

    int hotButton = 0;
    ButtonCallback helpCallback = nullptr;
    ButtonCallback menuCallback = nullptr;
    ToolTipWindow toolTips;
    int toolCount = 0;

    // Status bar.
    int statusBarHeight = 0;
    IntRect statusBarRect;
    std::vector<StatusPanel> statusPanels;
    std::vector<IntRect> statusPanelRects;
    int statusTextMode = 0;
    int statusGlow = 0;
    COLORREF statusGlowTextColour = 0;
    COLORREF statusGlowColour = 0xFFFFFF;
    std::string statusFontName;  // GBK
    int statusFontSize = 12;

    // Skinned controls, one list per kind (filled by the install routines of the painters), with their hover
    // bookkeeping; the child frames whose controls are skinned too.
    ControlLists controls;
    std::deque<ChildFrameEntry> childFrames;
    std::vector<DockedChild> dockedChildren;
    bool installDone = false;

    // The rendered client area and clean copies of its caption strip and status bar.
    bool backdropDirty = true;
    HDC backdropDc = nullptr;
    HBITMAP backdropFirstBitmap = nullptr;  // also in "Ck_Ycjdx"
    HBITMAP backdropBitmap = nullptr;       // also in "Ck_wtjbdx"
    StripDc captionBackdrop;
    StripDc statusBackdrop;

    bool mouseTracked = false;
    FadeState fadeIn;
    FadeState fadeOut;
    bool fadeTimerRunning = false;

    std::vector<ControlBrushSlot> controlBrushes;
};

}  // namespace zandrel
