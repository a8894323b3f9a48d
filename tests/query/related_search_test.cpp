#include "query/related_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_host.h"
#include "query/gbk_texts.h"
#include "query/keyword_query.h"
#include "query_fixtures.h"

namespace zandrel {
namespace {

using testing::FakeHost;
using testing::G;
using testing::RelatedPage;
using testing::RelatedUrl;
using Row = FakeHost::Row;

TEST(RelatedSearch, SectionIsCutFromTheHeadingAfterByte50000) {
    const std::string heading = gbk::kRelatedHeading;
    const std::string end = gbk::kAllItems;
    struct Case {
        const char* name;
        std::string page;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"heading at byte 50000", std::string(49999, 'x') + heading + "<a>" + end, heading + "<a>"},
        {"heading at byte 49999 only", std::string(49998, 'x') + heading + "<a>" + end, ""},
        {"heading early and late", "x" + heading + std::string(50000, 'x') + heading + "L" + end, heading + "L"},
        {"no end marker", std::string(50000, 'x') + heading + "<a>", ""},
        {"end marker only before the heading", std::string(50000, 'x') + end + heading, ""},
        {"empty page", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CutRelatedSection(c.page), c.expected);
    }
}

TEST(RelatedSearch, LinksExtractedLeaveOutTheLastTwo) {
    const std::string failed = gbk::kFetchFailed;
    auto link = [](const std::string& text) { return "<a href=\"/search?q=1\">" + text + "<span ></span></a>"; };
    struct Case {
        const char* name;
        std::string section;
        int relatedCount;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases = {
        {"empty section", "", -3, {}},
        {"no links", "abc", -2, {}},
        {"two links", link("a") + link("b"), 0, {}},
        {"three links", link("a") + link("b") + link("c"), 1, {"a"}},
        {"four links", link("a") + link("b") + link("c") + link("d"), 2, {"a", "b"}},
        {"markers in other case",
         "<A HREF=\"/search?q=1\">" + G("夏") + "<SPAN ></SPAN></A>/search?x/search?y",
         1,
         {G("夏")}},
        {"missing text end", "<a href=\"/search?\">a</a>/search?x/search?y", 1, {failed}},
        // A link's text ends before the next link.
        {"text end only in the next link",
         "<a href=\"/search?\">a</a>" + link("b") + "/search?x/search?y",
         2,
         {failed, "b"}},
        {"empty link text", link("") + link("b") + link("c"), 1, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RelatedList list = ExtractRelatedSearches(c.section);
        EXPECT_EQ(list.relatedCount, c.relatedCount);
        EXPECT_EQ(list.texts, c.texts);
    }
}

class RelatedQueryTest : public ::testing::Test {
  protected:
    FakeHost host;
    KeywordQuery query{host, testing::TestEndpoints()};

    void ExpectOneQueryDoneMessage() {
        ASSERT_EQ(host.prompter.messages.size(), 1u);
        EXPECT_EQ(host.prompter.messages[0].text, gbk::kQueryDone);
        EXPECT_EQ(host.prompter.messages[0].title, gbk::kInfoTitle);
        EXPECT_TRUE(host.statusChanges.empty());  // the status label belongs to the suggestion query
    }
};

TEST_F(RelatedQueryTest, KeywordIsSentGbkEscaped) {
    struct Case {
        std::string keyword;
        std::string url;
    };
    const std::vector<Case> cases = {
        {G("连衣裙 夏"), RelatedUrl("%C1%AC%D2%C2%C8%B9%20%CF%C4")},
        {"", RelatedUrl("")},  // an empty box is not refused
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        host.fetcher.requests.clear();
        host.keyword = c.keyword;
        query.StartRelatedQuery();
        EXPECT_EQ(host.fetcher.requests, std::vector<std::string>{c.url});
    }
}

TEST_F(RelatedQueryTest, ThreeLinksGiveOneRowAndAnEmptySectionNone) {
    host.keyword = "seed";
    host.fetcher.answers[RelatedUrl("seed")] = RelatedPage({G("夏装"), "b", "c"});
    query.StartRelatedQuery();
    EXPECT_EQ(host.DataRows(), (std::vector<Row>{{"1", G("夏装"), "", "seed"}}));
    EXPECT_EQ(query.RelatedCount(), 1);
    EXPECT_TRUE(host.modified);
    ExpectOneQueryDoneMessage();

    FakeHost empty;
    empty.keyword = "seed";
    empty.table.push_back({"1", "old", "", ""});
    KeywordQuery q(empty, testing::TestEndpoints());
    q.StartRelatedQuery();  // nothing scripted: no page at all
    EXPECT_EQ(q.RelatedCount(), -3);
    EXPECT_EQ(empty.DataRows(), (std::vector<Row>{{"1", "old", "", ""}}));  // column 3 of no batch: unchanged
    ASSERT_EQ(empty.prompter.messages.size(), 1u);
    EXPECT_EQ(empty.prompter.messages[0].text, gbk::kQueryDone);
}

TEST_F(RelatedQueryTest, SecondLevelNumbersEachBatchFromOne) {
    host.keyword = "seed";
    host.depth = "2";
    host.fetcher.answers[RelatedUrl("seed")] = RelatedPage({"r1", "r2", "x", "y"});
    host.fetcher.answers[RelatedUrl("r1")] = RelatedPage({"r1a", "r1b", "x", "y"});
    host.fetcher.answers[RelatedUrl("r1a")] = RelatedPage({"never", "x", "y"});
    query.StartRelatedQuery();
    const std::vector<Row> expected = {
        {"1", "r1", "", "seed"}, {"2", "r2", "", ""}, {"1", "r1a", "", "r1"}, {"2", "r1b", "", ""}};
    EXPECT_EQ(host.DataRows(), expected);
    EXPECT_EQ(host.fetcher.requests,
              (std::vector<std::string>{RelatedUrl("seed"), RelatedUrl("r1"), RelatedUrl("r2")}));
    EXPECT_EQ(host.keyword, "r2");
    ExpectOneQueryDoneMessage();
}

TEST_F(RelatedQueryTest, ThirdLevelCoversEveryRowPresentWhenItStarts) {
    host.table.push_back({"1", "old", "", ""});
    host.keyword = "seed";
    host.depth = "3";
    host.fetcher.answers[RelatedUrl("seed")] = RelatedPage({"r1", "x", "y"});
    host.fetcher.answers[RelatedUrl("old")] = RelatedPage({"o1", "x", "y"});
    // Level 2 (RelatedCount 1) expands row 1, the older row; level 3 then walks rows 1 to 3.
    query.StartRelatedQuery();
    const std::vector<Row> expected = {
        {"1", "old", "", ""}, {"1", "r1", "", "seed"}, {"1", "o1", "", "old"}, {"1", "o1", "", "old"}};
    EXPECT_EQ(host.DataRows(), expected);
    const std::vector<std::string> requests = {RelatedUrl("seed"), RelatedUrl("old"), RelatedUrl("old"),
                                               RelatedUrl("r1"), RelatedUrl("o1")};
    EXPECT_EQ(host.fetcher.requests, requests);
    ExpectOneQueryDoneMessage();
}

}  // namespace
}  // namespace zandrel
