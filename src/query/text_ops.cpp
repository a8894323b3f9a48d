#include "query/text_ops.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <utility>

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

bool IsLead(std::string_view text, size_t at) {
    return IsGbkLeadByte(static_cast<unsigned char>(text[at]));
}

// The first character boundary at or after `from` (< text.size()), boundaries counted from the start of the
// text. Only the run of lead bytes just before `from` decides it: the byte after a byte that cannot start a
// character pair always begins a character, and from there the lead bytes pair up.
size_t CharStartAtOrAfter(std::string_view text, size_t from) {
    size_t runStart = from;
    while (runStart > 0 && IsLead(text, runStart - 1)) {
        --runStart;
    }
    return ((from - runStart) % 2 == 0) ? from : from + 1;
}

bool Searchable(std::string_view text, std::string_view sought) {
    return !sought.empty() && text.size() <= static_cast<size_t>(INT_MAX) - 2 && sought.size() <= text.size();
}

size_t StartIndex(int start) {
    return start < 1 ? 0 : static_cast<size_t>(start) - 1;
}

int Find(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
    if (!Searchable(text, sought)) {
        return -1;
    }
    size_t from = StartIndex(start);
    size_t last = text.size() - sought.size();
    if (from > last) {
        return -1;
    }
    const char first = ignoreCase ? AsciiLower(sought[0]) : sought[0];
    for (size_t i = CharStartAtOrAfter(text, from); i <= last; i += CharLength(text, i)) {
        const char c = ignoreCase ? AsciiLower(text[i]) : text[i];
        if (c == first && MatchesAt(text, i, sought, ignoreCase)) {
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
        if (text[i] == separator[0] && i + separator.size() <= text.size() && MatchesAt(text, i, separator, false)) {
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

TextSearcher::TextSearcher(std::string_view text) : text_(text) {}

int TextSearcher::Find(std::string_view sought, int start) {
    return Search(sought, start, false);
}

int TextSearcher::FindIgnoreCase(std::string_view sought, int start) {
    return Search(sought, start, true);
}

int TextSearcher::Search(std::string_view sought, int start, bool ignoreCase) {
    if (!Searchable(text_, sought)) {
        return -1;
    }
    auto known = std::find_if(located_.begin(), located_.end(),
                              [&](const Located& l) { return l.ignoreCase == ignoreCase && l.sought == sought; });
    if (known == located_.end()) {
        Located found;
        found.sought.assign(sought.data(), sought.size());
        found.ignoreCase = ignoreCase;
        const size_t last = text_.size() - sought.size();
        const char first = ignoreCase ? AsciiLower(sought[0]) : sought[0];
        for (size_t i = 0; i <= last; i += CharLength(text_, i)) {
            const char c = ignoreCase ? AsciiLower(text_[i]) : text_[i];
            if (c == first && MatchesAt(text_, i, sought, ignoreCase)) {
                found.positions.push_back(static_cast<int>(i));
            }
        }
        located_.push_back(std::move(found));
        known = located_.end() - 1;
    }
    const std::vector<int>& positions = known->positions;
    const int from = static_cast<int>(StartIndex(start));
    auto at = std::lower_bound(positions.begin(), positions.end(), from);
    return at == positions.end() ? -1 : *at + 1;
}

std::string TextSearcher::Between(std::string_view left, std::string_view right, int start, int limit) {
    const auto beyond = [limit](int at) { return at == -1 || (limit != -1 && at >= limit); };
    int p = FindIgnoreCase(left, start);
    if (beyond(p)) {
        return gbk::kFetchFailed;
    }
    int s = p + static_cast<int>(left.size());
    int e = FindIgnoreCase(right, s);
    if (beyond(e)) {
        return gbk::kFetchFailed;
    }
    return MidText(text_, s, e - s);
}

}  // namespace zandrel
