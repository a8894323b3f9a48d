// Fuzzes the cut of the related-search block out of a search page and the extraction of its links, and checks
// both against the first versions kept in tests/query/reference. The extraction runs on the input itself; the
// cut runs on a page built once whose input part starts just before byte 50000, where the block heading is
// searched from. One input in sixteen also runs a whole related-search lookup on that page.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "../query/fake_host.h"
#include "../query/reference/reference_parsers.h"
#include "fuzz_common.h"
#include "query/gbk_texts.h"
#include "query/keyword_query.h"
#include "query/related_search.h"
#include "query/text_ops.h"

namespace {

using namespace zandrel;
using fuzz::Check;

// A new host converts its header titles to GBK; copying a blank one spares that on every input.
testing::FakeHost NewHost() {
    static const testing::FakeHost blank;
    return blank;
}

constexpr size_t kInputAt = 49990;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const RelatedList list = ExtractRelatedSearches(input);
    Check(list.relatedCount == static_cast<int>(SplitText(input, "/search?").size()) - 3, "link count");
    Check(list.relatedCount <= 0 || static_cast<int>(list.texts.size()) >= list.relatedCount, "a text per link");

    static std::string page(kInputAt, ' ');
    page.resize(kInputAt);
    page.append(input);
    const std::string section = CutRelatedSection(page);
    const bool hasHeading = FindText(page, gbk::kRelatedHeading, 50000) != -1;
    Check(hasHeading || section.empty(), "no heading, no section");
    Check(section.empty() || page.find(section) != std::string::npos, "the section is a piece of the page");

    const uint32_t hash = fuzz::InputHash(data, size);
    if (fuzz::CompareWithFirstVersion(hash, size, list.relatedCount + 3)) {
        const reference::RelatedList expected = reference::ExtractRelatedSearches(input);
        Check(list.relatedCount == expected.relatedCount && list.texts == expected.texts,
              "extraction as the first version");
        // The first version walks the 50,000 bytes before the input on every search, and without a heading
        // it looks for the block's end from the first byte (and then cuts nothing): a share of the inputs,
        // those with a heading.
        if (hash % 8 == 0 && hasHeading) {
            Check(section == reference::CutRelatedSection(page), "cut as the first version");
        }
    }
    if (hash % 16 == 1) {
        Endpoints endpoints;
        endpoints.searchHost = "s.test";
        testing::FakeHost host = NewHost();
        host.keyword = "k";
        host.depth = "1";
        host.fetcher.answers["http://s.test/search?&q=k"] = page;
        KeywordQuery query(host, endpoints);
        query.StartRelatedQuery();
        Check(query.RelatedSection() == section, "the lookup cuts the same section");
        Check(query.RelatedCount() <= 0 || host.RowCount() - 1 >= query.RelatedCount(), "a row per related search");
    }
    return 0;
}
