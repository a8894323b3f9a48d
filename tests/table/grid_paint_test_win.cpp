// What the grid shows on the screen is what its model holds: after each change the window's own pixels (read
// back from the screen, not painted anew for the test) equal a fresh drawing of the model, whether a scroll bar
// appears or goes meanwhile.
#include "table/grid_window_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/dib_section.h"
#include "base/win_handles.h"
#include "table/table_ops.h"
#include "table/table_texts.h"

namespace zandrel {
namespace {

// Dispatches what is queued until the thread has been idle for a little while: paints included.
void Pump() {
    int idle = 0;
    while (idle < 3) {
        MSG msg;
        bool any = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            any = true;
        }
        idle = any ? 0 : idle + 1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, QS_ALLINPUT);
    }
}

using Pixels = std::vector<uint32_t>;

// The client area's pixels through `draw`, which draws into a memory DC of the client's size.
Pixels Capture(HWND hwnd, const std::function<void(HDC, const RECT&)>& draw) {
    RECT client;
    GetClientRect(hwnd, &client);
    void* bits = nullptr;
    UniqueBitmap dib(CreateTopDownDib(client.right, client.bottom, &bits));
    UniqueMemoryDc mem(CreateCompatibleDC(nullptr));
    if (!dib || !mem) {
        return {};
    }
    {
        SelectedObject select(mem.get(), dib.get());
        draw(mem.get(), client);
        GdiFlush();
    }
    const auto* p = static_cast<const uint32_t*>(bits);
    Pixels pixels(p, p + static_cast<size_t>(client.right) * client.bottom);
    for (uint32_t& px : pixels) {
        px &= 0xFFFFFF;
    }
    return pixels;
}

// What the window shows now.
Pixels OnScreen(HWND hwnd) {
    return Capture(hwnd, [hwnd](HDC mem, const RECT& client) {
        WindowDc screen(hwnd);
        BitBlt(mem, 0, 0, client.right, client.bottom, screen.get(), 0, 0, SRCCOPY);
    });
}

// What the model holds, drawn fresh.
Pixels FromModel(GridWindow& grid) {
    return Capture(grid.Hwnd(), [&grid](HDC mem, const RECT& client) { grid.Paint(mem, client); });
}

