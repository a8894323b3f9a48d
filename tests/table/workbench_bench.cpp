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

namespace {

using namespace zandrel;

constexpr int kRows = 100000;
constexpr int kRuns = 5;

const char* const kModifiers[] = {
    "\xD0\xC2\xBF\xEE",  // 新款
    "\xBA\xAB\xB0\xE6",  // 韩版
    "\xCF\xC4\xBC\xBE",  // 夏季
    "\xB6\xAC\xBC\xBE",  // 冬季
    "\xBF\xED\xCB\xC9",  // 宽松
    "\xD0\xDE\xC9\xED",  // 修身
    "\xB3\xA4\xBF\xEE",  // 长款
    "\xB6\xCC\xBF\xEE",  // 短款
    "\xBC\xD3\xBA\xF1",  // 加厚
    "\xB4\xBF\xC3\xDE",  // 纯棉
    "\xD5\xE6\xCB\xBF",  // 真丝
    "\xB8\xB4\xB9\xC5",  // 复古
    "\xB0\xD9\xB4\xEE",  // 百搭
    "\xD1\xA7\xC9\xFA",  // 学生
    "\xB4\xF3\xC2\xEB",  // 大码
    "\xCF\xD4\xCA\xDD",  // 显瘦
    "\xB8\xDF\xD1\xFC",  // 高腰
    "\xCD\xF8\xBA\xEC",  // 网红
    "\xCD\xAC\xBF\xEE",  // 同款
    "\xD5\xFD\xC6\xB7",  // 正品
    "\xBC\xF2\xD4\xBC",  // 简约
    "\xCA\xB1\xC9\xD0",  // 时尚
    "\xB4\xBA\xC7\xEF",  // 春秋
    "\xC7\xE5\xB2\xD6",  // 清仓
    "\xB0\xFC\xD3\xCA",  // 包邮
};
const char* const kProducts[] = {
    "\xC1\xAC\xD2\xC2\xC8\xB9",          // 连衣裙
    "\xCA\xD6\xBB\xFA\xBF\xC7",          // 手机壳
    "\xB6\xFA\xBB\xFA",                  // 耳机
    "\xCD\xE2\xCC\xD7",                  // 外套
    "\xB6\xCC\xD0\xE4",                  // 短袖
    "\xBF\xE3\xD7\xD3",                  // 裤子
    "\xB3\xC4\xC9\xC0",                  // 衬衫
    "\xCE\xC0\xD2\xC2",                  // 卫衣
    "\xC3\xAB\xD2\xC2",                  // 毛衣
    "\xD3\xF0\xC8\xDE\xB7\xFE",          // 羽绒服
    "\xD4\xCB\xB6\xAF\xD0\xAC",          // 运动鞋
    "\xB7\xAB\xB2\xBC\xD0\xAC",          // 帆布鞋
    "\xCB\xAB\xBC\xE7\xB0\xFC",          // 双肩包
    "\xCA\xD6\xB1\xED",                  // 手表
    "\xCF\xEE\xC1\xB4",                  // 项链
    "\xBF\xDA\xBA\xEC",                  // 口红
    "\xC3\xE6\xC4\xA4",                  // 面膜
    "\xCA\xFD\xBE\xDD\xCF\xDF",          // 数据线
    "\xB3\xE4\xB5\xE7\xB1\xA6",          // 充电宝
    "\xC0\xB6\xD1\xC0\xD2\xF4\xCF\xE4",  // 蓝牙音箱
    "\xB1\xA3\xCE\xC2\xB1\xAD",          // 保温杯
    "\xCA\xD5\xC4\xC9\xBA\xD0",          // 收纳盒
    "\xB4\xB2\xB5\xA5",                  // 床单
    "\xCD\xCF\xD0\xAC",                  // 拖鞋
    "\xD3\xEA\xC9\xA1",                  // 雨伞
};
const char* const kSuffixes[] = {
    "\xC5\xAE",                  // 女
    "\xC4\xD0",                  // 男
    "\xB6\xF9\xCD\xAF",          // 儿童
    "\xCC\xD7\xD7\xB0",          // 套装
    "\xC5\xFA\xB7\xA2",          // 批发
    "\xC6\xEC\xBD\xA2\xB5\xEA",  // 旗舰店
    "\xC0\xF1\xBA\xD0",          // 礼盒
};
const char* const kBrands[] = {"iPhone", "IPHONE", "Nike", "vivo", "OPPO", "Adidas", "huawei", "ins"};
const char* const kFailed = "\xBB\xF1\xC8\xA1\xCA\xA7\xB0\xDC";  // 获取失败

template <typename T, size_t N>
const T& Pick(std::mt19937& random, const T (&items)[N]) {
    return items[random() % N];
}

// Brand, one or two modifiers, a product and a suffix, each but the product left out at times; now and then
// in full-width letters or with spaces, as the suggestion services send them. Many keywords come out twice.
std::string MakeKeyword(std::mt19937& random) {
    std::string keyword;
    if (random() % 5 == 0) {
        std::string brand = Pick(random, kBrands);
        if (random() % 4 == 0) {
            std::string wide;  // full-width: A3 followed by the letter + 0x80
            for (char c : brand) {
                wide += '\xA3';
                wide += static_cast<char>(static_cast<unsigned char>(c) + 0x80);
            }
            brand = wide;
        }
        keyword += brand;
        keyword += random() % 2 ? " " : "";
    }
    keyword += Pick(random, kModifiers);
    if (random() % 2) {
        keyword += Pick(random, kModifiers);
    }
    keyword += Pick(random, kProducts);
    if (random() % 3) {
        keyword += random() % 6 == 0 ? " " : "";
        keyword += Pick(random, kSuffixes);
    }
    return keyword;
}

GridModel MakeResults(int rows) {
    std::mt19937 random(20240611);
    GridModel grid(1, kTableColumnCount);
    InitTableHeader(grid);
    std::string seed;
    for (int i = 1; i <= rows; ++i) {
        grid.AppendRow(std::to_string(i));
        const std::string keyword = MakeKeyword(random);
        grid.SetCell(i, kKeywordColumn, keyword);
        const unsigned roll = random() % 100;
        const std::string count = roll < 3   ? std::string()
                                  : roll < 4 ? std::string(kFailed)
                                             : std::to_string(random() % 5000000);
        grid.SetCell(i, kListingsColumn, count);
        if (i % 10 == 1) {
            seed = keyword;
            grid.SetCell(i, kSearchedColumn, seed);
        }
    }
    return grid;
}

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
