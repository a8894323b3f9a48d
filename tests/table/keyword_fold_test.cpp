#include "table/keyword_fold.h"

#include <gtest/gtest.h>

#include <string>

#include "table/listing_count.h"
#include "workbench_fixtures.h"

namespace zandrel {
namespace {

using namespace testing_fixtures;

TEST(KeywordFoldTest, FoldsWidthCaseAndSpacing) {
    struct Case {
        const char* name;
        std::string keyword;
        std::string folded;
    };
    const Case cases[] = {
        {"already folded", "iphone", "iphone"},
        {"capitals", "iPhone X", "iphone x"},
        {"full-width letters", kWideIphone, "iphone"},
        {"full-width digits and punctuation", "\xA3\xB1\xA3\xB2\xA3\xA1", "12!"},  // １２！
        {"first and last of the full-width row", "\xA3\xA1\xA3\xFE", "!~"},
        {"full-width capital", "\xA3\xC1", "a"},  // Ａ
        {"full-width space", std::string("a") + kWideSpace + "b", "a b"},
        {"runs of mixed spaces", std::string("a ") + kWideSpace + "  b", "a b"},
        {"trimmed", std::string(kWideSpace) + " a b " + kWideSpace, "a b"},
        {"only spaces", std::string(" ") + kWideSpace, ""},
        {"Chinese kept", std::string(kDress) + " " + kNewStyle, std::string(kDress) + " " + kNewStyle},
        {"Chinese with full-width letters", std::string(kDress) + "\xA3\xC1", std::string(kDress) + "a"},
        // 丄 (81 41) is a character, not an A after a lead byte; A3 as a trail byte is no full-width row.
        {"letters inside characters stay", "\x81\x41", "\x81\x41"},
        {"A3 as a trail byte", "\xB0\xA3\xC1", "\xB0\xA3\xC1"},
        {"half a character at the end kept", "A\xC1", "a\xC1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FoldKeyword(c.keyword), c.folded);
    }
}

TEST(ListingCountTest, ParsesDigitsOnly) {
    struct Case {
        std::string text;
        bool isNumber;
        double value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"2087656", true, 2087656},
        {" 42 ", true, 42},
        {"1.5", true, 1.5},
        {"007", true, 7},
        {"", false, 0},
        {"  ", false, 0},
        {"-5", false, 0},
        {"+5", false, 0},
        {"1e3", false, 0},
        {"1,000", false, 0},
        {"1.", false, 0},
        {".5", false, 0},
        {"12abc", false, 0},
        {"\xA3\xB1", false, 0},                          // full-width 1
        {"\xBB\xF1\xC8\xA1\xCA\xA7\xB0\xDC", false, 0},  // 获取失败
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double value = -1;
        EXPECT_EQ(ParseListingCount(c.text, value), c.isNumber);
        if (c.isNumber) {
            EXPECT_EQ(value, c.value);
        }
    }
}

}  // namespace
}  // namespace zandrel
