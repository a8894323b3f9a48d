#include "app/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <mutex>
#include <thread>

#include "app/app_texts.h"
#include "app/picture_box_win.h"
#include "app/shape_frame_win.h"
#include "app/skin_setup_win.h"
#include "app/win_prompter.h"
#include "base/encoding.h"
#include "base/window_text.h"
#include "draw/skin_images.h"
#include "query/gbk_texts.h"
#include "query/winhttp_fetcher_win.h"
#include "skin/core/skin_types.h"
#include "skin/core/skin_engine.h"
#include "table/grid_window_win.h"
#include "table/table_ops.h"
#include "table/undo_history.h"
#include "table/table_texts.h"

namespace zandrel {
namespace {

enum ControlId : int {
    kIdFrame1 = 1001,
    kIdLabel1,
    kIdLabel2,
    kIdLabel3,
    kIdEdit2,
    kIdCombo1,
    kIdPicture3,
    kIdPicture4,
    kIdButton1,
    kIdButton2,
    kIdButton3,
    kIdClearData,
    kIdGrid1,
    kIdProgress,
};

constexpr UINT kBannerArrived = WM_APP + 1;
constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressInterval = 250;  // ms between two looks at the progress line

}  // namespace

// The banner is fetched off the window thread; the window may be gone when the answer comes.
struct BannerMailbox {
    std::mutex lock;
    HWND window = nullptr;
    std::string bytes;
};

MainWindow::MainWindow(const MainWindowOptions& options)
    : options_(options),
      fetcher_(*options.fetcher,
               PumpingFetcher::Hooks{[this](MSG& msg) { return PreTranslateMessage(msg); },
                                     [this](size_t max) {
                                         return run_.running && !run_.stopRequested && query_
                                                    ? query_->UpcomingUrls(max)
                                                    : std::vector<std::string>{};
                                     },
                                     [this] {
                                         options_.prompter->ShowMessage(gbk::kClientCreateFailed, gbk::kErrorTitle,
                                                                        MessageButtons::Ok, MessageIcon::Information);
                                     }}) {}

MainWindow::~MainWindow() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

std::unique_ptr<MainWindow> MainWindow::Create(const MainWindowOptions& options) {
    static bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = &MainWindow::WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"DEFAULT_ICON");
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered || !options.prompter || !options.fetcher) {
        return nullptr;
    }
    std::unique_ptr<MainWindow> self(new MainWindow(options));
    // Skinned, the window is a frameless popup that keeps its taskbar button; otherwise it gets the platform's
    // frame around a client area of the same size.
    const bool skinned = options.skin != nullptr;
    const DWORD style = skinned ? WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN
                                : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = skinned ? WS_EX_APPWINDOW : 0;
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    HWND hwnd = CreateWindowExW(exStyle, kClassName, L"", style, kX, kY, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), self.get());
    if (!hwnd || !self->CreateControls()) {
        return nullptr;
    }
    self->query_ = std::make_unique<KeywordQuery>(*self, options.endpoints);
    // The created-event work (skinning included) happens before the first paint.
    self->OnCreated();
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return self;
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->Handle(msg, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_ACTIVATE: return OnActivate(wParam, lParam);
        case WM_SETFOCUS: OnSetFocus(); return 0;
        case DM_GETDEFID: return DefaultButtonId();
        case WM_TIMER:
            if (wParam == kProgressTimer) {
                ShowProgress();
                return 0;
            }
            return DefWindowProcW(hwnd_, msg, wParam, lParam);
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, static_cast<COLORREF>(reinterpret_cast<ULONG_PTR>(
                                 GetPropA(reinterpret_cast<HWND>(lParam), kPropTextColour))));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_CLOSE:
            if (run_.running) {
                // The run stops first; the close prompt follows once it has ended.
                run_.closeAfterRun = true;
                RequestStop();
                return 0;
            }
            if (OnMayClose()) {
                DestroyWindow(hwnd_);
            }
            return 0;
        case WM_QUERYENDSESSION: return OnQueryEndSession() ? TRUE : FALSE;
        case WM_SYSCOMMAND:
            // The window has no menu bar for Alt alone (or after Alt+S, which sorts) to step into; Alt+Space still
            // opens the window's menu.
            if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) {
                return 0;
            }
            return DefWindowProcW(hwnd_, msg, wParam, lParam);
        case kBannerArrived: {
            if (banner_) {
                std::lock_guard<std::mutex> hold(banner_->lock);
                if (PictureBox* pic = Picture(texts::kPicture3)) {
                    pic->SetPicture(std::move(banner_->bytes));
                }
            }
            return 0;
        }
        case WM_DESTROY: {
            if (banner_) {
                std::lock_guard<std::mutex> hold(banner_->lock);
                banner_->window = nullptr;
            }
            if (options_.quitOnDestroy) {
                PostQuitMessage(0);
            }
            return 0;
        }
        case WM_NCDESTROY: {
            HWND h = hwnd_;
            hwnd_ = nullptr;
            grid_ = nullptr;
            controls_.clear();
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            return DefWindowProcW(h, msg, wParam, lParam);
        }
        default: return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

