#include "export/csv_export.h"

#include "export/export_rows.h"
#include "table/csv_writer.h"

#include <vector>

namespace zandrel {

std::string RowsToCsv(const GridModel& grid, std::span<const int> rows) {
    const std::vector<int> columns = SavedColumns(grid);
    std::string out;
    AppendCsvLine(out, grid, 0, columns);
    for (int row : rows) {
        if (IsExportedRow(grid, row)) {
            AppendCsvLine(out, grid, row, columns);
        }
    }
    return out;
}

}  // namespace zandrel
