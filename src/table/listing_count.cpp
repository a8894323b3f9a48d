#include "table/listing_count.h"

#include <charconv>

namespace zandrel {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool ParseListingCount(std::string_view text, double& value) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    size_t i = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    if (i == 0) {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        const size_t fractionStart = ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        if (i == fractionStart) {
            return false;
        }
    }
    if (i != text.size()) {
        return false;
    }
    double parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return false;  // out of range
    }
    value = parsed;
    return true;
}

}  // namespace zandrel
