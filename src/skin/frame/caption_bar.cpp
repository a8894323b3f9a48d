// The caption bar of a skinned window: button layout and hit testing, the buttons in their normal, hover and
// pressed looks, the title with its halo and the soft outline along the window edge. Everything is drawn into the
// window's backdrop and, unless the whole window is being rendered, copied to the screen from there.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "base/window_text.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "draw/draw_pen.h"
#include "skin/core/skin_engine.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/text_tools.h"

namespace zandrel {

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr float kTolerance = 1e-7f;

// A gradient running down from y to y + height.
bool VerticalGradient(DrawLinearBrush& brush, float x, float y, float height, uint32_t top, uint32_t bottom) {
    return brush.CreateLineBrush({x, y}, {x, y + height}, top, bottom);
}

// Where a caption button's pictures are drawn: one pixel left of its bounds, one below the strip's top.
struct ButtonBox {
    int x, y, w, h;
};

ButtonBox BoxOf(const SkinnedWindow& record, const CaptionButton& button) {
    return ButtonBox{static_cast<int>(button.bounds.x - 1), record.stripTop + 1, button.width, button.height};
}

const Bytes& PictureOf(const SkinnedWindow& record, const CaptionButton& button) {
    return button.kind == kCaptionMaximize && record.maximized ? button.altImage : button.image;
}

void DrawPicture(DrawGraphics& graphics, const Bytes& bytes, float x, float y, float w, float h) {
    DrawImage image;
    if (!bytes.empty() && image.LoadImageFromBytes(bytes)) {
        graphics.DrawImageRect(image, x, y, w, h);
    }
}

// Copies a rectangle of the backdrop to the window.
void CopyToWindow(const SkinnedWindow& record, int x, int y, int w, int h) {
    WindowDc dc(record.hwnd);
    if (dc.get() != nullptr) {
        BitBlt(dc.get(), x, y, w, h, record.backdropDc, x, y, SRCCOPY);
    }
}

// Text with a one-colour halo around it: the text drawn four times, shifted by offset in each direction, then once
// on top in its own colour.
void DrawHaloText(DrawGraphics& graphics,
                  const std::string& text,
                  const gp::RectF& rect,
                  COLORREF textColour,
                  COLORREF haloColour,
                  float offset = 1,
                  const std::string& fontName = kSkinFontName,
                  int style = 0,
                  float size = 13,
                  int alignment = 0,
                  int lineAlignment = 0) {
    TextTools t;
    if (!t.Create(fontName, size, style, 0, alignment, lineAlignment, ToArgb(haloColour, 150, true))) {
        return;
    }
    const float shifts[4][2] = {{offset, 0}, {-offset, 0}, {0, offset}, {0, -offset}};
    for (const auto& shift : shifts) {
        const gp::RectF moved(rect.X + shift[0], rect.Y + shift[1], rect.Width, rect.Height);
        graphics.DrawString(text, t.font, t.brush, moved, &t.format);
    }
    t.brush.SetSolidFillColor(ToArgb(textColour, 255, true));
    graphics.DrawString(text, t.font, t.brush, rect, &t.format);
}

}  // namespace

void SkinEngine::DrawWindowBorder(int windowIndex, DrawGraphics& graphics) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(record->hwnd, &client);
    const float right = static_cast<float>(client.right);
    const float bottom = static_cast<float>(client.bottom);
    DrawPath outer;
    DrawPen dark;
    AddRoundRect(outer, 0, 0, right - 1, bottom - 1, 7);
    if (dark.CreatePen1(ToArgb(kBlack, 180, true), 1.0f)) {
        graphics.DrawPath(dark, outer);
    }
    DrawPath inner;
    DrawPen light;
    AddRoundRect(inner, 1, 1, right - 3, bottom - 3, 6);
    if (light.CreatePen1(ToArgb(kWhite, 180, true), 1.0f)) {
        graphics.DrawPath(light, inner);
    }
}

