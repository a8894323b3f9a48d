// The two query runs of the main window: the suggestion query (button "淘宝下拉框综合查询") and the
// related-search lookup (button "你是不是想找"), each with its second and third level. Everything runs
// synchronously on the caller's thread through the QueryHost.
#pragma once

#include <string>
#include <vector>

#include "query/endpoints.h"
#include "query/query_host.h"
#include "query/suggestion_source.h"

namespace zandrel {

class KeywordQuery {
  public:
    KeywordQuery(QueryHost& host, Endpoints endpoints);
    KeywordQuery(const KeywordQuery&) = delete;
    KeywordQuery& operator=(const KeywordQuery&) = delete;

    // Suggestion query: refuses an empty keyword with a hint, otherwise RunSuggestionQuery().
    void StartSuggestionQuery();
    // One query step for the keyword, the deeper levels for the chosen depth, then "查询完成".
    void RunSuggestionQuery();
    // Related-search lookup for the keyword, the deeper levels for the chosen depth, then "查询完成".
    void StartRelatedQuery();

    // The pieces of a suggestion run.
    void FetchSuggestionText();         // sets ResponseText from the three sources
    SuggestionList ParseSuggestions();  // parses ResponseText and sets EntryCount
    void AppendSuggestionRows(const std::vector<std::string>& keywords, const std::vector<std::string>& counts);
    void RunQueryStep();  // fetch, parse, append
    void ExpandSecondLevel();
    void ExpandThirdLevel();

    // The pieces of a related-search run.
    void FetchRelatedSection();  // sets RelatedSection
    void AddRelatedSearches();   // sets RelatedCount and appends one row per related search
    void RelatedSecondLevel();
    void RelatedThirdLevel();

    // The addresses the running level will ask for next, in order, as far as the rows they come from are already
    // in the table (at most `max` of them); empty outside a level. A fetcher may fetch them ahead: the requests
    // themselves, and so the rows, stay exactly those of a run without it.
    std::vector<std::string> UpcomingUrls(size_t max) const;

    const std::string& ResponseText() const { return responseText_; }
    int EntryCount() const { return entryCount_; }
    const std::string& RelatedSection() const { return relatedSection_; }
    int RelatedCount() const { return relatedCount_; }
    const Endpoints& Addresses() const { return endpoints_; }

  private:
    void ShowQueryDone();
    // Whether a level runs its step for the keyword of a row.
    bool Expands(const std::string& keyword, bool related) const;
    std::vector<std::string> StepUrls(const std::string& keyword, bool related) const;

    // The rows the running level reads after the one it is on (firstRow > lastRow: none).
    struct Lookahead {
        bool related = false;
        int firstRow = 1;
        int lastRow = 0;
    };
    Lookahead lookahead_;
    std::vector<std::string> stepRest_;  // the sources of the running step still to be asked

    QueryHost& host_;
    Endpoints endpoints_;
    std::string responseText_;
    int entryCount_ = 0;
    std::string relatedSection_;
    int relatedCount_ = 0;
};

}  // namespace zandrel
