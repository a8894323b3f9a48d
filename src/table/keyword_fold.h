// The form in which two keywords are compared for being the same keyword: what a seller would read as one
// keyword folds to one text, whatever its width, ASCII case or spacing.
#pragma once

#include <string>
#include <string_view>

namespace zandrel {

// Full-width ASCII (GBK A3A1..A3FE) becomes half-width, the full-width space (A1A1) a space, ASCII capitals
// small letters, runs of spaces one space, and spaces at either end go. Double-byte characters are otherwise
// kept as they are; only whole characters are looked at, never a trail byte.
std::string FoldKeyword(std::string_view keyword);

// As FoldKeyword, into `out` (its memory is reused across many keywords).
void FoldKeywordInto(std::string_view keyword, std::string& out);

}  // namespace zandrel
