// Fuzzes the clean-up of the suggestion answers, the parser and the rows a batch adds, directly on the input
// taken as GBK text, and checks them against the first versions kept in tests/query/reference (on a share
// of the inputs). One input in sixteen also runs a whole suggestion query: the input is then the three UTF-8 answers
// separated by 0xFF bytes (a byte UTF-8 never contains).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "../query/fake_host.h"
#include "../query/reference/reference_parsers.h"
#include "fuzz_common.h"
#include "query/keyword_query.h"
#include "query/suggestion_source.h"
#include "query/text_ops.h"

namespace {

using namespace zandrel;
using fuzz::Check;

// A new host converts its header titles to GBK; copying a blank one spares that on every input.
testing::FakeHost NewHost() {
    static const testing::FakeHost blank;
    return blank;
}

void WholeQuery(std::string_view input) {
    std::string_view parts[3];
    for (int i = 0; i < 2; ++i) {
        size_t cut = input.find('\xff');
        parts[i] = input.substr(0, cut);
        input = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
    }
    parts[2] = input;

    Endpoints endpoints;
    endpoints.suggestHost = "a.test";
    endpoints.suggestHost2 = "c.test";
    testing::FakeHost host = NewHost();
    host.keyword = "k";
    host.depth = "1";
    host.fetcher.answers[endpoints.Url(endpoints.suggestHost, SourceAPath("k"))] = std::string(parts[0]);
    host.fetcher.answers[endpoints.Url(endpoints.suggestHost, SourceBPath("k"))] = std::string(parts[1]);
    host.fetcher.answers[endpoints.Url(endpoints.suggestHost2, SourceCPath("k"))] = std::string(parts[2]);
    KeywordQuery query(host, endpoints);
    query.StartSuggestionQuery();
    const std::string& text = query.ResponseText();
    Check(text == AssembleResponseText(parts[0], parts[1], parts[2]), "the query parses the joined answers");
    Check(query.EntryCount() == static_cast<int>(SplitText(text, "[\"").size()) - 1, "entry count");
    Check(host.fetcher.requests.size() == 3, "one request per source");
    Check(host.prompter.messages.size() == 1, "one query-done message");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const uint32_t hash = fuzz::InputHash(data, size);

    const std::string cleanA = CleanSourceA(input);
    const std::string cleanB = CleanSourceB(input);
    const std::string cleanC = CleanSourceC(input);
    Check(cleanB.size() <= input.size() && input.substr(0, cleanB.size()) == cleanB, "B is a cut of the answer");
    Check(cleanA.size() <= input.size(), "A only loses bytes");

    const SuggestionList list = ParseSuggestions(input);
    Check(list.entryCount == static_cast<int>(SplitText(input, "[\"").size()) - 1, "entry count");

    testing::FakeHost host = NewHost();
    host.keyword = "seed";
    KeywordQuery query(host, Endpoints());
    query.AppendSuggestionRows(list.keywords, list.counts);
    Check(host.RowCount() - 1 <= static_cast<int>(list.keywords.size()), "at most one row per keyword");

    if (fuzz::CompareWithFirstVersion(hash, size, list.entryCount)) {
        Check(cleanA == reference::CleanSourceA(input), "A as the first version");
        Check(cleanB == reference::CleanSourceB(input), "B as the first version");
        Check(cleanC == reference::CleanSourceC(input), "C as the first version");
        const reference::SuggestionList expected = reference::ParseSuggestions(input);
        Check(list.entryCount == expected.entryCount && list.keywords == expected.keywords &&
                  list.counts == expected.counts,
              "parse as the first version");
        testing::FakeHost expectedHost = NewHost();
        expectedHost.keyword = "seed";
        reference::AppendSuggestionRows(expectedHost, list.keywords, list.counts);
        Check(host.table == expectedHost.table, "duplicate rule as the first version");
    }

    if (hash % 16 == 1) {
        WholeQuery(input);
    }
    return 0;
}
