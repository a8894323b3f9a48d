// Settings that change how skinned windows look: custom caption buttons, the caption style, background pictures
// and the global drawing options.
#include <algorithm>
#include <string>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "draw/draw_image.h"
#include "base/window_text.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {

namespace {

constexpr int kAverageSamples = 2000;
constexpr COLORREF kDefaultAccent = 0xDDCA22;

// The average colour of a picture as a Windows colour (black when it does not decode).
COLORREF PictureColour(std::span<const unsigned char> image) {
    return AverageImageColour(image, {}, kAverageSamples, 0, 0) & 0xFFFFFF;
}

bool IsTintedMode(int mode) {
    return mode == 0 || mode == 1;
}

}  // namespace

Bytes SkinEngine::PrepareBackground(std::span<const unsigned char> image, int mode, uint32_t tint) const {
    if (image.empty()) {
        return {};
    }
    // Mode 0 sits top-left, so its right and bottom edges fade into the flat colour; mode 1 sits top-right.
    if (IsTintedMode(mode)) {
        return MakeTintedBackground(image, {}, std::nullopt, static_cast<COLORREF>(tint), mode == 0);
    }
    return Bytes(image.begin(), image.end());
}

bool SkinEngine::AddCaptionButton(HWND hwnd,
                                  std::span<const unsigned char> image,
                                  const std::string& tipText,
                                  ButtonCallback callback) {
    const int windowIndex = IndexFromProperty(hwnd);
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr || image.empty()) {
        return false;
    }
    w->stripWidth += 27;
    CaptionButton button;
    button.width = 26;
    button.height = 18;
    button.kind = kCaptionCustom;
    button.image.assign(image.begin(), image.end());
    button.tipText = tipText;
    button.callback = callback;
    w->captionButtons.insert(w->captionButtons.begin(), std::move(button));
    const int count = static_cast<int>(w->captionButtons.size());
    w->toolTips.AddTool(RECT{}, tipText, static_cast<UINT_PTR>(count));
    w->toolCount = count;
    LayoutCaptionButtons(windowIndex);
    // The strip grew to the left: the caption must be drawn again.
    w->backdropDirty = true;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
}

bool SkinEngine::SetCaptionStyle(HWND hwnd,
                                 std::optional<std::string> fontName,
                                 std::optional<int> fontSize,
                                 std::optional<COLORREF> textColour,
                                 std::optional<COLORREF> shadowColour,
                                 std::optional<int> fontStyle) {
    const int windowIndex = IndexFromProperty(hwnd);
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return false;
    }
    if (fontName) {
        w->captionFontName = *fontName;
    }
    if (fontSize) {
        w->captionFontSize = *fontSize;
    }
    if (textColour) {
        w->captionTextColour = *textColour;
    }
    if (shadowColour) {
        w->captionShadowColour = *shadowColour;
    }
    if (fontStyle) {
        w->captionFontStyle = *fontStyle;
    }
    // Before the first rendering there is nothing to redraw over; that rendering draws the title in the new style.
    if (w->backdropDc != nullptr) {
        DrawCaptionTitle(windowIndex, nullptr, false, WindowTextGbk(hwnd));
    }
    return true;
}

bool SkinEngine::SetBackgroundImage(HWND hwnd, std::span<const unsigned char> image, std::optional<int> mode) {
    const int windowIndex = IndexFromProperty(hwnd);
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr || image.empty()) {
        return false;
    }
    if (mode) {
        w->backgroundMode = *mode;
    }
    const COLORREF average = PictureColour(image);
    w->backgroundColour = ToArgb(average, 255, true);
    w->backgroundImage = PrepareBackground(image, w->backgroundMode, average);
    w->backdropDirty = true;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
}

void SkinEngine::SetDefaultBackground(const std::string& fileName,
                                      std::span<const unsigned char> image,
                                      std::optional<COLORREF> backgroundColour,
                                      std::optional<int> accentColour,
                                      std::optional<int> mode) {
    const bool accentFollowsBackground = accentColour && *accentColour == -1;
    const bool noPicture = fileName.empty() && image.empty();
    if (noPicture && backgroundColour) {
        return;  // a colour alone changes nothing
    }

    if (noPicture) {
        defaultBackgroundImage_.clear();
        defaultBackgroundColour_ = backgroundColour ? *backgroundColour : GetSysColor(COLOR_BTNFACE);
    } else {
        const bool fromFile = !fileName.empty();
        const Bytes fileBytes = fromFile ? ReadFileBytes(fileName) : Bytes{};
        const std::span<const unsigned char> picture = fromFile ? std::span<const unsigned char>(fileBytes) : image;
        if (picture.empty()) {
            return;  // a missing or unreadable file leaves the default background as it was
        }
        defaultBackgroundColour_ = backgroundColour ? *backgroundColour : PictureColour(picture);
        defaultBackgroundMode_ = mode.value_or(4);
        if (IsTintedMode(defaultBackgroundMode_)) {
            defaultBackgroundImage_ = PrepareBackground(picture, defaultBackgroundMode_, defaultBackgroundColour_);
        } else if (fromFile) {
            DrawImage decoded;
            defaultBackgroundImage_ =
                decoded.LoadImageFromBytes(picture) ? decoded.SaveImageToBytes(kPngFormatId) : Bytes{};
        } else {
            defaultBackgroundImage_.assign(picture.begin(), picture.end());
        }
    }
    accentColour_ = accentFollowsBackground ? defaultBackgroundColour_
                                            : static_cast<COLORREF>(accentColour.value_or(kDefaultAccent));

    for (int windowIndex = 1; windowIndex <= WindowCount(); ++windowIndex) {
        HWND hwnd = windows_[static_cast<size_t>(windowIndex - 1)]->hwnd;
        if (!IsWindowVisible(hwnd)) {
            continue;
        }
        RenderWindowBackdrop(windowIndex, nullptr, false);
        InvalidateRect(hwnd, nullptr, FALSE);
        for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child)) {
                InvalidateRect(child, nullptr, TRUE);
            }
        }
        if (const SkinnedWindow* w = Window(windowIndex)) {
            for (const ControlEntry& header : w->controls.headers) {
                if (header.hwnd != nullptr) {
                    InvalidateRect(header.hwnd, nullptr, FALSE);
                }
            }
        }
    }
}

void SkinEngine::SetGlobalOptions(int controlSkinMode,
                                  std::optional<int> overlayAlpha,
                                  std::optional<int> trackbarStyle) {
    controlSkinMode_ = controlSkinMode;
    overlayAlpha_ = std::clamp(overlayAlpha.value_or(160), 0, 255);
    overlayGiven_ = overlayAlpha.has_value();
    trackbarStyle_ = trackbarStyle.value_or(1);
}

}  // namespace zandrel
