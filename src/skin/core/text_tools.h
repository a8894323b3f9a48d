// The objects a piece of skin text is drawn with.
#pragma once

#include <cstdint>
#include <string>

#include "draw/draw_brushes.h"
#include "draw/draw_font.h"

namespace zandrel {

// The font, string format and solid brush a piece of text is drawn with.
struct TextTools {
    DrawFont font;
    DrawStringFormat format;
    DrawSolidBrush brush;

    // False, with nothing usable, when the family is not installed or GDI+ refuses an object.
    bool Create(const std::string& fontName,
                float size,
                int style,
                int unit,
                int alignment,
                int lineAlignment,
                uint32_t argb);
};

}  // namespace zandrel
