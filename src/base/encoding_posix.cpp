// iconv-backed conversions for the native build of the portable core.
#include "base/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace zandrel {
namespace {

// One iconv descriptor a direction and thread, opened on first use: exports convert every cell of a large table
// one by one, and opening a descriptor costs more than converting a cell.
class Converter {
  public:
    Converter(const char* to, const char* from)
        : cd_(iconv_open(to, from)), fromUtf8_(std::string_view(from) == "UTF-8") {}
    ~Converter() {
        if (IsOpen()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string Convert(std::string_view in) {
        if (in.empty() || !IsOpen()) {
            return std::string();
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        buffer_.resize(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = buffer_.data();
        size_t dstLeft = buffer_.size();
        while (srcLeft > 0) {
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
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
                if (fromUtf8_) {
                    while (srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80) {
                        ++src;
                        --srcLeft;
                    }
                }
                continue;
            }
            break;  // E2BIG cannot happen with the generous buffer
        }
        // Exactly as long as the text: the buffer's spare room stays here for the next call.
        return std::string(buffer_.data(), buffer_.size() - dstLeft);
    }

  private:
    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t cd_;
    bool fromUtf8_;
    std::string buffer_;
};

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
    thread_local Converter converter("CP936", "UTF-8");
    return converter.Convert(utf8);
}

std::string GbkToUtf8(std::string_view gbk) {
    thread_local Converter converter("UTF-8", "CP936");
    return converter.Convert(gbk);
}

}  // namespace zandrel
