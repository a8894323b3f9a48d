// Fuzzes the grid model and the table operations under random sequences of their operations, next to a plain
// copy of the cells that each operation is replayed on. After every step: the cells are those of the copy, the
// cursor is inside the table, and the selection is either nothing or a rectangle of data cells around the
// cursor; it never takes in the header row.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_common.h"
#include "table/grid_model.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

namespace {

using namespace zandrel;
using fuzz::Check;
using Cells = std::vector<std::vector<std::string>>;

int Coordinate(FuzzedDataProvider& provider, int size) {
    switch (provider.ConsumeIntegralInRange<int>(0, 7)) {
        case 0: return INT_MIN;
        case 1: return INT_MAX;
        default: return provider.ConsumeIntegralInRange<int>(-2, size + 1);
    }
}

int Delta(FuzzedDataProvider& provider) {
    switch (provider.ConsumeIntegralInRange<int>(0, 7)) {
        case 0: return INT_MIN;
        case 1: return INT_MAX;
        default: return provider.ConsumeIntegralInRange<int>(-3, 3);
    }
}

// Rows first..first+count-1 of the copy, cut at its end, as the model is documented to remove them.
void EraseRows(Cells& cells, int first, int count) {
    const int last = static_cast<int>(cells.size()) - 1;
    if (first < 1 || first > last || count < 1) {
        return;
    }
    const int64_t end = std::min<int64_t>(static_cast<int64_t>(first) + count, last + 1);
    cells.erase(cells.begin() + first, cells.begin() + end);
}

void CheckState(const GridModel& grid, const Cells& cells, int columns) {
    Check(grid.RowCount() == static_cast<int>(cells.size()), "row count as the copy");
    Check(grid.ColumnCount() == columns, "column count as created");
    for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            Check(grid.GetCell(r, c) == cells[r][c], "cells as the copy");
        }
    }
    Check(grid.GetCell(grid.RowCount(), 0).empty() && grid.GetCell(0, columns).empty() && grid.GetCell(-1, 0).empty(),
          "cells outside read empty");

    const int row = grid.CursorRow();
    const int column = grid.CursorColumn();
    Check(row >= 0 && row < grid.RowCount(), "cursor row inside the table");
    Check(columns == 0 ? column == 0 : (column >= 0 && column < columns), "cursor column inside the table");

    const int top = grid.SelectionTop();
    const int bottom = grid.SelectionBottom();
    for (int c = -1; c <= columns; ++c) {
        Check(!grid.IsSelected(0, c), "the header row is never selected");
        Check(!grid.IsSelected(grid.RowCount(), c), "no row past the end is selected");
    }
    if (top == -1 || bottom == -1) {
        Check(top == bottom, "both ends or neither");
        Check(grid.SelectionAsTabText().empty(), "nothing selected, nothing copied");
        if (row >= 1 && columns > 0) {
            fuzz::Fail("a cursor on a data cell always selects at least that cell");
        }
        return;
    }
    Check(top >= 1 && top <= bottom && bottom < grid.RowCount(), "selection rows are data rows");
    Check(row >= top && row <= bottom, "the cursor lies in the selection");
    const CellRange range = grid.Selection();
    Check(range.top == top && range.bottom == bottom, "selection rectangle and rows agree");
    Check(range.left >= 0 && range.left <= range.right && range.right < columns, "selection columns inside");
    Check(column >= range.left && column <= range.right, "the cursor column lies in the selection");
    Check(grid.IsSelected(row, column) && grid.IsSelected(top, range.left) && grid.IsSelected(bottom, range.right),
          "the corners are selected");
    Check(!grid.IsSelected(top, range.right + 1) && !grid.IsSelected(bottom + 1, range.left),
          "nothing past the corners");
    std::string expected;
    for (int r = top; r <= bottom; ++r) {
        for (int c = range.left; c <= range.right; ++c) {
            expected += (c > range.left ? "\t" : "") + cells[r][c];
        }
        expected += "\r\n";
    }
    Check(grid.SelectionAsTabText() == expected, "copied text is the selected cells");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    const int initialRows = provider.ConsumeIntegralInRange<int>(1, 5);
    const int columns = provider.ConsumeIntegralInRange<int>(0, 5);
    GridModel grid(initialRows, columns);
    const Cells initial(initialRows, std::vector<std::string>(columns));
    Cells cells = initial;
    CheckState(grid, cells, columns);

    for (int step = 0; step < 300 && provider.remaining_bytes() > 0; ++step) {
        const int rows = grid.RowCount();
        switch (provider.ConsumeIntegralInRange<int>(0, 11)) {
            case 0: {
                const int r = Coordinate(provider, rows);
                const int c = Coordinate(provider, columns);
                const std::string text = provider.ConsumeRandomLengthString(6);
                const bool inside = r >= 0 && r < rows && c >= 0 && c < columns;
                Check(grid.SetCell(r, c, text) == inside, "SetCell stores exactly the cells inside");
                if (inside) {
                    cells[r][c] = text;
                }
                break;
            }
            case 1: {
                const std::string text = provider.ConsumeRandomLengthString(6);
                grid.AppendRow(text);
                cells.emplace_back(columns);
                if (columns > 0) {
                    cells.back()[0] = text;
                }
                break;
            }
            case 2: {
                const int r = Coordinate(provider, rows);
                Check(grid.DeleteRow(r) == (r >= 1 && r < rows), "DeleteRow takes data rows only");
                EraseRows(cells, r, 1);
                break;
            }
            case 3: {
                const int first = Coordinate(provider, rows);
                const int count = provider.ConsumeBool() ? Delta(provider) : provider.ConsumeIntegralInRange(0, 12);
                Check(grid.DeleteRows(first, count) == (first >= 1 && first < rows && count >= 1),
                      "DeleteRows takes data rows only");
                EraseRows(cells, first, count);
                break;
            }
            case 4:
                grid.ResetGrid();
                cells = initial;
                break;
            case 5: {
                const int r = Coordinate(provider, rows);
                grid.SetCursor(r, Coordinate(provider, columns));
                Check(grid.CursorRow() == std::clamp(r, 0, rows - 1), "SetCursor clamps the row");
                break;
            }
            case 6: grid.ExtendSelectionTo(Coordinate(provider, rows), Coordinate(provider, columns)); break;
            case 7: {
                const int dRow = Delta(provider);
                const int dColumn = Delta(provider);
                grid.MoveCursorBy(dRow, dColumn, provider.ConsumeBool());
                Check(rows < 2 ? grid.CursorRow() == 0 : grid.CursorRow() >= 1, "keys keep to the data rows");
                break;
            }
            case 8: grid.SetColumnWidth(Coordinate(provider, columns), Delta(provider)); break;
            case 9: {
                // The rows the selection covers, or the cursor row alone; nothing from the header row.
                const int cursor = grid.CursorRow();
                int top = grid.SelectionTop();
                int bottom = grid.SelectionBottom();
                if (top < 1) {
                    top = bottom = cursor;
                }
                bool modified = false;
                DeleteSelectedRows(grid, modified);
                Check(modified, "delete always marks the table modified");
                if (cursor >= 1) {
                    EraseRows(cells, top, bottom - top + 1);
                }
                break;
            }
            case 10: {
                ClearTable(grid);
                cells.assign(1, std::vector<std::string>(columns));
                for (int c = 0; c < std::min(columns, kTableColumnCount); ++c) {
                    cells[0][c] = std::string(kColumnTitles[c]);
                }
                break;
            }
            case 11: {
                InitTableHeader(grid);
                for (int c = 0; c < std::min(columns, kTableColumnCount); ++c) {
                    cells[0][c] = std::string(kColumnTitles[c]);
                }
                break;
            }
        }
        CheckState(grid, cells, columns);
        for (int c = 0; c < columns; ++c) {
            Check(grid.ColumnWidth(c) >= 0, "widths are never negative");
        }
    }
    return 0;
}
