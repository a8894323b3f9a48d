// The "你是不是想找" block of the marketplace's search page: request path, the cut of the block out of the
// page and the extraction of its related searches. Pure functions over GBK text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// "/search?&q=" + UrlEncodeGbk(keyword).
std::string RelatedSearchPath(std::string_view gbkKeyword);

// From the heading "你是不是想找" (searched from byte 50000 on) up to "所有宝贝"; empty when either is missing.
std::string CutRelatedSection(std::string_view page);

struct RelatedList {
    // Number of "/search?" links minus 3: the page's last two links are not related searches.
    int relatedCount = -3;
    std::vector<std::string> texts;
};

// The link texts (between `">` and "<span ") of the first relatedCount links of the section.
RelatedList ExtractRelatedSearches(std::string_view section);

}  // namespace zandrel
