#include "skin/core/skin_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "base/encoding.h"
#include "base/win_handles.h"
#include "draw/draw_brushes.h"
#include "draw/draw_graphics.h"
#include "draw/draw_image.h"
#include "draw/draw_path.h"
#include "draw/draw_pen.h"
#include "skin/core/skin_engine.h"

namespace zandrel {

Bytes ReadFileBytes(const std::string& fileName) {
    Bytes bytes;
    UniqueFile file(CreateFileW(GbkToWide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return bytes;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > (1LL << 30)) {
        return bytes;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        read = 0;
    }
    bytes.resize(read);
    return bytes;
}

namespace {

// Decodes the picture from the file when a name is given, else from the bytes.
bool LoadPicture(std::span<const unsigned char> image, const std::string& fileName, DrawBitmap& bitmap) {
    if (!fileName.empty()) {
        const Bytes bytes = ReadFileBytes(fileName);
        return !bytes.empty() && bitmap.CreateBitmapFromBytes(bytes);
    }
    return !image.empty() && bitmap.CreateBitmapFromBytes(image);
}

bool EnsurePath(DrawPath& path) {
    return !path.IsEmpty() || path.CreatePath();
}

// floor(value / 2) for negative values too.
int FloorHalf(int value) {
    return static_cast<int>(std::floor(static_cast<double>(value) / 2.0));
}

}  // namespace

uint32_t ToArgb(COLORREF colour, int alpha, bool useAlpha) {
    const uint32_t red = colour & 0xFF;
    const uint32_t green = (colour >> 8) & 0xFF;
    const uint32_t blue = (colour >> 16) & 0xFF;
    const uint32_t a = useAlpha ? static_cast<uint32_t>(alpha) & 0xFF : 0xFF;
    return (a << 24) | (red << 16) | (green << 8) | blue;
}

COLORREF ArgbToColour(uint32_t argb, int* alpha) {
    if (alpha != nullptr) {
        *alpha = static_cast<int>(argb >> 24);
    }
    const uint32_t red = (argb >> 16) & 0xFF;
    const uint32_t green = (argb >> 8) & 0xFF;
    const uint32_t blue = argb & 0xFF;
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}

void AddRoundRect(DrawPath& path, float x, float y, float w, float h, float r) {
    if (!EnsurePath(path)) {
        return;
    }
    r = std::clamp(r, 1.0f, 100.0f);
    path.AddPathArc(x + w - r, y, r, r, 270, 90);
    // The lower right arc is one pixel larger so the outline meets the right and bottom edges it is stroked on.
    path.AddPathArc(x + w - r - 1, y + h - r - 1, r + 1, r + 1, 0, 90);
    path.AddPathArc(x, y + h - r, r, r, 90, 90);
    path.AddPathArc(x, y, r, r, 180, 90);
    path.ClosePathFigure();
}

void AddTopRoundRect(DrawPath& path, float x, float y, float w, float h, float r) {
    if (!EnsurePath(path)) {
        return;
    }
    path.AddPathLine(x, y + h, x, y + r);
    path.AddPathArc(x, y, r, r, 180, 90);
    path.AddPathLine(x + r, y, x + w - r, y);
    path.AddPathArc(x + w - r, y, r, r, 270, 90);
    path.AddPathLine(x + w, y + r, x + w, y + h);
}

void AddTopRightRoundRect(DrawPath& path, float x, float y, float w, float h, float r) {
    if (!EnsurePath(path)) {
        return;
    }
    path.AddPathLine(x, y + h, x, y);
    path.AddPathLine(x, y, x + w - r, y);
    path.AddPathArc(x + w - r, y, r, r, 270, 90);
    path.AddPathLine(x + w, y + r, x + w, y + h);
}

void StrokeGlow(DrawGraphics& graphics, DrawPath& path, int count, COLORREF colour, int alpha) {
    DrawPen pen;
    const uint32_t argb = ToArgb(colour, alpha, true);
    if (!pen.CreatePen1(argb, 1.0f)) {
        return;
    }
    for (int i = 1; i <= count; ++i) {
        pen.CreatePen1(argb, static_cast<float>(i));
        graphics.DrawPath(pen, path);
    }
}

RECT RectRelativeTo(HWND a, HWND b) {
    RECT ra{};
    RECT rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return RECT{rb.left - ra.left, rb.top - ra.top, rb.right - ra.left, rb.bottom - ra.top};
}

RECT RectInRoot(HWND hwnd) {
    return RectRelativeTo(GetAncestor(hwnd, GA_ROOT), hwnd);
}

RECT ClientRectInWindow(HWND hwnd) {
    RECT window{};
    RECT client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int outerWidth = window.right - window.left;
    const int outerHeight = window.bottom - window.top;
    const int cw = client.right - client.left;
    const int ch = client.bottom - client.top;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    constexpr int kScrollBar = 17;
    const int barWidth = (style & WS_VSCROLL) ? kScrollBar : 0;
    const int barHeight = (style & WS_HSCROLL) ? kScrollBar : 0;
    const int left = FloorHalf(outerWidth - (cw + barWidth));
    const int top = FloorHalf(outerHeight - (ch + barHeight));
    return RECT{left, top, left + cw, top + ch};
}

std::string GetClassNameText(HWND hwnd) {
    char buffer[256] = {};
    const int length = GetClassNameA(hwnd, buffer, 255);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

HDC ClientDcWithoutChildren(HWND hwnd, HDC dc) {
    if (dc == nullptr) {
        dc = GetDC(hwnd);
    }
    if (dc == nullptr) {
        return nullptr;
    }
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const SkinEngine* engine = SkinEngine::Instance();
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0) {
            continue;
        }
        // A skinned top-level window that was made a child paints itself over the backdrop.
        if (engine != nullptr && engine->FindWindowIndex(child) > 0) {
            continue;
        }
        RECT r{};
        GetWindowRect(child, &r);
        ExcludeClipRect(dc, r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y);
    }
    return dc;
}

bool IsOwnerDrawListBox(HWND hwnd) {
    if (lstrcmpiA(GetClassNameText(hwnd).c_str(), "ListBox") != 0) {
        return false;
    }
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool IsAutoRadioButton(HWND hwnd) {
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    return (style & 0x2) == 0 && (style & 0x1) != 0 && (style & 0x8) != 0 && (style & 0x4) == 0;
}

uint32_t AverageImageColour(std::span<const unsigned char> image,
                            const std::string& fileName,
                            int samples,
                            int marginX,
                            int marginY) {
    if (samples < 1) {
        return 0;
    }
    DrawBitmap bitmap;
    if (!LoadPicture(image, fileName, bitmap)) {
        return 0;
    }
    const int width = static_cast<int>(bitmap.GetImageWidth());
    const int height = static_cast<int>(bitmap.GetImageHeight());
    if (width < 1 || height < 1) {
        return 0;
    }
    // Samples come from 1..width - margin (a margin below 1 counts as 1), kept inside the picture.
    const auto upper = [](int size, int margin) {
        const int last = size - 1;
        return std::max(std::min(size - std::max(margin, 1), last), std::min(1, last));
    };
    const int maxX = upper(width, marginX);
    const int maxY = upper(height, marginY);
    const int minX = std::min(1, maxX);
    const int minY = std::min(1, maxY);
    std::mt19937 random(static_cast<unsigned>(GetTickCount()));
    std::uniform_int_distribution<int> pickX(minX, maxX);
    std::uniform_int_distribution<int> pickY(minY, maxY);
    uint64_t sumBlue = 0;
    uint64_t sumGreen = 0;
    uint64_t sumRed = 0;
    for (int i = 0; i < samples; ++i) {
        const COLORREF colour = ArgbToColour(bitmap.BitmapGetPixel(pickX(random), pickY(random)));
        sumBlue += colour / 65536;
        sumGreen += (colour % 65536) / 256;
        sumRed += colour % 256;
    }
    const auto average = [samples](uint64_t sum) { return static_cast<BYTE>(sum / static_cast<uint64_t>(samples)); };
    // The averages go in blue-first, so after ToArgb the low three bytes read as the Windows colour of the
    // picture: callers hand the result on as a tint colour.
    return ToArgb(RGB(average(sumBlue), average(sumGreen), average(sumRed)), 255, true);
}

Bytes MakeTintedBackground(std::span<const unsigned char> image,
                           const std::string& fileName,
                           std::optional<int> band,
                           COLORREF colour,
                           bool rightEdge) {
    DrawBitmap picture;
    if (!LoadPicture(image, fileName, picture)) {
        return {};
    }
    const int width = static_cast<int>(picture.GetImageWidth());
    const int height = static_cast<int>(picture.GetImageHeight());
    DrawBitmap canvas;
    if (width < 1 || height < 1 || !canvas.CreateBitmap(width, height)) {
        return {};
    }
    {
        DrawGraphics graphics;
        if (!graphics.GetImageGraphicsContext(canvas)) {
            return {};
        }
        graphics.SetCompositingQuality(3);
        graphics.DrawImageRect(picture, 0, 0, static_cast<float>(width), static_cast<float>(height));

        const int b = band ? *band : static_cast<int>(std::floor(width * 0.3));
        const float fw = static_cast<float>(width);
        const float fh = static_cast<float>(height);
        const float fb = static_cast<float>(b);
        const uint32_t solid = ToArgb(colour, 255, true);
        const uint32_t clear = ToArgb(colour, 0, true);
        constexpr uint32_t kClearWhite = 0x00FFFFFF;
        DrawLinearBrush side;
        if (rightEdge) {
            if (side.CreateLineBrush({fw - fb, 0}, {fw, 0}, kClearWhite, solid)) {
                graphics.FillRectangle(side, fw - fb + 1, 0, fb, fh);
            }
        } else if (side.CreateLineBrush({0, 0}, {fb, 0}, solid, kClearWhite)) {
            graphics.FillRectangle(side, 0, 0, fb, fh);
        }
        DrawLinearBrush bottom;
        if (bottom.CreateLineBrush({0, fh - fb}, {0, fh}, clear, solid)) {
            graphics.FillRectangle(bottom, 0, fh - fb + 1, fw, fb);
        }
    }
    return canvas.SaveImageToBytes(kPngFormatId);
}

}  // namespace zandrel
