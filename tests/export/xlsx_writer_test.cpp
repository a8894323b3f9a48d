#include "export/xlsx_writer.h"

#include "xlsx_reading.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace zandrel {
namespace {

constexpr char kKeywords[] = "\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D";  // 关键词

ReadCell Text(std::string xml, bool bold = false) {
    return ReadCell{false, bold, std::move(xml)};
}

ReadCell Number(std::string digits) {
    return ReadCell{true, false, std::move(digits)};
}

TEST(XlsxWriterTest, PartsAreDeclaredAndLinked) {
    XlsxSheet sheet;
    sheet.name = kKeywords;
    sheet.rows = {{"h"}, {"v"}};
    ReadWorkbook book = ReadXlsx(WriteXlsx(sheet));
    ASSERT_TRUE(book.zip.ok);

    std::vector<std::string> names;
    for (const ZipReadEntry& entry : book.zip.entries) {
        names.push_back(entry.name);
        EXPECT_TRUE(entry.data.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"))
            << entry.name;
    }
    // Content types first, as Office writes it.
    EXPECT_EQ(names, (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml",
                                               "xl/_rels/workbook.xml.rels", "xl/worksheets/sheet1.xml",
                                               "xl/styles.xml", "xl/sharedStrings.xml"}));

    // Every part but the relationships is given a content type, and every relationship points at a part.
    const std::string types = PartText(book.zip, "[Content_Types].xml");
    for (const std::string& name : names) {
        if (!name.ends_with(".rels") && name != "[Content_Types].xml") {
            EXPECT_NE(types.find("<Override PartName=\"/" + name + "\""), std::string::npos) << name;
        }
    }
    const std::regex target("Target=\"([^\"]+)\"");
    const std::pair<const char*, const char*> relationships[] = {{"_rels/.rels", ""},
                                                                 {"xl/_rels/workbook.xml.rels", "xl/"}};
    int targets = 0;
    for (const auto& [part, base] : relationships) {
        const std::string rels = PartText(book.zip, part);
        for (std::sregex_iterator it(rels.begin(), rels.end(), target), end; it != end; ++it, ++targets) {
            EXPECT_NE(FindEntry(book.zip, std::string(base) + (*it)[1].str()), nullptr) << (*it)[1];
        }
    }
    EXPECT_EQ(targets, 4);

    EXPECT_NE(PartText(book.zip, "xl/workbook.xml").find(std::string("<sheet name=\"") + kKeywords + "\""),
              std::string::npos);
}

TEST(XlsxWriterTest, PlainCounts) {
    struct Case {
        const char* text;
        bool count;
    };
    const Case cases[] = {
        {"0", true},
        {"7", true},
        {"12345", true},
        {"999999999999999", true},    // 15 digits: exact in a double
        {"1000000000000000", false},  // 16
        {"", false},
        {"007", false},
        {"00", false},
        {"+5", false},
        {"-5", false},
        {" 5", false},
        {"5 ", false},
        {"1e5", false},
        {"1.5", false},
        {"1,000", false},
        {"0x1F", false},
        {"\xEF\xBC\x91\xEF\xBC\x92", false},  // full-width １２
        {"12\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        EXPECT_EQ(IsPlainCount(c.text), c.count);
    }
}

TEST(XlsxWriterTest, OnlyCountColumnsHoldNumbers) {
    // Column A is a keyword column, column B a count column; row 1 is the header.
    struct Case {
        const char* text;
        ReadCell inKeywordColumn;
        ReadCell inCountColumn;
    };
    const Case cases[] = {
        {"12345", Text("12345"), Number("12345")},
        {"0", Text("0"), Number("0")},
        {"001", Text("001"), Text("001")},
        {"1e5", Text("1e5"), Text("1e5")},
        {"=1+1", Text("=1+1"), Text("=1+1")},
        {"=SUM(A1)", Text("=SUM(A1)"), Text("=SUM(A1)")},
        {"3/4", Text("3/4"), Text("3/4")},
        {"-3", Text("-3"), Text("-3")},
        {"1234567890123456", Text("1234567890123456"), Text("1234567890123456")},
        {" 5", Text(" 5"), Text(" 5")},
        {"a<b", Text("a&lt;b"), Text("a&lt;b")},
    };
    XlsxSheet sheet;
    sheet.rows.push_back({"keyword", "12"});  // a header that looks like a count stays text
    for (const Case& c : cases) {
        sheet.rows.push_back({c.text, c.text});
    }
    sheet.countColumns = {1};
    ReadWorkbook book = ReadXlsx(WriteXlsx(sheet));
    EXPECT_EQ(book.cells["A1"], Text("keyword", true));
    EXPECT_EQ(book.cells["B1"], Text("12", true));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].text);
        const std::string row = std::to_string(i + 2);
        EXPECT_EQ(book.cells["A" + row], cases[i].inKeywordColumn);
        EXPECT_EQ(book.cells["B" + row], cases[i].inCountColumn);
    }
    // Leading or trailing white space is kept only when the text says so.
    EXPECT_NE(PartText(book.zip, "xl/sharedStrings.xml").find("<si><t xml:space=\"preserve\"> 5</t></si>"),
              std::string::npos);
}

