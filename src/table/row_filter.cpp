#include "table/row_filter.h"

namespace zandrel {

namespace {

// The query's words, split at ASCII spaces and full-width spaces (A1A1) that start a character.
std::vector<std::string_view> SplitWords(std::string_view query) {
    std::vector<std::string_view> words;
    size_t wordStart = 0;
    for (size_t i = 0; i < query.size();) {
        const size_t length = GbkCharLength(query, i);
        const bool space = (length == 1 && query[i] == ' ') || (length == 2 && query.substr(i, 2) == "\xA1\xA1");
        if (space) {
            if (i > wordStart) {
                words.push_back(query.substr(wordStart, i - wordStart));
            }
            wordStart = i + length;
        }
        i += length;
    }
    if (wordStart < query.size()) {
        words.push_back(query.substr(wordStart));
    }
    return words;
}

}  // namespace

RowFilter::RowFilter(std::string_view query) {
    std::vector<std::string> excluded;
    for (std::string_view word : SplitWords(query)) {
        const bool minus = word.front() == '-';
        std::string prepared = PrepareWord(minus ? word.substr(1) : word);
        if (prepared.empty()) {
            continue;
        }
        (minus ? excluded : required_).push_back(std::move(prepared));
    }
    excluded_ = WordSet(excluded);
}

bool RowFilter::Accepts(std::string_view keyword) const {
    for (const std::string& word : required_) {
        if (!HoldsWord(keyword, word)) {
            return false;
        }
    }
    return !excluded_.AnyIn(keyword);
}

}  // namespace zandrel
