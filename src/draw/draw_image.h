// GDI+ images and bitmaps. An image loaded from bytes keeps its own copy of them (GDI+ decodes lazily from the
// stream) until it is disposed.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "draw/draw_object.h"
#include "draw/memory_stream.h"

namespace zandrel {

// Encoder format identifier of PNG, as SaveImageToBytes takes it.
inline constexpr std::string_view kPngFormatId = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
// GDI+ PixelFormat32bppARGB.
inline constexpr int kPixelFormat32bppArgb = 0x26200A;

class DrawImage : public DrawObject {
  public:
    DrawImage() = default;
    ~DrawImage() { DisposeImage(); }
    DrawImage(DrawImage&& other) noexcept = default;
    DrawImage& operator=(DrawImage&& other) noexcept;

    // Releases the image, then its copy of the source bytes. False without a GDI+ call when empty.
    bool DisposeImage();
    // Decodes PNG, JPEG, BMP, GIF or ICO bytes; colour management only with useIcm.
    bool LoadImageFromBytes(std::span<const unsigned char> bytes, bool useIcm = false);
    // Encodes the image with the encoder whose format id (GBK "{xxxxxxxx-...}") matches; empty on failure.
    std::vector<unsigned char> SaveImageToBytes(std::string_view formatId,
                                                const gp::EncoderParameters* parameters = nullptr);
    // In pixels; 0 on failure.
    unsigned GetImageWidth();
    unsigned GetImageHeight();
    // GDI+ pixel format, 0 on failure.
    int GetImagePixelFormat();
    // type: GDI+ RotateFlipType (1 = 90 degrees clockwise, 4 = flip X, ...).
    bool ImageRotateFlip(int type);

    gp::GpImage* Native() const { return static_cast<gp::GpImage*>(handle_); }
    // The copy of the bytes an image was loaded from (empty for other images).
    const MemoryStream& Source() const { return source_; }

  protected:
    // Releases what the object holds and makes a stream over a copy of the bytes; nullptr on failure.
    IStream* PrepareSource(std::span<const unsigned char> bytes);
    bool Adopt(gp::GpStatus status, gp::GpImage* image);

    MemoryStream source_;
};

class DrawBitmap : public DrawImage {
  public:
    bool CreateBitmapFromBytes(std::span<const unsigned char> bytes, bool useIcm = false);
    // An empty bitmap of the given GDI+ pixel format (32 bpp with alpha by default), cleared to transparent black.
    bool CreateBitmap(int width, int height, int pixelFormat = kPixelFormat32bppArgb);
    bool CreateBitmapFromHICON(HICON icon);
    // A new GDI bitmap (caller deletes it with DeleteObject); alpha is blended over background.
    bool CreateHBITMAPFromBitmap(HBITMAP* bitmap, uint32_t background);
    // The pixel as ARGB, 0 on failure.
    uint32_t BitmapGetPixel(int x, int y);
    bool BitmapSetPixel(int x, int y, uint32_t argb);
    // The resolution a saved picture records (dots per inch).
    bool SetResolution(float dpiX, float dpiY);

    gp::GpBitmap* Bitmap() const { return static_cast<gp::GpBitmap*>(handle_); }
};

}  // namespace zandrel
