#include "draw/skin_images.h"

#include <windows.h>

#include "draw/skin_image_ids.h"

namespace zandrel {

int SkinImageResourceId(SkinImageId id) {
    switch (id) {
        case SkinImageId::HelpGlyph: return IDR_HELP_GLYPH_PNG;
        case SkinImageId::MenuGlyph: return IDR_MENU_GLYPH_PNG;
        case SkinImageId::MinimizeGlyph: return IDR_MINIMIZE_GLYPH_PNG;
        case SkinImageId::MaximizeGlyph: return IDR_MAXIMIZE_GLYPH_PNG;
        case SkinImageId::RestoreGlyph: return IDR_RESTORE_GLYPH_PNG;
        case SkinImageId::CloseGlyph: return IDR_CLOSE_GLYPH_PNG;
        case SkinImageId::CheckBoxEmpty: return IDR_CHECKBOX_EMPTY_PNG;
        case SkinImageId::CheckBoxChecked: return IDR_CHECKBOX_CHECKED_PNG;
        case SkinImageId::ArrowDown: return IDR_ARROW_DOWN_PNG;
        case SkinImageId::ArrowUp: return IDR_ARROW_UP_PNG;
        case SkinImageId::ArrowLeft: return IDR_ARROW_LEFT_PNG;
        case SkinImageId::ArrowRight: return IDR_ARROW_RIGHT_PNG;
        case SkinImageId::WoodBackground: return IDR_WOOD_PNG;
        case SkinImageId::Promotion: return IDR_PROMOTION_JPG;
    }
    return 0;
}

std::span<const unsigned char> SkinImageBytes(SkinImageId id) {
    // The module that holds this code: the program, or a DLL the drawing layer was linked into.
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&SkinImageBytes), &module)) {
        return {};
    }
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(SkinImageResourceId(id)), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (info == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(data), static_cast<size_t>(SizeofResource(module, info))};
}

}  // namespace zandrel
