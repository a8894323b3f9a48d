// The skin pictures embedded in the program as RCDATA resources (assets/skin_images.rc).
#pragma once

#include <span>

namespace zandrel {

enum class SkinImageId {
    HelpGlyph,
    MenuGlyph,
    MinimizeGlyph,
    MaximizeGlyph,
    RestoreGlyph,
    CloseGlyph,
    CheckBoxEmpty,
    CheckBoxChecked,
    ArrowDown,
    ArrowUp,
    ArrowLeft,
    ArrowRight,
    WoodBackground,
    Promotion,
};

// The picture's encoded bytes (PNG, or JPEG for Promotion), valid for the life of the module; empty when the
// module was linked without the resources.
std::span<const unsigned char> SkinImageBytes(SkinImageId id);

// The resource name (an IDR_... number) of a picture.
int SkinImageResourceId(SkinImageId id);

}  // namespace zandrel
