// The text operations and parsers against the straightforward first versions kept in reference/: hand-made
// cases for the joins a removal or a double-byte character can make, then many texts built from the markers
// the parsers look for, compared whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "fake_host.h"
#include "query/gbk_texts.h"
#include "query/keyword_query.h"
#include "query/related_search.h"
#include "query/suggestion_source.h"
#include "query/text_ops.h"
#include "reference/reference_parsers.h"

namespace zandrel {
namespace {

// Texts made of the pieces the parsers react to, double-byte characters (one with ']' and one with 'A' as
// its second byte) and stray lead bytes, so that matches, near-matches and split characters all occur.
std::string RandomText(std::mt19937& random, int maxPieces) {
    static const std::vector<std::string> pieces = {
        "<",      "b",      ">",        "b>",    "\\",       "/",    "<\\/", "<b>", "<\\/b>", "[",        "\"",
        "[\"",    ",",      "]",        "]]",    "c",        "a",    "t",    "cat", "A",      "/search?", "\">",
        "<span ", "<SPAN ", "\xb0\xa1", "\xd5]", "\xd5\x41", "\xb0", "\xa1", "x",   "\r\n",
    };
    std::uniform_int_distribution<int> count(0, maxPieces);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (int n = count(random); n > 0; --n) {
        text += pieces[pick(random)];
    }
    return text;
}

TEST(LinearParsing, BoldTagRemovalJoinsAsTheFirstVersionDid) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"<b>x<\\/b>y", "xy"},
        {"<<b>b>x", "x"},       // removing the inner tag makes a new one before it
        {"<\\/b>a<b>b", "ab"},  // the closing tag is taken wherever it is, even before
        {"<\\<b>/b>", ""},      // removing "<b>" makes the closing tag it then removes
        {"<b><b<\\/b>>", ""},   // removing the closing tag makes another "<b>"
        {"<\\/<b>b>", ""},      // ... or a closing tag that starts well before the join
        {"<\\/b<b>>", ""},
        {"<b><<\\/b>b>x", "x"},
        {"<b<\\/b>>", "<b<\\/b>>"},       // no opening tag: closing tags stay
        {"\xd5<b>", "\xd5<b>"},           // '<' is the second byte of a character
        {"<b>\xd5<b><\\/b>", "\xd5<b>"},  // the second "<b>" begins on a second byte
        {"<b><b><b>", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(RemoveBoldTags(c.text), c.expected);
        EXPECT_EQ(reference::RemoveBoldTags(c.text), c.expected);
    }
}

TEST(LinearParsing, SearchesFromEveryStartMatchTheFirstVersion) {
    std::mt19937 random(11);
    const std::vector<std::string> sought = {"]]",       "[\"",  "\"",     ",", "]",     "cat",     "<b>",
                                             "\xa1\xb0", "\xb0", "<span ", "A", "a\xd5", "/search?"};
    for (int round = 0; round < 400; ++round) {
        const std::string text = RandomText(random, 24);
        TextSearcher searcher(text);
        for (const std::string& s : sought) {
            SCOPED_TRACE(::testing::Message()
                         << "text " << ::testing::PrintToString(text) << " sought " << ::testing::PrintToString(s));
            for (int start = -1; start <= static_cast<int>(text.size()) + 2; ++start) {
                const int expected = reference::FindText(text, s, start);
                const int expectedIgnoringCase = reference::FindTextIgnoreCase(text, s, start);
                ASSERT_EQ(FindText(text, s, start), expected) << start;
                ASSERT_EQ(searcher.Find(s, start), expected) << start;
                ASSERT_EQ(FindTextIgnoreCase(text, s, start), expectedIgnoringCase) << start;
                ASSERT_EQ(searcher.FindIgnoreCase(s, start), expectedIgnoringCase) << start;
                ASSERT_EQ(searcher.Between(s, "\"", start), reference::TextBetween(text, s, "\"", start)) << start;
                ASSERT_EQ(TextBetween(text, "\"", s, start), reference::TextBetween(text, "\"", s, start)) << start;
            }
        }
    }
}

TEST(LinearParsing, StartsInsideLongDoubleByteRunsKeepCharacterBoundaries) {
    // Every byte below is a lead byte, so the boundaries depend on the whole run before the start.
    const std::string run = "\xb0\xa1\xb0\xa1\xb0\xa1\xb0\xa1\xb0";
    for (const std::string& prefix : {std::string(), std::string("x"), std::string("\xb0")}) {
        const std::string text = prefix + run + "\xa1x";
        for (int start = 0; start <= static_cast<int>(text.size()) + 1; ++start) {
            SCOPED_TRACE(::testing::Message() << prefix.size() << " " << start);
            EXPECT_EQ(FindText(text, "\xa1\xb0", start), reference::FindText(text, "\xa1\xb0", start));
            EXPECT_EQ(FindText(text, "\xa1x", start), reference::FindText(text, "\xa1x", start));
            EXPECT_EQ(FindText(text, "x", start), reference::FindText(text, "x", start));
        }
    }
}

