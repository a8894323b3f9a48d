// The workbench beside the keyword row: a filter box, merging repeats, the exclude words, the export, and a line
// that says how many rows the grid shows. Its controls are children of the main window, so the skin takes them
// over with the window's other controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zandrel {

struct WorkbenchActions {
    std::function<void(const std::string&)> filter;  // the filter box's text (GBK), as typed
    std::function<void()> merge;
    std::function<void()> excludeWords;
    std::function<void()> exportRows;
};

class WorkbenchPanel {
  public:
    static constexpr int kFilterId = 1101;
    static constexpr int kMergeId = 1102;
    static constexpr int kExcludeId = 1103;
    static constexpr int kExportId = 1104;
    static constexpr int kShownId = 1105;

    // Creates the controls in the main window's wood right of the keyword row, above the picture.
    bool Create(HWND parent, HFONT font, WorkbenchActions actions);
    // A command from one of the panel's controls; false when the id is not the panel's.
    bool OnCommand(int id, int code);

    // "显示 n / N 行".
    void ShowCounts(int shown, int total);
    // Empties the filter box (the filter goes with it).
    void ClearFilter();

    HWND FilterBox() const { return filter_; }
    HWND ShownLine() const { return shown_; }
    // The buttons that change the table, off while a query runs.
    std::vector<HWND> TableButtons() const { return {merge_, exclude_}; }
    std::vector<HWND> Controls() const { return {filter_, merge_, exclude_, export_, shown_}; }

  private:
    WorkbenchActions actions_;
    HWND filter_ = nullptr;
    HWND merge_ = nullptr;
    HWND exclude_ = nullptr;
    HWND export_ = nullptr;
    HWND shown_ = nullptr;
    std::string shownText_;
};

}  // namespace zandrel
