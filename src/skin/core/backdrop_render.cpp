// Rendering a skinned window's client area into its off-screen backdrop and copying it to the screen.
#include <algorithm>

#include "base/dib_section.h"
#include "base/win_handles.h"
#include "draw/draw_brushes.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"

namespace zandrel {

namespace {

constexpr uint32_t kMagenta = 0xFFFF00FF;  // keyed out by the painters: it marks what lies outside the window
constexpr float kFillRadius = 4;
constexpr int kRegionCorner = 5;
constexpr int kRotateNoneFlipX = 4;

// The window's region shows a few corner pixels that the rounded fill leaves in the key colour; they take the
// colour of their inward neighbour so the key never reaches the screen.
void FillCornersTheRegionShows(HBITMAP bitmap, int width, int height) {
    DIBSECTION dib{};
    if (GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits == nullptr ||
        dib.dsBm.bmBitsPixel != 32) {
        return;
    }
    HRGN shown = CreateRoundRectRgn(0, 0, width + 1, height + 1, kRegionCorner, kRegionCorner);
    if (shown == nullptr) {
        return;
    }
    auto* pixels = static_cast<uint32_t*>(dib.dsBm.bmBits);
    const int stride = dib.dsBm.bmWidthBytes / 4;
    constexpr int kBlock = kRegionCorner + 1;
    const auto at = [&](int x, int y) -> uint32_t& { return pixels[static_cast<size_t>(y) * stride + x]; };
    // From the inside out, so a neighbour is already mended when its outer pixel reads it.
    for (int cy = std::min(kBlock, height) - 1; cy >= 0; --cy) {
        for (int cx = std::min(kBlock, width) - 1; cx >= 0; --cx) {
            for (int corner = 0; corner < 4; ++corner) {
                const bool right = (corner & 1) != 0;
                const bool bottom = (corner & 2) != 0;
                const int x = right ? width - 1 - cx : cx;
                const int y = bottom ? height - 1 - cy : cy;
                if ((at(x, y) & 0xFFFFFFu) != (kMagenta & 0xFFFFFFu) || !PtInRegion(shown, x, y)) {
                    continue;
                }
                const int nx = std::clamp(right ? x - 1 : x + 1, 0, width - 1);
                const int ny = std::clamp(bottom ? y - 1 : y + 1, 0, height - 1);
                at(x, y) = at(nx, ny);
            }
        }
    }
    DeleteObject(shown);
}

}  // namespace

void SkinEngine::RenderWindowBackdrop(int windowIndex, HDC dc, bool present) {
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return;
    }
    HWND hwnd = w->hwnd;
    ApplyRoundedRegion(hwnd);
    // Setting the region can send messages; the record is looked up again.
    windowIndex = IndexFromProperty(hwnd);
    w = Window(windowIndex);
    if (w == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) {
        w->backdropDirty = false;  // minimised or collapsed: nothing to show
        return;
    }

    if (w->backdropDc == nullptr) {
        w->backdropDc = CreateCompatibleDC(nullptr);
        if (w->backdropDc == nullptr) {
            return;
        }
    }
    HBITMAP bitmap = CreateTopDownDib(width, height);
    if (bitmap == nullptr) {
        return;
    }
    HGDIOBJ previous = SelectObject(w->backdropDc, bitmap);
    if (w->backdropFirstBitmap == nullptr) {
        w->backdropFirstBitmap = static_cast<HBITMAP>(previous);
        SetPropA(hwnd, kPropFirstBitmap, previous);
    } else if (previous != nullptr && previous != HGDI_ERROR) {
        DeleteObject(previous);
    }
    w->backdropBitmap = bitmap;
    SetPropA(hwnd, kPropBackdropBitmap, bitmap);

