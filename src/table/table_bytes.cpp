#include "table/table_bytes.h"

namespace zandrel {

namespace {

// What a string holds without a heap block (15 bytes in libstdc++).
size_t InlineCapacity() {
    static const size_t capacity = std::string().capacity();
    return capacity;
}

}  // namespace

size_t StringBytes(const std::string& text) {
    return text.capacity() > InlineCapacity() ? text.capacity() + 1 : 0;
}

size_t RowBytes(const GridRow& row) {
    size_t bytes = sizeof(GridRow) + row.capacity() * sizeof(std::string);
    for (const std::string& cell : row) {
        bytes += StringBytes(cell);
    }
    return bytes;
}

size_t RowsBytes(const std::vector<GridRow>& rows) {
    size_t bytes = rows.capacity() * sizeof(GridRow);
    for (const GridRow& row : rows) {
        bytes += RowBytes(row) - sizeof(GridRow);  // the row's object sits in the outer vector's block
    }
    return bytes;
}

size_t TableBytes(const GridModel& grid) {
    const size_t columns = static_cast<size_t>(grid.ColumnCount());
    size_t bytes = 0;
    for (int row = 0; row < grid.RowCount(); ++row) {
        bytes += sizeof(GridRow) + columns * sizeof(std::string);
        for (int column = 0; column < grid.ColumnCount(); ++column) {
            bytes += StringBytes(grid.GetCell(row, column));
        }
    }
    return bytes;
}

}  // namespace zandrel
