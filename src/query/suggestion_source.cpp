#include "query/suggestion_source.h"

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
    std::string keywords;
    std::string counts;
    int p = 0;
    for (int i = 0; i < list.entryCount; ++i) {
        p = FindText(responseText, kEntryOpener, p + 1);
        keywords += TextBetween(responseText, kQuote, kQuote, p);
        keywords += kLineEnd;
        int c = FindText(responseText, ",", p);
        int b = FindText(responseText, "]", p);
        counts += MidText(responseText, c + 2, b - c - 3);
        counts += kLineEnd;
    }
    list.keywords = SplitText(keywords, kLineEnd);
    list.counts = SplitText(counts, kLineEnd);
    return list;
}

}  // namespace zandrel
