// Times the results table's workbench at 100,000 rows of generated GBK keywords (a fixed seed, so every run
// sees the same table): sorting, filtering while typing, hiding and deleting rows by exclude words, merging
// duplicates, and undo. Prints one figure a line as "name: value unit". Not a test; build it Release:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build/bench -t workbench_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "table/csv_writer.h"
#include "table/exclude_words.h"
#include "table/grid_model.h"
#include "table/merge_duplicates.h"
#include "table/row_view.h"
#include "table/table_bytes.h"
#include "table/table_ops.h"
#include "table/table_texts.h"
#include "table/undo_history.h"
#include "table/word_search.h"
#include "bench_results.h"

namespace {

using namespace zandrel;
using namespace zandrel::bench;

constexpr int kRows = 100000;
constexpr int kRuns = 5;

// 300 exclude words: two-character hanzi pairs from GB2312 level 1 (rarely in a keyword), a few real ones,
// some ASCII brands.
std::string MakeExcludeText() {
    std::mt19937 random(7);
    std::string text = "\xC5\xFA\xB7\xA2\r\n";  // 批发
    text += "\xB6\xFE\xCA\xD6\r\n";             // 二手
    text += "nike\r\nadidas\r\n";
    for (int i = 0; i < 296; ++i) {
        for (int c = 0; c < 2; ++c) {
            text += static_cast<char>(0xB0 + random() % 40);
            text += static_cast<char>(0xA1 + random() % 94);
        }
        text += "\r\n";
    }
    return text;
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

template <typename Run>
double MedianMs(Run run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(Since(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// As MedianMs, each run on a fresh copy of `grid` that it may change; the copying is not timed.
template <typename Run>
double MedianMsOnCopy(const GridModel& grid, Run run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        GridModel copy = grid;
        const auto start = std::chrono::steady_clock::now();
        run(copy);
        times.push_back(Since(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Print(const char* name, double value, const char* unit) {
    std::printf("%s: %.1f %s\n", name, value, unit);
}

void PrintCount(const char* name, long long value, const char* unit) {
    std::printf("%s: %lld %s\n", name, value, unit);
}

}  // namespace

int main() {
    const GridModel grid = MakeResults(kRows);
    const size_t tableBytes = TableBytes(grid);
    Print("table_bytes_100k", static_cast<double>(tableBytes) / (1 << 20), "MB");

    // Sorting.
    {
        RowView view(grid);
        Print("sort_count_100k", MedianMs([&] { view.SetSortKey({kListingsColumn, SortDirection::kFirst}); }), "ms");
        Print("sort_count_smallest_first_100k", MedianMs([&] {
                  view.SetSortKey({kListingsColumn, SortDirection::kSecond});
              }),
              "ms");
        Print("sort_keyword_100k", MedianMs([&] { view.SetSortKey({kKeywordColumn, SortDirection::kFirst}); }), "ms");
        Print("sort_none_100k", MedianMs([&] { view.SetSortKey({kKeywordColumn, SortDirection::kNone}); }), "ms");
    }

    // Filtering as the query is typed, a character at a time, over rows sorted by count.
    {
        RowView view(grid);
        view.SetSortKey({kListingsColumn, SortDirection::kFirst});
        const std::string query = std::string(kProducts[0]) + " " + kSuffixes[0] + " -" + kModifiers[1];
        std::vector<std::string> keystrokes;  // the query after each character typed
        for (size_t i = 0; i < query.size();) {
            i += GbkCharLength(query, i);
            keystrokes.push_back(query.substr(0, i));
        }
        double total = 0;
        double worst = 0;
        for (const std::string& typed : keystrokes) {
            const double ms = MedianMs([&] { view.SetFilter(typed); });
            total += ms;
            worst = std::max(worst, ms);
        }
        Print("filter_keystroke_100k", total / static_cast<double>(keystrokes.size()), "ms");
        Print("filter_keystroke_worst_100k", worst, "ms");
        PrintCount("filter_shown_100k", view.ShownCount(), "rows");
    }

    // Exclude words: hiding in the view, the matching itself with the indexed set and word by word, deleting.
    const ExcludeWords words = ExcludeWords::FromText(MakeExcludeText());
    {
        RowView view(grid);
        Print("hide_300_words_100k", MedianMs([&] { view.SetHiddenWords(words); }), "ms");
        int matched = 0;
        Print("match_300_words_indexed_100k", MedianMs([&] {
                  matched = 0;
                  for (int row = 1; row < grid.RowCount(); ++row) {
                      matched += words.AnyIn(grid.GetCell(row, kKeywordColumn)) ? 1 : 0;
                  }
              }),
              "ms");
        std::vector<std::string> prepared;
        for (const std::string& word : words.Words()) {
            prepared.push_back(PrepareWord(word));
        }
        int naiveMatched = 0;
        Print("match_300_words_one_by_one_100k", MedianMs([&] {
                  naiveMatched = 0;
                  for (int row = 1; row < grid.RowCount(); ++row) {
                      const std::string& keyword = grid.GetCell(row, kKeywordColumn);
                      naiveMatched += std::any_of(prepared.begin(), prepared.end(),
                                                  [&](const std::string& w) { return HoldsWord(keyword, w); });
                  }
              }),
              "ms");
        PrintCount("exclude_matched_100k", matched, matched == naiveMatched ? "rows" : "rows (MISMATCH)");
        Print("exclude_delete_100k", MedianMsOnCopy(grid, [&](GridModel& g) { DeleteRowsWithExcludeWords(g, words); }),
              "ms");
    }

    // Merging duplicates.
    {
        GridModel merged = grid;
        MergeDuplicates(merged);
        PrintCount("merge_removed_100k", grid.RowCount() - merged.RowCount(), "rows");
        Print("merge_100k", MedianMsOnCopy(grid, [](GridModel& g) { MergeDuplicates(g); }), "ms");
    }

    // Undo: every action on a fresh copy, timed forwards and back.
    {
        std::vector<int> everyThird;
        for (int row = 1; row < grid.RowCount(); row += 3) {
            everyThird.push_back(row);
        }
        double clearMs = 0, undoClearMs = 0, redoClearMs = 0, deleteMs = 0, undoDeleteMs = 0, undoMergeMs = 0;
        bool identical = true;
        const std::string before = TableToCsv(grid);
        for (int i = 0; i < kRuns; ++i) {
            GridModel copy = grid;
            UndoHistory history(copy);
            auto start = std::chrono::steady_clock::now();
            history.DeleteRows(everyThird);
            deleteMs += Since(start);
            start = std::chrono::steady_clock::now();
            history.Undo();
            undoDeleteMs += Since(start);

            history.MergeDuplicates();
            start = std::chrono::steady_clock::now();
            history.Undo();
            undoMergeMs += Since(start);

            start = std::chrono::steady_clock::now();
            history.ClearTable();
            clearMs += Since(start);
            start = std::chrono::steady_clock::now();
            history.Undo();
            undoClearMs += Since(start);
            start = std::chrono::steady_clock::now();
            history.Redo();
            redoClearMs += Since(start);
            history.Undo();
            identical = identical && TableToCsv(copy) == before;
        }
        Print("delete_every_third_row_100k", deleteMs / kRuns, "ms");
        Print("undo_delete_every_third_row_100k", undoDeleteMs / kRuns, "ms");
        Print("undo_merge_100k", undoMergeMs / kRuns, "ms");
        Print("clear_100k", clearMs / kRuns, "ms");
        Print("undo_clear_100k", undoClearMs / kRuns, "ms");
        Print("redo_clear_100k", redoClearMs / kRuns, "ms");
        std::printf("undo_restores_table: %s\n", identical ? "byte-identical" : "DIFFERS");
    }

    // What the history holds after deleting a tenth of the rows, merging, deleting by exclude words and
    // clearing, against the table it started from: every removed row once, nothing copied.
    {
        GridModel copy = grid;
        UndoHistory history(copy);
        std::vector<int> everyTenth;
        for (int row = 1; row < copy.RowCount(); row += 10) {
            everyTenth.push_back(row);
        }
        history.DeleteRows(everyTenth);
        history.MergeDuplicates();
        history.DeleteExcludedRows(words);
        history.ClearTable();
        Print("undo_history_bytes_ratio", static_cast<double>(history.Bytes()) / static_cast<double>(tableBytes), "x");
        PrintCount("undo_history_records", static_cast<long long>(history.UndoCount()), "records");
    }
    return 0;
}
