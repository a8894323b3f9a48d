// The real main window, created in-process, with scripted dialogs and a fetcher that records requests.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>

#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "app/picture_box_win.h"
#include "base/encoding.h"
#include "base/window_text.h"
#include "draw/gdiplus_session.h"
#include "scripted_prompter.h"
#include "table/csv_writer.h"
#include "table/grid_window_win.h"
#include "table/table_texts.h"

namespace zandrel {
namespace {

using testing::ScriptedPrompter;

class RecordingFetcher : public PageFetcher {
  public:
    std::vector<std::string> urls;
    std::string HttpGetText(const std::string& url) override {
        urls.push_back(url);
        return {};
    }
};

std::wstring MakeTempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring dir = std::wstring(base) + L"zandrel-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(GetTickCount64());
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

std::string ReadAll(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    std::string data;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0) {
        data.append(buf, got);
    }
    CloseHandle(f);
    return data;
}

std::wstring WindowTitle(HWND hwnd) {
    wchar_t buf[512] = {};
    GetWindowTextW(hwnd, buf, 512);
    return buf;
}

class MainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(gdiplus.Start()); }
    static void TearDownTestSuite() { gdiplus.Stop(); }

    void SetUp() override {
        folder = MakeTempFolder();
        MainWindowOptions options;
        options.prompter = &prompter;
        options.fetcher = &fetcher;
        options.downloadBanner = false;
        options.openUrl = [this](const std::string& url) { openedUrls.push_back(url); };
        options.excludeAsker = &excludeAsker;
        options.excludeWordsFolder = WideToUtf8(folder);
        window = MainWindow::Create(options);
        ASSERT_TRUE(window);
    }

    void TearDown() override {
        window.reset();
        // Leave no read-only file behind.
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring p = folder + L"\\" + fd.cFileName;
                SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(p.c_str());
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(folder.c_str());
    }

    HWND Control(const char* name) { return window->Control(name); }
    GridModel& Model() { return window->Grid().Model(); }

    void AddRows(int n) {
        for (int i = 1; i <= n; ++i) {
            window->AppendRow(std::to_string(i));
            window->SetCell(window->RowCount() - 1, 1, "kw" + std::to_string(i));
        }
    }

    void Click(const char* name) { SendMessageW(Control(name), BM_CLICK, 0, 0); }
    // Puts the grid's cursor on a cell, gives the grid the keyboard and presses a key there; the in-place edit box
    // this opens, or nullptr.
    HWND KeyOnGridCell(int row, int column, WPARAM key);
    void RightClickGrid() { SendMessageW(Control(texts::kGrid1), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 60)); }
    bool Close() {
        HWND h = window->Hwnd();
        SendMessageW(h, WM_CLOSE, 0, 0);
        return !IsWindow(h);
    }

    // Answers the exclude-words window as the test says, and keeps what it was shown.
    struct ScriptedExcludeAsker : ExcludeWordsAsker {
        ExcludeWordsSettings answer;
        ExcludeWordsAction action = ExcludeWordsAction::Cancel;
        std::vector<ExcludeWordsSettings> shown;
        ExcludeWordsAction Ask(HWND, ExcludeWordsSettings& settings) override {
            shown.push_back(settings);
            if (action != ExcludeWordsAction::Cancel) {
                settings = answer;
            }
            return action;
        }
    };

    static inline GdiplusSession gdiplus;
    ScriptedExcludeAsker excludeAsker;
    ScriptedPrompter prompter;
    RecordingFetcher fetcher;
    std::vector<std::string> openedUrls;
    std::unique_ptr<MainWindow> window;
    std::wstring folder;
};

// Hands one key message to the window as the program's message loop does.
void PressKey(MainWindow& window, HWND target, UINT message, WPARAM key, LPARAM data = 0) {
    MSG msg{target, message, key, data, static_cast<DWORD>(GetMessageTime()), {}};
    if (!window.PreTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    MSG posted;
    while (PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&posted);
        DispatchMessageW(&posted);
    }
}

HWND MainWindowTest::KeyOnGridCell(int row, int column, WPARAM key) {
    HWND grid = Control(texts::kGrid1);
    Model().SetCursor(row, column);
    SetFocus(grid);
    PressKey(*window, grid, WM_KEYDOWN, key);
    return FindWindowExW(grid, nullptr, L"EDIT", nullptr);
}

struct LayoutCase {
    const char* name;
    const char* parent;  // nullptr: the main window
    RECT rect;           // left, top, width, height relative to the parent's client area
    bool visible;
};