void SkinEngine::DrawCaptionButtonSeparators(int windowIndex, int button, DrawGraphics& graphics) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || button < 1 || button > static_cast<int>(record->captionButtons.size())) {
        return;
    }
    const int last = std::min(button + 1, static_cast<int>(record->captionButtons.size()));
    const float top = static_cast<float>(record->stripTop);
    const float stripHeight = static_cast<float>(record->stripHeight);
    for (int i = button; i <= last; ++i) {
        const float x = record->captionButtons[i - 1].bounds.x - 2;
        DrawLinearBrush brush;
        DrawPen pen;
        const int alpha = i == 1 ? 100 : 60;
        if (VerticalGradient(brush, x, top, stripHeight - 3, ToArgb(kBlack, alpha, true), ToArgb(kBlack, 0, true)) &&
            pen.CreatePen2(brush, 1.0f)) {
            graphics.DrawLine(pen, x, top + 1, x, top + stripHeight - 4);
        }
    }
}

void SkinEngine::RestoreBackdropRect(int windowIndex, const RECT& rect) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || record->backdropDc == nullptr || record->captionBackdrop.dc() == nullptr) {
        return;
    }
    BitBlt(record->backdropDc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
           record->captionBackdrop.dc(), rect.left, rect.top, SRCCOPY);
}

void SkinEngine::DrawCaptionButton(int windowIndex,
                                   int button,
                                   DrawGraphics* graphics,
                                   bool drawOnly,
                                   bool pressed,
                                   int highlightAlpha) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || record->backdropDc == nullptr || button < 1 ||
        button > static_cast<int>(record->captionButtons.size())) {
        return;
    }
    const CaptionButton& cb = record->captionButtons[button - 1];
    const ButtonBox b = BoxOf(*record, cb);
    const float x = static_cast<float>(b.x);
    const float y = static_cast<float>(b.y);
    const float w = static_cast<float>(b.w);
    const float h = static_cast<float>(b.h);

    if (pressed) {
        // The pressed look always goes straight to the screen.
        {
            DrawGraphics own;
            if (!own.CreateFromHDC(record->backdropDc)) {
                return;
            }
            RestoreBackdropRect(windowIndex, RECT{b.x, b.y, b.x + b.w, b.y + b.h});
            DrawPath shape;
            if (cb.kind == kCaptionClose) {
                AddTopRightRoundRect(shape, x, y, w, h, 5);
            } else if (shape.CreatePath()) {
                shape.AddPathRectangle(x, y, w, h);
            }
            DrawLinearBrush fill;
            const bool close = cb.kind == kCaptionClose;
            const uint32_t top = close ? ToArgb(kRed, 255, true) : ToArgb(kBlack, 80, true);
            const uint32_t bottom = close ? ToArgb(kWhite, 30, true) : ToArgb(kWhite, 5, true);
            if (VerticalGradient(fill, x, y, h, top, bottom)) {
                own.FillPath(fill, shape);
            }
            // One pixel narrower than the normal look.
            DrawPicture(own, PictureOf(*record, cb), x, y, w - 1, h);
        }
        CopyToWindow(*record, b.x, b.y, b.w, b.h);
        return;
    }

    DrawGraphics own;
    DrawGraphics* g = graphics;
    if (!drawOnly || g == nullptr) {
        if (!own.CreateFromHDC(record->backdropDc)) {
            return;
        }
        own.SetSmoothingMode(4);
        g = &own;
    }
    DrawCaptionButtonHighlight(*g, windowIndex, button, highlightAlpha);
    DrawLinearBrush sheen;
    if (VerticalGradient(sheen, x, y, h, ToArgb(kWhite, 50, true), ToArgb(kBlack, 0, true))) {
        g->FillRectangle(sheen, x - 1, y, w + 1, h - 1);
    }
    DrawPicture(*g, PictureOf(*record, cb), x, y, w, h);
    DrawCaptionButtonSeparators(windowIndex, button, *g);
    if (!drawOnly) {
        g->Flush();
        CopyToWindow(*record, b.x, b.y, b.w, b.h);
    }
}

