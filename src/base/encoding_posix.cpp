// iconv-backed conversions for the native build of the portable core.
#include "base/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace zandrel {
namespace {

std::string Convert(const char* to, const char* from, std::string_view in) {
    std::string out;
    if (in.empty()) {
        return out;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return out;
    }
    out.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        if (r != static_cast<size_t>(-1)) {
            break;
        }
        if (errno == EILSEQ || errno == EINVAL) {
            // Unconvertible or truncated sequence: emit '?' and skip one input byte.
            if (dstLeft == 0) {
                break;
            }
            *dst++ = '?';
            --dstLeft;
            ++src;
            --srcLeft;
            // Skip UTF-8 continuation bytes of the rejected character.
            if (std::string_view(from) == "UTF-8") {
                while (srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80) {
                    ++src;
                    --srcLeft;
                }
            }
            continue;
        }
        break;  // E2BIG cannot happen with the generous buffer
    }
    out.resize(out.size() - dstLeft);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
    return Convert("CP936", "UTF-8", utf8);
}

std::string GbkToUtf8(std::string_view gbk) {
    return Convert("UTF-8", "CP936", gbk);
}

}  // namespace zandrel
