#include "query/suggestion_source.h"

#include <climits>
#include <set>
#include <vector>

#include "base/encoding.h"
#include "query/text_ops.h"

namespace zandrel {
namespace {

constexpr std::string_view kEntryOpener = "[\"";
constexpr std::string_view kQuote = "\"";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string SourceAPath(std::string_view encodedKeyword) {
    return "/sug?code=utf-8&q=" + std::string(encodedKeyword) + "&callback=jsonp1304&k=1&area=c2c&bucketid=5";
}

std::string SourceBPath(std::string_view encodedKeyword) {
    return "/sug?code=utf-8&callback=?&q=" + std::string(encodedKeyword);
}

std::string SourceCPath(std::string_view encodedKeyword) {
    return "/sug?code=utf-8&q=" + std::string(encodedKeyword) + "&callback=jsonp630&area=etao&k=1";
}

std::string CutAfterDoubleBracket(std::string_view text) {
    return MidText(text, 1, FindText(text, "]]") + 2);
}

std::string CutBeforeCat(std::string_view text) {
    int p = FindText(text, "cat");
    if (p > 0) {
        return MidText(text, 1, p - 3);
    }
    return std::string(text);
}

std::string RemoveBoldTags(std::string_view text) {
    // Each step removes the first "<b>" of the text and then the first "<\/b>" of what is left, wherever it
    // is; a removal can join the bytes around it into a new tag. The text is kept as a linked list of its
    // bytes with the positions of every tag in order, so each step costs a few look-ups instead of a search
    // and a copy of the whole text.
    constexpr std::string_view kOpen = "<b>";
    constexpr std::string_view kClose = "<\\/b>";
    const int n = static_cast<int>(text.size());
    if (text.size() > static_cast<size_t>(INT_MAX) - 2 || n < static_cast<int>(kOpen.size())) {
        return std::string(text);
    }
    // Both tags are ASCII and every removal takes whole ASCII characters, so the bytes that begin a character
    // stay the same as in the original text.
    std::vector<char> charStart(text.size(), 0);
    for (size_t i = 0; i < text.size();) {
        charStart[i] = 1;
        i += (IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    std::vector<int> next(text.size());
    std::vector<int> prev(text.size());
    for (int i = 0; i < n; ++i) {
        next[i] = i + 1;  // n: end of the text
        prev[i] = i - 1;  // -1: start of the text
    }
    auto tagAt = [&](int at, std::string_view tag) {
        if (at < 0 || !charStart[at]) {
            return false;
        }
        for (char c : tag) {
            if (at >= n || text[at] != c) {
                return false;
            }
            at = next[at];
        }
        return true;
    };
    std::set<int> opens;
    std::set<int> closes;
    for (int i = 0; i < n; ++i) {
        if (tagAt(i, kOpen)) {
            opens.insert(i);
        }
        if (tagAt(i, kClose)) {
            closes.insert(i);
        }
    }
    const int reach = static_cast<int>(kClose.size()) - 1;  // a tag ending after `at` starts at most this far back
    auto remove = [&](int at, int length) {
        int before = prev[at];
        for (int k = 0, i = before; k < reach && i >= 0; ++k, i = prev[i]) {
            opens.erase(i);
            closes.erase(i);
        }
        int after = at;
        for (int k = 0; k < length; ++k) {
            opens.erase(after);
            closes.erase(after);
            after = next[after];
        }
        if (before >= 0) {
            next[before] = after;
        }
        if (after < n) {
            prev[after] = before;
        }
        for (int k = 0, i = before; k < reach && i >= 0; ++k, i = prev[i]) {
            if (tagAt(i, kOpen)) {
                opens.insert(i);
            }
            if (tagAt(i, kClose)) {
                closes.insert(i);
            }
        }
        return before < 0 ? after : -1;  // the new first byte when the removal was at the start
    };
    int head = 0;
    while (!opens.empty()) {
        int newHead = remove(*opens.begin(), static_cast<int>(kOpen.size()));
        if (newHead >= 0) {
            head = newHead;
        }
        if (!closes.empty()) {
            newHead = remove(*closes.begin(), static_cast<int>(kClose.size()));
            if (newHead >= 0) {
                head = newHead;
            }
        }
    }
    std::string result;
    result.reserve(text.size());
    for (int i = head; i < n; i = next[i]) {
        result += text[i];
    }
    return result;
}

std::string CleanSourceA(std::string_view gbkAnswer) {
    return RemoveBoldTags(CutBeforeCat(CutAfterDoubleBracket(gbkAnswer)));
}

std::string CleanSourceB(std::string_view gbkAnswer) {
    return CutBeforeCat(gbkAnswer);
}

std::string CleanSourceC(std::string_view gbkAnswer) {
    return CutBeforeCat(CutAfterDoubleBracket(gbkAnswer));
}

std::string AssembleResponseText(std::string_view answerA, std::string_view answerB, std::string_view answerC) {
    std::string text = CleanSourceA(Utf8ToGbk(answerA));
    text += CleanSourceB(Utf8ToGbk(answerB));
    text += CleanSourceC(Utf8ToGbk(answerC));
    return text;
}

SuggestionList ParseSuggestions(std::string_view responseText) {
    SuggestionList list;
    list.entryCount = static_cast<int>(SplitText(responseText, kEntryOpener).size()) - 1;
    TextSearcher search(responseText);
    std::string keywords;
    std::string counts;
    int next = search.Find(kEntryOpener, 1);
    for (int i = 0; i < list.entryCount; ++i) {
        const int p = next;
        next = search.Find(kEntryOpener, p + 1);
        keywords += search.Between(kQuote, kQuote, p);
        keywords += kLineEnd;
        // The count lies between the entry's comma and its closing bracket. Where either is missing before the
        // next entry opens (a malformed answer), the count is empty: copying on to a comma or bracket further
        // on would repeat the rest of the answer for every entry, quadratic in time and memory.
        const int c = search.Find(",", p);
        const int b = search.Find("]", p);
        if (c != -1 && b != -1 && (next == -1 || (c < next && b < next))) {
            counts += MidText(responseText, c + 2, b - c - 3);
        }
        counts += kLineEnd;
    }
    list.keywords = SplitText(keywords, kLineEnd);
    list.counts = SplitText(counts, kLineEnd);
    return list;
}

}  // namespace zandrel
