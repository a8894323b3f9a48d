#include "base/encoding.h"

namespace zandrel {

std::string CutGbk(std::string_view text, size_t maxBytes) {
    size_t i = 0;
    while (i < text.size()) {
        size_t step = (IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
        if (i + step > maxBytes) {
            break;
        }
        i += step;
    }
    return std::string(text.substr(0, i));
}

}  // namespace zandrel
