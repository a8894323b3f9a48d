// The three search-suggestion services: their request paths, the clean-up of their answers and the
// parser that turns the joined answers into keywords and listing counts. Pure functions over text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// Request paths (with query) for a keyword already passed through UrlEncodeUtf8.
std::string SourceAPath(std::string_view encodedKeyword);
std::string SourceBPath(std::string_view encodedKeyword);
std::string SourceCPath(std::string_view encodedKeyword);

// Keeps everything up to the first "]]" and one byte more; only the first byte when there is none.
std::string CutAfterDoubleBracket(std::string_view text);
// Drops "cat" and the three bytes before it, and everything after; a "cat" within the first three bytes
// empties the text.
std::string CutBeforeCat(std::string_view text);
// Removes each "<b>" and, after each, the next "<\/b>".
std::string RemoveBoldTags(std::string_view text);

// Answer clean-up per source; the input is the answer already converted to GBK.
std::string CleanSourceA(std::string_view gbkAnswer);
std::string CleanSourceB(std::string_view gbkAnswer);
std::string CleanSourceC(std::string_view gbkAnswer);

// The three raw (UTF-8) answers converted, cleaned and joined without separator.
std::string AssembleResponseText(std::string_view answerA, std::string_view answerB, std::string_view answerC);

struct SuggestionList {
    // Number of entry openers ("[\""); -1 for an empty text.
    int entryCount = -1;
    std::vector<std::string> keywords;
    std::vector<std::string> counts;  // parallel to keywords
};

// Each entry is taken as ["keyword","count"]: the keyword is the first quoted text after the opener, the
// count lies between the quote after the first comma and the quote before the first "]" after the opener.
SuggestionList ParseSuggestions(std::string_view responseText);

}  // namespace zandrel
