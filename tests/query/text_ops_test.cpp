#include "query/text_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "query/gbk_texts.h"

namespace zandrel {
namespace {

// GBK bytes used below: "\xb0\xa1" is one character; "\xd5]" is one character whose second byte is ']'.

TEST(FindText, PositionsStartsAndDoubleByteScanning) {
    struct Case {
        const char* name;
        std::string text;
        std::string sought;
        int start;
        int expected;
    };
    const std::vector<Case> cases = {
        {"first occurrence", "abcabc", "bc", 1, 2},
        {"from a later start", "abcabc", "bc", 3, 5},
        {"match exactly at start", "abcabc", "bc", 5, 5},
        {"start 0 counts as 1", "abcabc", "bc", 0, 2},
        {"negative start counts as 1", "abcabc", "ab", -7, 1},
        {"not found", "abc", "d", 1, -1},
        {"start past the only match", "abc", "abc", 2, -1},
        {"start beyond the text", "abc", "c", 4, -1},
        {"start far beyond the text", "abc", "c", 50000, -1},
        {"start beyond a text ending in a lead byte", "a\xb0", "a", 9, -1},
        {"case-sensitive", "ABC", "abc", 1, -1},
        {"empty sought", "abc", "", 1, -1},
        {"sought longer than text", "ab", "abc", 1, -1},
        {"no match across two characters", "\xb0\xa1\xb0\xa1", "\xa1\xb0", 1, -1},
        {"second byte ']' is not a bracket", "\xd5]]", "]]", 1, -1},
        {"bracket after the character", "\xd5]]]", "]]", 1, 3},
        {"start on a second byte keeps characters", "\xb0\xa1\xb0\xa1", "\xa1\xb0", 2, -1},
        {"start on a second byte, ASCII match", "\xb0\xa1x", "x", 2, 3},
        {"whole character found", "a\xb0\xa1\xb0\xa1", "\xb0\xa1", 3, 4},
        {"lead byte at the very end", "ab\xb0", "\xb0", 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindText(c.text, c.sought, c.start), c.expected);
    }
}

TEST(FindText, IgnoreCaseVariantFoldsAsciiOnly) {
    EXPECT_EQ(FindTextIgnoreCase("x<SPAN y", "<span ", 1), 2);
    EXPECT_EQ(FindTextIgnoreCase("\xb0\xa1", "\xb0\x81", 1), -1);  // bytes >= 0x80 are not folded
    EXPECT_EQ(FindTextIgnoreCase("\xd5"
                                 "Ab",
                                 "ab", 1),
              -1);  // 'A' is the second byte of a character
}

TEST(MidText, CutsAndEmptyResults) {
    struct Case {
        int start;
        int length;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {2, 3, "bcd"}, {5, 10, "ef"}, {6, 1, "f"}, {1, 6, "abcdef"}, {0, 3, ""},
        {-1, 3, ""},   {7, 1, ""},    {1, 0, ""},  {1, -4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + "," + std::to_string(c.length));
        EXPECT_EQ(MidText("abcdef", c.start, c.length), c.expected);
    }
}

TEST(SplitText, EmptyPiecesAndSeparatorsAtTheEnds) {
    struct Case {
        std::string text;
        std::string separator;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"a,b,c", ",", {"a", "b", "c"}},
        {",a", ",", {"", "a"}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a,", ",", {"a"}},
        {",", ",", {""}},
        {",,", ",", {"", ""}},
        {"", ",", {}},
        {"abc", ",", {"abc"}},
        {"x\r\n\r\ny\r\n", "\r\n", {"x", "", "y"}},
        {"[\"a\",[\"b", "[\"", {"", "a\",", "b"}},
        {"\xd5]a]b", "]", {"\xd5]a", "b"}},  // the ']' inside the character does not split
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitText(c.text, c.separator), c.expected);
    }
}

TEST(DeleteSpan, RemovesBytesAndClampsStart) {
    struct Case {
        int start;
        int length;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {2, 3, "aef"},   {0, 2, "cdef"},   {-3, 1, "bcdef"}, {5, 10, "abcd"},
        {6, 1, "abcde"}, {7, 1, "abcdef"}, {2, 0, "abcdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + "," + std::to_string(c.length));
        EXPECT_EQ(DeleteSpan("abcdef", c.start, c.length), c.expected);
    }
}

TEST(TextBetween, MarkersIgnoreCaseAndFailuresGiveTheFailureText) {
    const std::string failed = gbk::kFetchFailed;
    struct Case {
        std::string text;
        std::string left;
        std::string right;
        int start;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"x<A>val</a>", "<a>", "</A>", 1, "val"},
        {"[a][b]", "[", "]", 2, "b"},
        {"[a][b]", "[", "]", 0, "a"},
        {"\"\"", "\"", "\"", 1, ""},
        {"abc", "[", "]", 1, failed},
        {"[abc", "[", "]", 1, failed},
        {"[a]", "[", "]", 2, failed},
        {"q\">\xc1\xac<SPAN x", "\">", "<span ", 1, "\xc1\xac"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start), c.expected);
    }
}

}  // namespace
}  // namespace zandrel