TEST_F(MainWindowTest, WindowAndEveryControlSitWhereTheLayoutSays) {
    RECT wr, cr;
    GetWindowRect(window->Hwnd(), &wr);
    GetClientRect(window->Hwnd(), &cr);
    EXPECT_EQ(wr.left, 50);
    EXPECT_EQ(wr.top, 50);
    EXPECT_EQ(cr.right, 648);
    EXPECT_EQ(cr.bottom, 538);

    const LayoutCase cases[] = {
        {texts::kFrame1, nullptr, {8, 30, 634, 498}, true},
        {texts::kLabel3, texts::kFrame1, {7, 31, 96, 24}, true},
        {texts::kEdit2, texts::kFrame1, {105, 30, 168, 25}, true},
        {texts::kCombo1, texts::kFrame1, {292, 31, 56, 25}, true},
        {texts::kLabel2, texts::kFrame1, {358, 24, 104, 32}, false},
        {texts::kPicture3, texts::kFrame1, {441, 71, 191, 254}, true},
        {texts::kPicture4, texts::kFrame1, {441, 323, 192, 176}, true},
        {texts::kButton1, nullptr, {9, 98, 135, 32}, true},
        {texts::kButton3, nullptr, {143, 98, 104, 32}, true},
        {texts::kButton2, nullptr, {247, 98, 100, 32}, true},
        {texts::kClearData, nullptr, {347, 98, 100, 32}, true},
        {texts::kGrid1, nullptr, {9, 129, 439, 399}, true},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(GbkToUtf8(c.name));
        HWND h = Control(c.name);
        ASSERT_NE(h, nullptr);
        HWND parent = c.parent ? Control(c.parent) : window->Hwnd();
        EXPECT_EQ(GetParent(h), parent);
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, c.rect.left);
        EXPECT_EQ(r.top, c.rect.top);
        EXPECT_EQ(r.right - r.left, c.rect.right);
        EXPECT_EQ(r.bottom - r.top, c.rect.bottom);
        EXPECT_EQ(IsWindowVisible(h) != FALSE, c.visible);
    }
}

