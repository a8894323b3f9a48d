#include "query/related_search.h"

#include "query/gbk_texts.h"
#include "query/text_ops.h"
#include "query/url_encode.h"

namespace zandrel {
namespace {

constexpr std::string_view kLinkMarker = "/search?";
constexpr std::string_view kTextStart = "\">";
constexpr std::string_view kTextEnd = "<span ";
constexpr int kHeadingSearchStart = 50000;

}  // namespace

std::string RelatedSearchPath(std::string_view gbkKeyword) {
    return "/search?&q=" + UrlEncodeGbk(gbkKeyword);
}

std::string CutRelatedSection(std::string_view page) {
    int a = FindText(page, gbk::kRelatedHeading, kHeadingSearchStart);
    if (a == -1) {
        return std::string();
    }
    int b = FindText(page, gbk::kAllItems, a);
    return MidText(page, a, b - a);
}

RelatedList ExtractRelatedSearches(std::string_view section) {
    RelatedList list;
    list.relatedCount = static_cast<int>(SplitText(section, kLinkMarker).size()) - 3;
    TextSearcher search(section);
    std::string texts;
    // A link's text ends before the next link begins: in a malformed section it never runs on over the links
    // that follow (which would repeat the rest of the section for every link).
    int next = search.Find(kLinkMarker, 1);
    for (int i = 0; i < list.relatedCount; ++i) {
        const int p = next;
        next = search.Find(kLinkMarker, p + 1);
        texts += search.Between(kTextStart, kTextEnd, p, next);
        texts += "\r\n";
    }
    list.texts = SplitText(texts, "\r\n");
    return list;
}

}  // namespace zandrel
