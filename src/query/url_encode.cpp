#include "query/url_encode.h"

#include "base/encoding.h"

namespace zandrel {
namespace {

void AppendEscape(std::string& out, unsigned char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

bool IsAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Printable ASCII punctuation (every printable character but letters, digits and the space), CR, LF, tab.
bool NeedsEscapeForSuggest(unsigned char c) {
    if (c == '\r' || c == '\n' || c == '\t') {
        return true;
    }
    return c > 0x20 && c < 0x7F && !IsAsciiAlnum(c);
}

}  // namespace

std::string UrlEncodeUtf8(std::string_view gbk) {
    std::string out;
    size_t i = 0;
    while (i < gbk.size()) {
        unsigned char c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) {
            if (NeedsEscapeForSuggest(c)) {
                AppendEscape(out, c);
            } else {
                out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        std::string_view character = gbk.substr(i, 2);
        for (char u : GbkToUtf8(character)) {
            AppendEscape(out, static_cast<unsigned char>(u));
        }
        i += 2;
    }
    return out;
}

std::string UrlEncodeGbk(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 3);
    for (char ch : gbk) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (IsAsciiAlnum(c)) {
            out += ch;
        } else {
            AppendEscape(out, c);
        }
    }
    return out;
}

}  // namespace zandrel
