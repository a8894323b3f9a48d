#include "table/merge_duplicates.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "table/grid_model.h"
#include "table/keyword_fold.h"
#include "table/listing_count.h"
#include "table/table_texts.h"

namespace zandrel {

namespace {

// The rows of one keyword: where it stays, and which row holds the largest count so far.
struct Group {
    int keptRow = 0;
    int bestRow = 0;
    bool hasNumber = false;
    double count = 0;
};

}  // namespace

TableEdit MergeDuplicates(GridModel& grid) {
    const int rowCount = grid.RowCount();
    std::unordered_map<std::string, size_t> groupOfKeyword;
    groupOfKeyword.reserve(static_cast<size_t>(rowCount));
    std::vector<Group> groups;
    std::vector<int> duplicates;
    std::string folded;
    for (int row = 1; row < rowCount; ++row) {
        FoldKeywordInto(grid.GetCell(row, kKeywordColumn), folded);
        if (folded.empty()) {
            continue;
        }
        double count = 0;
        const bool isNumber = ParseListingCount(grid.GetCell(row, kListingsColumn), count);
        const auto [it, isNew] = groupOfKeyword.try_emplace(folded, groups.size());
        if (isNew) {
            groups.push_back({row, row, isNumber, count});
            continue;
        }
        duplicates.push_back(row);
        Group& group = groups[it->second];
        if (isNumber && (!group.hasNumber || count > group.count)) {
            group.bestRow = row;
            group.hasNumber = true;
            group.count = count;
        }
    }
    if (duplicates.empty()) {
        return {};
    }

    std::vector<CellChange> changes;
    for (const Group& group : groups) {
        if (group.bestRow == group.keptRow) {
            continue;
        }
        changes.push_back({group.keptRow, kListingsColumn, grid.GetCell(group.keptRow, kListingsColumn)});
        grid.SetCell(group.keptRow, kListingsColumn, grid.GetCell(group.bestRow, kListingsColumn));
    }
    TableEdit edit = RemoveRows(grid, std::move(duplicates));
    edit.cellChanges = std::move(changes);
    return edit;
}

}  // namespace zandrel