TEST(XlsxWriterTest, EmptyCellsAndRowsWriteNothing) {
    XlsxSheet sheet;
    sheet.rows = {{"a", "b", "c"}, {"", "", ""}, {}, {"x", "", "\x01"}, {"", "", "z"}};
    sheet.countColumns = {1};
    ReadWorkbook book = ReadXlsx(WriteXlsx(sheet));
    EXPECT_EQ(book.rowNumbers, (std::vector<std::string>{"1", "4", "5"}));
    EXPECT_EQ(book.cells.size(), 5u);  // a, b, c, x, z: the control-only cell is empty once cleaned
    EXPECT_EQ(book.cells["A4"], Text("x"));
    EXPECT_EQ(book.cells["C5"], Text("z"));
    EXPECT_NE(book.sheetXml.find("<dimension ref=\"A1:C5\"/>"), std::string::npos);
}

TEST(XlsxWriterTest, RepeatedTextIsStoredOnce) {
    XlsxSheet sheet;
    sheet.rows = {{"seed", "k"}, {"seed", "seed"}, {"other", "seed"}};
    ReadWorkbook book = ReadXlsx(WriteXlsx(sheet));
    EXPECT_EQ(book.strings, (std::vector<std::string>{"seed", "k", "other"}));
    EXPECT_NE(PartText(book.zip, "xl/sharedStrings.xml").find("count=\"6\" uniqueCount=\"3\""), std::string::npos);
    EXPECT_EQ(book.cells["B3"], Text("seed"));
    EXPECT_EQ(book.cells["A1"], Text("seed", true));
}

TEST(XlsxWriterTest, ColumnReferencesAndWidths) {
    XlsxSheet sheet;
    sheet.rows.push_back(std::vector<std::string>(kMaxXlsxColumns, "c"));
    sheet.columnWidths = {0, 19, -1, 12};
    ReadWorkbook book = ReadXlsx(WriteXlsx(sheet));
    EXPECT_EQ(book.cells.size(), kMaxXlsxColumns);
    for (const char* ref : {"A1", "Z1", "AA1", "AZ1", "BA1", "ZZ1", "AAA1", "XFD1"}) {
        EXPECT_EQ(book.cells.count(ref), 1u) << ref;
    }
    EXPECT_NE(book.sheetXml.find("<dimension ref=\"A1:XFD1\"/>"), std::string::npos);
    EXPECT_NE(book.sheetXml.find("<cols><col min=\"2\" max=\"2\" width=\"19\" customWidth=\"1\"/>"
                                 "<col min=\"4\" max=\"4\" width=\"12\" customWidth=\"1\"/></cols>"),
              std::string::npos);
}

TEST(XlsxWriterTest, SheetNameIsCleanedAndEscaped) {
    struct Case {
        const char* name;
        const char* written;
    };
    const Case cases[] = {
        {"R&D \"x\"", "R&amp;D &quot;x&quot;"},
        {"a/b", "a_b"},
        {"", "Sheet1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XlsxSheet sheet;
        sheet.name = c.name;
        sheet.rows = {{"h"}};
        ReadWorkbook book = ReadXlsx(WriteXlsx(sheet));
        EXPECT_NE(PartText(book.zip, "xl/workbook.xml").find(std::string("<sheet name=\"") + c.written + "\""),
                  std::string::npos);
    }
}

TEST(XlsxWriterTest, SameSheetGivesSameBytesWithTheGivenTime) {
    XlsxSheet sheet;
    sheet.rows = {{"h", "n"}, {"a", "1"}};
    const std::string first = WriteXlsx(sheet, {2024, 3, 9, 10, 20, 30});
    EXPECT_EQ(WriteXlsx(sheet, {2024, 3, 9, 10, 20, 30}), first);
    ZipReadResult zip = ReadZip(first);
    ASSERT_TRUE(zip.ok) << zip.error;
    for (const ZipReadEntry& entry : zip.entries) {
        EXPECT_EQ(entry.dosDate, (44 << 9) | (3 << 5) | 9) << entry.name;
        EXPECT_EQ(entry.dosTime, (10 << 11) | (20 << 5) | 15) << entry.name;
    }
}

TEST(XlsxWriterTest, RefusesMoreThanExcelHolds) {
    XlsxSheet tooWide;
    tooWide.rows.push_back(std::vector<std::string>(kMaxXlsxColumns + 1));
    EXPECT_EQ(WriteXlsx(tooWide), "");

    XlsxSheet tooLong;
    tooLong.rows.resize(kMaxXlsxRows + 1);
    EXPECT_EQ(WriteXlsx(tooLong), "");
    tooLong.rows.resize(kMaxXlsxRows);
    tooLong.rows.back() = {"last"};
    ReadWorkbook book = ReadXlsx(WriteXlsx(tooLong));
    EXPECT_EQ(book.cells["A1048576"], Text("last"));

    XlsxSheet badTime;
    badTime.rows = {{"h"}};
    EXPECT_EQ(WriteXlsx(badTime, {1970, 1, 1, 0, 0, 0}), "");
}

}  // namespace
}  // namespace zandrel