// One standard control of the layout: position and size relative to its parent's client area.
struct MainWindow::ControlLayout {
    const char* name;  // layout name (GBK)
    const wchar_t* windowClass;
    const char* text;  // initial text (GBK)
    DWORD style;
    bool inFrame;  // child of the frame rather than of the window
    int x, y, width, height;
    int id;
};

namespace {

constexpr DWORD kLabelStyle = WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE;
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

}  // namespace

HWND MainWindow::AddControl(const ControlLayout& c, HWND frame) {
    HWND parent = c.inFrame ? frame : hwnd_;
    HWND h = CreateWindowExW(0, c.windowClass, GbkToWide(c.text).c_str(), WS_CHILD | WS_CLIPSIBLINGS | c.style, c.x,
                             c.y, c.width, c.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                             GetModuleHandleW(nullptr), nullptr);
    if (h) {
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        controls_.emplace(c.name, h);
    }
    return h;
}

bool MainWindow::CreateControls() {
    font_.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            GbkToWide(texts::kFontName).c_str()));
    HWND frame = CreateShapeFrame(hwnd_, kIdFrame1, 8, 30, 634, 498);
    if (!frame) {
        return false;
    }
    controls_.emplace(texts::kFrame1, frame);

    // The drop-down list is created taller than its closed box so the list has room.
    static const ControlLayout kLayout[] = {
        // The visible caption text: top left of the caption area.
        {texts::kLabel1, L"STATIC", texts::kCaptionTitle, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, false, 12, 7, 300, 18,
         kIdLabel1},
        {texts::kLabel3, L"STATIC", texts::kKeywordPrompt, kLabelStyle, true, 7, 31, 96, 24, kIdLabel3},
        {texts::kEdit2, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, true, 105, 30, 168, 25,
         kIdEdit2},
        {texts::kCombo1, L"COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, true, 292, 31, 56,
         120, kIdCombo1},
        {texts::kLabel2, L"STATIC", texts::kQueryRunning, kLabelStyle & ~WS_VISIBLE, true, 358, 24, 104, 32, kIdLabel2},
        {texts::kButton1, L"BUTTON", texts::kSuggestButton, kButtonStyle, false, 9, 98, 135, 32, kIdButton1},
        {texts::kButton3, L"BUTTON", texts::kRelatedButton, kButtonStyle, false, 143, 98, 104, 32, kIdButton3},
        {texts::kButton2, L"BUTTON", texts::kDeleteButton, kButtonStyle, false, 247, 98, 100, 32, kIdButton2},
        {texts::kClearData, L"BUTTON", texts::kClearButton, kButtonStyle, false, 347, 98, 100, 32, kIdClearData},
        // The status bar lies under the grid: a running query shows its progress up here instead.
        {texts::kProgressLabel, L"STATIC", "", (kLabelStyle & ~WS_VISIBLE) | SS_NOPREFIX | SS_ENDELLIPSIS, false, 320,
         7, 262, 18, kIdProgress},
    };
    for (const ControlLayout& c : kLayout) {
        if (!AddControl(c, frame)) {
            return false;
        }
    }
    // White on the dark caption; the skin's control-colour handling reads the text colour from this property.
    for (const char* name : {texts::kLabel1, texts::kProgressLabel}) {
        SetPropA(Control(name), kPropTextColour, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(RGB(255, 255, 255))));
    }
    HWND combo = Control(texts::kCombo1);
    for (const wchar_t* item : {L"1", L"2", L"3"}) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    // The closed box is as high as the layout says: its edit part plus the 6 pixels of frame.
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 25 - 6);

    PictureBox* banner = PictureBox::Create(frame, kIdPicture3, 441, 71, 191, 254);
    PictureBox* promo = PictureBox::Create(frame, kIdPicture4, 441, 323, 192, 176);
    if (!banner || !promo) {
        return false;
    }
    controls_.emplace(texts::kPicture3, banner->Hwnd());
    controls_.emplace(texts::kPicture4, promo->Hwnd());
    banner->OnClick([this] { OpenPromotionPage(options_.endpoints.promotionUrl1); });
    promo->OnClick([this] { OpenPromotionPage(options_.endpoints.promotionUrl2); });

    grid_ = GridWindow::Create(hwnd_, kIdGrid1, RECT{9, 129, 9 + 439, 129 + 399}, font_.get(), 1, kTableColumnCount);
    if (!grid_) {
        return false;
    }
    controls_.emplace(texts::kGrid1, grid_->Hwnd());
    grid_->OnRightButtonDown([this] { OnGridRightButton(); });
    history_ = std::make_unique<UndoHistory>(grid_->Model());
    WorkbenchActions actions;
    actions.filter = [this](const std::string& query) { grid_->SetFilter(query); };
    actions.merge = [this] { OnMergeButton(); };
    actions.excludeWords = [this] { OnExcludeWordsButton(); };
    actions.exportRows = [this] { OnExportButton(); };
    if (!panel_.Create(hwnd_, font_.get(), std::move(actions))) {
        return false;
    }
    SetPropA(panel_.ShownLine(), kPropTextColour, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(RGB(255, 255, 255))));
    grid_->OnViewChanged([this] {
        const RowView& view = grid_->View();
        panel_.ShowCounts(view.ShownCount(), view.TotalCount());
    });
    grid_->OnCellEdited([this](int row, int column, const std::string& text) {
        history_->EditCell(row, column, text);
        doc_.modified = true;
    });
    // The frame overlaps the buttons and the grid, which are its siblings: keep it beneath them.
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void MainWindow::OnCreated() {
    if (options_.skin) {
        const HWND light[] = {Control(texts::kLabel3), Control(texts::kLabel2), Control(texts::kEdit2),
                              Control(texts::kCombo1), panel_.FilterBox(),      panel_.ShownLine()};
        ApplyMainWindowSkin(*options_.skin, hwnd_, MainWindowSkinParts{Control(texts::kFrame1), light});
    }
    InitTableHeader(grid_->Model());
    grid_->ModelChanged();
    if (options_.downloadBanner) {
        StartBannerDownload();
    }
    std::span<const unsigned char> promo = SkinImageBytes(SkinImageId::Promotion);
    if (PictureBox* pic = Picture(texts::kPicture4)) {
        pic->SetPicture(std::string(reinterpret_cast<const char*>(promo.data()), promo.size()));
    }
}

