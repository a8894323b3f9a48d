#include "query/keyword_query.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_host.h"
#include "query/gbk_texts.h"
#include "query_fixtures.h"

namespace zandrel {
namespace {

using testing::Answer;
using testing::FakeHost;
using testing::G;
using testing::QueriedKeywords;
using testing::UrlA;
using testing::UrlB;
using testing::UrlC;
using Row = FakeHost::Row;

class SuggestionQueryTest : public ::testing::Test {
  protected:
    FakeHost host;
    KeywordQuery query{host, testing::TestEndpoints()};

    void ExpectOneQueryDoneMessage() {
        ASSERT_EQ(host.prompter.messages.size(), 1u);
        EXPECT_EQ(host.prompter.messages[0].text, gbk::kQueryDone);
        EXPECT_EQ(host.prompter.messages[0].title, gbk::kInfoTitle);
        EXPECT_EQ(host.prompter.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(host.statusChanges, (std::vector<bool>{true, false}));
    }
};

TEST_F(SuggestionQueryTest, EmptyKeywordAsksForOneAndSendsNothing) {
    host.keyword = "";
    query.StartSuggestionQuery();
    ASSERT_EQ(host.prompter.messages.size(), 1u);
    EXPECT_EQ(host.prompter.messages[0].text, gbk::kEnterKeyword);
    EXPECT_EQ(host.prompter.messages[0].title, gbk::kHintTitle);
    EXPECT_TRUE(host.fetcher.requests.empty());
    EXPECT_FALSE(host.modified);
    EXPECT_TRUE(host.statusChanges.empty());
}

TEST_F(SuggestionQueryTest, RequestsTheThreeSourcesWithTheKeywordEncoded) {
    struct Case {
        std::string keyword;
        std::string encoded;
    };
    const std::vector<Case> cases = {
        {"a b", "a b"},  // a keyword of spaces is not empty, and the space goes out raw
        {" ", " "},
        {G("夏"), "%E5%A4%8F"},
        {"a&b", "a%26b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoded);
        host.fetcher.requests.clear();
        host.keyword = c.keyword;
        query.StartSuggestionQuery();
        EXPECT_EQ(host.fetcher.requests, (std::vector<std::string>{UrlA(c.encoded), UrlB(c.encoded), UrlC(c.encoded)}));
    }
}

TEST_F(SuggestionQueryTest, DepthOneWritesEveryEntryOfTheThreeSources) {
    host.keyword = "seed";
    host.fetcher.answers[UrlA("seed")] = Answer({{"a", "1"}, {"b<b>x<\\/b>", "2"}});
    host.fetcher.answers[UrlB("seed")] = "{\"result\":[[\"a\",\"9\"]],\"cat\":[[\"c\",\"1\"]]}";
    host.fetcher.answers[UrlC("seed")] = "jsonp630({\"result\":[[\"连衣裙\",\"3\"]]})";
    query.StartSuggestionQuery();
    const std::vector<Row> expected = {
        {"1", "a", "1", "seed"}, {"2", "bx", "2", ""}, {"3", "a", "9", ""}, {"4", G("连衣裙"), "3", ""}};
    EXPECT_EQ(host.DataRows(), expected);
    EXPECT_EQ(query.EntryCount(), 4);
    EXPECT_TRUE(host.modified);
    ExpectOneQueryDoneMessage();
}

// A stop ends the run at once: the step whose requests it cut short adds nothing, so the table holds whole batches
// only, and no further request goes out.
TEST_F(SuggestionQueryTest, AStopDropsTheStepItCutShort) {
    struct Case {
        int stopDuring;
        std::vector<Row> expected;
        int requests;
    };
    const std::vector<Row> first = {{"1", "a", "1", "seed"}, {"2", "b", "2", ""}};
    std::vector<Row> withA = first;
    withA.push_back({"1", "a x", "3", ""});
    const std::vector<Case> cases = {
        {1, {}, 3},     // the first step's own requests: nothing at all
        {3, {}, 3},     // its last answer came with the stop: still nothing
        {4, first, 6},  // during the step for "a": the seed's rows only
        {7, withA, 9},  // the step for "b" had just begun: the seed's and "a"'s rows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stopDuring);
        FakeHost fresh;
        KeywordQuery run(fresh, testing::TestEndpoints());
        fresh.keyword = "seed";
        fresh.depth = "3";
        fresh.stopDuringRequest = c.stopDuring;
        fresh.fetcher.answers[UrlA("seed")] = Answer({{"a", "1"}, {"b", "2"}});
        fresh.fetcher.answers[UrlA("a")] = Answer({{"a x", "3"}});
        fresh.fetcher.answers[UrlA("b")] = Answer({{"b x", "4"}});
        run.StartSuggestionQuery();
        EXPECT_EQ(fresh.DataRows(), c.expected);
        EXPECT_EQ(fresh.Requests(), c.requests);
    }
}

TEST_F(SuggestionQueryTest, NoAnswersStillEndsWithQueryDone) {
    host.keyword = "seed";
    host.depth = "3";
    query.StartSuggestionQuery();
    EXPECT_TRUE(host.DataRows().empty());
    EXPECT_EQ(query.EntryCount(), -1);
    EXPECT_EQ(host.fetcher.requests.size(), 3u);
    ExpectOneQueryDoneMessage();
}

TEST_F(SuggestionQueryTest, UnknownDepthAppendsRowsButShowsNothing) {
    host.keyword = "seed";
    host.depth = "";
    host.fetcher.answers[UrlA("seed")] = Answer({{"a", "1"}});
    query.StartSuggestionQuery();
    EXPECT_EQ(host.DataRows(), (std::vector<Row>{{"1", "a", "1", ""}}));
    EXPECT_TRUE(host.modified);
    EXPECT_TRUE(host.prompter.messages.empty());
    EXPECT_TRUE(host.statusChanges.empty());
}

TEST_F(SuggestionQueryTest, BatchNumberingAndDuplicatesAfterTheTenth) {
    host.keyword = "seed";
    std::vector<std::string> keywords;
    std::vector<std::string> counts;
    for (int i = 1; i <= 13; ++i) {
        keywords.push_back("k" + std::to_string(i));
        counts.push_back(std::to_string(100 + i));
    }
    keywords[11] = "k3";  // the 12th equals the 3rd
    keywords[4] = "k1";   // a duplicate among the first ten is still written
    query.AppendSuggestionRows(keywords, counts);
    const std::vector<Row> expected = {
        {"1", "k1", "101", "seed"}, {"2", "k2", "102", ""},   {"3", "k3", "103", ""},   {"4", "k4", "104", ""},
        {"5", "k1", "105", ""},     {"6", "k6", "106", ""},   {"7", "k7", "107", ""},   {"8", "k8", "108", ""},
        {"9", "k9", "109", ""},     {"10", "k10", "110", ""}, {"11", "k11", "111", ""}, {"12", "k13", "113", ""},
    };
    EXPECT_EQ(host.DataRows(), expected);
}

TEST_F(SuggestionQueryTest, BatchCountsAndTheSearchedKeywordColumn) {
    struct Case {
        const char* name;
        std::vector<std::string> keywords;
        std::vector<std::string> counts;
        std::vector<Row> expected;
    };
    const std::vector<Case> cases = {
        {"single entry gets no searched keyword", {"a"}, {"1"}, {{"1", "a", "1", ""}}},
        {"a quote in the count drops its last byte",
         {"a", "b"},
         {"\",\"5", "7\""},
         {{"1", "a", "\",\"", "seed"}, {"2", "b", "7", ""}}},
        {"missing counts are empty", {"a", "b"}, {"1"}, {{"1", "a", "1", "seed"}, {"2", "b", "", ""}}},
        {"empty batch", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost fresh;
        fresh.keyword = "seed";
        KeywordQuery q(fresh, testing::TestEndpoints());
        q.AppendSuggestionRows(c.keywords, c.counts);
        EXPECT_EQ(fresh.DataRows(), c.expected);
    }
}

TEST_F(SuggestionQueryTest, LaterDuplicateOfAnOlderTableRowIsWritten) {
    host.keyword = "seed";
    host.table.push_back({"1", "k11", "", ""});
    std::vector<std::string> keywords;
    for (int i = 1; i <= 11; ++i) {
        keywords.push_back("k" + std::to_string(i));
    }
    query.AppendSuggestionRows(keywords, {});
    ASSERT_EQ(host.RowCount(), 13);
    EXPECT_EQ(host.table[12], (Row{"11", "k11", "", ""}));
    EXPECT_EQ(host.table[2][3], "seed");  // column 3 goes to this batch's first row, not the older one
    EXPECT_EQ(host.table[1][3], "");
}

TEST_F(SuggestionQueryTest, SecondLevelOnAFilledTableExpandsTheOlderRows) {
    host.table.push_back({"1", "old1", "10", "x"});
    host.table.push_back({"2", "old2", "20", ""});
    host.table.push_back({"3", "old3", "30", ""});
    host.keyword = "seed";
    host.depth = "2";
    host.fetcher.answers[UrlA("seed")] = Answer({{"new1", "1"}, {"new2", "2"}});
    host.fetcher.answers[UrlA("old1")] = Answer({{"x1", "5"}});
    host.fetcher.answers[UrlA("new1")] = Answer({{"never", "0"}});
    query.StartSuggestionQuery();
    EXPECT_EQ(QueriedKeywords(host.fetcher.requests), (std::vector<std::string>{"seed", "old1", "old2"}));
    const std::vector<Row> expected = {{"1", "old1", "10", "x"},   {"2", "old2", "20", ""}, {"3", "old3", "30", ""},
                                       {"1", "new1", "1", "seed"}, {"2", "new2", "2", ""},  {"1", "x1", "5", ""}};
    EXPECT_EQ(host.DataRows(), expected);
    EXPECT_EQ(host.keyword, "old2");  // the level leaves its last keyword in the box
    ExpectOneQueryDoneMessage();
}

TEST_F(SuggestionQueryTest, ResultIsNeverExpandedAndTheHeaderIsNeverQueried) {
    host.keyword = "seed";
    host.depth = "3";
    host.fetcher.answers[UrlA("seed")] = Answer({{"result", "1"}, {"r2", "2"}});
    host.fetcher.answers[UrlA("result")] = Answer({{"bad", "0"}});
    query.StartSuggestionQuery();
    // Level 2: "result" skipped, r2 finds nothing (EntryCount -1). Level 3 walks rows 0..2: the header row is
    // not a keyword, "result" is skipped, r2 is queried again.
    EXPECT_EQ(QueriedKeywords(host.fetcher.requests), (std::vector<std::string>{"seed", "r2", "r2"}));
    EXPECT_EQ(host.fetcher.requests.size(), 9u);
    EXPECT_EQ(host.DataRows(), (std::vector<Row>{{"1", "result", "1", "seed"}, {"2", "r2", "2", ""}}));
    EXPECT_EQ(host.keyword, "r2");
    ExpectOneQueryDoneMessage();
}

TEST_F(SuggestionQueryTest, SecondLevelEndsAtTheEndOfTheTable) {
    // Twelve entries but ten rows: the two duplicates after the tenth are not written.
    host.keyword = "seed";
    host.depth = "2";
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 1; i <= 10; ++i) {
        entries.push_back({"k" + std::to_string(i), "1"});
    }
    entries.push_back({"k1", "1"});
    entries.push_back({"k2", "1"});
    host.fetcher.answers[UrlA("seed")] = Answer(entries);
    query.StartSuggestionQuery();
    EXPECT_EQ(host.DataRows().size(), 10u);
    const std::vector<std::string> expected = {"seed", "k1", "k2", "k3", "k4", "k5", "k6", "k7", "k8", "k9", "k10"};
    EXPECT_EQ(QueriedKeywords(host.fetcher.requests), expected);
    EXPECT_EQ(host.fetcher.requests.size(), 33u);
    ExpectOneQueryDoneMessage();
}

TEST_F(SuggestionQueryTest, ThirdLevelStartsAfterTheLastBatchAndEndsAtTheEndOfTheTable) {
    host.keyword = "seed";
    host.depth = "3";
    host.fetcher.answers[UrlA("seed")] = Answer({{"a", "1"}, {"b", "2"}});
    host.fetcher.answers[UrlA("a")] = Answer({{"a1", "11"}, {"a2", "12"}, {"a3", "13"}});
    host.fetcher.answers[UrlA("b")] = Answer({{"b1", "21"}, {"b2", "22"}, {"b3", "23"}});
    host.fetcher.answers[UrlA("a1")] = Answer({{"never", "0"}});
    query.StartSuggestionQuery();
    // After level 2 the table is a b a1 a2 a3 b1 b2 b3 and EntryCount is 3 (b's batch): level 3 reads from row 4
    // (a2) for at most 9 rows and stops at row 9, which does not exist.
    EXPECT_EQ(QueriedKeywords(host.fetcher.requests),
              (std::vector<std::string>{"seed", "a", "b", "a2", "a3", "b1", "b2", "b3"}));
    const std::vector<Row> expected = {
        {"1", "a", "1", "seed"}, {"2", "b", "2", ""},    {"1", "a1", "11", "a"}, {"2", "a2", "12", ""},
        {"3", "a3", "13", ""},   {"1", "b1", "21", "b"}, {"2", "b2", "22", ""},  {"3", "b3", "23", ""},
    };
    EXPECT_EQ(host.DataRows(), expected);
    EXPECT_EQ(host.keyword, "b3");
    ExpectOneQueryDoneMessage();
}

}  // namespace
}  // namespace zandrel
