// Keywords the host tells the run to leave unexpanded: their rows stay, but the deeper levels make no request for
// them, and the addresses fetched ahead never name them either.
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
using testing::QueriedKeywords;
using testing::RelatedPage;
using testing::RelatedUrl;
using testing::UrlA;
using testing::UrlB;
using testing::UrlC;
using Row = FakeHost::Row;

// Skips every keyword holding an "x", as an exclude word would.
bool HoldsX(const std::string& keyword) {
    return keyword.find('x') != std::string::npos;
}

class SkipExpandingTest : public ::testing::Test {
  protected:
    FakeHost host;
    KeywordQuery query{host, testing::TestEndpoints()};
    // What UpcomingUrls listed as each request went out.
    std::vector<std::vector<std::string>> upcoming;

    void SetUp() override {
        host.keyword = "seed";
        host.skipExpanding = HoldsX;
        host.fetcher.onRequest = [this] { upcoming.push_back(query.UpcomingUrls(100)); };
    }

    // Whatever was listed ahead is exactly what the run went on to ask, in that order: a skipped keyword's
    // addresses were never listed, since they are never asked.
    void ExpectLookaheadFollowsTheRun() {
        const std::vector<std::string>& requests = host.fetcher.requests;
        ASSERT_EQ(upcoming.size(), requests.size());
        for (size_t i = 0; i < requests.size(); ++i) {
            SCOPED_TRACE("while asking " + requests[i]);
            ASSERT_LE(upcoming[i].size(), requests.size() - i - 1);
            EXPECT_EQ(upcoming[i],
                      std::vector<std::string>(requests.begin() + static_cast<long>(i) + 1,
                                               requests.begin() + static_cast<long>(i + 1 + upcoming[i].size())));
        }
    }

    void ExpectNothingAskedFor(const std::vector<std::string>& keywords) {
        for (const std::string& url : host.fetcher.requests) {
            for (const std::string& keyword : keywords) {
                EXPECT_EQ(url.find("q=" + keyword), std::string::npos) << url;
            }
        }
    }
};

TEST_F(SkipExpandingTest, SecondLevelKeepsTheRowButAsksNothingForIt) {
    host.depth = "2";
    host.fetcher.answers[UrlA("seed")] = Answer({{"a", "1"}, {"bx", "2"}, {"c", "3"}});
    host.fetcher.answers[UrlA("a")] = Answer({{"a1", "11"}});
    host.fetcher.answers[UrlA("bx")] = Answer({{"never", "0"}});
    host.fetcher.answers[UrlA("c")] = Answer({{"c1", "31"}});
    query.StartSuggestionQuery();
    const std::vector<Row> expected = {{"1", "a", "1", "seed"},
                                       {"2", "bx", "2", ""},
                                       {"3", "c", "3", ""},
                                       {"1", "a1", "11", ""},
                                       {"1", "c1", "31", ""}};
    EXPECT_EQ(host.DataRows(), expected);
    const std::vector<std::string> asked = {UrlA("seed"), UrlB("seed"), UrlC("seed"), UrlA("a"), UrlB("a"),
                                            UrlC("a"),    UrlA("c"),    UrlB("c"),    UrlC("c")};
    EXPECT_EQ(host.fetcher.requests, asked);
    // The lookahead passed over "bx" while "a" was asked.
    EXPECT_EQ(upcoming[3], (std::vector<std::string>{UrlB("a"), UrlC("a"), UrlA("c"), UrlB("c"), UrlC("c")}));
    ExpectLookaheadFollowsTheRun();
    ASSERT_EQ(host.prompter.messages.size(), 1u);
    EXPECT_EQ(host.prompter.messages[0].text, gbk::kQueryDone);
}

TEST_F(SkipExpandingTest, ThirdLevelSkipsOlderAndNewRowsAlike) {
    host.depth = "3";
    host.fetcher.answers[UrlA("seed")] = Answer({{"a", "1"}, {"bx", "2"}});
    host.fetcher.answers[UrlA("a")] = Answer({{"a1", "11"}, {"a2x", "12"}});
    host.fetcher.answers[UrlA("bx")] = Answer({{"never", "0"}});
    host.fetcher.answers[UrlA("a1")] = Answer({{"a1x", "21"}});
    host.fetcher.answers[UrlA("a2x")] = Answer({{"never", "0"}});
    host.fetcher.answers[UrlA("a1x")] = Answer({{"never", "0"}});
    query.StartSuggestionQuery();
    // A batch of one entry has no searched keyword. Level 2 expands "a" only, so the batch count stays a's (2) and
    // level 3 reads from row 3: "a1" is asked, "a2x" and the "a1x" it has just added are not.
    const std::vector<Row> expected = {{"1", "a", "1", "seed"},
                                       {"2", "bx", "2", ""},
                                       {"1", "a1", "11", "a"},
                                       {"2", "a2x", "12", ""},
                                       {"1", "a1x", "21", ""}};
    EXPECT_EQ(host.DataRows(), expected);
    EXPECT_EQ(QueriedKeywords(host.fetcher.requests), (std::vector<std::string>{"seed", "a", "a1"}));
    EXPECT_EQ(host.fetcher.requests.size(), 9u);
    ExpectNothingAskedFor({"bx", "a2x", "a1x"});
    ExpectLookaheadFollowsTheRun();
    EXPECT_EQ(host.keyword, "a1x");  // a skipped keyword still passes through the box, as "result" does
}

TEST_F(SkipExpandingTest, RelatedSecondLevelAsksNothingForASkippedKeyword) {
    host.depth = "2";
    host.fetcher.answers[RelatedUrl("seed")] = RelatedPage({"r1", "r2x", "r3", "p", "q"});
    host.fetcher.answers[RelatedUrl("r1")] = RelatedPage({"r1a", "p", "q"});
    host.fetcher.answers[RelatedUrl("r2x")] = RelatedPage({"never", "p", "q"});
    host.fetcher.answers[RelatedUrl("r3")] = RelatedPage({"r3a", "p", "q"});
    query.StartRelatedQuery();
    const std::vector<Row> expected = {{"1", "r1", "", "seed"},
                                       {"2", "r2x", "", ""},
                                       {"3", "r3", "", ""},
                                       {"1", "r1a", "", "r1"},
                                       {"1", "r3a", "", "r3"}};
    EXPECT_EQ(host.DataRows(), expected);
    EXPECT_EQ(host.fetcher.requests,
              (std::vector<std::string>{RelatedUrl("seed"), RelatedUrl("r1"), RelatedUrl("r3")}));
    EXPECT_EQ(upcoming[1], std::vector<std::string>{RelatedUrl("r3")});
    ExpectLookaheadFollowsTheRun();
}

// The seed itself is always asked, whatever the host says of it: only the deeper levels skip.
TEST_F(SkipExpandingTest, TheSeedIsAlwaysAsked) {
    host.keyword = "seedx";
    host.depth = "2";
    host.fetcher.answers[UrlA("seedx")] = Answer({{"a", "1"}});
    query.StartSuggestionQuery();
    EXPECT_EQ(QueriedKeywords(host.fetcher.requests), (std::vector<std::string>{"seedx", "a"}));

    FakeHost related;
    related.keyword = "seedx";
    related.skipExpanding = HoldsX;
    KeywordQuery relatedQuery(related, testing::TestEndpoints());
    relatedQuery.StartRelatedQuery();
    EXPECT_EQ(related.fetcher.requests, std::vector<std::string>{RelatedUrl("seedx")});
}

}  // namespace
}  // namespace zandrel
