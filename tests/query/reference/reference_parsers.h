// The first, straightforward versions of the text operations and the parsers: every search walks the text
// from its first byte, and the bold-tag clean-up and the duplicate check start over on every step. They are
// quadratic in the text but easy to read, so the tests and fuzz targets check the fast versions against them.
// Nothing in the program uses them.
#pragma once

#include <climits>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/encoding.h"
#include "query/gbk_texts.h"
#include "query/query_host.h"

// In the fuzz targets these versions are only a yardstick: left out of the coverage the fuzzer steers by, so
// that it explores the program's own code and does not spend its time on theirs.
#if defined(__clang__)
#define ZANDREL_REFERENCE_CODE __attribute__((no_sanitize("coverage")))
#else
#define ZANDREL_REFERENCE_CODE
#endif

namespace zandrel::reference {

ZANDREL_REFERENCE_CODE inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

ZANDREL_REFERENCE_CODE inline bool MatchesAt(std::string_view text,
                                             size_t at,
                                             std::string_view sought,
                                             bool ignoreCase) {
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

ZANDREL_REFERENCE_CODE inline size_t CharLength(std::string_view text, size_t at) {
    return (IsGbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
}

ZANDREL_REFERENCE_CODE inline int Find(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
    if (sought.empty() || text.size() > static_cast<size_t>(INT_MAX) - 2 || sought.size() > text.size()) {
        return -1;
    }
    size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    size_t last = text.size() - sought.size();
    if (from > last) {
        return -1;
    }
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

ZANDREL_REFERENCE_CODE inline int FindText(std::string_view text, std::string_view sought, int start = 1) {
    return Find(text, sought, start, false);
}

ZANDREL_REFERENCE_CODE inline int FindTextIgnoreCase(std::string_view text, std::string_view sought, int start = 1) {
    return Find(text, sought, start, true);
}

ZANDREL_REFERENCE_CODE inline std::string MidText(std::string_view text, int start, int length) {
    if (start < 1 || length <= 0 || static_cast<size_t>(start) > text.size()) {
        return std::string();
    }
    return std::string(text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(length)));
}

ZANDREL_REFERENCE_CODE inline std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
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

ZANDREL_REFERENCE_CODE inline std::string DeleteSpan(std::string_view text, int start, int length) {
    std::string result(text);
    size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    if (length <= 0 || from >= result.size()) {
        return result;
    }
    result.erase(from, static_cast<size_t>(length));
    return result;
}

ZANDREL_REFERENCE_CODE inline std::string TextBetween(std::string_view text,
                                                      std::string_view left,
                                                      std::string_view right,
                                                      int start = 1) {
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

ZANDREL_REFERENCE_CODE inline std::string CutAfterDoubleBracket(std::string_view text) {
    return MidText(text, 1, FindText(text, "]]") + 2);
}

ZANDREL_REFERENCE_CODE inline std::string CutBeforeCat(std::string_view text) {
    int p = FindText(text, "cat");
    if (p > 0) {
        return MidText(text, 1, p - 3);
    }
    return std::string(text);
}

ZANDREL_REFERENCE_CODE inline std::string RemoveBoldTags(std::string_view text) {
    std::string t(text);
    int p = 0;
    while ((p = FindText(t, "<b>")) > 0) {
        t = DeleteSpan(t, p, 3);
        int q = FindText(t, "<\\/b>");
        if (q != -1) {
            t = DeleteSpan(t, q, 5);
        }
    }
    return t;
}

ZANDREL_REFERENCE_CODE inline std::string CleanSourceA(std::string_view gbkAnswer) {
    return RemoveBoldTags(CutBeforeCat(CutAfterDoubleBracket(gbkAnswer)));
}

ZANDREL_REFERENCE_CODE inline std::string CleanSourceB(std::string_view gbkAnswer) {
    return CutBeforeCat(gbkAnswer);
}

ZANDREL_REFERENCE_CODE inline std::string CleanSourceC(std::string_view gbkAnswer) {
    return CutBeforeCat(CutAfterDoubleBracket(gbkAnswer));
}

struct SuggestionList {
    int entryCount = -1;
    std::vector<std::string> keywords;
    std::vector<std::string> counts;
};

ZANDREL_REFERENCE_CODE inline SuggestionList ParseSuggestions(std::string_view responseText) {
    SuggestionList list;
    list.entryCount = static_cast<int>(SplitText(responseText, "[\"").size()) - 1;
    std::string keywords;
    std::string counts;
    int p = 0;
    for (int i = 0; i < list.entryCount; ++i) {
        p = FindText(responseText, "[\"", p + 1);
        keywords += TextBetween(responseText, "\"", "\"", p);
        keywords += "\r\n";
        int c = FindText(responseText, ",", p);
        int b = FindText(responseText, "]", p);
        // Only inside the entry: a comma or bracket missing before the next entry's opener leaves the count empty.
        const int next = FindText(responseText, "[\"", p + 1);
        if (c != -1 && b != -1 && (next == -1 || (c < next && b < next))) {
            counts += MidText(responseText, c + 2, b - c - 3);
        }
        counts += "\r\n";
    }
    list.keywords = SplitText(keywords, "\r\n");
    list.counts = SplitText(counts, "\r\n");
    return list;
}

ZANDREL_REFERENCE_CODE inline std::string CutRelatedSection(std::string_view page) {
    int a = FindText(page, gbk::kRelatedHeading, 50000);
    int b = FindText(page, gbk::kAllItems, a);
    return MidText(page, a, b - a);
}

struct RelatedList {
    int relatedCount = -3;
    std::vector<std::string> texts;
};

ZANDREL_REFERENCE_CODE inline RelatedList ExtractRelatedSearches(std::string_view section) {
    RelatedList list;
    list.relatedCount = static_cast<int>(SplitText(section, "/search?").size()) - 3;
    std::string texts;
    int p = 0;
    for (int i = 0; i < list.relatedCount; ++i) {
        p = FindText(section, "/search?", p + 1);
        // Only inside the link: markers after the next link's marker give the failure text.
        const int next = FindText(section, "/search?", p + 1);
        const int left = FindTextIgnoreCase(section, "\">", p);
        const int right = left == -1 ? -1 : FindTextIgnoreCase(section, "<span ", left + 2);
        if (next != -1 && (left >= next || right >= next)) {
            texts += gbk::kFetchFailed;
        } else {
            texts += TextBetween(section, "\">", "<span ", p);
        }
        texts += "\r\n";
    }
    list.texts = SplitText(texts, "\r\n");
    return list;
}

// The rows a batch of suggestions adds: the first ten entries as they come, later ones only when no earlier
// entry of the batch has the same keyword.
ZANDREL_REFERENCE_CODE inline void AppendSuggestionRows(QueryHost& host,
                                                        const std::vector<std::string>& keywords,
                                                        const std::vector<std::string>& counts) {
    int seq = 10;
    for (size_t index = 0; index < keywords.size(); ++index) {
        const size_t i = index + 1;
        std::string count = index < counts.size() ? counts[index] : std::string();
        if (count.find('"') != std::string::npos) {
            count.pop_back();
        }
        if (i > 10) {
            bool seen = false;
            for (size_t k = 0; k < index && !seen; ++k) {
                seen = keywords[k] == keywords[index];
            }
            if (seen) {
                continue;
            }
            ++seq;
            host.AppendRow(std::to_string(seq));
        } else {
            if (i == 2) {
                host.SetCell(host.RowCount() - 1, 3, host.Keyword());
            }
            host.AppendRow(std::to_string(i));
        }
        int r = host.RowCount() - 1;
        host.SetCell(r, 1, keywords[index]);
        host.SetCell(r, 2, count);
    }
}

}  // namespace zandrel::reference
