// Times the workbench as the seller meets it, under Wine or Windows: 100,000 rows in the real grid window, each
// action measured until the grid has repainted. Prints one figure a line as "name: value unit". Not a test:
//   wine build/windows/tests/table/grid_view_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "base/win_handles.h"
#include "bench_results.h"
#include "table/grid_window_win.h"
#include "table/table_bytes.h"
#include "table/undo_history.h"

namespace {

using namespace zandrel;

constexpr int kRows = 100000;
constexpr int kRuns = 5;

double MedianMs(const std::function<void()>& before, const std::function<void()>& action) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        before();
        const auto start = std::chrono::steady_clock::now();
        action();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    UniqueWindow host(CreateWindowExW(0, L"STATIC", L"grid view bench", WS_POPUP | WS_VISIBLE, 40, 40, 460, 420,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    UniqueFont font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"SimSun"));
    GridWindow* grid = GridWindow::Create(host.get(), 1, RECT{0, 0, 440, 400}, font.get(), 1, kTableColumnCount);
    if (!host || !grid) {
        std::printf("no window\n");
        return 1;
    }
    GridModel& model = grid->Model();
    {
        GridModel made = bench::MakeResults(kRows);
        GridContents contents = made.TakeContents();
        model.SwapContents(contents);
    }
    UndoHistory history(model);
    grid->ModelChanged();
    const auto repaint = [grid] { UpdateWindow(grid->Hwnd()); };
    repaint();

    const auto sortBy = [&](int column) {
        return MedianMs([&] { grid->SetSortKey(SortKey{}); },
                        [&] {
                            grid->SetSortKey(SortKey{column, SortDirection::kFirst});
                            repaint();
                        });
    };
    std::printf("grid_sort_count_100k: %.1f ms\n", sortBy(kListingsColumn));
    std::printf("grid_sort_keyword_100k: %.1f ms\n", sortBy(kKeywordColumn));
    grid->SetSortKey(SortKey{});
    // One keystroke: the filter grows by a character, as typed.
    std::printf("grid_filter_keystroke_100k: %.1f ms\n", MedianMs([&] { grid->SetFilter("\xD0\xC2"); },  // 新
                                                                  [&] {
                                                                      grid->SetFilter("\xD0\xC2\xBF\xEE");  // 新款
                                                                      repaint();
                                                                  }));
    grid->SetFilter("");
    std::printf("grid_merge_100k: %.1f ms\n", MedianMs([&] { history.Undo(); },
                                                       [&] {
                                                           history.MergeDuplicates();
                                                           grid->ModelChanged();
                                                           repaint();
                                                       }));
    history.Undo();
    grid->ModelChanged();
    history.Forget();
    std::printf("grid_undo_clear_100k: %.1f ms\n", MedianMs([&] { history.ClearTable(); },
                                                            [&] {
                                                                history.Undo();
                                                                grid->ModelChanged();
                                                                repaint();
                                                            }));
    history.Forget();
    const double tableBytes = static_cast<double>(TableBytes(model));
    history.ClearTable();
    std::printf("undo_history_after_clear_to_table_bytes: %.2f x\n", static_cast<double>(history.Bytes()) / tableBytes);
    history.Undo();
    return 0;
}
