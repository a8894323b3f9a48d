// Exclude words (否定词): rows whose keyword holds any of them can be hidden from the view or deleted.
// Words are found as WordSet finds them: on character boundaries, ASCII letters in either case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table/table_edit.h"
#include "table/word_search.h"

namespace zandrel {

class GridModel;

class ExcludeWords {
  public:
    ExcludeWords() = default;

    // One word a line, lines ended by LF or CR LF. Each line is trimmed of ASCII and full-width spaces and
    // tabs; empty lines go, and so does a word already listed (compared with ASCII letters in either case:
    // they exclude the same rows). Words keep their first spelling and their order.
    static ExcludeWords FromText(std::string_view text);
    // The words, each followed by CR LF; FromText reads it back to the same list.
    std::string ToText() const;

    const std::vector<std::string>& Words() const { return words_; }
    bool Empty() const { return words_.empty(); }
    // Whether `keyword` holds any of the words.
    bool AnyIn(std::string_view keyword) const { return set_.AnyIn(keyword); }

  private:
    std::vector<std::string> words_;
    WordSet set_;
};

// Takes the first line off `text` and returns it without its LF or CR LF. LF and CR never occur as trail bytes
// of GBK (0x40..0xFE), so splitting on the bytes is safe in GBK as in UTF-8.
std::string_view TakeLine(std::string_view& text);

// Deletes every data row whose keyword holds an exclude word, in one pass; returns the made edit.
TableEdit DeleteRowsWithExcludeWords(GridModel& grid, const ExcludeWords& words);

}  // namespace zandrel
