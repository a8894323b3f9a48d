#include "table/csv_writer.h"

#include "base/encoding.h"
#include "table/grid_model.h"
#include "table/table_texts.h"

#include <vector>

namespace zandrel {

namespace {

// A byte-wise search is safe on GBK: trail bytes are 0x40..0xFE, so they never look like ',', '"', CR or LF.
bool NeedsQuoting(std::string_view cell) {
    return cell.find_first_of(",\"\r\n") != std::string_view::npos;
}

void AppendCell(std::string& out, std::string_view cell) {
    if (!NeedsQuoting(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

}  // namespace

std::string TableToCsv(const GridModel& grid) {
    const std::vector<int> columns = SavedColumns(grid);
    std::string out;
    for (int row = 0; row < grid.RowCount(); ++row) {
        AppendCsvLine(out, grid, row, columns);
    }
    return out;
}

std::string TableToCsv(const GridModel& grid, std::span<const int> rows) {
    const std::vector<int> columns = SavedColumns(grid);
    std::string out;
    AppendCsvLine(out, grid, 0, columns);
    for (int row : rows) {
        if (row >= 1 && row < grid.RowCount()) {
            AppendCsvLine(out, grid, row, columns);
        }
    }
    return out;
}

std::vector<int> SavedColumns(const GridModel& grid) {
    std::vector<int> columns;
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        if (grid.GetCell(0, column) != kTitleModifiedMark) {
            columns.push_back(column);
        }
    }
    return columns;
}

void AppendCsvLine(std::string& out, const GridModel& grid, int row, std::span<const int> columns) {
    bool first = true;
    for (int column : columns) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendCell(out, grid.GetCell(row, column));
    }
    out += "\r\n";
}

std::string DocumentNameFromPath(std::string_view path) {
    // Walk by characters: the second byte of a double-byte character may be 0x5C, which is not a separator.
    size_t nameStart = std::string_view::npos;
    size_t i = 0;
    while (i < path.size()) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsGbkLeadByte(c) && i + 1 < path.size()) {
            i += 2;
            continue;
        }
        if (c == '\\') {
            nameStart = i + 1;
        }
        ++i;
    }
    if (nameStart == std::string_view::npos) {
        return std::string();
    }
    return CutGbk(path.substr(nameStart), 100);
}

}  // namespace zandrel
