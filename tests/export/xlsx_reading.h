// Just enough of a workbook reader for the tests: the cells of sheet1 as this writer lays them out.
#pragma once

#include "zip_reader.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

struct ReadCell {
    bool number = false;
    bool bold = false;
    std::string value;  // the number's digits, or the shared string's XML text (still escaped)

    bool operator==(const ReadCell&) const = default;
};

struct ReadWorkbook {
    ZipReadResult zip;
    std::vector<std::string> strings;       // shared strings, escaped, in table order
    std::map<std::string, ReadCell> cells;  // by reference, "B2"
    std::vector<std::string> rowNumbers;    // r of every <row>, in order
    std::string sheetXml;
};

// Reads sheet1 and the shared strings of a workbook this writer made; fails the calling test when they are
// missing or do not parse.
ReadWorkbook ReadXlsx(std::string_view bytes);

std::string PartText(const ZipReadResult& zip, std::string_view name);

}  // namespace zandrel
