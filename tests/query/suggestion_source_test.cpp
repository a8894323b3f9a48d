#include "query/suggestion_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_host.h"
#include "query/gbk_texts.h"

namespace zandrel {
namespace {

using testing::G;

TEST(SuggestionSources, RequestPathsAreFixedByteForByte) {
    EXPECT_EQ(SourceAPath("%E5%A4%8F"), "/sug?code=utf-8&q=%E5%A4%8F&callback=jsonp1304&k=1&area=c2c&bucketid=5");
    EXPECT_EQ(SourceBPath("a b"), "/sug?code=utf-8&callback=?&q=a b");
    EXPECT_EQ(SourceCPath("x"), "/sug?code=utf-8&q=x&callback=jsonp630&area=etao&k=1");
}

TEST(SuggestionSources, AnswerCuts) {
    struct Case {
        const char* name;
        std::string (*cut)(std::string_view);
        std::string in;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"]] keeps one byte more", CutAfterDoubleBracket, "f({\"r\":[[\"a\",\"1\"]]});", "f({\"r\":[[\"a\",\"1\"]]}"},
        {"]] at the very end", CutAfterDoubleBracket, "[[\"a\"]]", "[[\"a\"]]"},
        {"no ]] keeps the first byte", CutAfterDoubleBracket, "jsonp({})", "j"},
        {"]] of an empty answer", CutAfterDoubleBracket, "", ""},
        {"] inside a character is no bracket", CutAfterDoubleBracket, "\xd5]]x", "\xd5"},
        {"cat block dropped with its ,\"", CutBeforeCat, "[[\"a\",\"1\"]],\"cat\":[[\"b\",\"2\"]]}", "[[\"a\",\"1\"]]"},
        {"cat at byte 1 empties", CutBeforeCat, "cat", ""},
        {"cat at byte 3 empties", CutBeforeCat, "abcat", ""},
        {"cat at byte 4 keeps one byte", CutBeforeCat, "abccat", "a"},
        {"cat at byte 5 keeps two bytes", CutBeforeCat, "abcdcat", "ab"},
        {"no cat", CutBeforeCat, "[[\"a\"]]", "[[\"a\"]]"},
        {"bold pairs", RemoveBoldTags, "<b>a<\\/b>b<b>c<\\/b>", "abc"},
        {"nested bold", RemoveBoldTags, "<b><b>x<\\/b><\\/b>", "x"},
        {"bold without end", RemoveBoldTags, "<b>a", "a"},
        {"end without bold stays", RemoveBoldTags, "a<\\/b>", "a<\\/b>"},
        {"unescaped end tag stays", RemoveBoldTags, "<b>a</b>", "a</b>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.cut(c.in), c.expected);
    }
}

TEST(SuggestionSources, ResponseTextJoinsTheThreeCleanedAnswers) {
    // UTF-8 answers as the services send them.
    const std::string a = "jsonp1304({\"result\":[[\"连衣裙<b>夏<\\/b>\",\"100\"]],\"cat\":[[\"女装\",\"1\"]]})";
    const std::string b = "{\"result\":[[\"b1\",\"5\"]],\"cat\":[[\"c\",\"1\"]]}";
    const std::string c = "jsonp630({\"result\":[[\"c1\",\"7\"]]})";
    const std::string expected = G("jsonp1304({\"result\":[[\"连衣裙夏\",\"100\"]],") + "{\"result\":[[\"b1\",\"5\"]]" +
                                 "jsonp630({\"result\":[[\"c1\",\"7\"]]}";
    EXPECT_EQ(AssembleResponseText(a, b, c), expected);
    EXPECT_EQ(AssembleResponseText("", "", ""), "");
    // Source B is not cut at "]]" and keeps its bold tags.
    EXPECT_EQ(AssembleResponseText("", "[[\"<b>x</b>\"]]]", ""), "[[\"<b>x</b>\"]]]");
}

TEST(ParseSuggestions, EntriesCountsAndShiftedWindows) {
    const std::string failed = gbk::kFetchFailed;
    struct Case {
        const char* name;
        std::string text;
        int entryCount;
        std::vector<std::string> keywords;
        std::vector<std::string> counts;
    };
    const std::vector<Case> cases = {
        {"empty text", "", -1, {}, {}},
        {"no entry opener", "jsonp1304({})", 0, {}, {}},
        {"two entries", "[[\"a\",\"1\"],[\"b\",\"22\"]]", 2, {"a", "b"}, {"1", "22"}},
        {"Chinese keyword", "[[\"\xc1\xac\",\"3\"]]", 1, {"\xc1\xac"}, {"3"}},
        // The count window starts after the first comma: here the comma inside the keyword.
        {"comma in keyword", "[[\"a,b\",\"5\"]]", 1, {"a,b"}, {"\",\"5"}},
        // ... and ends before the first "]": here the one inside the keyword, giving a negative length.
        {"bracket in keyword", "[[\"a]b\",\"7\"]]", 1, {"a]b"}, {""}},
        {"missing closing quote", "[\"abc", 1, {failed}, {""}},
        {"missing ]", "[\"k\",\"9\"", 1, {"k"}, {""}},
        {"empty keyword", "[[\"\",\"4\"]]", 1, {""}, {"4"}},
        // A count is taken only inside its own entry, never from the entries after it or the text before.
        {"count only in the next entry", "[\"a\"x[\"b\",\"2\"]", 2, {"a", "b"}, {"", "2"}},
        {"no comma at all", "[\"a\"][\"b\"]", 2, {"a", "b"}, {"", ""}},
        {"entries of three sources",
         "f({\"result\":[[\"a\",\"1\"]],"
         "{\"result\":[[\"b\",\"2\"]]"
         "g({\"result\":[[\"a\",\"3\"]]}",
         3,
         {"a", "b", "a"},
         {"1", "2", "3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SuggestionList list = ParseSuggestions(c.text);
        EXPECT_EQ(list.entryCount, c.entryCount);
        EXPECT_EQ(list.keywords, c.keywords);
        EXPECT_EQ(list.counts, c.counts);
    }
}

}  // namespace
}  // namespace zandrel