TEST_F(MainWindowTest, ControlsStartWithTheirTexts) {
    auto text = [&](const char* name) { return WideToGbk(WindowTitle(Control(name))); };
    EXPECT_EQ(text(texts::kLabel3), texts::kKeywordPrompt);
    EXPECT_EQ(text(texts::kLabel2), texts::kQueryRunning);
    EXPECT_EQ(text(texts::kButton1), texts::kSuggestButton);
    EXPECT_EQ(text(texts::kButton3), texts::kRelatedButton);
    EXPECT_EQ(text(texts::kButton2), texts::kDeleteButton);
    EXPECT_EQ(text(texts::kClearData), texts::kClearButton);
    EXPECT_EQ(text(texts::kEdit2), "");
    EXPECT_EQ(window->QueryDepth(), "1");
    EXPECT_EQ(SendMessageW(Control(texts::kCombo1), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(WindowTitle(window->Hwnd()), L"");
    // The caption label shows Chinese text in the caption area.
    RECT r;
    GetWindowRect(Control(texts::kLabel1), &r);
    MapWindowPoints(nullptr, window->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_LT(r.top, 30);
    EXPECT_FALSE(text(texts::kLabel1).empty());
}

TEST_F(MainWindowTest, HeaderRowHasTheFourTitlesAndWidths) {
    const char* titles[] = {"\xd0\xf2\xba\xc5", "\xb9\xd8\xbc\xfc\xb4\xca", "\xb1\xa6\xb1\xb4\xca\xfd",
                            "\xcb\xd1\xcb\xf7\xb9\xd8\xbc\xfc\xb4\xca"};  // 序号 关键词 宝贝数 搜索关键词
    const int widths[] = {30, 140, 90, 140};
    ASSERT_EQ(Model().ColumnCount(), 4);
    EXPECT_EQ(Model().RowCount(), 1);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(Model().GetCell(0, c), titles[c]);
        EXPECT_EQ(Model().ColumnWidth(c), widths[c]);
    }
}

TEST_F(MainWindowTest, PictureBoxesShowThePromotionAndOpenTheirPages) {
    EXPECT_TRUE(window->Picture(texts::kPicture4)->HasPicture());
    EXPECT_FALSE(window->Picture(texts::kPicture3)->HasPicture());  // no banner without the network
    SendMessageW(Control(texts::kPicture3), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(Control(texts::kPicture4), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Endpoints defaults;
    EXPECT_EQ(openedUrls, (std::vector<std::string>{defaults.promotionUrl1, defaults.promotionUrl2}));
    EXPECT_EQ(Model().RowCount(), 1);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, DeleteButtonRemovesTheSelectedBlockAndMarksModified) {
    AddRows(6);
    Model().SetCursor(3, 1);
    Model().ExtendSelectionTo(5, 2);
    Click(texts::kButton2);
    ASSERT_EQ(Model().RowCount(), 4);
    EXPECT_EQ(Model().GetCell(1, 1), "kw1");
    EXPECT_EQ(Model().GetCell(2, 1), "kw2");
    EXPECT_EQ(Model().GetCell(3, 1), "kw6");
    EXPECT_EQ(Model().CursorRow(), 3);
    EXPECT_TRUE(window->Document().modified);
}

TEST_F(MainWindowTest, DeleteWithTheCursorInTheHeaderDeletesNothingButMarksModified) {
    AddRows(2);
    Model().SetCursor(0, 0);
    Click(texts::kButton2);
    EXPECT_EQ(Model().RowCount(), 3);
    EXPECT_TRUE(window->Document().modified);
}

// Clearing rows after a save is a change to save; clearing an empty table changes nothing.
TEST_F(MainWindowTest, ClearLeavesTheHeaderAndMarksOnlyARealChange) {
    AddRows(200);
    window->Document().modified = false;  // as after a save
    Click(texts::kClearData);
    EXPECT_EQ(Model().RowCount(), 1);
    EXPECT_EQ(Model().GetCell(0, 3), kTitleSearched);
    EXPECT_EQ(Model().ColumnWidth(1), 140);
    EXPECT_TRUE(window->Document().modified);
    window->Document().modified = false;
    Click(texts::kClearData);
    EXPECT_FALSE(window->Document().modified);
}

// Rows and cells a query writes mark the table unsaved, and so does a cell it changes; writing a cell's own text
// again is no change.
TEST_F(MainWindowTest, EveryChangeAQueryMakesMarksTheTableUnsaved) {
    AddRows(2);
    struct Case {
        const char* name;
        std::function<void(MainWindow&)> change;
        bool marks;
    };
    const std::vector<Case> cases = {
        {"a row appended", [](MainWindow& w) { w.AppendRow("3"); }, true},
        {"a cell set", [](MainWindow& w) { w.SetCell(1, 2, "123"); }, true},
        {"a cell set to its own text", [](MainWindow& w) { w.SetCell(1, 1, "kw1"); }, false},
        {"a cell outside the table", [](MainWindow& w) { w.SetCell(99, 1, "x"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->Document().modified = false;
        c.change(*window);
        EXPECT_EQ(window->Document().modified, c.marks);
    }
}

// The end of the Windows session asks about unsaved rows as a close does; Cancel keeps the session going.
TEST_F(MainWindowTest, TheSessionEndAsksAboutUnsavedRows) {
    HWND hwnd = window->Hwnd();
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_TRUE(prompter.messages.empty());

    AddRows(3);
    struct Case {
        MessageAnswer answer;
        LRESULT mayEnd;
    };
    for (const Case& c : {Case{MessageAnswer::Cancel, FALSE}, Case{MessageAnswer::No, TRUE}}) {
        prompter.messages.clear();
        prompter.answers = {c.answer};
        EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), c.mayEnd);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(Model().RowCount(), 4);
        EXPECT_TRUE(IsWindow(hwnd));
    }
}

// A folder whose name GBK cannot hold (Korean here) is saved into like any other; the title shows the file's name.
TEST_F(MainWindowTest, SavingIntoAFolderOutsideGbkKeepsThePath) {
    const std::wstring korean = folder + L"\\\xd55c\xae00";  // 한글
    ASSERT_TRUE(CreateDirectoryW(korean.c_str(), nullptr));
    const std::wstring path = korean + L"\\results.csv";
    window->AppendRow("1");
    window->SetCell(1, 1, "kw");
    window->SetModified();
    prompter.savePaths = {WideToUtf8(path)};

    RightClickGrid();

    EXPECT_NE(ReadAll(path), "<missing>");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "\xce\xc4\xbc\xfe\xb1\xa3\xb4\xe6\xb3\xc9\xb9\xa6\xa1\xa3");  // 文件保存成功。
    EXPECT_FALSE(window->Document().modified);
    EXPECT_EQ(window->Document().documentName, "results.csv");
    EXPECT_EQ(window->Document().savePath, WideToUtf8(path));
}

// A right click anywhere on the grid saves: its rows, its scroll bars and its border alike.
TEST_F(MainWindowTest, RightClickOnTheGridsScrollBarsOrBorderSavesToo) {
    for (int i = 0; i < 60; ++i) {
        window->AppendRow(std::to_string(i + 1));  // enough rows for a vertical scroll bar
    }
    HWND grid = Control(texts::kGrid1);
    RECT box{};
    GetWindowRect(grid, &box);
    for (WPARAM hit : {static_cast<WPARAM>(HTVSCROLL), static_cast<WPARAM>(HTHSCROLL), static_cast<WPARAM>(HTBORDER)}) {
        prompter.dialogs.clear();
        SendMessageW(grid, WM_NCRBUTTONDOWN, hit, MAKELPARAM(box.right - 5, box.top + 20));
        EXPECT_EQ(prompter.dialogs.size(), 1u) << hit;
    }
}

TEST_F(MainWindowTest, RightClickOnTheGridSavesTheExactBytes) {
    window->AppendRow("1");
    window->SetCell(1, 1, "\xc1\xac\xd2\xc2\xc8\xb9");  // 连衣裙
    window->SetCell(1, 2, "123");
    window->SetCell(1, 3, "\xc8\xb9");  // 裙
    window->AppendRow("2");
    window->SetCell(2, 1, "a,b");
    window->SetModified();
    std::wstring path = folder + L"\\\x7ed3\x679c.csv";  // 结果.csv
    prompter.savePaths = {WideToUtf8(path)};

    RightClickGrid();

    const std::string expected =
        "\xd0\xf2\xba\xc5,\xb9\xd8\xbc\xfc\xb4\xca,\xb1\xa6\xb1\xb4\xca\xfd,"
        "\xcb\xd1\xcb\xf7\xb9\xd8\xbc\xfc\xb4\xca\r\n"
        "1,\xc1\xac\xd2\xc2\xc8\xb9,123,\xc8\xb9\r\n"
        "2,\"a,b\",,\r\n";
    EXPECT_EQ(ReadAll(path), expected);
    ASSERT_EQ(prompter.dialogs.size(), 1u);
    EXPECT_EQ(prompter.dialogs[0].defaultExtension, "CSV");
    EXPECT_EQ(
        prompter.dialogs[0].filter,
        "CSV\xce\xc4\xbc\xfe\xce\xc4\xbc\xfe *.CSV|*.CSV|\xce\xc4\xb1\xbe\xce\xc4\xbc\xfe\xa3\xa8*.txt\xa3\xa9|*.txt");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "\xce\xc4\xbc\xfe\xb1\xa3\xb4\xe6\xb3\xc9\xb9\xa6\xa1\xa3");  // 文件保存成功。
    EXPECT_EQ(prompter.messages[0].title, "\xd0\xc5\xcf\xa2");                                         // 信息
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Information);
    EXPECT_FALSE(window->Document().modified);
    EXPECT_EQ(window->Document().documentName, "\xbd\xe1\xb9\xfb.csv");
    EXPECT_EQ(WindowTitle(window->Hwnd()), L"\x9ad8\x7ea7\x8868\x683c\x7f16\x8f91\x5668-\x7ed3\x679c.csv");
    // Nothing but the saved file is left in the folder.
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*.tmp").c_str(), &fd);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) {
        FindClose(h);
    }
}

TEST_F(MainWindowTest, CancelledSaveDialogChangesNothing) {
    window->SetModified();
    prompter.savePaths = {""};
    RightClickGrid();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(window->Document().modified);
    EXPECT_EQ(WindowTitle(window->Hwnd()), L"");
}

TEST_F(MainWindowTest, FailedSaveToAReadOnlyFileLosesNothing) {
    std::wstring path = folder + L"\\locked.csv";
    {
        std::ofstream f(WideToGbk(path), std::ios::binary);  // ASCII path: fine for the narrow stream
        f << "old content\r\n";
    }
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    AddRows(2);
    window->SetModified();
    prompter.savePaths = {WideToUtf8(path)};

    RightClickGrid();

    EXPECT_EQ(ReadAll(path), "old content\r\n");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(prompter.messages[0].text.find(WideToGbk(path)), std::string::npos);
    EXPECT_TRUE(window->Document().modified);
    EXPECT_EQ(window->Document().documentName, "");
    EXPECT_EQ(WindowTitle(window->Hwnd()), L"");
}

TEST_F(MainWindowTest, UnmodifiedWindowClosesWithoutAsking) {
    EXPECT_TRUE(Close());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, ClosePromptCancelKeepsTheWindow) {
    AddRows(1);
    window->SetModified();
    prompter.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(Close());
    ASSERT_EQ(prompter.messages.size(), 1u);
    // 是否保存对【】的更改?  /  保存提示
    EXPECT_EQ(prompter.messages[0].text,
              "\xca\xc7\xb7\xf1\xb1\xa3\xb4\xe6\xb6\xd4\xa1\xbe\xa1\xbf\xb5\xc4\xb8\xfc\xb8\xc4?");
    EXPECT_EQ(prompter.messages[0].title, "\xb1\xa3\xb4\xe6\xcc\xe1\xca\xbe");
    EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(Model().RowCount(), 2);
}

TEST_F(MainWindowTest, ClosePromptNoClosesWithoutSaving) {
    window->SetModified();
    prompter.answers = {MessageAnswer::No};
    EXPECT_TRUE(Close());
    EXPECT_TRUE(prompter.dialogs.empty());
}

TEST_F(MainWindowTest, ClosePromptYesSavesThenCloses) {
    AddRows(1);
    window->SetModified();
    std::wstring path = folder + L"\\out.csv";
    prompter.answers = {MessageAnswer::Yes};
    prompter.savePaths = {WideToUtf8(path)};
    EXPECT_TRUE(Close());
    EXPECT_EQ(ReadAll(path).substr(ReadAll(path).size() - 9), "1,kw1,,\r\n");
}

TEST_F(MainWindowTest, ClosePromptYesThenCancelledOrFailedSaveKeepsTheWindow) {
    AddRows(1);
    window->SetModified();
    prompter.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    prompter.savePaths = {"", WideToUtf8(folder + L"\\no-such-folder\\x.csv")};
    EXPECT_FALSE(Close());  // dialog cancelled
    EXPECT_FALSE(Close());  // write failed
    EXPECT_TRUE(window->Document().modified);
    EXPECT_EQ(Model().RowCount(), 2);
}

TEST_F(MainWindowTest, PromptNamesTheLastSavedDocument) {
    window->SetModified();
    prompter.savePaths = {WideToUtf8(folder + L"\\first.csv")};
    RightClickGrid();
    window->SetModified();
    prompter.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(Close());
    EXPECT_NE(prompter.messages.back().text.find("first.csv"), std::string::npos);
    // Clearing after a save does not bring the prompt back.
    prompter.answers.clear();
    prompter.savePaths = {WideToUtf8(folder + L"\\second.csv")};
    RightClickGrid();
    Click(texts::kClearData);
    EXPECT_TRUE(Close());
}

TEST_F(MainWindowTest, SuggestionButtonWithAnEmptyKeywordOnlyAsks) {
    Click(texts::kButton1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "\xc7\xeb\xca\xe4\xc8\xeb\xb2\xe9\xd1\xaf\xb9\xd8\xbc\xfc\xb4\xca");  // 请输入查询关键词
    EXPECT_EQ(prompter.messages[0].title, "\xce\xc2\xdc\xb0\xcc\xe1\xca\xbe");      // 温馨提示
    EXPECT_TRUE(fetcher.urls.empty());
}

TEST_F(MainWindowTest, UserEditOfACellMarksModified) {
    AddRows(1);
    HWND edit = KeyOnGridCell(1, 1, VK_F2);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"\x65b0\x8bcd");  // 新词
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Model().GetCell(1, 1), "\xd0\xc2\xb4\xca");
    EXPECT_TRUE(window->Document().modified);
}

