// Listing counts (宝贝数) as numbers, for sorting and merging. The cells hold the count as the suggestion
// service sent it: decimal digits, at times with a decimal part.
#pragma once

#include <string_view>

namespace zandrel {

// True, with the value, for digits with an optional "." and more digits, spaces around allowed; false for an
// empty cell and anything else (signs, exponents, separators, words).
bool ParseListingCount(std::string_view text, double& value);

}  // namespace zandrel
