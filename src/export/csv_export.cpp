#include "export/csv_export.h"

#include "table/csv_writer.h"

namespace zandrel {

std::string RowsToCsv(const GridModel& grid, std::span<const int> rows) {
    return TableToCsv(grid, rows);
}

}  // namespace zandrel
