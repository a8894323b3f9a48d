// Text operations over GBK byte strings. Positions and lengths count bytes and are 1-based;
// a failed search gives -1. Searches step over double-byte characters as a whole, counting
// characters from the first byte of the text, so a match never begins on a trailing byte.
// Every operation is linear in the text; for many searches in one text use a TextSearcher.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// Position of the first occurrence of `sought` at or after `start` (below 1 counts as 1), or -1.
// Case-sensitive. An empty `sought` is never found.
int FindText(std::string_view text, std::string_view sought, int start = 1);

// As FindText, but ASCII letters compare without regard to case.
int FindTextIgnoreCase(std::string_view text, std::string_view sought, int start = 1);

// `length` bytes from `start`, cut at the end of the text; empty when start < 1, start > size or length <= 0.
std::string MidText(std::string_view text, int start, int length);

// Pieces between separators. An empty piece before a separator is kept; nothing follows a separator
// that ends the text; an empty text gives no pieces. An empty separator gives the whole text as one piece.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// `text` with `length` bytes removed at `start` (below 1 counts as 1).
std::string DeleteSpan(std::string_view text, int start, int length);

// The text between `left` (searched from `start`) and the next `right` after it; markers ignore ASCII case.
// "获取失败" when either marker is missing.
std::string TextBetween(std::string_view text, std::string_view left, std::string_view right, int start = 1);

// Many searches in one text. Each sought text is located once over the whole text, after which a search from
// any start is a binary search; results are exactly those of FindText, FindTextIgnoreCase and TextBetween on
// the same text. The text must outlive the searcher.
class TextSearcher {
  public:
    explicit TextSearcher(std::string_view text);

    int Find(std::string_view sought, int start = 1);
    int FindIgnoreCase(std::string_view sought, int start = 1);
    // As TextBetween; with a limit (1-based), both markers must begin before it, else the failure text.
    std::string Between(std::string_view left, std::string_view right, int start = 1, int limit = -1);

  private:
    struct Located {
        std::string sought;
        bool ignoreCase = false;
        std::vector<int> positions;  // 0-based, ascending, each on a character boundary
    };

    int Search(std::string_view sought, int start, bool ignoreCase);

    std::string_view text_;
    std::vector<Located> located_;
};

}  // namespace zandrel
