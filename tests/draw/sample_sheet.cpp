// Renders every skin picture, gradients, rounded paths and Chinese text onto one sheet and saves it as PNG:
//     draw_sample_sheet <out.png>
#include <cstdio>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "draw/draw_brushes.h"
#include "draw/draw_font.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "draw/draw_pen.h"
#include "draw/gdiplus_session.h"
#include "draw/skin_images.h"

namespace {

using namespace zandrel;

constexpr uint32_t kAccent = 0xFF22CADD;

void RoundedRectangle(DrawPath& path, float x, float y, float w, float h, float r) {
    const float d = 2 * r;
    path.CreatePath();
    path.AddPathArc(x, y, d, d, 180, 90);
    path.AddPathArc(x + w - d, y, d, d, 270, 90);
    path.AddPathArc(x + w - d, y + h - d, d, d, 0, 90);
    path.AddPathArc(x, y + h - d, d, d, 90, 90);
    path.ClosePathFigure();
}

struct Sheet {
    DrawGraphics& g;
    DrawFont label;
    DrawSolidBrush ink;

    explicit Sheet(DrawGraphics& graphics) : g(graphics) {
        label.CreateFontByName(Utf8ToGbk("宋体"), 12, 0, 2);
        ink.CreateSolidFill(0xFFEEEEEE);
    }
    void Label(float x, float y, const char* utf8) {
        g.DrawString(Utf8ToGbk(utf8), label, ink, gp::RectF(x, y, 300, 16));
    }
    // A picture at natural size and, next to it, enlarged with hard pixels.
    float Picture(SkinImageId id, float x, float y, float zoom) {
        DrawBitmap image;
        if (!image.CreateBitmapFromBytes(SkinImageBytes(id))) {
            std::printf("picture %d failed: status %d\n", SkinImageResourceId(id), LastStatus());
            return x;
        }
        const float w = static_cast<float>(image.GetImageWidth());
        const float h = static_cast<float>(image.GetImageHeight());
        g.DrawImage(image, x, y);
        g.SetInterpolationMode(5);
        g.SetPixelOffsetMode(4);
        g.DrawImageRect(image, x + w + 6, y, w * zoom, h * zoom);
        g.SetInterpolationMode(7);
        return x + w + 6 + w * zoom + 14;
    }
};

bool Render(const char* outPath) {
    DrawBitmap canvas;
    if (!canvas.CreateBitmap(900, 620)) {
        return false;
    }
    DrawGraphics g;
    g.GetImageGraphicsContext(canvas);
    g.SetSmoothingMode(4);
    g.SetTextRenderingHint(4);
    g.Clear(0xFF3A3F44);
    Sheet sheet(g);

    // Wood at the top, stretched as the main window stretches it.
    DrawBitmap wood;
    wood.CreateBitmapFromBytes(SkinImageBytes(SkinImageId::WoodBackground));
    g.SetInterpolationMode(7);
    g.DrawImageRect(wood, 10, 10, 880, 97);
    sheet.Label(16, 14, "木纹背景 1366x150 (stretched)");

    // Caption glyphs on the wood they sit on, natural size and x3.
    g.DrawImageRectRect(wood, 10, 115, 880, 70, 300, 0, 600, 48);
    float x = 16;
    for (SkinImageId id : {SkinImageId::HelpGlyph, SkinImageId::MenuGlyph, SkinImageId::MinimizeGlyph,
                           SkinImageId::MaximizeGlyph, SkinImageId::RestoreGlyph, SkinImageId::CloseGlyph}) {
        x = sheet.Picture(id, x, 125, 2.5f);
    }
    sheet.Label(16, 168, "标题按钮：帮助 菜单 最小化 最大化 还原 关闭");

    // Check boxes and arrows on a light ground.
    DrawSolidBrush light;
    light.CreateSolidFill(0xFFF0F0F0);
    g.FillRectangle(light, 10, 195, 880, 70);
    x = 16;
    for (SkinImageId id : {SkinImageId::CheckBoxEmpty, SkinImageId::CheckBoxChecked, SkinImageId::ArrowDown,
                           SkinImageId::ArrowUp, SkinImageId::ArrowLeft, SkinImageId::ArrowRight}) {
        x = sheet.Picture(id, x, 205, 4);
    }

    // Gradients.
    DrawLinearBrush vertical;
    vertical.CreateLineBrush({0, 280}, {0, 380}, 0xFFFFFFFF, kAccent);
    g.FillRectangle(vertical, 10, 280, 120, 100);
    DrawLinearBrush preset;
    preset.CreateLineBrush({140, 0}, {400, 0}, 0xFFFF0000, 0xFF0000FF);
    const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    const float positions[] = {0, 0.5f, 1};
    preset.SetLinePresetBlend(colours, positions);
    g.FillRectangle(preset, 140, 280, 260, 100);
    DrawPath disc;
    disc.CreatePath();
    disc.AddPathEllipse(410, 280, 100, 100);
    DrawPathBrush radial;
    radial.CreatePathGradientFromPath(disc);
    radial.SetPathGradientCenterColor(0xFFFFFFFF);
    const uint32_t surround[] = {0xFF008080};
    radial.SetPathGradientSurroundColorsWithCount(surround);
    g.FillPath(radial, disc);
    sheet.Label(16, 384, "线性渐变 / 三色预设 / 路径渐变");

    // Rounded paths: an accent button face with a glow outline, and a stroked frame.
    DrawPath face;
    RoundedRectangle(face, 530, 285, 160, 40, 8);
    DrawLinearBrush faceBrush;
    faceBrush.CreateLineBrush({0, 285}, {0, 325}, 0xFF7FE6F0, kAccent);
    g.FillPath(faceBrush, face);
    DrawPen outline;
    outline.CreatePen1(0xFF0F6F7A, 1);
    g.DrawPath(outline, face);
    DrawFont buttonFont;
    buttonFont.CreateFontByName(Utf8ToGbk("宋体"), 14, 1, 2);
    DrawStringFormat centred;
    centred.CreateStringFormat();
    centred.SetStringFormatAlign(1);
    centred.SetStringFormatLineAlign(1);
    DrawSolidBrush black;
    black.CreateSolidFill(0xFF101010);
    g.DrawString(Utf8ToGbk("开始查询"), buttonFont, black, gp::RectF(530, 285, 160, 40), &centred);
    DrawPath frame;
    RoundedRectangle(frame, 710, 285, 170, 90, 14);
    DrawPen thick;
    thick.CreatePen1(0xC0FFFFFF, 3);
    g.DrawPath(thick, frame);
    g.DrawEllipse(outline, 730, 300, 30, 30);
    g.FillEllipse(faceBrush, 770, 300, 30, 30);
    g.DrawLine(thick, 730, 350, 860, 350);
    g.DrawRectangle(outline, 820, 300, 40, 30);

    // Text sizes in 宋体.
    float y = 410;
    for (float size : {12.0f, 16.0f, 22.0f}) {
        DrawFont font;
        font.CreateFontByName(Utf8ToGbk("宋体"), size, 0, 2);
        DrawSolidBrush white;
        white.CreateSolidFill(0xFFFFFFFF);
        g.DrawString(Utf8ToGbk("关键词工具 Zandrel 淘宝搜索建议 0123456789"), font, white, gp::RectF(16, y, 560, 40));
        y += size + 12;
    }

    // Clip: the promotion picture inside a rounded clip.
    DrawBitmap promotion;
    promotion.CreateBitmapFromBytes(SkinImageBytes(SkinImageId::Promotion));
    DrawPath clip;
    RoundedRectangle(clip, 600, 400, 140, 146, 18);
    g.SetClipPath(clip, 0);
    g.DrawImageRect(promotion, 600, 400, 140, 146);
    g.ResetClip();
    sheet.Label(600, 550, "推广图片 (clipped)");

    g.DeleteGraphics();
    const std::vector<unsigned char> png = canvas.SaveImageToBytes(kPngFormatId);
    FILE* f = std::fopen(outPath, "wb");
    if (f == nullptr || png.empty()) {
        std::printf("cannot write %s (%zu bytes, status %d)\n", outPath, png.size(), LastStatus());
        if (f) {
            std::fclose(f);
        }
        return false;
    }
    std::fwrite(png.data(), 1, png.size(), f);
    std::fclose(f);
    std::printf("wrote %s (%zu bytes)\n", outPath, png.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: draw_sample_sheet <out.png>\n");
        return 2;
    }
    GdiplusSession session;
    if (!session.Start()) {
        return 1;
    }
    return Render(argv[1]) ? 0 : 1;
}
