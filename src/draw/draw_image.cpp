#include "draw/draw_image.h"

#include <memory>

#include "base/encoding.h"

namespace zandrel {

using draw_detail::Record;

DrawImage& DrawImage::operator=(DrawImage&& other) noexcept {
    if (this != &other) {
        DisposeImage();
        handle_ = TakeHandle(other);
        source_ = std::move(other.source_);
    }
    return *this;
}

bool DrawImage::DisposeImage() {
    if (handle_ == nullptr) {
        source_.Release();
        return false;
    }
    // The image first: GDI+ may still read from the stream until then.
    const bool ok = Record(gp::GdipDisposeImage(Native()));
    SetHandle(nullptr);
    source_.Release();
    return ok;
}

IStream* DrawImage::PrepareSource(std::span<const unsigned char> bytes) {
    DisposeImage();
    return source_.CreateFromBytes(bytes);
}

bool DrawImage::Adopt(gp::GpStatus status, gp::GpImage* image) {
    SetHandle(image);
    return Record(status);
}

bool DrawImage::LoadImageFromBytes(std::span<const unsigned char> bytes, bool useIcm) {
    IStream* stream = PrepareSource(bytes);
    if (stream == nullptr) {
        return Record(gp::OutOfMemory);
    }
    gp::GpImage* image = nullptr;
    const gp::GpStatus status =
        useIcm ? gp::GdipLoadImageFromStreamICM(stream, &image) : gp::GdipLoadImageFromStream(stream, &image);
    return Adopt(status, image);
}

namespace {

bool FindEncoder(const CLSID& format, CLSID* encoder) {
    UINT count = 0;
    UINT size = 0;
    if (!Record(gp::GdipGetImageEncodersSize(&count, &size)) || count == 0 || size == 0) {
        return false;
    }
    std::unique_ptr<unsigned char[]> block(new unsigned char[size]);
    auto* codecs = reinterpret_cast<gp::ImageCodecInfo*>(block.get());
    if (!Record(gp::GdipGetImageEncoders(count, size, codecs))) {
        return false;
    }
    for (UINT i = 0; i < count; ++i) {
        if (IsEqualGUID(codecs[i].FormatID, format)) {
            *encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<unsigned char> DrawImage::SaveImageToBytes(std::string_view formatId,
                                                       const gp::EncoderParameters* parameters) {
    CLSID format;
    std::wstring text = GbkToWide(formatId);
    if (FAILED(CLSIDFromString(text.c_str(), &format))) {
        Record(gp::InvalidParameter);
        return {};
    }
    CLSID encoder;
    if (!FindEncoder(format, &encoder)) {
        if (LastStatus() == gp::Ok) {
            Record(gp::UnknownImageFormat);
        }
        return {};
    }
    MemoryStream target;
    IStream* stream = target.CreateEmpty();
    if (stream == nullptr) {
        Record(gp::OutOfMemory);
        return {};
    }
    if (!Record(gp::GdipSaveImageToStream(Native(), stream, &encoder, parameters))) {
        return {};
    }
    return target.GetBytes();
}

unsigned DrawImage::GetImageWidth() {
    UINT width = 0;
    return Record(gp::GdipGetImageWidth(Native(), &width)) ? width : 0;
}

unsigned DrawImage::GetImageHeight() {
    UINT height = 0;
    return Record(gp::GdipGetImageHeight(Native(), &height)) ? height : 0;
}

int DrawImage::GetImagePixelFormat() {
    gp::PixelFormat format = 0;
    return Record(gp::GdipGetImagePixelFormat(Native(), &format)) ? static_cast<int>(format) : 0;
}

bool DrawImage::ImageRotateFlip(int type) {
    return Record(gp::GdipImageRotateFlip(Native(), static_cast<gp::RotateFlipType>(type)));
}

bool DrawBitmap::CreateBitmapFromBytes(std::span<const unsigned char> bytes, bool useIcm) {
    IStream* stream = PrepareSource(bytes);
    if (stream == nullptr) {
        return Record(gp::OutOfMemory);
    }
    gp::GpBitmap* bitmap = nullptr;
    const gp::GpStatus status =
        useIcm ? gp::GdipCreateBitmapFromStreamICM(stream, &bitmap) : gp::GdipCreateBitmapFromStream(stream, &bitmap);
    return Adopt(status, bitmap);
}

bool DrawBitmap::CreateBitmap(int width, int height, int pixelFormat) {
    DisposeImage();
    gp::GpBitmap* bitmap = nullptr;
    const gp::GpStatus status = gp::GdipCreateBitmapFromScan0(width, height, 0, pixelFormat, nullptr, &bitmap);
    return Adopt(status, bitmap);
}

bool DrawBitmap::CreateBitmapFromHICON(HICON icon) {
    DisposeImage();
    gp::GpBitmap* bitmap = nullptr;
    const gp::GpStatus status = gp::GdipCreateBitmapFromHICON(icon, &bitmap);
    return Adopt(status, bitmap);
}

bool DrawBitmap::CreateHBITMAPFromBitmap(HBITMAP* bitmap, uint32_t background) {
    *bitmap = nullptr;
    return Record(gp::GdipCreateHBITMAPFromBitmap(Bitmap(), bitmap, background));
}

uint32_t DrawBitmap::BitmapGetPixel(int x, int y) {
    gp::ARGB argb = 0;
    return Record(gp::GdipBitmapGetPixel(Bitmap(), x, y, &argb)) ? argb : 0;
}

bool DrawBitmap::BitmapSetPixel(int x, int y, uint32_t argb) {
    return Record(gp::GdipBitmapSetPixel(Bitmap(), x, y, argb));
}

bool DrawBitmap::SetResolution(float dpiX, float dpiY) {
    return Record(gp::GdipBitmapSetResolution(Bitmap(), dpiX, dpiY));
}

}  // namespace zandrel
