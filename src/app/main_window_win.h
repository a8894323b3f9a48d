// The program's one window: the layout of its controls, the wiring of their events, and the query host the
// keyword queries work through.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/pumping_fetcher_win.h"
#include "app/exclude_words_dialog_win.h"
#include "app/workbench_panel_win.h"
#include "base/prompter.h"
#include "base/win_handles.h"
#include "query/endpoints.h"
#include "query/keyword_query.h"
#include "query/query_host.h"
#include "table/exclude_words.h"
#include "table/save_table_win.h"

namespace zandrel {

class GridWindow;
class UndoHistory;
class SkinEngine;
class PictureBox;
struct BannerMailbox;

struct MainWindowOptions {
    Endpoints endpoints;
    Prompter* prompter = nullptr;    // required
    PageFetcher* fetcher = nullptr;  // required: used by the queries
    bool downloadBanner = true;      // fetch the banner picture on a background thread
    bool quitOnDestroy = false;      // post WM_QUIT when the window is gone (the program; not tests)
    SkinEngine* skin = nullptr;      // when given, the window is frameless and drawn by the skin engine
    // Opens a promotion page; the default hands the address to the browser.
    std::function<void(const std::string&)> openUrl;
    // The exclude words: the window that edits them (the program's own when none is given) and the folder they
    // are kept in (UTF-8; %APPDATA%\Zandrel when empty). They are read when first asked for, not at start-up.
    ExcludeWordsAsker* excludeAsker = nullptr;
    std::string excludeWordsFolder;
};

class MainWindow : public QueryHost {
  public:
    static constexpr int kX = 50;
    static constexpr int kY = 50;
    static constexpr int kWidth = 648;
    static constexpr int kHeight = 538;
    static constexpr wchar_t kClassName[] = L"ZandrelMainWindow";

    // Creates and shows the window, then runs the created-event work.
    static std::unique_ptr<MainWindow> Create(const MainWindowOptions& options);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Hwnd() const { return hwnd_; }
    // A control by its layout name (GBK), nullptr when there is none.
    HWND Control(std::string_view name) const;
    GridWindow& Grid() { return *grid_; }
    DocumentState& Document() { return doc_; }
    KeywordQuery& Query() { return *query_; }
    const PumpingFetcher& QueryFetcher() const { return fetcher_; }
    PictureBox* Picture(std::string_view name) const;

    // Event handlers.
    void OnSuggestionButton();
    void OnRelatedButton();
    void OnDeleteRowsButton();
    void OnClearButton();
    void OnGridRightButton();
    // The workbench: one row per keyword; the exclude words; the rows shown written out.
    void OnMergeButton();
    void OnExcludeWordsButton();
    void OnExportButton();
    WorkbenchPanel& Panel() { return panel_; }
    // Ctrl+Z and Ctrl+Y on the table: the last delete, clear, merge or cell edit taken back or made again.
    void UndoTableChange(bool redo);
    bool OnMayClose();
    // The Windows session is about to end: unsaved rows are asked about as a close would; false keeps the session.
    bool OnQueryEndSession();

    // QueryHost
    int RowCount() const override;
    std::string GetCell(int row, int column) const override;
    void SetCell(int row, int column, std::string_view text) override;
    void AppendRow(std::string_view firstCell) override;
    std::string Keyword() const override;
    void SetKeyword(std::string_view text) override;
    std::string QueryDepth() const override;
    void SetStatusVisible(bool visible) override;
    void SetModified() override;
    Prompter& Prompts() override { return *options_.prompter; }
    PageFetcher& Fetcher() override { return fetcher_; }
    bool StopRequested() const override { return run_.stopRequested; }
    std::string RunEndText(std::string_view doneText) const override;
    bool SkipExpanding(const std::string& keyword) const override;

    // A query run is going: the window stays alive meanwhile, and the run can be stopped.
    bool QueryRunning() const { return run_.running; }
    // Ends the running query before its next request (Esc and the Stop button do this).
    void RequestStop();
    // The progress shown in the status bar while a query runs.
    std::string ProgressText() const;

    // The keyboard of the whole window, for the message loop: Ctrl+S saves, Tab moves between the controls,
    // Enter presses the focused button or, elsewhere, the suggestion button. True when the message was used.
    bool PreTranslateMessage(MSG& msg);

  private:
    explicit MainWindow(const MainWindowOptions& options);
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    bool CreateControls();
    struct ControlLayout;
    HWND AddControl(const ControlLayout& layout, HWND frame);
    void OnCreated();
    void OnCommand(int id, int code);
    void StartBannerDownload();
    // Runs one query with the window alive: the controls that would start or change a query are disabled, the
    // pressed button turns into Stop, progress is shown; afterwards everything is as before and the seed keyword
    // is back in its box. A close asked for meanwhile is carried out once the run has ended.
    void RunQuery(std::string_view buttonName, void (KeywordQuery::*start)());
    void ShowProgress();
    void OpenPromotionPage(const std::string& url);
    // Keyboard focus across activation, as a dialog keeps it: the control that had it gets it back.
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnSetFocus();
    // The order a save writes the rows in: the grid's sort, or nullptr for arrival order.
    const std::vector<int>* SaveOrder() const;
    LRESULT DefaultButtonId() const;

    MainWindowOptions options_;
    HWND hwnd_ = nullptr;
    UniqueFont font_;
    std::map<std::string, HWND, std::less<>> controls_;
    GridWindow* grid_ = nullptr;  // owned by its window
    HWND lastFocus_ = nullptr;    // the control that had the keyboard when the window was last left
    DocumentState doc_;
    std::unique_ptr<KeywordQuery> query_;
    std::unique_ptr<UndoHistory> history_;  // over the grid's model
    WorkbenchPanel panel_;
    WinExcludeWordsDialog excludeDialog_;
    ExcludeWordsSettings exclude_;  // as the seller last set them
    ExcludeWords excludeWords_;     // exclude_.words, read
    bool excludeLoaded_ = false;
    std::shared_ptr<BannerMailbox> banner_;
    struct RunState {
        bool running = false;
        bool stopRequested = false;
        bool closeAfterRun = false;
        HWND button = nullptr;  // the pressed query button, which reads Stop meanwhile
        std::string seed;
        int rowsAtStart = 0;
        DWORD startTick = 0;
        std::string shownProgress;  // the progress line as last painted
    };
    RunState run_;
    PumpingFetcher fetcher_;
};

}  // namespace zandrel
