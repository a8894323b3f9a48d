// "合并重复": one row per keyword.
#pragma once

#include "table/table_edit.h"

namespace zandrel {

class GridModel;

// Keywords are compared as FoldKeyword folds them. The first row of each keyword keeps its place and its text;
// its listing count becomes the largest among its duplicates (any number beats an empty or non-numeric count;
// of equal numbers the earlier row's text stays), and the later duplicates are removed. Rows whose keyword
// folds to nothing are left as they are. One pass with a hash of the folded keywords. Returns the made edit:
// the removed rows and the counts that changed.
TableEdit MergeDuplicates(GridModel& grid);

}  // namespace zandrel
