// Fuzzes the cut of the related-search block out of a search page and the extraction of its links,
// through a whole related-search lookup on an in-memory table. The input is placed so that it starts
// just before byte 50000 of the page, where the block heading is searched from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../query/fake_host.h"
#include "query/keyword_query.h"
#include "query/related_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    zandrel::Endpoints endpoints;
    endpoints.searchHost = "s.test";

    zandrel::testing::FakeHost host;
    host.keyword = "k";
    host.depth = "1";
    host.fetcher.answers["http://s.test/search?&q=k"] = std::string(49990, ' ') + input;
    zandrel::KeywordQuery query(host, endpoints);
    query.StartRelatedQuery();
    const int added = host.RowCount() - 1;
    if (query.RelatedCount() > 0 && added < query.RelatedCount()) {
        abort();  // every related search taken must give a row
    }

    // The section extraction directly on the input as a section.
    zandrel::RelatedList list = zandrel::ExtractRelatedSearches(input);
    if (list.relatedCount < -3 || (list.relatedCount > 0 && static_cast<int>(list.texts.size()) < list.relatedCount)) {
        abort();
    }
    return 0;
}
