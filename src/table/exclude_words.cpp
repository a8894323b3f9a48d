#include "table/exclude_words.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "table/grid_model.h"
#include "table/table_texts.h"

namespace zandrel {

namespace {

bool IsSpaceAt(std::string_view text, size_t at, size_t length) {
    if (length == 2) {
        return text.substr(at, 2) == "\xA1\xA1";
    }
    return text[at] == ' ' || text[at] == '\t';
}

// The line without spaces at either end; steps over whole characters, so a trail byte is never taken for a
// space.
std::string_view Trim(std::string_view line) {
    size_t begin = line.size();
    size_t end = 0;
    for (size_t i = 0; i < line.size();) {
        const size_t length = GbkCharLength(line, i);
        if (!IsSpaceAt(line, i, length)) {
            begin = std::min(begin, i);
            end = i + length;
        }
        i += length;
    }
    return begin < end ? line.substr(begin, end - begin) : std::string_view();
}

}  // namespace

std::string_view TakeLine(std::string_view& text) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

ExcludeWords ExcludeWords::FromText(std::string_view text) {
    ExcludeWords list;
    std::unordered_set<std::string> seen;
    while (!text.empty()) {
        const std::string_view line = Trim(TakeLine(text));
        std::string prepared = PrepareWord(line);  // empty for a blank line or half a character
        if (!prepared.empty() && seen.insert(std::move(prepared)).second) {
            list.words_.emplace_back(line);
        }
    }
    list.set_ = WordSet(list.words_);
    return list;
}

std::string ExcludeWords::ToText() const {
    std::string text;
    for (const std::string& word : words_) {
        text += word;
        text += "\r\n";
    }
    return text;
}

TableEdit DeleteRowsWithExcludeWords(GridModel& grid, const ExcludeWords& words) {
    if (words.Empty()) {
        return {};
    }
    std::vector<int> rows;
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (words.AnyIn(grid.GetCell(row, kKeywordColumn))) {
            rows.push_back(row);
        }
    }
    return RemoveRows(grid, std::move(rows));
}

}  // namespace zandrel
