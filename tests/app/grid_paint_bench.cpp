// Figures for the results grid: one screen painted with 100 and with 100,000 rows (the ratio must stay under
// 1.5 because only the visible rows are drawn), and appending 100,000 rows through the window. Prints one figure a
// line as "name: value unit".
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "base/win_handles.h"
#include "table/grid_window_win.h"
#include "table/table_ops.h"

using namespace zandrel;
using Clock = std::chrono::steady_clock;

namespace {

double PaintMicros(GridWindow& grid, int repeats) {
    RECT client;
    GetClientRect(grid.Hwnd(), &client);
    WindowDc screen(grid.Hwnd());
    UniqueMemoryDc mem(CreateCompatibleDC(screen.get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    SelectedObject sel(mem.get(), bmp.get());
    auto start = Clock::now();
    for (int i = 0; i < repeats; ++i) {
        grid.Paint(mem.get(), client);
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / repeats;
}

void Fill(GridWindow& grid, int rows) {
    for (int i = 1; i <= rows; ++i) {
        grid.Model().AppendRow(std::to_string(i));
        grid.Model().SetCell(i, 1, "keyword " + std::to_string(i));
        grid.Model().SetCell(i, 2, std::to_string(i * 7));
    }
    grid.ModelChanged();
}

}  // namespace

int main() {
    HWND host =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 460, 420, nullptr, nullptr, nullptr, nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GridWindow* small = GridWindow::Create(host, 1, RECT{0, 0, 439, 399}, font, 1, 4);
    GridWindow* large = GridWindow::Create(host, 2, RECT{0, 0, 439, 399}, font, 1, 4);
    InitTableHeader(small->Model());
    InitTableHeader(large->Model());
    Fill(*small, 100);

    auto start = Clock::now();
    for (int i = 1; i <= 100000; ++i) {
        large->Model().AppendRow(std::to_string(i));
        large->Model().SetCell(i, 1, "keyword " + std::to_string(i));
        large->ModelChanged();
    }
    double appendMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

    // Scroll both to their middle before painting.
    small->ScrollToRow(50);
    large->ScrollToRow(50000);

    const int repeats = 200;
    PaintMicros(*small, 10);  // warm up
    double smallUs = PaintMicros(*small, repeats);
    double largeUs = PaintMicros(*large, repeats);
    std::printf("grid_paint_screen_100_rows: %.1f us\n", smallUs);
    std::printf("grid_paint_screen_100k_rows: %.1f us\n", largeUs);
    std::printf("grid_paint_screen_100k_rows_top_row: %d row\n", large->TopRow());     // the first row shown
    std::printf("grid_paint_screen_100k_over_100_rows: %.2f x\n", largeUs / smallUs);  // must stay under 1.5
    std::printf("grid_append_100k_rows_through_window: %.1f ms\n", appendMs);
    DestroyWindow(host);
    return 0;
}