void SkinEngine::DrawCaptionButtonHighlight(DrawGraphics& graphics, int windowIndex, int button, int alpha) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || button < 1 || button > static_cast<int>(record->captionButtons.size())) {
        return;
    }
    const CaptionButton& cb = record->captionButtons[button - 1];
    const ButtonBox b = BoxOf(*record, cb);
    const float x = static_cast<float>(b.x);
    const float y = static_cast<float>(b.y);
    const float w = static_cast<float>(b.w);
    const float h = static_cast<float>(b.h);
    const bool close = cb.kind == kCaptionClose;

    // GDI+ may hold drawing back; flush it before GDI writes the same pixels.
    graphics.Flush();
    RestoreBackdropRect(windowIndex, RECT{b.x - 1, b.y, b.x - 1 + b.w + 2, b.y + b.h + 1});

    DrawPath shade;
    AddTopRoundRect(shade, x, y, w, h, 1);
    DrawLinearBrush shadeBrush;
    if (VerticalGradient(shadeBrush, x, y, h, ToArgb(kBlack, alpha / 5, true), ToArgb(kWhite, 0, true))) {
        graphics.FillPath(shadeBrush, shade);
    }

    DrawLinearBrush colourBrush;
    const COLORREF colour = close ? kRed : AccentColour();
    if (VerticalGradient(colourBrush, x, y, h, ToArgb(colour, alpha, true), ToArgb(kWhite, 0, true))) {
        if (close) {
            DrawPath corner;
            AddTopRightRoundRect(corner, x, y, w, h, 5);
            graphics.FillPath(colourBrush, corner);
        } else {
            graphics.FillPath(colourBrush, shade);
        }
    }

    DrawPath gloss;
    const float glossHeight = static_cast<float>(static_cast<int>(h * 0.8f));
    if (close) {
        AddTopRightRoundRect(gloss, x, y, w - 1, glossHeight, 5);
    } else {
        AddTopRoundRect(gloss, x, y, w - 1, glossHeight, 1);
    }
    DrawLinearBrush glossBrush;
    DrawPen glossPen;
    if (VerticalGradient(glossBrush, x, y, h, ToArgb(kWhite, static_cast<int>(alpha * 0.8), true),
                         ToArgb(kWhite, 0, true)) &&
        glossPen.CreatePen2(glossBrush, 1.0f)) {
        graphics.DrawPath(glossPen, gloss);
    }
}

void SkinEngine::LayoutCaptionButtons(int windowIndex) {
    SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        return;
    }
    if (record->hwnd != nullptr) {
        RECT client{};
        GetClientRect(record->hwnd, &client);
        record->stripLeft = client.right - record->stripWidth + 1;
        record->stripHeight = 22;
    }
    const float x0 = static_cast<float>(record->stripLeft + 2);
    const float y0 = static_cast<float>(record->stripTop + 1);
    for (size_t i = 0; i < record->captionButtons.size(); ++i) {
        CaptionButton& cb = record->captionButtons[i];
        const float width = cb.kind == kCaptionClose ? 40.0f : 26.0f;
        cb.bounds = RectF{x0 + 27.0f * static_cast<float>(i), y0, width, 18.0f};
        const UINT_PTR tool = i + 1;
        const RECT toolRect{static_cast<LONG>(cb.bounds.x), static_cast<LONG>(cb.bounds.y),
                            static_cast<LONG>(cb.bounds.x + cb.bounds.width),
                            static_cast<LONG>(cb.bounds.y + cb.bounds.height)};
        if (record->toolTips.GetWindow() != nullptr) {
            record->toolTips.NewToolRect(tool, toolRect);
            record->toolTips.UpdateTipText(tool, cb.tipText);
        }
    }
}

