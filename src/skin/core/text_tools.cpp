#include "skin/core/text_tools.h"

namespace zandrel {

bool TextTools::Create(const std::string& fontName,
                       float size,
                       int style,
                       int unit,
                       int alignment,
                       int lineAlignment,
                       uint32_t argb) {
    if (!font.CreateFontByName(fontName, size, style, unit) || !format.CreateStringFormat() ||
        !brush.CreateSolidFill(argb)) {
        return false;
    }
    format.SetStringFormatAlign(alignment);
    format.SetStringFormatLineAlign(lineAlignment);
    return true;
}

}  // namespace zandrel
