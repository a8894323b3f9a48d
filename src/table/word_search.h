// Finding words inside GBK keywords, for the table's filter line and its exclude words. A word is found only
// where a character of the keyword begins, so the trail byte of a double-byte character never starts a match
// and a match never stops inside a character. ASCII letters match either case; the bytes of a double-byte
// character are compared exactly, so 0x8141 and 0x8161 stay different characters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// Bytes in the character starting at `at` (< text.size()): 2 for a lead byte with a byte after it, else 1.
size_t GbkCharLength(std::string_view text, size_t at);

// `word` in the form the searches below take: single-byte ASCII letters in lower case, and a lead byte left
// alone at the end (half a character) dropped.
std::string PrepareWord(std::string_view word);

// Whether `text` holds `preparedWord` (from PrepareWord) starting on a character boundary of `text`. An empty
// word is in every text.
bool HoldsWord(std::string_view text, std::string_view preparedWord);

// Many words looked for at once. The words are indexed by their first character, so a text is walked once
// and at each of its characters only the words starting with that character are compared: a few hundred
// words cost about what a few do. Empty words are left out.
class WordSet {
  public:
    WordSet() = default;
    explicit WordSet(const std::vector<std::string>& words);

    bool Empty() const { return words_.empty(); }
    // Whether `text` holds any of the words.
    bool AnyIn(std::string_view text) const;

  private:
    struct Entry {
        uint16_t key;  // the word's first character, see CharKey
        uint32_t word;
    };

    std::vector<std::string> words_;  // prepared
    std::vector<Entry> entries_;      // sorted by key
    // entries_[byteStart_[b] .. byteStart_[b + 1]) start with a character whose first byte is b.
    std::array<uint32_t, 257> byteStart_{};
};

}  // namespace zandrel
