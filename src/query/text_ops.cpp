#include "query/text_ops.h"

#include <climits>
#include <cstddef>

#include "base/encoding.h"
#include "query/gbk_texts.h"

namespace zandrel {
namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesAt(std::string_view text, size_t at, std::string_view sought, bool ignoreCase) {
    if (!ignoreCase) {
        return text.compare(at, sought.size(), sought) == 0;
    }
    for (size_t k = 0; k < sought.size(); ++k) {
        if (AsciiLower(text[at + k]) != AsciiLower(sought[k])) {
            return false;
        }
    }
    return true;
}

size_t CharLength(std::string_view text, size_t at) {
    return (IsGbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
}

int Find(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
    if (sought.empty() || text.size() > static_cast<size_t>(INT_MAX) - 2 || sought.size() > text.size()) {
        return -1;
    }
    size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    size_t last = text.size() - sought.size();
    if (from > last) {
        return -1;
    }
    // Character boundaries are counted from the start of the text, whatever `start` is.
    size_t i = 0;
    while (i < from) {
        i += CharLength(text, i);
    }
    for (; i <= last; i += CharLength(text, i)) {
        if (MatchesAt(text, i, sought, ignoreCase)) {
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

}  // namespace

int FindText(std::string_view text, std::string_view sought, int start) {
    return Find(text, sought, start, false);
}

int FindTextIgnoreCase(std::string_view text, std::string_view sought, int start) {
    return Find(text, sought, start, true);
}

std::string MidText(std::string_view text, int start, int length) {
    if (start < 1 || length <= 0 || static_cast<size_t>(start) > text.size()) {
        return std::string();
    }
    return std::string(text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(length)));
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (text.empty()) {
        return pieces;
    }
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    size_t pieceStart = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (i + separator.size() <= text.size() && MatchesAt(text, i, separator, false)) {
            pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
            i += separator.size();
            pieceStart = i;
        } else {
            i += CharLength(text, i);
        }
    }
    if (pieceStart < text.size()) {
        pieces.emplace_back(text.substr(pieceStart));
    }
    return pieces;
}

std::string DeleteSpan(std::string_view text, int start, int length) {
    std::string result(text);
    size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    if (length <= 0 || from >= result.size()) {
        return result;
    }
    result.erase(from, static_cast<size_t>(length));
    return result;
}

std::string TextBetween(std::string_view text, std::string_view left, std::string_view right, int start) {
    int p = FindTextIgnoreCase(text, left, start);
    if (p == -1) {
        return gbk::kFetchFailed;
    }
    int s = p + static_cast<int>(left.size());
    int e = FindTextIgnoreCase(text, right, s);
    if (e == -1) {
        return gbk::kFetchFailed;
    }
    return MidText(text, s, e - s);
}

}  // namespace zandrel
