#include "query/keyword_query.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "query/gbk_texts.h"
#include "query/related_search.h"
#include "query/url_encode.h"

namespace zandrel {
namespace {

constexpr std::string_view kNotExpanded = "result";
// Later entries of a batch are checked for duplicates and numbered from here on.
constexpr int kUncheckedEntries = 10;

}  // namespace

KeywordQuery::KeywordQuery(QueryHost& host, Endpoints endpoints) : host_(host), endpoints_(std::move(endpoints)) {}

void KeywordQuery::ShowQueryDone() {
    host_.Prompts().ShowMessage(host_.RunEndText(gbk::kQueryDone), gbk::kInfoTitle, MessageButtons::Ok,
                                MessageIcon::None);
}

void KeywordQuery::StartSuggestionQuery() {
    if (host_.Keyword().empty()) {
        host_.Prompts().ShowMessage(gbk::kEnterKeyword, gbk::kHintTitle, MessageButtons::Ok, MessageIcon::None);
        return;
    }
    RunSuggestionQuery();
}

void KeywordQuery::RunSuggestionQuery() {
    RunQueryStep();
    host_.SetModified();
    std::string depth = host_.QueryDepth();
    if (depth != "1" && depth != "2" && depth != "3") {
        return;
    }
    host_.SetStatusVisible(true);
    if (depth == "2" || depth == "3") {
        ExpandSecondLevel();
    }
    if (depth == "3") {
        ExpandThirdLevel();
    }
    ShowQueryDone();
    host_.SetStatusVisible(false);
}

bool KeywordQuery::Expands(const std::string& keyword, bool related) const {
    // "result" is the suggestion sources' own word, never a keyword of theirs; a related search may be called so.
    return (related || keyword != kNotExpanded) && !host_.SkipExpanding(keyword);
}

std::vector<std::string> KeywordQuery::StepUrls(const std::string& keyword, bool related) const {
    if (related) {
        return {endpoints_.Url(endpoints_.searchHost, RelatedSearchPath(keyword))};
    }
    const std::string encoded = UrlEncodeUtf8(keyword);
    return {endpoints_.Url(endpoints_.suggestHost, SourceAPath(encoded)),
            endpoints_.Url(endpoints_.suggestHost, SourceBPath(encoded)),
            endpoints_.Url(endpoints_.suggestHost2, SourceCPath(encoded))};
}

std::vector<std::string> KeywordQuery::UpcomingUrls(size_t max) const {
    std::vector<std::string> urls;
    for (const std::string& url : stepRest_) {
        if (urls.size() < max) {
            urls.push_back(url);
        }
    }
    const int last = std::min(lookahead_.lastRow, host_.RowCount() - 1);
    for (int row = std::max(lookahead_.firstRow, 1); row <= last && urls.size() < max; ++row) {
        const std::string keyword = host_.GetCell(row, 1);
        if (!Expands(keyword, lookahead_.related)) {
            continue;
        }
        for (std::string& url : StepUrls(keyword, lookahead_.related)) {
            if (urls.size() < max) {
                urls.push_back(std::move(url));
            }
        }
    }
    return urls;
}

void KeywordQuery::FetchSuggestionText() {
    PageFetcher& fetcher = host_.Fetcher();
    const std::vector<std::string> urls = StepUrls(host_.Keyword(), false);
    // While one source is asked, the others of the step come next.
    stepRest_.assign(urls.begin() + 1, urls.end());
    std::string a = fetcher.HttpGetText(urls[0]);
    stepRest_.assign(urls.begin() + 2, urls.end());
    std::string b = fetcher.HttpGetText(urls[1]);
    stepRest_.clear();
    std::string c = fetcher.HttpGetText(urls[2]);
    responseText_ = AssembleResponseText(a, b, c);
}

SuggestionList KeywordQuery::ParseSuggestions() {
    SuggestionList list = zandrel::ParseSuggestions(responseText_);
    entryCount_ = list.entryCount;
    return list;
}

void KeywordQuery::AppendSuggestionRows(const std::vector<std::string>& keywords,
                                        const std::vector<std::string>& counts) {
    int seq = kUncheckedEntries;
    // Every keyword of the batch so far, whether its row was added or not.
    std::unordered_set<std::string_view> earlier;
    earlier.reserve(keywords.size());
    for (size_t index = 0; index < keywords.size(); ++index) {
        const size_t i = index + 1;  // 1-based entry number
        std::string count = index < counts.size() ? counts[index] : std::string();
        if (count.find('"') != std::string::npos) {
            count.pop_back();
        }
        const bool seen = !earlier.insert(keywords[index]).second;
        if (i > kUncheckedEntries) {
            if (seen) {
                continue;
            }
            ++seq;
            host_.AppendRow(std::to_string(seq));
        } else {
            if (i == 2) {
                host_.SetCell(host_.RowCount() - 1, 3, host_.Keyword());
            }
            host_.AppendRow(std::to_string(i));
        }
        int r = host_.RowCount() - 1;
        host_.SetCell(r, 1, keywords[index]);
        host_.SetCell(r, 2, count);
    }
}

void KeywordQuery::RunQueryStep() {
    FetchSuggestionText();
    // A stop during the step cut its requests short: its answers are not whole, so it adds no rows.
    if (host_.StopRequested()) {
        return;
    }
    SuggestionList list = ParseSuggestions();
    AppendSuggestionRows(list.keywords, list.counts);
}

void KeywordQuery::ExpandSecondLevel() {
    const int n = entryCount_;
    for (int row = 1; row <= n && !host_.StopRequested(); ++row) {
        // A row the table does not have (earlier steps found less than counted) ends the level.
        if (row >= host_.RowCount()) {
            break;
        }
        std::string keyword = host_.GetCell(row, 1);
        host_.SetKeyword(keyword);
        lookahead_ = Lookahead{false, row + 1, n};
        if (Expands(keyword, false)) {
            RunQueryStep();
        }
    }
    lookahead_ = Lookahead{};
}

void KeywordQuery::ExpandThirdLevel() {
    int row = entryCount_;
    const int n = host_.RowCount();
    const int lastRow = row + n;
    for (int k = 0; k < n && !host_.StopRequested(); ++k) {
        ++row;
        if (row >= host_.RowCount()) {
            break;
        }
        // After an empty last batch (EntryCount -1) the walk would start on the header row; that is no keyword.
        if (row < 1) {
            continue;
        }
        std::string keyword = host_.GetCell(row, 1);
        host_.SetKeyword(keyword);
        lookahead_ = Lookahead{false, row + 1, lastRow};
        if (Expands(keyword, false)) {
            RunQueryStep();
        }
    }
    lookahead_ = Lookahead{};
}

void KeywordQuery::FetchRelatedSection() {
    std::string page = host_.Fetcher().HttpGetText(StepUrls(host_.Keyword(), true)[0]);
    relatedSection_ = CutRelatedSection(page);
}

void KeywordQuery::AddRelatedSearches() {
    FetchRelatedSection();
    if (host_.StopRequested()) {
        return;
    }
    RelatedList list = ExtractRelatedSearches(relatedSection_);
    relatedCount_ = list.relatedCount;
    for (size_t k = 0; k < list.texts.size(); ++k) {
        host_.AppendRow(std::to_string(k + 1));
        host_.SetCell(host_.RowCount() - 1, 1, list.texts[k]);
    }
    // First row of this batch; outside the table (ignored by the host) when the batch is empty.
    int firstRow = host_.RowCount() - relatedCount_;
    if (firstRow >= 1) {
        host_.SetCell(firstRow, 3, host_.Keyword());
    }
}

void KeywordQuery::StartRelatedQuery() {
    AddRelatedSearches();
    host_.SetModified();
    std::string depth = host_.QueryDepth();
    if (depth == "1") {
        ShowQueryDone();
    } else if (depth == "2") {
        RelatedSecondLevel();
        ShowQueryDone();
    } else if (depth == "3") {
        RelatedSecondLevel();
        RelatedThirdLevel();
        ShowQueryDone();
    }
}

void KeywordQuery::RelatedSecondLevel() {
    const int n = relatedCount_;
    for (int row = 1; row <= n && !host_.StopRequested(); ++row) {
        if (row >= host_.RowCount()) {
            break;
        }
        const std::string keyword = host_.GetCell(row, 1);
        host_.SetKeyword(keyword);
        lookahead_ = Lookahead{true, row + 1, n};
        if (Expands(keyword, true)) {
            AddRelatedSearches();
        }
    }
    lookahead_ = Lookahead{};
}

void KeywordQuery::RelatedThirdLevel() {
    const int n = host_.RowCount() - 1;
    for (int row = 1; row <= n && !host_.StopRequested(); ++row) {
        if (row >= host_.RowCount()) {
            break;
        }
        const std::string keyword = host_.GetCell(row, 1);
        host_.SetKeyword(keyword);
        lookahead_ = Lookahead{true, row + 1, n};
        if (Expands(keyword, true)) {
            AddRelatedSearches();
        }
    }
    lookahead_ = Lookahead{};
}

}  // namespace zandrel
