#include "table/word_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "workbench_fixtures.h"

namespace zandrel {
namespace {

using namespace testing_fixtures;

TEST(WordSearchTest, FindsWordsOnCharacterBoundariesOnly) {
    struct Case {
        const char* name;
        std::string text;
        std::string word;
        bool found;
    };
    const Case cases[] = {
        {"ASCII either case", "Red DRESS", "dress", true},
        {"word in capitals", "red dress", "DRESS", true},
        {"Chinese inside a longer keyword", std::string(kNewStyle) + kDress, kDress, true},
        {"mixed ASCII and Chinese", std::string("AB") + kDress, std::string("b") + kDress, true},
        {"longer than the text", kDress, std::string(kDress) + "x", false},
        // 装 (D7 B0) followed by 男 (C4 D0) holds the bytes B0 C4 of 澳 across the two characters.
        {"character across two characters", kBoysWear, kAo, false},
        {"the same character on its boundary", std::string(kBoysWear) + kAo, kAo, true},
        // 癮 is B0 61: its trail byte is the letter a.
        {"ASCII on a trail byte", "\xB0\x61", "a", false},
        // 丄 is 81 41: its trail byte is A, so a case-blind byte search would find a.
        {"capital on a trail byte", "\x81\x41", "a", false},
        // 乤 (81 61) and 丄 (81 41) differ only in a trail byte's case.
        {"trail bytes compare exactly", "\x81\x61", "\x81\x41", false},
        {"double-byte character with an ASCII trail", "x\x81\x61", "\x81\x61", true},
        {"half a character at the end of the word is dropped", "xy", "x\xC1", true},
        {"empty word", kDress, "", true},
        {"empty text", "", "a", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HoldsWord(c.text, PrepareWord(c.word)), c.found);
        EXPECT_EQ(WordSet({c.word}).AnyIn(c.text), c.found && !PrepareWord(c.word).empty());
    }
}

// Random GBK-ish texts and words (ASCII of both cases, lead bytes, trail bytes that look like ASCII, 0x80 and
// 0xFF, half characters at the ends): a word set must find exactly what looking for each word finds.
TEST(WordSearchTest, WordSetFindsWhatEachWordFinds) {
    std::mt19937 random(20240611);
    const std::string alphabet = std::string("aAbB -") + "\x81\xB0\xC4\xD0\xD7\xFE" + "\x40\x41\x61\x80\xFF";
    auto randomText = [&](size_t maxLength) {
        std::string text(random() % (maxLength + 1), ' ');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        return text;
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> words;
        const int wordCount = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < wordCount; ++i) {
            words.push_back(randomText(4));
        }
        WordSet set(words);
        for (int t = 0; t < 50; ++t) {
            const std::string text = randomText(12);
            const bool expected = std::any_of(words.begin(), words.end(), [&](const std::string& word) {
                const std::string prepared = PrepareWord(word);
                return !prepared.empty() && HoldsWord(text, prepared);
            });
            ASSERT_EQ(set.AnyIn(text), expected) << "round " << round << " text " << ::testing::PrintToString(text);
        }
    }
}

TEST(WordSearchTest, EmptyWordsNeverMatch) {
    EXPECT_TRUE(WordSet().Empty());
    EXPECT_FALSE(WordSet().AnyIn(kDress));
    WordSet onlyEmpty({"", "\xC1"});  // half a character prepares to nothing
    EXPECT_TRUE(onlyEmpty.Empty());
    EXPECT_FALSE(onlyEmpty.AnyIn("abc"));
}

}  // namespace
}  // namespace zandrel
