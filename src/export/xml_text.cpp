#include "export/xml_text.h"

#include <algorithm>

namespace zandrel {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the character at text[pos] and moves pos past it. A byte that does not start a well-formed
// sequence (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut short) gives U+FFFD and
// moves pos by one byte only.
char32_t NextCodePoint(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (text.size() - pos < length) {
        ++pos;
        return kReplacement;
    }
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return cp;
}

bool XmlAllows(char32_t cp) {
    if (cp < 0x20) {
        return cp == '\t' || cp == '\n' || cp == '\r';
    }
    return cp != 0xFFFE && cp != 0xFFFF;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// True when text[pos] is the underscore of "_xHHHH_".
bool StartsExcelEscape(std::string_view text, size_t pos) {
    if (text.size() - pos < 7 || text[pos] != '_' || (text[pos + 1] != 'x' && text[pos + 1] != 'X') ||
        text[pos + 6] != '_') {
        return false;
    }
    for (size_t i = pos + 2; i < pos + 6; ++i) {
        if (!IsHexDigit(text[i])) {
            return false;
        }
    }
    return true;
}

size_t Utf16Units(char32_t cp) {
    return cp >= 0x10000 ? 2 : 1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view utf8) {
    size_t units = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t at = pos;
        const char32_t cp = NextCodePoint(utf8, pos);
        if (!XmlAllows(cp)) {
            continue;
        }
        units += Utf16Units(cp);
        if (units > kMaxCellUnits) {
            return;
        }
        switch (cp) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\r': out += "&#13;"; break;
            case '_': out += StartsExcelEscape(utf8, at) ? "_x005F_" : "_"; break;
            case kReplacement: AppendUtf8(out, cp); break;
            default: out.append(utf8.data() + at, pos - at); break;
        }
    }
}

std::string SheetNameFrom(std::string_view utf8) {
    std::u32string chars;
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = NextCodePoint(utf8, pos);
        if (cp < 0x20 || !XmlAllows(cp)) {
            continue;
        }
        if (cp == '[' || cp == ']' || cp == ':' || cp == '*' || cp == '?' || cp == '/' || cp == '\\') {
            cp = '_';
        }
        chars += cp;
    }
    // Cut first, then trim: a cut may end the name on an apostrophe.
    const size_t first = std::min(chars.find_first_not_of(U'\''), chars.size());
    size_t end = first;
    size_t units = 0;
    while (end < chars.size() && units + Utf16Units(chars[end]) <= kMaxSheetNameUnits) {
        units += Utf16Units(chars[end]);
        ++end;
    }
    while (end > first && chars[end - 1] == U'\'') {
        --end;
    }
    std::string name;
    for (size_t i = first; i < end; ++i) {
        AppendUtf8(name, chars[i]);
    }
    return name.empty() ? std::string("Sheet1") : name;
}

}  // namespace zandrel