// Ctrl held down for the thread while a test presses its keys.
class ControlKeyDown {
  public:
    ControlKeyDown() {
        GetKeyboardState(saved_);
        BYTE held[256];
        memcpy(held, saved_, sizeof(held));
        held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
        SetKeyboardState(held);
    }
    ~ControlKeyDown() { SetKeyboardState(saved_); }

  private:
    BYTE saved_[256];
};

TEST_F(MainWindowTest, TheKeyboardStartsInTheKeywordBoxAndComesBackWhenTheWindowIsActiveAgain) {
    HWND main = window->Hwnd();
    SetForegroundWindow(main);
    SetActiveWindow(main);
    EXPECT_EQ(GetFocus(), Control(texts::kEdit2));

    HWND combo = Control(texts::kCombo1);
    SetFocus(combo);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    EXPECT_NE(GetFocus(), combo);
    SetActiveWindow(main);
    EXPECT_EQ(GetFocus(), combo);
    // Focus given to the bare window goes on to the control too.
    SetFocus(main);
    EXPECT_EQ(GetFocus(), combo);
    DestroyWindow(other);
}

TEST_F(MainWindowTest, EnterPressesTheFocusedButtonElseTheSuggestionButton) {
    // In the keyword box: the suggestion query, which with no keyword only asks for one.
    PressKey(*window, Control(texts::kEdit2), WM_KEYDOWN, VK_RETURN);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "\xc7\xeb\xca\xe4\xc8\xeb\xb2\xe9\xd1\xaf\xb9\xd8\xbc\xfc\xb4\xca");  // 请输入查询关键词

    // On a focused button: that button.
    AddRows(3);
    HWND clear = Control(texts::kClearData);
    SetFocus(clear);
    PressKey(*window, clear, WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(window->RowCount(), 1);
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(fetcher.urls.empty());
}

