#include "skin/core/button_faces.h"

#include <algorithm>
#include <cmath>

#include "draw/draw_brushes.h"
#include "draw/draw_image.h"
#include "draw/draw_pen.h"
#include "skin/core/control_subclass.h"
#include "skin/core/paint_tools.h"
#include "skin/core/painter_host.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_types.h"

namespace zandrel {

namespace {

constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kFocusGlow = 0xDDCA22;  // the fixed glow colour, whatever the accent
constexpr int kAlignCentre = 1;

COLORREF TextColour(HWND hwnd) {
    return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kPropTextColour)));
}

const ButtonEntry* EntryOf(HWND hwnd) {
    return LookUpEntry(LookUpControl(hwnd), &ControlLists::buttons, hwnd);
}

void DrawFaceText(DrawGraphics& g, const ButtonEntry& entry, HWND hwnd, const gp::RectF& layout) {
    DrawSkinText(g, entry.text, entry.fontName, static_cast<float>(entry.fontSize), entry.fontStyle,
                 Argb(TextColour(hwnd), 255), layout, kAlignCentre, kAlignCentre, true);
}

struct PictureSize {
    float width = 0;
    float height = 0;
};

PictureSize SizeOf(const Bytes& picture) {
    DrawImage image;
    if (picture.empty() || !image.LoadImageFromBytes(picture)) {
        return {};
    }
    return {static_cast<float>(image.GetImageWidth()), static_cast<float>(image.GetImageHeight())};
}

bool HasPicture(const Bytes& picture) {
    const PictureSize size = SizeOf(picture);
    return size.width > 0 && size.height > 0;
}

bool DrawPictureScaled(DrawGraphics& g, const Bytes& picture, float x, float y, float w, float h) {
    DrawImage image;
    return !picture.empty() && w > 0 && h > 0 && image.LoadImageFromBytes(picture) &&
           g.DrawImageRect(image, x, y, w, h);
}

}  // namespace