    {
        DrawGraphics graphics;
        if (graphics.CreateFromHDC(w->backdropDc)) {
            DrawWindowBackground(graphics, windowIndex);
            graphics.Flush();
            FillCornersTheRegionShows(bitmap, width, height);
            if (w->movable) {
                DrawWindowBorder(windowIndex, graphics);
                graphics.Flush();
                if (w->captionBackdrop.Create(width, w->captionHeight)) {
                    BitBlt(w->captionBackdrop.dc(), 0, 0, width, w->captionHeight, w->backdropDc, 0, 0, SRCCOPY);
                }
            } else {
                graphics.Flush();
            }
            const IntRect& bar = w->statusBarRect;
            if (w->statusBackdrop.Create(bar.width, bar.height)) {
                BitBlt(w->statusBackdrop.dc(), 0, 0, bar.width, bar.height, w->backdropDc, bar.x, bar.y, SRCCOPY);
            }
            if (w->movable) {
                if (w->showCaptionText) {
                    DrawCaptionTitle(windowIndex, &graphics, true);
                }
                for (int i = 1; i <= static_cast<int>(w->captionButtons.size()); ++i) {
                    DrawCaptionButton(windowIndex, i, &graphics, true);
                }
            }
            if (w->statusBarHeight > 0) {
                for (int i = 1; i <= static_cast<int>(w->statusPanels.size()); ++i) {
                    DrawStatusPanel(windowIndex, &graphics, true, i);
                }
            }
            graphics.Flush();
        }
    }

    w->backdropDirty = false;
    if (present) {
        PresentBackdrop(windowIndex, dc);
        if (!skipNextBackdropRefresh_) {
            RepaintBackdropUsers(windowIndex);
        }
    }
}

void SkinEngine::PresentBackdrop(int windowIndex, HDC dc) {
    const SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr || w->backdropDc == nullptr) {
        return;
    }
    HWND hwnd = w->hwnd;
    RECT client{};
    GetClientRect(hwnd, &client);
    if (dc != nullptr) {
        // The caller's DC (a paint DC, say) stays the caller's: only its clipping is changed, and restored.
        const int saved = SaveDC(dc);
        ClientDcWithoutChildren(hwnd, dc);
        BitBlt(dc, 0, 0, client.right, client.bottom, w->backdropDc, 0, 0, SRCCOPY);
        RestoreDC(dc, saved);
        return;
    }
    if (HDC own = ClientDcWithoutChildren(hwnd)) {
        BitBlt(own, 0, 0, client.right, client.bottom, w->backdropDc, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, own);
    }
}

void SkinEngine::DrawWindowBackground(DrawGraphics& graphics, int windowIndex) {
    SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(w->hwnd, &client);
    const float width = static_cast<float>(client.right);
    const float height = static_cast<float>(client.bottom);

    graphics.Clear(kMagenta);
    DrawPath outline;
    if (outline.CreatePath()) {
        AddRoundRect(outline, 0, 0, width, height, kFillRadius);
        graphics.SetClipPath(outline, 0);
    }
    const bool ownPicture = !w->backgroundImage.empty();
    DrawSolidBrush fill;
    const uint32_t fillColour =
        ownPicture ? (w->backgroundColour | 0xFF000000u) : ToArgb(defaultBackgroundColour_, 255, true);
    if (fill.CreateSolidFill(fillColour)) {
        graphics.FillPath(fill, outline);
    }

    if (ownPicture || !defaultBackgroundImage_.empty()) {
        const int mode = ownPicture ? w->backgroundMode : defaultBackgroundMode_;
        DrawBitmap picture;
        if (PrepareBackgroundBitmap(windowIndex, picture)) {
            const float pw = static_cast<float>(picture.GetImageWidth());
            const float ph = static_cast<float>(picture.GetImageHeight());
            // Sizes are always given: a picture's own resolution must not scale it.
            switch (mode) {
                case 0:
                case 4: graphics.DrawImageRect(picture, 0, 0, pw, ph); break;
                case 1: graphics.DrawImageRect(picture, width - pw, 0, pw, ph); break;
                case 2:
                    graphics.DrawImageRect(picture, static_cast<float>(static_cast<int>((width - pw) / 2)),
                                           static_cast<float>(static_cast<int>((height - ph) / 2)), pw, ph);
                    break;
                case 3: graphics.DrawImageRect(picture, 0, 0, width, height); break;
                default: break;
            }
        }
    }

    if (w->captionGloss) {
        DrawLinearBrush gloss;
        const float captionHeight = static_cast<float>(w->captionHeight);
        if (gloss.CreateLineBrush({0, 0}, {0, captionHeight}, 0x96FFFFFF, 0x00FFFFFF)) {
            graphics.FillRectangle(gloss, 0, 0, width, captionHeight);
        }
    }
}