TEST_F(MainWindowTest, EnterOnTheGridEditsTheCellInsteadOfPressingAButton) {
    AddRows(2);
    HWND grid = Control(texts::kGrid1);
    HWND edit = KeyOnGridCell(2, 1, VK_RETURN);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(prompter.messages.empty());
    // Enter in the cell ends the edit and keeps the text.
    SetWindowTextW(edit, L"abc");
    PressKey(*window, edit, WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(FindWindowExW(grid, nullptr, L"EDIT", nullptr), nullptr);
    EXPECT_EQ(Model().GetCell(2, 1), "abc");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, CtrlSAndTheMenuKeySaveAsARightClickDoes) {
    AddRows(2);
    HWND grid = Control(texts::kGrid1);
    // While a cell is being edited, Ctrl+S saves what was typed so far.
    HWND edit = KeyOnGridCell(1, 1, VK_F2);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"typed");
    const std::wstring path = folder + L"\\keys.csv";
    prompter.savePaths.push_back(WideToUtf8(path));
    {
        ControlKeyDown ctrl;
        PressKey(*window, edit, WM_KEYDOWN, 'S');
    }
    ASSERT_EQ(prompter.dialogs.size(), 1u);
    EXPECT_NE(ReadAll(path).find("1,typed,"), std::string::npos) << ReadAll(path);

    // The menu key (a context menu with no position) saves too; a click's context menu does not save twice.
    SendMessageW(grid, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid), MAKELPARAM(-1, -1));
    EXPECT_EQ(prompter.dialogs.size(), 2u);
    SendMessageW(grid, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid), MAKELPARAM(100, 100));
    EXPECT_EQ(prompter.dialogs.size(), 2u);
}