int SkinEngine::HitTestCaptionButton(int windowIndex, float x, float y) const {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        return 0;
    }
    const float stripBottom = static_cast<float>(record->stripTop + record->stripHeight);
    if (x < static_cast<float>(record->stripLeft) || y < static_cast<float>(record->stripTop) ||
        y - stripBottom > kTolerance) {
        return 0;
    }
    for (size_t i = 0; i < record->captionButtons.size(); ++i) {
        const RectF& b = record->captionButtons[i].bounds;
        if (x - b.x > kTolerance && b.x + b.width - x > kTolerance && y - b.y > kTolerance &&
            b.y + b.height - y > kTolerance) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int SkinEngine::FindMaximizeButton(int windowIndex) const {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr) {
        return 0;
    }
    for (size_t i = 0; i < record->captionButtons.size(); ++i) {
        if (record->captionButtons[i].kind == kCaptionMaximize) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

void SkinEngine::DrawCaptionTitle(int windowIndex,
                                  DrawGraphics* graphics,
                                  bool drawOnly,
                                  const std::optional<std::string>& text) {
    const SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || record->backdropDc == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(record->hwnd, &client);
    const int margin = FrameMargin();
    const int x = margin + 6;
    const int y = margin + 5;
    const int width = client.right - record->stripWidth - 10 - 2 * margin;
    constexpr int kHeight = 32;

    DrawGraphics own;
    DrawGraphics* g = graphics;
    if (!drawOnly || g == nullptr) {
        if (!own.CreateFromHDC(record->backdropDc)) {
            return;
        }
        g = &own;
    }
    g->Flush();
    if (!drawOnly) {
        RestoreBackdropRect(windowIndex, RECT{x, y, x + width, y + kHeight});
    }
    if (AppIcon() != nullptr) {
        DrawIconEx(record->backdropDc, x, y - 3, AppIcon(), 17, 17, 0, nullptr, DI_NORMAL);
    }

    const std::string title = text ? *text : WindowTextGbk(record->hwnd);
    const std::string& fontName =
        record->captionFontName.empty() ? std::string(kSkinFontName) : record->captionFontName;
    DrawHaloText(*g, title,
                 gp::RectF(static_cast<float>(x + 20), static_cast<float>(y), static_cast<float>(width),
                           static_cast<float>(kHeight)),
                 record->captionTextColour, record->captionShadowColour, 1, fontName,
                 record->captionFontStyle != 0 ? 1 : 0, static_cast<float>(record->captionFontSize), 0, 0);

    if (!drawOnly) {
        g->Flush();
        HDC dc = ClientDcWithoutChildren(record->hwnd);
        if (dc != nullptr) {
            // Copied from two pixels above where the title was cleared, as the window has always done.
            BitBlt(dc, margin + 6, margin + 3, width, kHeight, record->backdropDc, margin + 6, margin + 3, SRCCOPY);
            ReleaseDC(record->hwnd, dc);
        }
    }
}

RECT SkinEngine::GetCaptionButtonsRect(HWND hwnd) const {
    const SkinnedWindow* record = Window(FindWindowIndex(hwnd));
    if (record == nullptr) {
        return RECT{};
    }
    return RECT{record->stripLeft, record->stripTop, record->stripLeft + record->stripWidth,
                record->stripTop + record->stripHeight};
}

bool SkinEngine::SetSystemButtonImages(HWND hwnd,
                                       std::optional<Bytes> minimiseImage,
                                       std::optional<Bytes> maximiseImage,
                                       std::optional<Bytes> restoreImage,
                                       std::optional<Bytes> closeImage) {
    const int windowIndex = IndexFromProperty(hwnd);
    SkinnedWindow* record = Window(windowIndex);
    if (record == nullptr || record->captionButtons.empty()) {
        return false;
    }
    const int m = static_cast<int>(record->captionButtons.size());
    const auto button = [record, m](int number) -> CaptionButton* {
        return number >= 1 && number <= m ? &record->captionButtons[number - 1] : nullptr;
    };
    const auto assign = [](Bytes& target, const std::optional<Bytes>& source) {
        if (source) {
            target = *source;
        }
    };
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const bool minimise = (style & WS_MINIMIZEBOX) != 0;
    const bool maximise = (style & WS_MAXIMIZEBOX) != 0;
    if (minimise && maximise) {
        if (CaptionButton* b = button(m - 1)) {
            assign(b->image, maximiseImage);
            assign(b->altImage, restoreImage);
        }
        if (CaptionButton* b = button(m - 2)) {
            assign(b->image, minimiseImage);
        }
    } else if (minimise) {
        if (CaptionButton* b = button(m - 1)) {
            assign(b->image, minimiseImage);
        }
    } else if (maximise) {
        if (CaptionButton* b = button(m - 1)) {
            assign(b->image, maximiseImage);
            assign(b->altImage, restoreImage);
        }
    }
    assign(record->captionButtons[m - 1].image, closeImage);
    for (int i = 1; i <= m; ++i) {
        DrawCaptionButton(windowIndex, i, nullptr, false);
    }
    return true;
}

}  // namespace zandrel
