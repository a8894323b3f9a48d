// The skin engine: one object per process that draws frameless, rounded top-level windows with a picture
// background, their own caption buttons (with hover fades and tooltips) and a status bar.
//
// Window indices are 1-based positions in the window list, 0 meaning "none"; caption buttons and status panels
// are numbered from 1 as well. Colours named COLORREF are Windows colours (0x00BBGGRR), uint32_t ones GDI+ ARGB.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "draw/gdiplus_session.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_types.h"

namespace zandrel {

class DrawBitmap;
class DrawGraphics;
class DrawPath;

struct SkinWindowOptions {
    int captionHeight = 25;
    std::optional<bool> movable;          // default true
    std::optional<bool> resizable;        // default true
    std::optional<bool> showHelp;         // default false
    std::optional<bool> showMenu;         // default false
    std::optional<bool> showCaptionText;  // default true
    std::optional<bool> captionGloss;     // default false
    std::optional<int> statusBarHeight;   // none: no status bar
    std::vector<StatusPanel> statusPanels;
    Bytes backgroundImage;              // empty: the default background
    std::optional<int> backgroundMode;  // default: the engine's default background mode
};

class SkinEngine : public PainterHost {
  public:
    // Builds the object (reads the system button-face colour); at most one exists at a time.
    SkinEngine();
    // Shuts GDI+ down and destroys the application icon.
    virtual ~SkinEngine();
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;

    // The one instance, reached from the window procedures; nullptr when none exists.
    static SkinEngine* Instance();

    // GDI+ start-up, the application icon and the default drawing options. False when GDI+ does not start.
    bool Startup();

    // --- skinned top-level window ---
    bool SkinWindow(HWND hwnd, const SkinWindowOptions& options);
    LRESULT HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCaptionButtonClick(int windowIndex, int buttonIndex);

    // --- look settings ---
    bool AddCaptionButton(HWND hwnd,
                          std::span<const unsigned char> image,
                          const std::string& tipText,
                          ButtonCallback callback);
    bool SetCaptionStyle(HWND hwnd,
                         std::optional<std::string> fontName,
                         std::optional<int> fontSize,
                         std::optional<COLORREF> textColour,
                         std::optional<COLORREF> shadowColour,
                         std::optional<int> fontStyle);
    bool SetBackgroundImage(HWND hwnd, std::span<const unsigned char> image, std::optional<int> mode);
    void SetDefaultBackground(const std::string& fileName,
                              std::span<const unsigned char> image,
                              std::optional<COLORREF> backgroundColour,
                              std::optional<int> accentColour,
                              std::optional<int> mode);
    void SetGlobalOptions(int controlSkinMode, std::optional<int> overlayAlpha, std::optional<int> trackbarStyle);

    // --- backdrop rendering ---
    void RenderWindowBackdrop(int windowIndex, HDC dc, bool present);
    void PresentBackdrop(int windowIndex, HDC dc);
    void DrawWindowBackground(DrawGraphics& graphics, int windowIndex);
    void ApplyRoundedRegion(HWND hwnd);
    void RepaintDirectControls(int windowIndex);
    // The backdrop changed under the controls: everything that copies it is repainted (its direct controls,
    // its frames and all they hold).
    void RepaintBackdropUsers(int windowIndex);

    // --- caption bar ---
    void DrawWindowBorder(int windowIndex, DrawGraphics& graphics);
    void DrawCaptionButtonSeparators(int windowIndex, int button, DrawGraphics& graphics);
    void RestoreBackdropRect(int windowIndex, const RECT& rect);
    void DrawCaptionButton(int windowIndex,
                           int button,
                           DrawGraphics* graphics,
                           bool drawOnly,
                           bool pressed = false,
                           int highlightAlpha = 0);
    void DrawCaptionButtonHighlight(DrawGraphics& graphics, int windowIndex, int button, int alpha);
    void LayoutCaptionButtons(int windowIndex);
    int HitTestCaptionButton(int windowIndex, float x, float y) const;
    int FindMaximizeButton(int windowIndex) const;
    void DrawCaptionTitle(int windowIndex,
                          DrawGraphics* graphics,
                          bool drawOnly,
                          const std::optional<std::string>& text = std::nullopt);
    RECT GetCaptionButtonsRect(HWND hwnd) const;
    bool SetSystemButtonImages(HWND hwnd,
                               std::optional<Bytes> minimiseImage,
                               std::optional<Bytes> maximiseImage,
                               std::optional<Bytes> restoreImage,
                               std::optional<Bytes> closeImage);

