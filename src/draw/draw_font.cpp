#include "draw/draw_font.h"

#include "base/encoding.h"

namespace zandrel {

using draw_detail::Record;

// ---- DrawFontFamily

DrawFontFamily& DrawFontFamily::operator=(DrawFontFamily&& other) noexcept {
    if (this != &other) {
        DeleteFontFamily();
        handle_ = TakeHandle(other);
    }
    return *this;
}

bool DrawFontFamily::DeleteFontFamily() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok = Record(gp::GdipDeleteFontFamily(Native()));
    SetHandle(nullptr);
    return ok;
}

void DrawFontFamily::Replace(gp::GpFontFamily* family) {
    DeleteFontFamily();
    SetHandle(family);
}

bool DrawFontFamily::CreateFontFamilyFromName(std::string_view name, gp::GpFontCollection* collection) {
    DeleteFontFamily();
    const std::wstring wide = GbkToWide(name);
    gp::GpFontFamily* family = nullptr;
    const gp::GpStatus status = gp::GdipCreateFontFamilyFromName(wide.c_str(), collection, &family);
    SetHandle(family);
    return Record(status);
}

std::string DrawFontFamily::GetFamilyName() {
    WCHAR name[LF_FACESIZE] = {};
    if (!Record(gp::GdipGetFamilyName(Native(), name, LANG_NEUTRAL))) {
        return {};
    }
    return WideToGbk(std::wstring_view(name, wcsnlen(name, LF_FACESIZE)));
}

// ---- DrawFont

DrawFont& DrawFont::operator=(DrawFont&& other) noexcept {
    if (this != &other) {
        DeleteFont();
        handle_ = TakeHandle(other);
    }
    return *this;
}

bool DrawFont::DeleteFont() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok = Record(gp::GdipDeleteFont(Native()));
    SetHandle(nullptr);
    return ok;
}

bool DrawFont::CreateFontByName(std::string_view familyName, float emSize, int style, int unit) {
    DeleteFont();
    DrawFontFamily family;
    family.CreateFontFamilyFromName(familyName);
    gp::GpFont* font = nullptr;
    const gp::GpStatus status = gp::GdipCreateFont(family.Native(), emSize, style, static_cast<gp::Unit>(unit), &font);
    SetHandle(font);
    family.DeleteFontFamily();
    return Record(status);
}

bool DrawFont::CreateFontFromHFont(HDC hdc, HFONT hfont) {
    DeleteFont();
    gp::GpFont* font = nullptr;
    gp::GpStatus status;
    if (hfont != nullptr) {
        // The wide LOGFONT keeps a Chinese face name intact whatever the system code page.
        LOGFONTW logFont{};
        if (GetObjectW(hfont, sizeof(logFont), &logFont) == 0) {
            return Record(gp::InvalidParameter);
        }
        status = gp::GdipCreateFontFromLogfontW(hdc, &logFont, &font);
    } else {
        status = gp::GdipCreateFontFromDC(hdc, &font);
    }
    SetHandle(font);
    return Record(status);
}

bool DrawFont::GetFamily(DrawFontFamily& family) {
    gp::GpFontFamily* native = nullptr;
    const gp::GpStatus status = gp::GdipGetFamily(Native(), &native);
    family.Replace(native);
    return Record(status);
}

int DrawFont::GetFontStyle() {
    INT style = 0;
    return Record(gp::GdipGetFontStyle(Native(), &style)) ? style : 0;
}

float DrawFont::GetFontSize() {
    gp::REAL size = 0;
    return Record(gp::GdipGetFontSize(Native(), &size)) ? size : 0.0f;
}

// ---- DrawStringFormat

DrawStringFormat& DrawStringFormat::operator=(DrawStringFormat&& other) noexcept {
    if (this != &other) {
        DeleteStringFormat();
        handle_ = TakeHandle(other);
    }
    return *this;
}

bool DrawStringFormat::DeleteStringFormat() {
    if (handle_ == nullptr) {
        return false;
    }
    const bool ok = Record(gp::GdipDeleteStringFormat(Native()));
    SetHandle(nullptr);
    return ok;
}

bool DrawStringFormat::CreateStringFormat(int flags, LANGID language) {
    DeleteStringFormat();
    gp::GpStringFormat* format = nullptr;
    const gp::GpStatus status = gp::GdipCreateStringFormat(flags, language, &format);
    SetHandle(format);
    return Record(status);
}

bool DrawStringFormat::SetStringFormatFlags(int flags) {
    return Record(gp::GdipSetStringFormatFlags(Native(), flags));
}

bool DrawStringFormat::SetStringFormatAlign(int alignment) {
    return Record(gp::GdipSetStringFormatAlign(Native(), static_cast<gp::StringAlignment>(alignment)));
}

bool DrawStringFormat::SetStringFormatLineAlign(int alignment) {
    return Record(gp::GdipSetStringFormatLineAlign(Native(), static_cast<gp::StringAlignment>(alignment)));
}

bool DrawStringFormat::SetStringFormatTrimming(int trimming) {
    return Record(gp::GdipSetStringFormatTrimming(Native(), static_cast<gp::StringTrimming>(trimming)));
}

}  // namespace zandrel