::testing::AssertionResult ScreenShowsTheModel(GridWindow& grid) {
    Pump();
    const Pixels screen = OnScreen(grid.Hwnd());
    const Pixels model = FromModel(grid);
    if (screen.empty() || screen.size() != model.size()) {
        return ::testing::AssertionFailure() << "no pixels read back";
    }
    RECT client;
    GetClientRect(grid.Hwnd(), &client);
    size_t differing = 0;
    size_t first = 0;
    for (size_t i = 0; i < screen.size(); ++i) {
        if (screen[i] != model[i] && differing++ == 0) {
            first = i;
        }
    }
    if (differing == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at (" << first % client.right
                                         << ", " << first / client.right << ") with " << grid.Model().RowCount() - 1
                                         << " rows in the model";
}

bool HasVerticalBar(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VSCROLL) != 0;
}

// Appends rows the way a running query does: the row, then its cells, each change told to the window.
void AppendQueryRows(GridWindow& grid, int count) {
    for (int i = 0; i < count; ++i) {
        GridModel& model = grid.Model();
        model.AppendRow(std::to_string(model.RowCount()));
        grid.RowsAppended();
        const int row = model.RowCount() - 1;
        model.SetCell(row, 1, "keyword " + std::to_string(row));
        model.SetCell(row, 2, std::to_string(1000 + row * 7));
        grid.CellsChanged();
    }
}

class GridPaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host_.reset(CreateWindowExW(0, L"STATIC", L"grid paint", WS_POPUP | WS_VISIBLE, 60, 60, 460, 420, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(host_);
        font_.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma"));
        grid_ = GridWindow::Create(host_.get(), 1, RECT{10, 10, 449, 409}, font_.get(), 1, kTableColumnCount);
        ASSERT_NE(grid_, nullptr);
        InitTableHeader(grid_->Model());
        grid_->ModelChanged();
        Pump();
    }

    UniqueWindow host_;
    UniqueFont font_;
    GridWindow* grid_ = nullptr;  // owned by its window
};

struct PaintStep {
    const char* what;
    std::function<void(GridWindow&)> change;
};

struct PaintCase {
    const char* name;
    std::vector<PaintStep> steps;
    bool barAtEnd;
};

void Key(GridWindow& grid, UINT key) {
    SendMessageW(grid.Hwnd(), WM_KEYDOWN, key, 0);
}

TEST_F(GridPaintTest, EveryChangeReachesTheScreenAlsoWhenAScrollBarComesOrGoes) {
    const PaintStep fewRows{"a few rows", [](GridWindow& g) { AppendQueryRows(g, 8); }};
    const PaintStep manyRows{"rows past the bottom", [](GridWindow& g) { AppendQueryRows(g, 40); }};
    const std::vector<PaintCase> cases = {
        {"rows appended by a run, the scroll bar appearing on the way",
         {fewRows, manyRows, {"more rows", [](GridWindow& g) { AppendQueryRows(g, 5); }}},
         true},
        {"the cursor moves after the scroll bar appeared",
         {fewRows,
          manyRows,
          {"down", [](GridWindow& g) { Key(g, VK_DOWN); }},
          {"down again", [](GridWindow& g) { Key(g, VK_DOWN); }},
          {"page down", [](GridWindow& g) { Key(g, VK_NEXT); }}},
         true},
        {"clear takes the scroll bar away",
         {manyRows,
          {"clear",
           [](GridWindow& g) {
               ClearTable(g.Model());
               g.ModelChanged();
           }},
          {"rows of the next run", [](GridWindow& g) { AppendQueryRows(g, 3); }}},
         false},
        {"delete takes the scroll bar away",
         {manyRows,
          {"delete rows 3 to 45",
           [](GridWindow& g) {
               g.Model().DeleteRows(3, 43);
               g.ModelChanged();
           }},
          {"edit a cell",
           [](GridWindow& g) {
               g.Model().SetCell(2, 1, "edited");
               g.CellsChanged();
           }}},
         false},
        {"a change that changes nothing, then one that does",
         {manyRows,
          {"nothing deleted", [](GridWindow& g) { g.ModelChanged(); }},
          {"a cell set",
           [](GridWindow& g) {
               g.Model().SetCell(1, 1, "changed");
               g.CellsChanged();
           }}},
         true},
        {"sorted by count, filtered to a few rows, then shown whole again",
         {manyRows,
          {"sorted",
           [](GridWindow& g) {
               g.SetSortKey(SortKey{2, SortDirection::kFirst});
           }},
          {"filtered", [](GridWindow& g) { g.SetFilter("keyword -1"); }},
          {"rows of a run arrive", [](GridWindow& g) { AppendQueryRows(g, 4); }},
          {"whole again",
           [](GridWindow& g) {
               g.SetFilter("");
               g.SetSortKey(SortKey{});
           }}},
         true},
        {"a wide column brings the horizontal bar, a narrow one takes it away",
         {fewRows,
          {"wide",
           [](GridWindow& g) {
               g.Model().SetColumnWidth(1, 600);
               g.ModelChanged();
           }},
          {"narrow",
           [](GridWindow& g) {
               g.Model().SetColumnWidth(1, 140);
               g.ModelChanged();
           }},
          {"select all",
           [](GridWindow& g) {
               SendMessageW(g.Hwnd(), WM_SETFOCUS, 0, 0);
               g.Model().SetCursor(1, 0);
               g.Model().ExtendSelectionTo(3, 3);
               g.CellsChanged();
           }}},
         false},
    };
    for (const PaintCase& c : cases) {
        SCOPED_TRACE(c.name);
        ClearTable(grid_->Model());
        grid_->Model().SetColumnWidth(1, 140);
        grid_->ModelChanged();
        Pump();
        for (const PaintStep& step : c.steps) {
            SCOPED_TRACE(step.what);
            step.change(*grid_);
            EXPECT_TRUE(ScreenShowsTheModel(*grid_));
        }
        EXPECT_EQ(HasVerticalBar(grid_->Hwnd()), c.barAtEnd);
    }
}

// After a clear the rows area is empty on the screen: the window's background under the header, nothing else.
TEST_F(GridPaintTest, AClearedGridShowsNoRowsOnTheScreen) {
    AppendQueryRows(*grid_, 60);
    Pump();
    ClearTable(grid_->Model());
    grid_->ModelChanged();
    Pump();
    RECT client;
    GetClientRect(grid_->Hwnd(), &client);
    const Pixels screen = OnScreen(grid_->Hwnd());
    ASSERT_EQ(screen.size(), static_cast<size_t>(client.right) * client.bottom);
    const uint32_t background = GetSysColor(COLOR_WINDOW);
    const uint32_t backgroundRgb =
        (GetRValue(background) << 16) | (GetGValue(background) << 8) | static_cast<uint32_t>(GetBValue(background));
    int other = 0;
    for (int y = GridWindow::kHeaderHeight; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            other += screen[static_cast<size_t>(y) * client.right + x] != backgroundRgb ? 1 : 0;
        }
    }
    EXPECT_EQ(other, 0);
}

// A cell being edited stays open while a run appends rows, and what was typed is kept.
TEST_F(GridPaintTest, AppendedRowsLeaveTheCellBeingEditedOpen) {
    AppendQueryRows(*grid_, 3);
    grid_->Model().SetCursor(2, 1);
    SetFocus(grid_->Hwnd());
    Key(*grid_, VK_F2);
    HWND edit = grid_->EditBox();
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"typed");
    AppendQueryRows(*grid_, 40);
    Pump();
    ASSERT_EQ(grid_->EditBox(), edit);
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(grid_->EditBox(), nullptr);
    EXPECT_EQ(grid_->Model().GetCell(2, 1), "typed");
    EXPECT_TRUE(ScreenShowsTheModel(*grid_));
}

}  // namespace
}  // namespace zandrel