TEST(LinearParsing, CleanUpAndParsersGiveTheFirstVersionsResults) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomText(random, round % 10 == 0 ? 200 : 30);
        SCOPED_TRACE(::testing::PrintToString(text));
        ASSERT_EQ(RemoveBoldTags(text), reference::RemoveBoldTags(text));
        ASSERT_EQ(CleanSourceA(text), reference::CleanSourceA(text));
        ASSERT_EQ(CleanSourceB(text), reference::CleanSourceB(text));
        ASSERT_EQ(CleanSourceC(text), reference::CleanSourceC(text));

        SuggestionList list = ParseSuggestions(text);
        reference::SuggestionList expected = reference::ParseSuggestions(text);
        ASSERT_EQ(list.entryCount, expected.entryCount);
        ASSERT_EQ(list.keywords, expected.keywords);
        ASSERT_EQ(list.counts, expected.counts);

        RelatedList related = ExtractRelatedSearches(text);
        reference::RelatedList expectedRelated = reference::ExtractRelatedSearches(text);
        ASSERT_EQ(related.relatedCount, expectedRelated.relatedCount);
        ASSERT_EQ(related.texts, expectedRelated.texts);
    }
}

// Entries that never close until the very end: each takes only its own part, so what the parsers give stays
// within the size of the answer (taken on to the far end, these 5,000 entries would make over a hundred megabytes).
TEST(LinearParsing, EntriesThatNeverCloseDoNotRepeatTheRestOfTheAnswer) {
    constexpr int kEntries = 5000;
    std::string suggestions;
    std::string related;
    for (int i = 0; i < kEntries; ++i) {
        suggestions += "[\"ab\" 123";
        related += "/search?\">ab ";
    }
    suggestions += "]";
    related += "<span /search?/search?";
    auto total = [](const std::vector<std::string>& pieces) {
        size_t bytes = 0;
        for (const std::string& p : pieces) {
            bytes += p.size();
        }
        return bytes;
    };
    const SuggestionList list = ParseSuggestions(suggestions);
    ASSERT_EQ(list.entryCount, kEntries);
    EXPECT_EQ(list.keywords.size(), static_cast<size_t>(kEntries));
    EXPECT_LE(total(list.counts), suggestions.size());
    const RelatedList links = ExtractRelatedSearches(related);
    ASSERT_EQ(links.relatedCount, kEntries - 1);
    EXPECT_LE(total(links.texts), related.size() + links.texts.size() * std::string(gbk::kFetchFailed).size());
}

TEST(LinearParsing, RelatedSectionCutMatchesTheFirstVersion) {
    std::mt19937 random(5);
    const std::string heading = gbk::kRelatedHeading;
    const std::string allItems = gbk::kAllItems;
    for (int round = 0; round < 200; ++round) {
        // Double-byte text up to the heading's search start, with the heading placed around it.
        std::string page;
        for (int i = 0; i < 24990; ++i) {
            page += (round % 3 == 0) ? "\xb0\xa1" : "x\xb0";
        }
        page.resize(49990 + round % 13, '\xb0');
        page += RandomText(random, 6) + (round % 2 ? heading : "") + RandomText(random, 6) +
                (round % 5 ? allItems : "") + RandomText(random, 6);
        SCOPED_TRACE(round);
        ASSERT_EQ(CutRelatedSection(page), reference::CutRelatedSection(page));
    }
}

TEST(LinearParsing, DuplicateRuleKeepsTheRowsTheFirstVersionKept) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> word(0, 5);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> keywords;
        std::vector<std::string> counts;
        for (int n = round % 30; n > 0; --n) {
            keywords.push_back("k" + std::to_string(word(random)));
            counts.push_back(std::to_string(n) + (n % 4 == 0 ? "\"" : ""));
        }
        counts.resize(counts.size() / (round % 3 + 1));
        testing::FakeHost host;
        host.keyword = "seed";
        KeywordQuery query(host, Endpoints());
        query.AppendSuggestionRows(keywords, counts);
        testing::FakeHost expected;
        expected.keyword = "seed";
        reference::AppendSuggestionRows(expected, keywords, counts);
        SCOPED_TRACE(round);
        ASSERT_EQ(host.table, expected.table);
    }
}

}  // namespace
}  // namespace zandrel