bool SkinEngine::PrepareBackgroundBitmap(int windowIndex, DrawBitmap& bitmap) {
    const SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return false;
    }
    const bool ownPicture = !w->backgroundImage.empty();
    const Bytes& picture = ownPicture ? w->backgroundImage : defaultBackgroundImage_;
    const int mode = ownPicture ? w->backgroundMode : defaultBackgroundMode_;
    if (picture.empty()) {
        return false;
    }
    if (mode >= 0 && mode <= 3) {
        return bitmap.CreateBitmapFromBytes(picture);
    }
    if (mode != 4) {
        return false;
    }

    // Tiles from the left, every second one mirrored so that neighbouring edges match.
    DrawImage tile;
    DrawImage mirrored;
    if (!tile.LoadImageFromBytes(picture) || !mirrored.LoadImageFromBytes(picture) ||
        !mirrored.ImageRotateFlip(kRotateNoneFlipX)) {
        return false;
    }
    const int tileWidth = static_cast<int>(tile.GetImageWidth());
    const int tileHeight = static_cast<int>(tile.GetImageHeight());
    RECT client{};
    GetClientRect(w->hwnd, &client);
    const int width = client.right;
    if (tileWidth <= 0 || tileHeight <= 0 || width <= 0 || !bitmap.CreateBitmap(width, tileHeight)) {
        return false;
    }
    DrawGraphics graphics;
    if (!graphics.GetImageGraphicsContext(bitmap)) {
        return false;
    }
    for (int i = 0; width - i * tileWidth > 0; ++i) {
        graphics.DrawImageRect(i % 2 == 0 ? tile : mirrored, static_cast<float>(i * tileWidth), 0,
                               static_cast<float>(tileWidth), static_cast<float>(tileHeight));
    }
    return true;
}

void SkinEngine::ApplyRoundedRegion(HWND hwnd) {
    RECT client{};
    RECT window{};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &window);
    // The region is in window coordinates: it is placed over the client area, which is where the skin draws.
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int dx = origin.x - window.left;
    const int dy = origin.y - window.top;
    HRGN region =
        CreateRoundRectRgn(dx, dy, dx + client.right + 1, dy + client.bottom + 1, kRegionCorner, kRegionCorner);
    if (region == nullptr) {
        return;
    }
    // The window owns the region once SetWindowRgn succeeds; only a refused one is ours to delete.
    if (SetWindowRgn(hwnd, region, FALSE) == 0) {
        DeleteObject(region);
    }
}

void SkinEngine::RepaintDirectControls(int windowIndex) {
    const SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return;
    }
    HWND hwnd = w->hwnd;
    const auto invalidate = [hwnd](const auto& list, bool erase, bool children) {
        for (const ControlEntry& entry : list) {
            if (entry.hwnd == nullptr || !IsWindow(entry.hwnd) || GetParent(entry.hwnd) != hwnd) {
                continue;
            }
            InvalidateRect(entry.hwnd, nullptr, erase ? TRUE : FALSE);
            if (!children) {
                continue;
            }
            for (HWND child = GetWindow(entry.hwnd, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (IsWindowVisible(child)) {
                    InvalidateRect(child, nullptr, TRUE);
                }
            }
        }
    };
    const ControlLists& c = w->controls;
    invalidate(c.lists, true, true);
    invalidate(c.combos, true, false);
    invalidate(c.edits, true, false);
    invalidate(c.buttons, false, false);
    invalidate(c.trackbars, false, false);
    invalidate(c.progressBars, false, false);
    invalidate(c.upDowns, false, false);
}

void SkinEngine::RepaintBackdropUsers(int windowIndex) {
    RepaintDirectControls(windowIndex);
    const SkinnedWindow* w = Window(windowIndex);
    if (w == nullptr) {
        return;
    }
    // A frame copies the backdrop behind it and so does everything inside it: the frame and all its children
    // are repainted, frames of their own included.
    for (const ChildFrameEntry& frame : w->childFrames) {
        if (frame.hwnd != nullptr && IsWindow(frame.hwnd) && GetParent(frame.hwnd) == w->hwnd) {
            RedrawWindow(frame.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }
}

}  // namespace zandrel