void MainWindow::StartBannerDownload() {
    auto box = std::make_shared<BannerMailbox>();
    box->window = hwnd_;
    banner_ = box;
    std::string url = options_.endpoints.bannerUrl;
    std::thread([box, url] {
        SilentPrompter silent;
        WinHttpFetcher fetcher(silent);
        std::string bytes;
        if (!fetcher.HttpGetBytes(url, bytes) || bytes.empty()) {
            return;
        }
        std::lock_guard<std::mutex> hold(box->lock);
        if (box->window) {
            box->bytes = std::move(bytes);
            PostMessageW(box->window, kBannerArrived, 0, 0);
        }
    }).detach();
}

void MainWindow::OpenPromotionPage(const std::string& url) {
    if (options_.openUrl) {
        options_.openUrl(url);
        return;
    }
    ShellExecuteW(nullptr, L"open", GbkToWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

HWND MainWindow::Control(std::string_view name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

PictureBox* MainWindow::Picture(std::string_view name) const {
    return PictureBox::FromHwnd(Control(name));
}

void MainWindow::OnCommand(int id, int code) {
    if (panel_.OnCommand(id, code) || code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case kIdButton1: OnSuggestionButton(); break;
        case kIdButton3: OnRelatedButton(); break;
        case kIdButton2: OnDeleteRowsButton(); break;
        case kIdClearData: OnClearButton(); break;
        default: break;
    }
}

void MainWindow::OnSuggestionButton() {
    RunQuery(texts::kButton1, &KeywordQuery::StartSuggestionQuery);
}

void MainWindow::OnRelatedButton() {
    RunQuery(texts::kButton3, &KeywordQuery::StartRelatedQuery);
}

void MainWindow::RequestStop() {
    if (run_.running && !run_.stopRequested) {
        run_.stopRequested = true;
        // Whatever the servers do, the requests under way end now; the step they were for adds nothing.
        fetcher_.CancelRun();
    }
}

void MainWindow::RunQuery(std::string_view buttonName, void (KeywordQuery::*start)()) {
    if (run_.running) {
        // The pressed query button is the Stop button while its run goes on.
        RequestStop();
        return;
    }
    HWND button = Control(buttonName);
    const std::wstring buttonText = GbkToWide(WindowTextGbk(button));
    run_ = RunState{};
    run_.running = true;
    run_.seed = Keyword();
    run_.rowsAtStart = RowCount();
    run_.startTick = GetTickCount();
    run_.button = button;
    fetcher_.BeginRun();
    // The run changes the table behind the history's back: what was recorded before cannot be taken back.
    history_->Forget();

    // The table keeps its rows in place while a run reads them: merging and the exclude words wait too.
    const HWND locked[] = {Control(texts::kButton1),   Control(texts::kButton3), Control(texts::kButton2),
                           Control(texts::kClearData), Control(texts::kEdit2),   Control(texts::kCombo1),
                           panel_.TableButtons()[0],   panel_.TableButtons()[1]};
    HWND focus = GetFocus();
    // The keyboard goes to the Stop button, since the control that had it is about to be disabled.
    if (focus != nullptr && focus != button && IsChild(hwnd_, focus)) {
        SetFocus(button);
    }
    for (HWND control : locked) {
        if (control != button) {
            EnableWindow(control, FALSE);
        }
    }
    SetWindowTextW(button, GbkToWide(texts::kStopButton).c_str());
    // The line follows the run a few times a second, also while a request keeps it waiting (the time goes on)
    // and while the run's closing box is up.
    ShowProgress();
    SetTimer(hwnd_, kProgressTimer, kProgressInterval, nullptr);

    (query_.get()->*start)();
    // Answers fetched ahead that nobody asked for (a stopped run) are dropped.
    fetcher_.DropFetchedAhead();

    run_.running = false;
    SetWindowTextW(button, buttonText.c_str());
    for (HWND control : locked) {
        EnableWindow(control, TRUE);
    }
    // The algorithm's working keyword is not the seller's text.
    SetKeyword(run_.seed);
    KillTimer(hwnd_, kProgressTimer);
    ShowWindow(Control(texts::kProgressLabel), SW_HIDE);
    if (focus != nullptr && IsWindow(focus) && IsWindowEnabled(focus)) {
        SetFocus(focus);
    }
    if (run_.closeAfterRun) {
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    }
}

std::string MainWindow::ProgressText() const {
    // The counts first, so a long keyword at the end never hides them.
    const DWORD seconds = (GetTickCount() - run_.startTick) / 1000;
    std::string text = texts::kProgressRequests;
    text += std::to_string(fetcher_.Requests());
    text += texts::kProgressRows;
    text += std::to_string(RowCount() - run_.rowsAtStart);
    text += texts::kProgressFailures;
    text += std::to_string(fetcher_.Failures());
    text += texts::kProgressElapsed;
    text += std::to_string(seconds);
    text += texts::kProgressSeconds;
    text += texts::kProgressKeyword;
    text += Keyword();
    return text;
}

void MainWindow::ShowProgress() {
    if (!run_.running) {
        return;
    }
    // Repainted over the wood only when the text changed.
    std::string text = ProgressText();
    HWND label = Control(texts::kProgressLabel);
    if (text == run_.shownProgress && IsWindowVisible(label)) {
        return;
    }
    run_.shownProgress = std::move(text);
    SetWindowTextW(label, GbkToWide(run_.shownProgress).c_str());
    ShowWindow(label, SW_SHOWNA);
    // A transparent label shows the backdrop behind its old text only when its parent repaints that part too.
    RECT area{};
    GetWindowRect(label, &area);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(hwnd_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::string MainWindow::RunEndText(std::string_view doneText) const {
    if (run_.stopRequested) {
        return std::string(texts::kStoppedPrefix) + std::to_string(RowCount() - run_.rowsAtStart) + texts::kRowsSuffix;
    }
    std::string text(doneText);
    if (fetcher_.Failures() > 0) {
        text += texts::kFailuresPrefix;
        text += std::to_string(fetcher_.Failures());
        text += texts::kFailuresSuffix;
    }
    return text;
}

void MainWindow::OnDeleteRowsButton() {
    doc_.modified = true;  // as the button always did, also when nothing is deleted
    const std::vector<int> rows = grid_->SelectedModelRows();
    if (!rows.empty()) {
        GridModel& model = grid_->Model();
        if (rows.size() > 1) {
            // A block: the cursor goes to its first row, on the keyword column, and stays there (or on the new
            // last row when nothing follows the block).
            model.SetCursor(model.SelectionTop(), 1);
        }
        history_->DeleteRows(rows);
    }
    grid_->ModelChanged();
}

void MainWindow::OnClearButton() {
    // Clearing rows is a change to save; clearing an empty table changes nothing.
    if (history_->ClearTable()) {
        doc_.modified = true;
    }
    grid_->ModelChanged();
}

void MainWindow::OnGridRightButton() {
    grid_->CommitEdit();
    SaveTable(hwnd_, grid_->Model(), *options_.prompter, doc_, SaveOrder());
}

bool MainWindow::OnMayClose() {
    return ConfirmClose(hwnd_, grid_->Model(), *options_.prompter, doc_, SaveOrder());
}

bool MainWindow::OnQueryEndSession() {
    if (!doc_.modified) {
        return true;
    }
    // A running query stops where it is; the question is the close prompt's, and the system shows why the
    // session waits while it is up.
    RequestStop();
    const BOOL blocking = ShutdownBlockReasonCreate(hwnd_, GbkToWide(texts::kUnsavedAtSessionEnd).c_str());
    const bool mayEnd = OnMayClose();
    if (blocking) {
        ShutdownBlockReasonDestroy(hwnd_);
    }
    return mayEnd;
}

int MainWindow::RowCount() const {
    return grid_->Model().RowCount();
}

std::string MainWindow::GetCell(int row, int column) const {
    return grid_->Model().GetCell(row, column);
}

// Every change a query makes to the table marks it unsaved, also after a save in the middle of the run.
void MainWindow::SetCell(int row, int column, std::string_view text) {
    GridModel& model = grid_->Model();
    if (model.GetCell(row, column) != text && model.SetCell(row, column, text)) {
        doc_.modified = true;
        grid_->CellsChanged();
    }
}

void MainWindow::AppendRow(std::string_view firstCell) {
    grid_->Model().AppendRow(firstCell);
    doc_.modified = true;
    grid_->RowsAppended();
}

std::string MainWindow::Keyword() const {
    return WindowTextGbk(Control(texts::kEdit2));
}

void MainWindow::SetKeyword(std::string_view text) {
    SetWindowTextW(Control(texts::kEdit2), GbkToWide(text).c_str());
}

std::string MainWindow::QueryDepth() const {
    HWND combo = Control(texts::kCombo1);
    LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR) {
        return {};
    }
    LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0);
    std::wstring w(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<size_t>(len));
    return WideToGbk(w);
}

void MainWindow::SetStatusVisible(bool visible) {
    HWND label = Control(texts::kLabel2);
    if (visible) {
        SetWindowTextW(label, GbkToWide(texts::kQueryRunning).c_str());
    }
    ShowWindow(label, visible ? SW_SHOW : SW_HIDE);
    // The query blocks the message loop: paint the change now.
    UpdateWindow(GetParent(label));
}

void MainWindow::SetModified() {
    doc_.modified = true;
}

}  // namespace zandrel