    // --- status bar ---
    void RestoreStatusBackdropRect(int windowIndex, const RECT& rect);
    void SetStatusBar(int windowIndex, int height, const std::vector<StatusPanel>* panels);
    void LayoutStatusBar(int windowIndex);
    void DrawStatusPanel(int windowIndex, DrawGraphics* graphics, bool drawOnly, int panel = 1);
    bool SetStatusPanel(HWND hwnd,
                        int panel,
                        const std::string& text,
                        std::optional<Bytes> icon,
                        std::optional<COLORREF> textColour);
    bool SetStatusBarStyle(HWND hwnd,
                           std::optional<int> textMode,
                           std::optional<int> glow,
                           std::optional<COLORREF> glowTextColour,
                           std::optional<COLORREF> glowColour,
                           std::optional<std::string> fontName,
                           std::optional<int> fontSize);
    void LayoutDockedChildren(int windowIndex);

    // --- frame input ---
    void OnFrameMouseDown(int windowIndex, LPARAM lParam, const RECT& clientRect);
    void UpdateFrameCursor(int windowIndex, LPARAM lParam, const RECT& clientRect);
    void SetHelpCallback(HWND hwnd, ButtonCallback callback);
    void SetMainMenuCallback(HWND hwnd, ButtonCallback callback);
    COLORREF GetDefaultBackgroundColour() const { return defaultBackgroundColour_; }

    // --- backdrop copies and owner searches ---
    HDC CreateBackdropDc(HWND hwnd, const RECT& rect) override;
    // How many backdrop copies were made: one per painting of a control, so tests and benchmarks count repaints.
    long BackdropCopies() const { return backdropCopies_; }
    void RegisterMemoryDc(HDC dc, HBITMAP bitmap, HGDIOBJ previousBitmap);
    int ReleaseMemoryDc(HDC dc) override;
    int FindWindowIndex(HWND hwnd) const;
    int FindOwnerWindowIndex(HWND hwnd) const override;
    int FindFrameIndex(int windowIndex, HWND hwnd) const;
    int FindEnclosingFrame(int windowIndex, HWND hwnd, HWND stopHwnd) const;
    void FindSkinnedOwner(HWND hwnd, int& windowIndex, int& frameIndex, HWND& backdropWindow, bool useProps) const;
    RECT RectInOwner(HWND hwnd) const;
    HBITMAP DcToBitmap(HDC dc, int width, int height);
    HBITMAP MakeVeiledBackdropBitmap(HWND hwnd) override;
    LRESULT ControlColourBrush(HWND control, HDC dc, bool veiled) override;

    // --- child frames, container controls and image buttons ---
    // Skins a child window of a skinned window as a frame: its controls are skinned too, and with ownBackground
    // (default) it paints the backdrop behind it, its fill (a Windows colour, 0 for none) at fillAlpha (default
    // 255), and the two soft outlines when outlined (default false); a group box gets its outline and caption.
    void SkinChildFrame(HWND hwnd,
                        std::optional<bool> ownBackground = std::nullopt,
                        std::optional<COLORREF> fillColour = std::nullopt,
                        std::optional<int> fillAlpha = std::nullopt,
                        std::optional<bool> outlined = std::nullopt);
    void SetChildFrameAlpha(HWND hwnd, int alpha);
    // Lays a control of a skinned window over the backdrop: it paints itself, and every pixel of backColour
    // (default: the button-face colour at the call) lets the backdrop show through. A control holding child
    // windows becomes a frame as well (not painting its own background, with fillColour and fillAlpha, 0 when
    // left out), so they are skinned too. A control outside every skinned window, or one registered before, is
    // left as it is.
    void SkinContainerControl(HWND hwnd,
                              std::optional<COLORREF> backColour = std::nullopt,
                              std::optional<COLORREF> fillColour = std::nullopt,
                              std::optional<int> fillAlpha = std::nullopt);
    // The colour the skin draws a control's text in ("Kj_Ztys"); for a combo box the colour of its edit box. No
    // window, or a combo box without an edit box, changes nothing.
    void SetControlTextColour(HWND hwnd, COLORREF colour);
    // Turns a button of a skinned window into an image button: one picture (PNG or any format GDI+ decodes) beside
    // its text (pictureBesideText) or above it, or a picture per state (normal, hover, pressed, disabled; an empty
    // one falls back to the normal picture in a drawn frame). The tip (GBK) is shown on hover; an empty one leaves
    // an existing tip as it is. A button the skin knows keeps its entry. A picture that does not decode leaves
    // the plain skinned face. False for a button outside every skinned window.
    bool SetButtonImage(HWND hwnd, const Bytes& picture, bool pictureBesideText, const std::string& tipTextGbk);
    bool SetButtonStateImages(HWND hwnd,
                              const Bytes& normal,
                              const Bytes& hover = {},
                              const Bytes& pressed = {},
                              const Bytes& disabled = {},
                              const std::string& tipTextGbk = {});
    LRESULT HandleChildFrameMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // --- state ---
    // The record of a window index, nullptr when the index is outside the list.
    SkinnedWindow* Window(int windowIndex);
    const SkinnedWindow* Window(int windowIndex) const;
    int WindowCount() const override { return static_cast<int>(windows_.size()); }
    ControlLists* Controls(int windowIndex) override;
    // The window index kept in the window's "Hw_lbID" property when it is a valid one, else 0.
    int IndexFromProperty(HWND hwnd) const;

