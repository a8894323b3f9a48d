#include "table/row_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "workbench_fixtures.h"

namespace zandrel {
namespace {

using namespace testing_fixtures;

TEST(RowFilterTest, PlainWordsMustAllBeThereAndMinusWordsMustNot) {
    struct Case {
        const char* name;
        std::string query;
        std::string keyword;
        bool shown;
    };
    const std::string ah = "\xB0\xA1";  // 啊
    const Case cases[] = {
        {"empty query", "", "anything", true},
        {"spaces only", std::string("  ") + kWideSpace, "anything", true},
        {"one word, other case", "DRESS", "red dress", true},
        {"every word needed", "red dress", "red shoes", false},
        {"every word there, any order", "dress red", "red long dress", true},
        {"minus word hides", "dress -red", "red dress", false},
        {"minus word absent", "dress -red", "blue dress", true},
        {"minus words only", "-red -blue", "green dress", true},
        {"bare minus means nothing", "dress -", "dress", true},
        {"bare minus alone", "-", "dress", true},
        {"minus of a minus word", "--x", "a-x", false},
        {"full-width space separates", std::string("red") + kWideSpace + "dress", "dress red", true},
        // 啊 (B0 A1) then the full-width space (A1 A1): the space begins at a character, not at 啊's trail.
        {"full-width space after a character", ah + kWideSpace + "x", ah + "x", true},
        {"Chinese word", kDress, std::string(kNewStyle) + kDress, true},
        {"no match across two characters", kAo, kBoysWear, false},
        {"minus word not matched across two characters", std::string("-") + kAo, kBoysWear, true},
        {"no ASCII match on a trail byte", "a", "\xB0\x61", false},
        {"minus ASCII not matched on a trail byte", "-a", "\xB0\x61", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RowFilter(c.query).Accepts(c.keyword), c.shown);
    }
}

TEST(RowFilterTest, EmptyOnlyWithoutWords) {
    EXPECT_TRUE(RowFilter().Empty());
    EXPECT_TRUE(RowFilter(std::string(" - ") + kWideSpace).Empty());
    EXPECT_FALSE(RowFilter("x").Empty());
    EXPECT_FALSE(RowFilter("-x").Empty());
}

}  // namespace
}  // namespace zandrel
