#include "export/xml_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zandrel {
namespace {

constexpr char kFffd[] = "\xEF\xBF\xBD";                              // U+FFFD, the replacement character
constexpr char kKeywords[] = "\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D";  // 关键词
constexpr char kOutsideBmp[] = "\xF0\xA0\x80\x80";                    // U+20000, two UTF-16 units

std::string Escaped(std::string_view text) {
    std::string out;
    AppendXmlText(out, text);
    return out;
}

std::string Repeat(std::string_view piece, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

TEST(XmlTextTest, EscapesMarkupAndLeavesOutWhatXmlCannotHold) {
    struct Case {
        std::string text;
        std::string xml;
    };
    const Case cases[] = {
        {"plain text", "plain text"},
        {"", ""},
        {"a&b", "a&amp;b"},
        {"&amp;", "&amp;amp;"},
        {"<b>x</b>", "&lt;b&gt;x&lt;/b&gt;"},
        {"say \"hi\"", "say &quot;hi&quot;"},
        {"it's", "it's"},
        {"=SUM(A1)", "=SUM(A1)"},
        {"tab\there\nand line", "tab\there\nand line"},
        // A parser turns a raw CR (and CR LF) into LF; the reference keeps it.
        {"cr\r\nlf", "cr&#13;\nlf"},
        {"\r", "&#13;"},
        {std::string("a\0b", 3), "ab"},
        {"\x01\x02\x08\x0B\x0C\x1B\x1F", ""},
        {"del\x7F", "del\x7F"},
        {"x\xEF\xBF\xBEy\xEF\xBF\xBFz", "xyz"},  // U+FFFE, U+FFFF
        {kFffd, kFffd},
        {kKeywords, kKeywords},
        {std::string(kOutsideBmp) + "&", std::string(kOutsideBmp) + "&amp;"},
        {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},  // €
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(Escaped(c.text), c.xml);
    }
}

TEST(XmlTextTest, KeepsExcelFromDecodingUnderscoreSequences) {
    struct Case {
        const char* text;
        const char* xml;
    };
    const Case cases[] = {
        {"_x0041_", "_x005F_x0041_"},
        {"a_x000D_b", "a_x005F_x000D_b"},
        {"_X00aF_", "_x005F_X00aF_"},
        {"__x0041_", "__x005F_x0041_"},
        {"_x005F_", "_x005F_x005F_"},
        // Once the first is escaped the second comes into view, so every underscore that starts one is escaped.
        {"_x0041_x0042_", "_x005F_x0041_x005F_x0042_"},
        {"_x004_", "_x004_"},
        {"_x0041", "_x0041"},
        {"_x00G1_", "_x00G1_"},
        {"x0041_", "x0041_"},
        {"snake_case_name", "snake_case_name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Escaped(c.text), c.xml);
    }
}

TEST(XmlTextTest, MalformedUtf8BecomesReplacementCharacters) {
    const std::string r = kFffd;
    struct Case {
        const char* what;
        std::string text;
        std::string xml;
    };
    const Case cases[] = {
        {"stray continuation", "a\x80z", "a" + r + "z"},
        {"byte never in UTF-8", "\xFF", r},
        {"overlong slash", "\xC0\xAF", r + r},
        {"overlong three-byte", "\xE0\x80\xAF", r + r + r},
        {"encoded surrogate", "\xED\xA0\x80", r + r + r},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
        {"cut short at the end", "ok\xE5\x85", "ok" + r + r},
        {"cut short by ASCII", "\xE5\x85<", r + r + "&lt;"},
        // GBK bytes handed over by mistake still give well-formed XML.
        {"GBK 关", "\xB9\xD8", r + r},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Escaped(c.text), c.xml);
    }
}

TEST(XmlTextTest, CutsAtExcelsCellLengthOnCharacterBoundary) {
    struct Case {
        const char* what;
        std::string text;
        std::string xml;
    };
    const Case cases[] = {
        {"at the limit", std::string(kMaxCellUnits, 'a'), std::string(kMaxCellUnits, 'a')},
        {"one over", std::string(kMaxCellUnits + 1, 'a'), std::string(kMaxCellUnits, 'a')},
        // Counted before escaping: 32,767 ampersands are 32,767 characters however long their references.
        {"escapes count once", std::string(kMaxCellUnits + 5, '&'), Repeat("&amp;", kMaxCellUnits)},
        // A surrogate pair that would end one unit past the limit is left out whole.
        {"pair at the edge", "a" + Repeat(kOutsideBmp, kMaxCellUnits / 2) + "b",
         "a" + Repeat(kOutsideBmp, kMaxCellUnits / 2)},
        {"pair over the edge", "aa" + Repeat(kOutsideBmp, kMaxCellUnits / 2),
         "aa" + Repeat(kOutsideBmp, kMaxCellUnits / 2 - 1)},
        // Characters left out take no room.
        {"controls free", std::string(10, '\x01') + std::string(kMaxCellUnits, 'a'), std::string(kMaxCellUnits, 'a')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Escaped(c.text), c.xml);
    }
}

TEST(XmlTextTest, SheetNamesExcelAccepts) {
    struct Case {
        std::string text;
        std::string name;
    };
    const Case cases[] = {
        {kKeywords, kKeywords},
        {"", "Sheet1"},
        {"a[b]c:d*e?f/g\\h", "a_b_c_d_e_f_g_h"},
        {"'quoted'", "quoted"},
        {"'''", "Sheet1"},
        {"it's", "it's"},
        {"tab\tand\r\nline\x01", "tabandline"},
        {"a&b<c>", "a&b<c>"},  // escaped only where written
        {"\xFF", kFffd},
        {std::string(40, 'x'), std::string(31, 'x')},
        // The cut may leave an apostrophe at the end, which then goes too.
        {std::string(30, 'x') + "'yy", std::string(30, 'x')},
        {std::string(30, 'x') + kOutsideBmp, std::string(30, 'x')},
        {std::string(29, 'x') + kOutsideBmp + "z", std::string(29, 'x') + kOutsideBmp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(SheetNameFrom(c.text), c.name);
    }
}

}  // namespace
}  // namespace zandrel