TEST_F(MainWindowTest, AltF4ClosesTheWindowWhicheverControlHasTheKeyboard) {
    HWND main = window->Hwnd();
    HWND combo = Control(texts::kCombo1);
    SetFocus(combo);
    PressKey(*window, combo, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
    EXPECT_FALSE(IsWindow(main));
}

// Rows with counts, for the workbench cases: kw1 5, kw2 (none), kw3 50, kw4 5.
void AddCountedRows(MainWindow& window) {
    const char* counts[] = {"5", "", "50", "5"};
    for (int i = 1; i <= 4; ++i) {
        window.AppendRow(std::to_string(i));
        window.SetCell(i, 1, "kw" + std::to_string(i));
        window.SetCell(i, 2, counts[i - 1]);
    }
}

std::vector<std::string> ShownKeywords(MainWindow& window) {
    std::vector<std::string> keywords;
    for (int row : window.Grid().View().ShownRows()) {
        keywords.push_back(window.Grid().Model().GetCell(row, 1));
    }
    return keywords;
}

// A click on 宝贝数's title sorts by it, largest first, then smallest first, then back to arrival order; rows
// without a count stay last. A save writes every row in the order shown; in arrival order it is the usual file.
TEST_F(MainWindowTest, ColumnTitlesSortTheRowsAndASaveWritesTheShownOrder) {
    AddCountedRows(*window);
    const std::string arrival = TableToCsv(Model());
    HWND grid = Control(texts::kGrid1);
    const LPARAM countTitle = MAKELPARAM(30 + 140 + 45, 10);
    const std::vector<std::vector<std::string>> orders = {
        {"kw3", "kw1", "kw4", "kw2"}, {"kw1", "kw4", "kw3", "kw2"}, {"kw1", "kw2", "kw3", "kw4"}};
    for (size_t click = 0; click < orders.size(); ++click) {
        SCOPED_TRACE(click);
        SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, countTitle);
        SendMessageW(grid, WM_LBUTTONUP, 0, countTitle);
        EXPECT_EQ(ShownKeywords(*window), orders[click]);
        const std::wstring path = folder + L"\\sorted" + std::to_wstring(click) + L".csv";
        prompter.savePaths = {WideToUtf8(path)};
        RightClickGrid();
        const std::string saved = ReadAll(path);
        size_t at = 0;
        for (const std::string& keyword : orders[click]) {
            at = saved.find("," + keyword + ",", at);
            EXPECT_NE(at, std::string::npos) << keyword;
        }
    }
    EXPECT_EQ(ReadAll(folder + L"\\sorted2.csv"), arrival);

    // Alt+S does from the keyboard what the click does, for the column of the cursor.
    Model().SetCursor(1, 2);
    for (const std::vector<std::string>& order : orders) {
        PressKey(*window, grid, WM_SYSKEYDOWN, 'S', 1 << 29);
        EXPECT_EQ(ShownKeywords(*window), order);
    }
}

