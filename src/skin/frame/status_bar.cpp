// The status bar of a skinned window: a row of panels along the bottom of the client area, each with an optional
// picture and a text over a faint white gradient, and the docked children that sit above it.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "base/win_handles.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/text_tools.h"

namespace zandrel {

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// Text with a soft glow: the text is drawn in the glow colour, shrunk by `scale` and enlarged again (which blurs
// it), thickened by four faint copies, laid under the target and finally drawn sharp on top.
void DrawGlowText(DrawGraphics& graphics,
                  const std::string& text,
                  const gp::RectF& rect,
                  COLORREF textColour,
                  COLORREF glowColour,
                  float scale,
                  const std::string& fontName = kSkinFontName,
                  int style = 0,
                  float size = 12,
                  int alignment = 0,
                  int lineAlignment = 0) {
    TextTools t;
    if (!t.Create(fontName, size, style, 0, alignment, lineAlignment, ToArgb(glowColour, 255, true))) {
        return;
    }
    DrawFont& font = t.font;
    DrawStringFormat& format = t.format;
    DrawSolidBrush& brush = t.brush;
    const int width = static_cast<int>(rect.Width);
    const int height = static_cast<int>(rect.Height);
    const float d = scale;
    const float fw = static_cast<float>(width);
    const float fh = static_cast<float>(height);
    const int smallWidth = d > 0 ? static_cast<int>(fw / d) : 0;
    const int smallHeight = d > 0 ? static_cast<int>(fh / d) : 0;

    // A rectangle too small to shrink gets the sharp text only.
    if (smallWidth >= 1 && smallHeight >= 1) {
        DrawBitmap glow;
        if (glow.CreateBitmap(width, height)) {
            {
                DrawGraphics g;
                if (g.GetImageGraphicsContext(glow)) {
                    g.SetSmoothingMode(4);
                    g.SetCompositingQuality(3);
                    g.SetInterpolationMode(7);
                    g.SetPixelOffsetMode(3);
                    g.DrawString(text, font, brush, gp::RectF(d / 2, d / 2, fw + d / 2, fh + d / 2), &format);
                }
            }
            DrawBitmap small;
            if (small.CreateBitmap(smallWidth, smallHeight)) {
                DrawGraphics g;
                if (g.GetImageGraphicsContext(small)) {
                    g.SetInterpolationMode(7);
                    g.SetCompositingQuality(2);
                    g.SetPixelOffsetMode(3);
                    g.DrawImageRect(glow, 0, 0, fw / d, fh / d);
                }
            }
            glow.DisposeImage();
            DrawBitmap blurred;
            if (!small.IsEmpty() && blurred.CreateBitmap(width, height)) {
                {
                    DrawGraphics g;
                    if (g.GetImageGraphicsContext(blurred)) {
                        g.SetCompositingQuality(3);
                        g.SetInterpolationMode(7);
                        g.SetSmoothingMode(4);
                        g.DrawImageRect(small, 0, 0, fw, fh);
                        small.DisposeImage();
                        DrawSolidBrush faint;
                        if (faint.CreateSolidFill(ToArgb(glowColour, 60, true))) {
                            const float shifts[4][2] = {{d / 2 - 1, 0.7f * d},
                                                        {d / 2 + 1, 0.7f * d},
                                                        {d / 2, 0.7f * d - 1},
                                                        {d / 2, 0.7f * d + 1}};
                            for (const auto& shift : shifts) {
                                g.DrawString(text, font, faint, gp::RectF(shift[0], shift[1], fw, fh), &format);
                            }
                        }
                    }
                }
                graphics.SetSmoothingMode(4);
                graphics.DrawImage(blurred, rect.X - d / 2, rect.Y - 0.6f * d);
            }
        }
    }
    brush.SetSolidFillColor(ToArgb(textColour, 255, true));
    graphics.DrawString(text, font, brush, gp::RectF(rect.X, rect.Y, fw, fh), &format);
}

COLORREF InverseColour(COLORREF colour) {
    return RGB(255 - GetRValue(colour), 255 - GetGValue(colour), 255 - GetBValue(colour));
}

}  // namespace

void SkinEngine::RestoreStatusBackdropRect(int windowIndex, const RECT& rect) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || record->backdropDc == nullptr || record->statusBackdrop.dc() == nullptr) {
        return;
    }
    BitBlt(record->backdropDc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
           record->statusBackdrop.dc(), rect.left - record->statusBarRect.x, rect.top - record->statusBarRect.y,
           SRCCOPY);
}

void SkinEngine::SetStatusBar(int windowIndex, int height, const std::vector<StatusPanel>* panels) {
    SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(record->hwnd, &client);
    const int m = FrameMargin();
    record->statusBarHeight = height;
    const int barY = client.bottom - m - height - 1;
    record->statusBarRect = IntRect{m, barY, client.right - 2 * m, height};
    record->statusPanels.clear();
    record->statusPanelRects.clear();
    if (panels == nullptr) {
        record->statusPanelRects.push_back(IntRect{m, barY, client.right - 2 * m, height});
        record->statusPanels.push_back(StatusPanel{});
        return;
    }
    int x = m;
    for (const StatusPanel& panel : *panels) {
        const int width = panel.width == -1 ? client.right - m - x : panel.width;
        record->statusPanelRects.push_back(IntRect{x, barY, width, height});
        record->statusPanels.push_back(panel);
        x += width;
    }
}

