// GDI+ text objects: fonts, font families and string formats. Family names are GBK.
#pragma once

#include <string>
#include <string_view>

#include "draw/draw_object.h"

namespace zandrel {

class DrawFontFamily : public DrawObject {
  public:
    DrawFontFamily() = default;
    ~DrawFontFamily() { DeleteFontFamily(); }
    DrawFontFamily(DrawFontFamily&& other) noexcept = default;
    DrawFontFamily& operator=(DrawFontFamily&& other) noexcept;

    bool DeleteFontFamily();
    // Looks the name up among the installed fonts, or in collection when given.
    bool CreateFontFamilyFromName(std::string_view name, gp::GpFontCollection* collection = nullptr);
    // The family's name (neutral language) in GBK; empty on failure.
    std::string GetFamilyName();

    gp::GpFontFamily* Native() const { return static_cast<gp::GpFontFamily*>(handle_); }

  private:
    friend class DrawFont;
    void Replace(gp::GpFontFamily* family);
};

class DrawFont : public DrawObject {
  public:
    DrawFont() = default;
    ~DrawFont() { DeleteFont(); }
    DrawFont(DrawFont&& other) noexcept = default;
    DrawFont& operator=(DrawFont&& other) noexcept;

    bool DeleteFont();
    // style: bold 1, italic 2, underline 4, strikeout 8; unit: 0 world, 2 pixel, 3 point.
    // False (and the font left empty) when the family is not installed.
    bool CreateFontByName(std::string_view familyName, float emSize, int style = 0, int unit = 0);
    // From a GDI font, or from the font selected into hdc when hfont is nullptr.
    bool CreateFontFromHFont(HDC hdc, HFONT hfont = nullptr);
    // Puts the font's family into family (releasing what family held).
    bool GetFamily(DrawFontFamily& family);
    // 0 on failure.
    int GetFontStyle();
    float GetFontSize();

    gp::GpFont* Native() const { return static_cast<gp::GpFont*>(handle_); }
};

class DrawStringFormat : public DrawObject {
  public:
    DrawStringFormat() = default;
    ~DrawStringFormat() { DeleteStringFormat(); }
    DrawStringFormat(DrawStringFormat&& other) noexcept = default;
    DrawStringFormat& operator=(DrawStringFormat&& other) noexcept;

    bool DeleteStringFormat();
    // flags: GDI+ StringFormatFlags; language 0 = neutral.
    bool CreateStringFormat(int flags = 0, LANGID language = 0);
    bool SetStringFormatFlags(int flags);
    // 0 near, 1 centre, 2 far.
    bool SetStringFormatAlign(int alignment);
    bool SetStringFormatLineAlign(int alignment);
    // GDI+ StringTrimming (0 none, 1 character, 2 word, 3 ellipsis character, ...).
    bool SetStringFormatTrimming(int trimming);

    gp::GpStringFormat* Native() const { return static_cast<gp::GpStringFormat*>(handle_); }
};

}  // namespace zandrel
