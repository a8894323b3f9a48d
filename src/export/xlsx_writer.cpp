#include "export/xlsx_writer.h"

#include "export/xml_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <unordered_map>

namespace zandrel {
namespace {

constexpr size_t kMaxCountDigits = 15;

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
constexpr std::string_view kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

constexpr std::string_view kContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "<Override PartName=\"/xl/sharedStrings.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
    "</Types>";

constexpr std::string_view kPackageRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "</Relationships>";

constexpr std::string_view kWorkbookRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/>"
    "</Relationships>";

// Style 0 is the default cell, style 1 the bold header cell. Excel wants the two leading fills.
constexpr std::string_view kStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"2\">"
    "<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "</fonts>"
    "<fills count=\"2\">"
    "<fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill>"
    "</fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"2\">"
    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
    "</cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

// The header row stays in view while the rows scroll under it.
constexpr std::string_view kFrozenHeaderView =
    "<sheetViews><sheetView workbookViewId=\"0\">"
    "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"
    "</sheetView></sheetViews>";

void AppendNumber(std::string& out, size_t value) {
    std::array<char, 24> digits;
    auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out.append(digits.data(), result.ptr);
}

// "A".."Z", "AA".."ZZ", "AAA".. for columns 0, 1, ...
std::string ColumnName(size_t column) {
    std::string reversed;
    for (size_t n = column + 1; n > 0; n = (n - 1) / 26) {
        reversed += static_cast<char>('A' + (n - 1) % 26);
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

std::string Workbook(std::string_view sheetName) {
    std::string out(kXmlDeclaration);
    out += "<workbook xmlns=\"";
    out += kMainNamespace;
    out += "\" xmlns:r=\"";
    out += kRelationshipsNamespace;
    out += "\"><bookViews><workbookView/></bookViews><sheets><sheet name=\"";
    AppendXmlText(out, SheetNameFrom(sheetName));
    out += "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    return out;
}

// The shared string table: every distinct text once, in order of first use; cells refer to it by index.
class SharedStrings {
  public:
    static constexpr size_t kNothing = SIZE_MAX;

    SharedStrings(size_t expectedBytes, size_t expectedTexts) {
        items_.reserve(expectedBytes);
        indices_.reserve(expectedTexts);
    }

    // The index of the text `cell` cleans up to, added when new; kNothing when nothing of it is left. The
    // table keeps a view of `cell`, so a cell must outlive it.
    size_t IndexOf(std::string_view cell) {
        auto [it, added] = indices_.try_emplace(cell, kNothing);
        if (added) {
            it->second = Add(cell);
        }
        if (it->second != kNothing) {
            ++uses_;
        }
        return it->second;
    }

    std::string Xml() const {
        std::string out;
        out.reserve(items_.size() + 256);
        out += kXmlDeclaration;
        out += "<sst xmlns=\"";
        out += kMainNamespace;
        out += "\" count=\"";
        AppendNumber(out, uses_);
        out += "\" uniqueCount=\"";
        AppendNumber(out, unique_);
        out += "\">";
        out += items_;
        out += "</sst>";
        return out;
    }

  private:
    size_t Add(std::string_view cell) {
        const size_t start = items_.size();
        items_ += "<si><t>";
        const size_t textStart = items_.size();
        AppendXmlText(items_, cell);
        if (items_.size() == textStart) {
            items_.resize(start);
            return kNothing;
        }
        // Excel trims white space from the ends of a text unless told to keep it.
        const std::string_view text = std::string_view(items_).substr(textStart);
        constexpr std::string_view kSpaces = " \t\n";
        if (kSpaces.find(text.front()) != std::string_view::npos ||
            kSpaces.find(text.back()) != std::string_view::npos || text.starts_with("&#13;") ||
            text.ends_with("&#13;")) {
            items_.insert(textStart - 1, " xml:space=\"preserve\"");
        }
        items_ += "</t></si>";
        return unique_++;
    }

    std::string items_;
    size_t uses_ = 0;
    size_t unique_ = 0;
    std::unordered_map<std::string_view, size_t> indices_;
};

}  // namespace

bool IsPlainCount(std::string_view text) {
    if (text.empty() || text.size() > kMaxCountDigits || (text[0] == '0' && text.size() > 1)) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string WriteXlsx(const XlsxSheet& sheet, const DosTimestamp& time) {
    size_t columns = 0;
    size_t cellBytes = 0;
    for (const auto& row : sheet.rows) {
        columns = std::max(columns, row.size());
        for (const std::string& cell : row) {
            cellBytes += cell.size();
        }
    }
    if (sheet.rows.size() > kMaxXlsxRows || columns > kMaxXlsxColumns) {
        return std::string();
    }
    std::vector<std::string> columnNames;
    std::vector<bool> isCountColumn(columns, false);
    for (size_t column = 0; column < columns; ++column) {
        columnNames.push_back(ColumnName(column));
    }
    for (int column : sheet.countColumns) {
        if (column >= 0 && static_cast<size_t>(column) < columns) {
            isCountColumn[column] = true;
        }
    }

    // Room for every cell's text once; a results table repeats mostly its searched keywords, so about one new
    // text a row is a fair first guess for the index.
    SharedStrings strings(cellBytes + cellBytes / 8 + sheet.rows.size() * columns * 16 + 256, sheet.rows.size());
    std::string xml;
    xml.reserve(sheet.rows.size() * (columns * 40 + 24) + 1024);
    xml += kXmlDeclaration;
    xml += "<worksheet xmlns=\"";
    xml += kMainNamespace;
    xml += "\" xmlns:r=\"";
    xml += kRelationshipsNamespace;
    xml += "\"><dimension ref=\"A1";
    if (sheet.rows.size() > 1 || columns > 1) {
        xml += ':';
        xml += columnNames.empty() ? "A" : columnNames.back();
        AppendNumber(xml, std::max<size_t>(sheet.rows.size(), 1));
    }
    xml += "\"/>";
    xml += kFrozenHeaderView;
    bool colsOpen = false;
    for (size_t column = 0; column < sheet.columnWidths.size() && column < kMaxXlsxColumns; ++column) {
        if (sheet.columnWidths[column] <= 0) {
            continue;
        }
        xml += colsOpen ? "<col min=\"" : "<cols><col min=\"";
        colsOpen = true;
        AppendNumber(xml, column + 1);
        xml += "\" max=\"";
        AppendNumber(xml, column + 1);
        xml += "\" width=\"";
        AppendNumber(xml, static_cast<size_t>(sheet.columnWidths[column]));
        xml += "\" customWidth=\"1\"/>";
    }
    if (colsOpen) {
        xml += "</cols>";
    }
    xml += "<sheetData>";

    std::string rowNumber;
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const std::vector<std::string>& row = sheet.rows[r];
        const bool header = r == 0;
        rowNumber.clear();
        AppendNumber(rowNumber, r + 1);
        bool rowOpen = false;
        for (size_t column = 0; column < row.size(); ++column) {
            const std::string& cell = row[column];
            if (cell.empty()) {
                continue;
            }
            const bool number = !header && isCountColumn[column] && IsPlainCount(cell);
            const size_t stringIndex = number ? SharedStrings::kNothing : strings.IndexOf(cell);
            if (!number && stringIndex == SharedStrings::kNothing) {
                continue;
            }
            if (!rowOpen) {
                xml += "<row r=\"";
                xml += rowNumber;
                xml += "\">";
                rowOpen = true;
            }
            xml += "<c r=\"";
            xml += columnNames[column];
            xml += rowNumber;
            if (number) {
                xml += "\"><v>";
                xml += cell;
            } else {
                xml += header ? "\" s=\"1\" t=\"s\"><v>" : "\" t=\"s\"><v>";
                AppendNumber(xml, stringIndex);
            }
            xml += "</v></c>";
        }
        if (rowOpen) {
            xml += "</row>";
        }
    }
    xml += "</sheetData></worksheet>";

    const std::string sharedStrings = strings.Xml();
    const std::string contentTypes = std::string(kXmlDeclaration) + std::string(kContentTypes);
    const std::string packageRelationships = std::string(kXmlDeclaration) + std::string(kPackageRelationships);
    const std::string workbook = Workbook(sheet.name);
    const std::string workbookRelationships = std::string(kXmlDeclaration) + std::string(kWorkbookRelationships);
    const std::string styles = std::string(kXmlDeclaration) + std::string(kStyles);
    const ZipEntry entries[] = {
        {"[Content_Types].xml", contentTypes},   {"_rels/.rels", packageRelationships},
        {"xl/workbook.xml", workbook},           {"xl/_rels/workbook.xml.rels", workbookRelationships},
        {"xl/worksheets/sheet1.xml", xml},       {"xl/styles.xml", styles},
        {"xl/sharedStrings.xml", sharedStrings},
    };
    return WriteZip(entries, time);
}

}  // namespace zandrel
