// Reading back what the painters put on the screen, and saving it as PNG.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zandrel::test {

// Screen pixels of a rectangle (screen coordinates), row by row, as 0x00RRGGBB.
struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const ScreenPicture& other) const = default;
};
ScreenPicture CaptureScreen(const RECT& screenRect);
// The window rectangle of hwnd on the screen.
ScreenPicture CaptureWindow(HWND hwnd);
// How many pixels of the picture are exactly the colour (0x00RRGGBB).
int CountColour(const ScreenPicture& picture, uint32_t rgb);
// How many pixels differ between two pictures of the same size.
int CountDifferent(const ScreenPicture& a, const ScreenPicture& b);

// A picture assembled from screen pieces and written out as PNG.
class Sheet {
  public:
    Sheet(int width, int height);
    // Copies a piece of the screen to (x, y) of the sheet.
    void Paste(const RECT& screenRect, int x, int y);
    const ScreenPicture& Picture() const { return picture_; }
    bool SavePng(const std::string& path) const;

  private:
    ScreenPicture picture_;
};

}  // namespace zandrel::test