// The filter hides rows without touching them; a delete takes the rows selected as shown, and Ctrl+Z brings them
// back where they were.
TEST_F(MainWindowTest, AFilteredViewDeletesOnlyWhatItShowsAndUndoBringsItBack) {
    AddCountedRows(*window);
    window->AppendRow("5");
    window->SetCell(5, 1, "apple");
    const std::string before = TableToCsv(Model());
    window->Grid().SetFilter("kw -kw3");
    EXPECT_EQ(ShownKeywords(*window), (std::vector<std::string>{"kw1", "kw2", "kw4"}));
    Model().SetCursor(2, 1);
    Model().ExtendSelectionTo(3, 1);
    Click(texts::kButton2);
    EXPECT_EQ(ShownKeywords(*window), (std::vector<std::string>{"kw1"}));
    window->Grid().SetFilter("");
    EXPECT_EQ(ShownKeywords(*window), (std::vector<std::string>{"kw1", "kw3", "apple"}));

    HWND grid = Control(texts::kGrid1);
    SetFocus(grid);
    {
        ControlKeyDown ctrl;
        PressKey(*window, grid, WM_KEYDOWN, 'Z');
    }
    EXPECT_EQ(TableToCsv(Model()), before);
}

// Every change of the table can be taken back with Ctrl+Z and made again with Ctrl+Y; a save after an undo writes
// the table as it was. Ctrl+Z in the keyword box is the box's own.
TEST_F(MainWindowTest, CtrlZAndCtrlYTakeBackAndRedoEveryTableChange) {
    HWND grid = Control(texts::kGrid1);
    const auto ctrlKey = [&](HWND target, WPARAM key) {
        ControlKeyDown ctrl;
        PressKey(*window, target, WM_KEYDOWN, key);
    };
    struct Case {
        const char* name;
        std::function<void()> change;
    };
    const std::vector<Case> cases = {
        {"delete a block",
         [&] {
             Model().SetCursor(1, 1);
             Model().ExtendSelectionTo(2, 1);
             Click(texts::kButton2);
         }},
        {"clear", [&] { Click(texts::kClearData); }},
        {"cell edit",
         [&] {
             HWND edit = KeyOnGridCell(3, 1, VK_F2);
             ASSERT_NE(edit, nullptr);
             SetWindowTextW(edit, L"typed");
             SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AddCountedRows(*window);
        const std::string before = TableToCsv(Model());
        c.change();
        const std::string after = TableToCsv(Model());
        ASSERT_NE(after, before);
        window->Document().modified = false;
        ctrlKey(grid, 'Z');
        EXPECT_EQ(TableToCsv(Model()), before);
        EXPECT_TRUE(window->Document().modified);
        ctrlKey(grid, 'Y');
        EXPECT_EQ(TableToCsv(Model()), after);
        ctrlKey(grid, 'Z');
        const std::wstring path = folder + L"\\undone.csv";
        prompter.savePaths = {WideToUtf8(path)};
        RightClickGrid();
        EXPECT_EQ(ReadAll(path), before);
        Click(texts::kClearData);
    }
    AddCountedRows(*window);
    Click(texts::kClearData);
    ctrlKey(Control(texts::kEdit2), 'Z');
    EXPECT_EQ(Model().RowCount(), 1);
}

// The workbench panel: the filter box filters as it is typed in and the line under it counts the rows; Ctrl+F
// goes there and Esc empties it; 合并重复 leaves one row per keyword and Ctrl+Z takes that back; Tab reaches every
// control of the panel.
TEST_F(MainWindowTest, TheWorkbenchPanelFiltersCountsMergesAndIsReachedFromTheKeyboard) {
    AddCountedRows(*window);
    window->AppendRow("5");
    window->SetCell(5, 1, "KW1");  // the same keyword as kw1 once case is folded
    window->SetCell(5, 2, "9");
    UpdateWindow(Control(texts::kGrid1));
    WorkbenchPanel& panel = window->Panel();
    const auto shownLine = [&] { return GbkToUtf8(WindowTextGbk(panel.ShownLine())); };
    EXPECT_EQ(shownLine(), "显示 5 / 5 行");

    SetWindowTextW(panel.FilterBox(), L"kw -kw3");
    EXPECT_EQ(shownLine(), "显示 4 / 5 行");
    {
        ControlKeyDown ctrl;
        PressKey(*window, Control(texts::kGrid1), WM_KEYDOWN, 'F');
    }
    EXPECT_EQ(GetFocus(), panel.FilterBox());
    PressKey(*window, panel.FilterBox(), WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(GetWindowTextLengthW(panel.FilterBox()), 0);
    EXPECT_EQ(shownLine(), "显示 5 / 5 行");

    const std::string before = TableToCsv(Model());
    SendMessageW(panel.TableButtons()[0], BM_CLICK, 0, 0);
    EXPECT_EQ(shownLine(), "显示 4 / 4 行");
    EXPECT_EQ(Model().GetCell(1, 2), "9");  // kw1 keeps its place with the larger count
    HWND grid = Control(texts::kGrid1);
    {
        ControlKeyDown ctrl;
        PressKey(*window, grid, WM_KEYDOWN, 'Z');
    }
    EXPECT_EQ(TableToCsv(Model()), before);

    // Tab goes on from the table through the panel.
    SetFocus(grid);
    std::vector<HWND> reached;
    for (int i = 0; i < 4; ++i) {
        PressKey(*window, GetFocus(), WM_KEYDOWN, VK_TAB);
        reached.push_back(GetFocus());
    }
    const std::vector<HWND> controls = panel.Controls();
    EXPECT_EQ(reached, std::vector<HWND>(controls.begin(), controls.begin() + 4));
}

// 导出 writes the rows shown, in the order shown, as the file type chosen; it is no save.
TEST_F(MainWindowTest, ExportWritesTheRowsShownAndLeavesTheTableUnsaved) {
    AddCountedRows(*window);
    window->Grid().SetFilter("-kw2");
    window->Grid().SetSortKey(SortKey{2, SortDirection::kFirst});
    const std::wstring path = folder + L"\\shown.csv";
    prompter.savePaths = {WideToUtf8(path)};
    prompter.fileTypes = {2};
    SendMessageW(window->Panel().Controls()[3], BM_CLICK, 0, 0);
    EXPECT_EQ(ReadAll(path), TableToCsv(Model()).substr(0, TableToCsv(Model()).find("\r\n") + 2) +
                                 "3,kw3,50,\r\n1,kw1,5,\r\n4,kw4,5,\r\n");
    EXPECT_TRUE(window->Document().modified);  // the rows were never saved
    EXPECT_TRUE(window->Document().savePath.empty());
}

// The exclude words are kept in their folder; rows holding one can be hidden (a view) or deleted (undoable), and
// a run leaves keywords holding one unexpanded when the seller asks for that.
TEST_F(MainWindowTest, ExcludeWordsHideOrDeleteTheirRowsAndAreKept) {
    AddCountedRows(*window);
    const std::string before = TableToCsv(Model());
    excludeAsker.action = ExcludeWordsAction::Apply;
    excludeAsker.answer = {"kw3\r\nkw4\r\n", true, true};
    SendMessageW(window->Panel().TableButtons()[1], BM_CLICK, 0, 0);
    ASSERT_EQ(excludeAsker.shown.size(), 1u);
    EXPECT_EQ(excludeAsker.shown[0].words, "");
    EXPECT_EQ(ShownKeywords(*window), (std::vector<std::string>{"kw1", "kw2"}));
    EXPECT_EQ(TableToCsv(Model()), before);
    EXPECT_TRUE(window->SkipExpanding("kw4 x"));
    EXPECT_FALSE(window->SkipExpanding("kw1 x"));
    EXPECT_EQ(ReadAll(folder + L"\\exclude-words.txt"), "kw3\r\nkw4\r\n");

    excludeAsker.action = ExcludeWordsAction::DeleteRows;
    excludeAsker.answer = {"kw3\r\nkw4\r\n", false, false};
    SendMessageW(window->Panel().TableButtons()[1], BM_CLICK, 0, 0);
    EXPECT_EQ(excludeAsker.shown[1].words, "kw3\r\nkw4\r\n");
    EXPECT_EQ(Model().RowCount(), 3);
    EXPECT_FALSE(window->SkipExpanding("kw4 x"));
    HWND grid = Control(texts::kGrid1);
    {
        ControlKeyDown ctrl;
        PressKey(*window, grid, WM_KEYDOWN, 'Z');
    }
    EXPECT_EQ(TableToCsv(Model()), before);
}

}  // namespace
}  // namespace zandrel