    int FrameMargin() const { return frameMargin_; }
    int HotCaptionButton() const { return hotCaptionButton_; }
    HICON AppIcon() const { return appIcon_; }
    COLORREF AccentColour() const override { return accentColour_; }
    int DefaultBackgroundMode() const { return defaultBackgroundMode_; }
    const Bytes& DefaultBackgroundImage() const { return defaultBackgroundImage_; }
    int ControlSkinMode() const override { return controlSkinMode_; }
    int OverlayAlpha() const override { return overlayAlpha_; }
    bool OverlayGiven() const override { return overlayGiven_; }
    int TrackbarStyle() const override { return trackbarStyle_; }
    bool SkipNextBackdropRefresh() const { return skipNextBackdropRefresh_; }
    size_t MemoryDcCount() const { return memoryDcs_.size(); }

  private:
    struct MemoryDcEntry {
        HDC dc;
        HBITMAP bitmap;
        HGDIOBJ previousBitmap;
    };

    static LRESULT CALLBACK WindowProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT PassOn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void ForgetWindow(HWND hwnd);
    void Renumber();
    // tint is a Windows colour.
    Bytes PrepareBackground(std::span<const unsigned char> image, int mode, uint32_t tint) const;
    // Loads the window's picture (its own or the default one) as it is placed by its mode; false when none.
    bool PrepareBackgroundBitmap(int windowIndex, DrawBitmap& bitmap);

    // Pieces of HandleWindowMessage.
    void OnWindowPosChanged(int windowIndex);
    void OnControlCommand(HWND sender, int code);
    LRESULT OnControlColour(UINT msg, HDC dc, HWND control);
    // Child frames.
    static LRESULT CALLBACK ChildFrameProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT PassOnFrame(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void PaintChildFrame(int windowIndex, int frameIndex, HDC dc, bool full);
    void DecorateChildFrame(int windowIndex, int frameIndex, HDC backdrop, const RECT& rc);
    void DrawGroupBox(int windowIndex, int frameIndex, HDC backdrop, const RECT& rc);
    void PaintBackdropBehind(HWND frame, HDC backdrop, const RECT& r);
    void OnSkinnedMouseMove(int windowIndex, LPARAM lParam);
    void OnSkinnedButtonDown(int windowIndex, LPARAM lParam);
    void OnSkinnedMouseLeave(int windowIndex);
    void OnFadeTimer(int windowIndex);

    GdiplusSession gdiplus_;
    std::vector<std::unique_ptr<SkinnedWindow>> windows_;
    std::vector<MemoryDcEntry> memoryDcs_;
    int frameMargin_ = 3;
    int hotCaptionButton_ = 0;
    HICON appIcon_ = nullptr;
    COLORREF defaultBackgroundColour_ = 0;
    int controlSkinMode_ = 1;
    int overlayAlpha_ = 160;
    bool overlayGiven_ = false;
    int trackbarStyle_ = 1;
    COLORREF accentColour_ = 0xDDCA22;
    int defaultBackgroundMode_ = 0;
    Bytes defaultBackgroundImage_;
    bool skipNextBackdropRefresh_ = true;
    long backdropCopies_ = 0;
};

}  // namespace zandrel