void PaintPushButtonFace(PainterHost& host, HWND hwnd, HDC target, UINT state, const RECT& rect) {
    const ButtonEntry* entry = EntryOf(hwnd);
    BackdropCanvas canvas(host, hwnd, rect);
    if (entry == nullptr || !canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    const float x = static_cast<float>(rect.left);
    const float y = static_cast<float>(rect.top);
    const float w = static_cast<float>(rect.right - rect.left);
    const float h = static_cast<float>(rect.bottom - rect.top);
    const COLORREF accent = host.AccentColour();

    const DrawPath face = RoundRectPath(x, y, w - 1, h - 1, 5);
    FillPathSolid(g, face, Argb(kWhite, 120));
    if (state & ODS_DISABLED) {
        FillRectSolid(g, x, y, w, h, Argb(kSilver, 255));
        DrawLinearBrush shade;
        const uint32_t colours[] = {Argb(kWhite, 50), Argb(kBlack, 10), Argb(kWhite, 50)};
        const float positions[] = {0.0f, 0.6f, 1.0f};
        if (shade.CreateLineBrush({x, y}, {x, y + h}, colours[0], colours[2], 3) &&
            shade.SetLinePresetBlend(colours, positions)) {
            g.FillPath(shade, face);
        }
        StrokePathSolid(g, face, Argb(kBlack, 80));
    } else {
        FillPathGradient(g, face, {x, y}, {x, y + h - 1}, Argb(kWhite, 0), Argb(kGrey, 60));
        DrawPath gloss;
        if (gloss.CreatePath()) {
            AddTopRoundRect(gloss, x, y, w - 1, h / 2, 5);
            FillPathGradient(g, gloss, {x, y}, {x, y + h / 2}, Argb(kWhite, 50), Argb(kWhite, 10));
        }
        if (state & ODS_HOTLIGHT) {
            FillPathGradient(g, face, {x, y}, {x, y + h - 1}, Argb(accent, 60), Argb(accent, 10));
            StrokePathSolid(g, face, Argb(accent, 255));
        } else if (state & ODS_FOCUS) {
            DrawPath glow = RoundRectPath(x, y, w - 1, h - 1, 5);
            StrokeGlow(g, glow, 3, kFocusGlow, 120);
            StrokePathSolid(g, face, Argb(kBlack, 70));
        } else {
            StrokePathSolid(g, face, Argb(kBlack, 120));
        }
        if (state & ODS_SELECTED) {
            const DrawPath pressed = RoundRectPath(x + 2, y + 2, w - 3, h - 3, 5);
            FillPathGradient(g, pressed, {2, 2}, {2, h - 2}, Argb(accent, 60), Argb(kWhite, 100));
        }
    }
    // Two pixels lower than the face.
    DrawFaceText(g, *entry, hwnd, gp::RectF{0, 2, w, h});
    canvas.CopyTo(target, 0, 0);
}

void PaintStateImageButtonFace(PainterHost& host, HWND hwnd, HDC target, UINT state, const RECT& rect) {
    const ButtonEntry* entry = EntryOf(hwnd);
    if (entry != nullptr && !HasPicture(entry->picture)) {
        // No picture to show (none given, or one that does not decode): the plain face, so the button stays a
        // button.
        PaintPushButtonFace(host, hwnd, target, state, rect);
        return;
    }
    BackdropCanvas canvas(host, hwnd, rect);
    if (entry == nullptr || !canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    const COLORREF accent = host.AccentColour();
    const PictureSize size = SizeOf(entry->picture);
    const float pw = size.width;
    const float ph = size.height;
    const auto framed = [&](float grow, float radius, uint32_t pen, uint32_t from, uint32_t to) {
        const DrawPath frame = RoundRectPath(0, 0, pw + grow, ph + grow, radius);
        StrokePathSolid(g, frame, pen);
        FillPathGradient(g, frame, {0, 0}, {0, ph + grow}, from, to);
        DrawPictureScaled(g, entry->picture, 2, 2, pw, ph);
    };
    if (state & ODS_DISABLED) {
        if (!DrawPicture(g, entry->disabledPicture, 2, 2)) {
            framed(2, 5, Argb(kBlack, 80), Argb(kWhite, 60), Argb(kBlack, 100));
        }
    } else if (state & ODS_HOTLIGHT) {
        if (!DrawPicture(g, entry->hoverPicture, 2, 2)) {
            framed(3, 3, Argb(accent, 250), Argb(kWhite, 120), Argb(accent, 100));
        }
    } else if (state & ODS_SELECTED) {
        if (!DrawPicture(g, entry->pressedPicture, 2, 2)) {
            framed(3, 3, Argb(accent, 250), Argb(kBlack, 60), Argb(kWhite, 100));
        }
    } else {
        DrawPictureScaled(g, entry->picture, 2, 2, pw, ph);
    }
    canvas.CopyTo(target, 0, 0);
}

void PaintImageButtonFace(PainterHost& host, HWND hwnd, HDC target, UINT state, const RECT& rect) {
    const ButtonEntry* entry = EntryOf(hwnd);
    if (entry != nullptr && !HasPicture(entry->picture)) {
        // No picture to show (none given, or one that does not decode): the plain face, so the button stays a
        // button.
        PaintPushButtonFace(host, hwnd, target, state, rect);
        return;
    }
    BackdropCanvas canvas(host, hwnd, rect);
    if (entry == nullptr || !canvas.Ready()) {
        return;
    }
    DrawGraphics& g = canvas.Graphics();
    const float x = static_cast<float>(rect.left);
    const float y = static_cast<float>(rect.top);
    const float w = static_cast<float>(rect.right - rect.left);
    const float h = static_cast<float>(rect.bottom - rect.top);

    const bool hot = (state & ODS_HOTLIGHT) != 0 && (state & ODS_DISABLED) == 0;
    const bool focused = (state & ODS_FOCUS) != 0 && (state & ODS_DISABLED) == 0;
    if (state & ODS_DISABLED) {
        const DrawPath shade = RoundRectPath(x + 2, y + 2, w - 6, h - 6, 5);
        FillPathGradient(g, shade, {x, y + 2}, {x, y + h - 4}, Argb(kGrey, 50), Argb(kWhite, 0));
    }
    if (hot) {
        const DrawPath light = RoundRectPath(x + 2, y + 1, w - 5, h - 4, 2);
        FillPathGradient(g, light, {x, y + 1}, {x, y + h - 3}, Argb(kWhite, 50), Argb(kWhite, 40));
        DrawLinearBrush rimBrush;
        DrawPen rim;
        if (rimBrush.CreateLineBrush({x, y + 1}, {x, y + h - 3}, Argb(kWhite, 10), Argb(kWhite, 255), 3) &&
            rim.CreatePen2(rimBrush, 2.0f)) {
            g.DrawPath(rim, light);
        }
    }
    if (hot || focused) {
        const DrawPath plate = RoundRectPath(x + 1, y + 1, w - 3, h - 3, 2);
        FillPathGradient(g, plate, {x, y + 1}, {x, y + h - 2}, Argb(kWhite, 60), Argb(kWhite, 50));
        StrokePathSolid(g, RoundRectPath(x + 2, y + 2, w - 5, h - 5, 5), Argb(kBlack, 60));
        StrokePathSolid(g, RoundRectPath(x + 3, y + 3, w - 7, h - 7, 5), Argb(kWhite, 120));
    }

    // The content, shifted a pixel while pressed.
    const float press = (state & ODS_SELECTED) ? 1.0f : 0.0f;
    const PictureSize size = SizeOf(entry->picture);
    const bool hasPicture = size.width > 0 && size.height > 0;
    if (entry->pictureBesideText) {
        if (hasPicture) {
            const float ph = std::floor(h * 0.8f);
            const float pw = std::floor(size.width * ph / size.height);
            const float py = std::floor((h - ph) / 2);
            DrawPictureScaled(g, entry->picture, x + 3 + press, y + py + press, pw, ph);
            const float textLeft = x + 3 + pw + 5;
            DrawFaceText(g, *entry, hwnd, gp::RectF{textLeft + press, y + press, std::max(0.0f, w - 2 - textLeft), h});
        } else {
            DrawFaceText(g, *entry, hwnd, gp::RectF{x + press, y + press, w, h});
        }
    } else {
        // The picture above the text: at its own size, smaller when the button leaves it no room.
        const float top = std::floor(h * 0.05f);
        const float textHeight = static_cast<float>(std::max(entry->fontSize, 12)) + 4;
        float ph = size.height;
        float pw = size.width;
        const float room = std::max(0.0f, h - top - textHeight);
        if (hasPicture && ph > room) {
            pw = std::floor(pw * room / ph);
            ph = room;
        }
        if (hasPicture) {
            DrawPictureScaled(g, entry->picture, x + std::floor((w - pw) / 2) + press, y + top + press, pw, ph);
        }
        const float textTop = hasPicture ? top + ph : 0;
        DrawFaceText(g, *entry, hwnd, gp::RectF{x + press, y + textTop + press, w, h - textTop});
    }
    canvas.CopyTo(target, 0, 0);
}

}  // namespace zandrel