void SkinEngine::LayoutStatusBar(int windowIndex) {
    SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(record->hwnd, &client);
    const int m = FrameMargin();
    const int barY = client.bottom - record->statusBarHeight - m - 1;
    record->statusBarRect.x = m;
    record->statusBarRect.y = barY;
    record->statusBarRect.width = client.right - 2 * m;
    const size_t count = std::min(record->statusPanels.size(), record->statusPanelRects.size());
    int x = m;
    int used = 0;
    for (size_t i = 0; i < count; ++i) {
        IntRect& r = record->statusPanelRects[i];
        r.y = barY;
        r.x = x;
        if (record->statusPanels[i].width == -1) {
            r.width = client.right - used - 2 * m;
        }
        used += r.width;
        x += r.width;
    }
}

void SkinEngine::DrawStatusPanel(int windowIndex, DrawGraphics* graphics, bool drawOnly, int panel) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || record->backdropDc == nullptr || panel < 1 ||
        panel > static_cast<int>(std::min(record->statusPanels.size(), record->statusPanelRects.size()))) {
        return;
    }
    const StatusPanel& content = record->statusPanels[panel - 1];
    const IntRect& r = record->statusPanelRects[panel - 1];
    const float x = static_cast<float>(r.x);
    const float y = static_cast<float>(r.y);
    const float w = static_cast<float>(r.width);
    const float h = static_cast<float>(r.height);

    DrawGraphics own;
    DrawGraphics* g = graphics;
    if (!drawOnly || g == nullptr) {
        if (!own.CreateFromHDC(record->backdropDc)) {
            return;
        }
        g = &own;
    }
    if (!drawOnly) {
        RestoreStatusBackdropRect(windowIndex, RECT{r.x, r.y, r.x + r.width, r.y + r.height});
    }

    DrawLinearBrush sheen;
    if (r.height != 0 &&
        sheen.CreateLineBrush({x, y}, {x, y + h}, ToArgb(kWhite, 60, true), ToArgb(kWhite, 10, true))) {
        g->FillRectangle(sheen, x, y, w, h);
    }

    const COLORREF textColour =
        record->statusTextMode != 0 ? InverseColour(GetDefaultBackgroundColour()) : content.textColour;
    const std::string& fontName = record->statusFontName.empty() ? std::string(kSkinFontName) : record->statusFontName;
    const float textY = y + (h - 12) / 2;
    gp::RectF textRect(x + 3, textY, w, h);
    DrawImage icon;
    if (!content.icon.empty() && icon.LoadImageFromBytes(content.icon)) {
        const float iw = static_cast<float>(icon.GetImageWidth());
        const float ih = static_cast<float>(icon.GetImageHeight());
        // At its pixel size, as the text beside it is placed: a picture's own resolution must not scale it.
        g->DrawImageRect(icon, x + 2, y + (h - ih) / 2, iw, ih);
        textRect = gp::RectF(x + iw + 3, textY, w - iw - 3, h);
    }
    if (record->statusGlow != 0) {
        DrawGlowText(*g, content.text, textRect, record->statusGlowTextColour, record->statusGlowColour, 4, fontName, 0,
                     static_cast<float>(record->statusFontSize), 0, 0);
    } else if (!content.text.empty()) {
        TextTools t;
        if (t.Create(fontName, static_cast<float>(record->statusFontSize), 0, 2, 0, 0, ToArgb(textColour, 255, true))) {
            g->DrawString(content.text, t.font, t.brush, textRect, &t.format);
        }
    }

    if (!drawOnly) {
        g->Flush();
        WindowDc dc(record->hwnd);
        if (dc.get() != nullptr) {
            BitBlt(dc.get(), r.x, r.y, r.width, r.height, record->backdropDc, r.x, r.y, SRCCOPY);
        }
    }
}

bool SkinEngine::SetStatusPanel(HWND hwnd,
                                int panel,
                                const std::string& text,
                                std::optional<Bytes> icon,
                                std::optional<COLORREF> textColour) {
    const int windowIndex = FindWindowIndex(hwnd);
    SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || panel < 1 || panel > static_cast<int>(record->statusPanels.size())) {
        return false;
    }
    StatusPanel& content = record->statusPanels[panel - 1];
    content.text = text;
    if (icon) {
        content.icon = *icon;
    }
    if (textColour) {
        content.textColour = *textColour;
    }
    DrawStatusPanel(windowIndex, nullptr, false, panel);
    return true;
}

bool SkinEngine::SetStatusBarStyle(HWND hwnd,
                                   std::optional<int> textMode,
                                   std::optional<int> glow,
                                   std::optional<COLORREF> glowTextColour,
                                   std::optional<COLORREF> glowColour,
                                   std::optional<std::string> fontName,
                                   std::optional<int> fontSize) {
    SkinnedWindow* record = Window(IndexFromProperty(hwnd));
    if (record == nullptr) {
        return false;
    }
    record->statusTextMode = textMode.value_or(1);
    record->statusGlow = glow.value_or(0);
    record->statusGlowTextColour = glowTextColour.value_or(0);
    record->statusGlowColour = glowColour.value_or(0xFFFFFF);
    if (fontName) {
        record->statusFontName = *fontName;
    }
    if (fontSize) {
        record->statusFontSize = *fontSize;
    }
    return true;
}

void SkinEngine::LayoutDockedChildren(int windowIndex) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(record->hwnd, &client);
    for (const DockedChild& child : record->dockedChildren) {
        if (child.hwnd != nullptr) {
            MoveWindow(child.hwnd, 2, child.top, client.right - 4,
                       client.bottom - child.top - record->statusBarHeight - 3, TRUE);
        }
    }
}

}  // namespace zandrel
