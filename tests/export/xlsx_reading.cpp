#include "xlsx_reading.h"

#include <gtest/gtest.h>

#include <regex>

namespace zandrel {

std::string PartText(const ZipReadResult& zip, std::string_view name) {
    const ZipReadEntry* entry = FindEntry(zip, name);
    return entry != nullptr ? entry->data : std::string();
}

ReadWorkbook ReadXlsx(std::string_view bytes) {
    ReadWorkbook book;
    book.zip = ReadZip(bytes);
    EXPECT_TRUE(book.zip.ok) << book.zip.error;

    const std::string strings = PartText(book.zip, "xl/sharedStrings.xml");
    const std::regex item("<si><t(?: xml:space=\"preserve\")?>([^<]*)</t></si>");
    for (std::sregex_iterator it(strings.begin(), strings.end(), item), end; it != end; ++it) {
        book.strings.push_back((*it)[1]);
    }

    book.sheetXml = PartText(book.zip, "xl/worksheets/sheet1.xml");
    const std::regex row("<row r=\"([0-9]+)\">");
    for (std::sregex_iterator it(book.sheetXml.begin(), book.sheetXml.end(), row), end; it != end; ++it) {
        book.rowNumbers.push_back((*it)[1]);
    }
    const std::regex cell("<c r=\"([A-Z]+[0-9]+)\"( s=\"1\")?( t=\"s\")?><v>([^<]*)</v></c>");
    size_t cellCount = 0;
    for (std::sregex_iterator it(book.sheetXml.begin(), book.sheetXml.end(), cell), end; it != end; ++it) {
        ++cellCount;
        ReadCell read;
        read.bold = (*it)[2].matched;
        read.number = !(*it)[3].matched;
        read.value = (*it)[4];
        if (!read.number) {
            const size_t index = std::stoul(read.value);
            EXPECT_LT(index, book.strings.size()) << "cell " << (*it)[1];
            read.value = index < book.strings.size() ? book.strings[index] : "";
        }
        EXPECT_TRUE(book.cells.emplace((*it)[1], read).second) << "cell " << (*it)[1] << " twice";
    }
    // Every cell in the sheet must have matched the pattern.
    size_t opened = 0;
    for (size_t at = book.sheetXml.find("<c "); at != std::string::npos; at = book.sheetXml.find("<c ", at + 1)) {
        ++opened;
    }
    EXPECT_EQ(opened, cellCount) << "cells this reader does not understand";
    return book;
}

}  // namespace zandrel
