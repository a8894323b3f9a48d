// The filter line above the results table: words separated by spaces (ASCII or full-width). A row is shown
// when its keyword holds every plain word and none of the words written "-word". A "-" alone means nothing.
// Words are found as WordSet and HoldsWord find them: on character boundaries, ASCII in either case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table/word_search.h"

namespace zandrel {

class RowFilter {
  public:
    RowFilter() = default;
    explicit RowFilter(std::string_view query);

    // True when the query holds no word: every row is shown.
    bool Empty() const { return required_.empty() && excluded_.Empty(); }
    bool Accepts(std::string_view keyword) const;

  private:
    std::vector<std::string> required_;  // prepared
    WordSet excluded_;
};

}  // namespace zandrel
