// Turning a top-level window into a skinned one, and the actions of its caption buttons.
#include <numeric>

#include "draw/skin_images.h"
#include "skin/core/control_pass.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {

namespace {

constexpr int kMinCaptionHeight = 25;
constexpr int kCloseButtonWidth = 38;
constexpr int kButtonWidth = 26;

Bytes CopyImage(SkinImageId id) {
    const std::span<const unsigned char> bytes = SkinImageBytes(id);
    return Bytes(bytes.begin(), bytes.end());
}

CaptionButton MakeButton(int width, SkinImageId image, int kind, const char* tip) {
    CaptionButton button;
    button.width = width;
    button.height = 18;
    button.image = CopyImage(image);
    button.kind = kind;
    button.tipText = tip;
    return button;
}

}  // namespace

bool SkinEngine::SkinWindow(HWND hwnd, const SkinWindowOptions& options) {
    if (hwnd == nullptr || !IsWindow(hwnd)) {
        return false;
    }
    for (const auto& record : windows_) {
        if (record->hwnd == hwnd) {
            return false;  // already skinned: nothing changes
        }
    }

    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    RECT client{};
    GetClientRect(hwnd, &client);
    frameMargin_ = 3;

    auto record = std::make_unique<SkinnedWindow>();
    SkinnedWindow& w = *record;
    w.hwnd = hwnd;
    w.captionHeight = options.captionHeight >= kMinCaptionHeight ? options.captionHeight : kMinCaptionHeight;
    w.showHelpButton = options.showHelp.value_or(false);
    w.showMenuButton = options.showMenu.value_or(false);
    w.hasMinimizeBox = (style & WS_MINIMIZEBOX) != 0;
    w.hasMaximizeBox = (style & WS_MAXIMIZEBOX) != 0;
    w.hasCloseButton = true;
    w.showCaptionText = options.showCaptionText.value_or(true);
    w.captionGloss = options.captionGloss.value_or(false);
    w.movable = options.movable.value_or(true);
    w.resizable = options.resizable.value_or(true);
    w.minTrackWidth = 200;
    w.minTrackHeight = 150;
    w.maxTrackWidth = GetSystemMetrics(SM_CXSCREEN);
    w.maxTrackHeight = GetSystemMetrics(SM_CYSCREEN);

    w.backgroundMode = options.backgroundMode.value_or(defaultBackgroundMode_);
    if (!options.backgroundImage.empty()) {
        // The sampled average reads as a Windows colour; the record keeps it as opaque ARGB.
        const COLORREF average = AverageImageColour(options.backgroundImage, {}, 2000, 0, 0) & 0xFFFFFF;
        w.backgroundColour = ToArgb(average, 255, true);
        w.backgroundImage = PrepareBackground(options.backgroundImage, w.backgroundMode, average);
    }

    w.captionTextColour = 0xFFFFFF;
    w.captionShadowColour = 0x808080;
    w.captionFontName = kSkinFontName;
    w.captionFontSize = 12;
    w.captionFontStyle = 1;

    // Tips in GBK: 帮助, 主菜单, 最小化, 最大化, 关闭.
    if (w.showHelpButton) {
        w.captionButtons.push_back(MakeButton(kButtonWidth, SkinImageId::HelpGlyph, kCaptionHelp, "\xB0\xEF\xD6\xFA"));
    }
    if (w.showMenuButton) {
        w.captionButtons.push_back(
            MakeButton(kButtonWidth, SkinImageId::MenuGlyph, kCaptionMainMenu, "\xD6\xF7\xB2\xCB\xB5\xA5"));
    }
    if (w.hasMinimizeBox) {
        w.captionButtons.push_back(
            MakeButton(kButtonWidth, SkinImageId::MinimizeGlyph, kCaptionMinimize, "\xD7\xEE\xD0\xA1\xBB\xAF"));
    }
    if (w.hasMaximizeBox) {
        CaptionButton maximize =
            MakeButton(kButtonWidth, SkinImageId::MaximizeGlyph, kCaptionMaximize, "\xD7\xEE\xB4\xF3\xBB\xAF");
        maximize.altImage = CopyImage(SkinImageId::RestoreGlyph);
        w.captionButtons.push_back(std::move(maximize));
    }
    w.captionButtons.push_back(
        MakeButton(kCloseButtonWidth, SkinImageId::CloseGlyph, kCaptionClose, "\xB9\xD8\xB1\xD5"));

    const int widths = std::accumulate(w.captionButtons.begin(), w.captionButtons.end(), 0,
                                       [](int sum, const CaptionButton& b) { return sum + b.width; });
    w.stripWidth = widths + static_cast<int>(w.captionButtons.size()) - 1 + 3;
    w.stripHeight = 22;
    w.stripTop = 0;
    w.stripLeft = client.right - frameMargin_ - w.stripWidth - 2;

    SetWindowLongPtrW(hwnd, GWL_STYLE, style | WS_SYSMENU);

    windows_.push_back(std::move(record));
    const int windowIndex = WindowCount();

    w.toolTips.Create(hwnd);
    LayoutCaptionButtons(windowIndex);
    int tool = 0;
    for (const CaptionButton& button : w.captionButtons) {
        ++tool;
        const RECT rect{static_cast<LONG>(button.bounds.x), static_cast<LONG>(button.bounds.y),
                        static_cast<LONG>(button.bounds.x + button.bounds.width),
                        static_cast<LONG>(button.bounds.y + button.bounds.height)};
        w.toolTips.AddTool(rect, button.tipText, static_cast<UINT_PTR>(tool));
    }
    w.toolCount = tool;

    if (options.statusBarHeight.value_or(0) > 0) {
        // An empty panel list means "no list": the bar then shows one panel across its width.
        SetStatusBar(windowIndex, *options.statusBarHeight,
                     options.statusPanels.empty() ? nullptr : &options.statusPanels);
    }
    w.statusGlowTextColour = 0;
    w.statusGlowColour = 0xFFFFFF;
    w.statusFontName = kSkinFontName;
    w.statusFontSize = 12;
    LayoutStatusBar(windowIndex);

    InstallControls(*this, windowIndex, hwnd);

    w.installDone = true;
    w.backdropDirty = true;

    // The properties come first, so the very first message through the thunk finds them.
    w.previousWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    SetPropA(hwnd, kPropPreviousProc, reinterpret_cast<HANDLE>(w.previousWndProc));
    SetPropA(hwnd, kPropWindowIndex, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(windowIndex)));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinEngine::WindowProcThunk));
    return true;
}

void SkinEngine::OnCaptionButtonClick(int windowIndex, int buttonIndex) {
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr || buttonIndex < 1 || buttonIndex > static_cast<int>(w->captionButtons.size())) {
        return;
    }
    const CaptionButton& button = w->captionButtons[static_cast<size_t>(buttonIndex - 1)];
    HWND hwnd = w->hwnd;
    // Every branch ends in a call that may destroy the window, so the record is not touched after it.
    switch (button.kind) {
        case kCaptionClose: SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case kCaptionMaximize:
            w->backdropDirty = true;
            w->minimized = false;
            if (w->maximized) {
                w->maximized = false;
                SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
            } else {
                w->maximized = true;
                SendMessageW(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            }
            break;
        case kCaptionMinimize:
            w->minimized = true;
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        case kCaptionHelp:
            if (ButtonCallback callback = w->helpCallback) {
                callback();
            }
            break;
        case kCaptionMainMenu:
            if (ButtonCallback callback = w->menuCallback) {
                callback();
            }
            break;
        default:
            if (ButtonCallback callback = button.callback) {
                callback();
            }
            break;
    }
}

}  // namespace zandrel
