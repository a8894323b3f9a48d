// Percent-encoding of GBK keywords for the two kinds of request the program sends.
#pragma once

#include <string>
#include <string_view>

namespace zandrel {

// For the suggestion services: ASCII punctuation, CR, LF and tab become %XX; other ASCII bytes
// (letters, digits, the space, other control bytes) are sent as they are; every double-byte GBK
// character becomes the escapes of its UTF-8 form.
std::string UrlEncodeUtf8(std::string_view gbk);

// For the search page: ASCII letters and digits stay, every other byte becomes %XX (GBK bytes as such).
std::string UrlEncodeGbk(std::string_view gbk);

}  // namespace zandrel
