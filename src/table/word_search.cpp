#include "table/word_search.h"

#include <algorithm>

#include "base/encoding.h"

namespace zandrel {

namespace {

unsigned char Byte(std::string_view text, size_t at) {
    return static_cast<unsigned char>(text[at]);
}

unsigned char AsciiLower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Both texts are on a character boundary at `at` / 0, and the word's characters decide how many bytes each
// comparison takes. A lead byte in the word can only equal a lead byte in the text, so the two stay in step
// character by character, and a match ends where a character of the text ends.
bool MatchesAt(std::string_view text, size_t at, std::string_view word) {
    if (text.size() - at < word.size()) {
        return false;
    }
    size_t k = 0;
    while (k < word.size()) {
        const unsigned char w = Byte(word, k);
        if (IsGbkLeadByte(w) && k + 1 < word.size()) {
            if (Byte(text, at + k) != w || text[at + k + 1] != word[k + 1]) {
                return false;
            }
            k += 2;
        } else {
            if (AsciiLower(Byte(text, at + k)) != w) {
                return false;
            }
            ++k;
        }
    }
    return true;
}

// The character at `at` as a number: a double-byte character as lead * 256 + trail, a single byte lower-cased.
// The two kinds never collide: a lead byte is at least 0x81.
uint16_t CharKey(std::string_view text, size_t at) {
    if (GbkCharLength(text, at) == 2) {
        return static_cast<uint16_t>(Byte(text, at) << 8 | Byte(text, at + 1));
    }
    return AsciiLower(Byte(text, at));
}

unsigned char KeyFirstByte(uint16_t key) {
    return key > 0xFF ? static_cast<unsigned char>(key >> 8) : static_cast<unsigned char>(key);
}

}  // namespace

size_t GbkCharLength(std::string_view text, size_t at) {
    return (IsGbkLeadByte(Byte(text, at)) && at + 1 < text.size()) ? 2 : 1;
}

std::string PrepareWord(std::string_view word) {
    std::string prepared;
    prepared.reserve(word.size());
    for (size_t i = 0; i < word.size();) {
        if (GbkCharLength(word, i) == 2) {
            prepared.append(word.substr(i, 2));
            i += 2;
        } else {
            if (!IsGbkLeadByte(Byte(word, i))) {
                prepared += static_cast<char>(AsciiLower(Byte(word, i)));
            }
            ++i;
        }
    }
    return prepared;
}

bool HoldsWord(std::string_view text, std::string_view preparedWord) {
    if (preparedWord.empty()) {
        return true;
    }
    if (preparedWord.size() > text.size()) {
        return false;
    }
    const size_t last = text.size() - preparedWord.size();
    const unsigned char first = Byte(preparedWord, 0);
    for (size_t i = 0; i <= last; i += GbkCharLength(text, i)) {
        if (AsciiLower(Byte(text, i)) == first && MatchesAt(text, i, preparedWord)) {
            return true;
        }
    }
    return false;
}

WordSet::WordSet(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        std::string prepared = PrepareWord(word);
        if (!prepared.empty()) {
            words_.push_back(std::move(prepared));
        }
    }
    entries_.reserve(words_.size());
    for (size_t i = 0; i < words_.size(); ++i) {
        entries_.push_back({CharKey(words_[i], 0), static_cast<uint32_t>(i)});
    }
    // By first byte, then by key: each first byte owns one run of entries, sorted for the lookup.
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        const unsigned char byteA = KeyFirstByte(a.key);
        const unsigned char byteB = KeyFirstByte(b.key);
        if (byteA != byteB) {
            return byteA < byteB;
        }
        return a.key != b.key ? a.key < b.key : a.word < b.word;
    });
    size_t e = 0;
    for (int b = 0; b < 256; ++b) {
        byteStart_[b] = static_cast<uint32_t>(e);
        while (e < entries_.size() && KeyFirstByte(entries_[e].key) == b) {
            ++e;
        }
    }
    byteStart_[256] = static_cast<uint32_t>(e);
}

bool WordSet::AnyIn(std::string_view text) const {
    if (words_.empty()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) {
        const uint16_t key = CharKey(text, i);
        const unsigned char firstByte = KeyFirstByte(key);
        const auto begin = entries_.begin() + byteStart_[firstByte];
        const auto end = entries_.begin() + byteStart_[firstByte + 1];
        if (begin == end) {
            continue;
        }
        auto it = std::lower_bound(begin, end, key, [](const Entry& entry, uint16_t k) { return entry.key < k; });
        for (; it != end && it->key == key; ++it) {
            if (MatchesAt(text, i, words_[it->word])) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace zandrel
