// The two query buttons of the real main window, over WinHTTP, against the simulated marketplace that the
// ctest fixture starts on a loopback port (ZANDREL_MARKET_PORT in the environment; its request log is at
// ZANDREL_MARKET_LOG, a path compiled in).
//
// The expected rows below were worked out from the marketplace's rules, not by running the query code:
// for a keyword of w words beyond the first, source A suggests keyword + " " + 夏/新款/韩版 (the first 3 - w),
// source B 夏/显瘦 (the first 2 - w), source C 长款/雪纺 (the first 2 - w); every listing count is
// crc32(UTF-8 of the suggestion) % 900000 + 1000. The search page offers max(2, 5 - w) links
// keyword + " " + 同款/推荐/热卖/包邮/特价, of which all but the last two are taken. The rows then follow the
// numbering, "搜索关键词" and level rules of the two query runs: 7 entries for the seed 连衣裙, so rows 1 to 7
// (连衣裙 夏 twice, as A and B both suggest it); at the second level each of those 7 keywords gives 4 rows; at
// the third level the walk starts after row 4 (the last batch had 4 entries) and takes the 36 rows 5 to 40,
// which the first three (one-word) keywords stretch by 4 rows each and the rest by 1.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <vector>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "app/picture_box_win.h"
#include "base/encoding.h"
#include "base/window_text.h"
#include "draw/draw_image.h"
#include "draw/gdiplus_session.h"
#include "query/winhttp_fetcher_win.h"
#include "scripted_prompter.h"
#include "table/grid_window_win.h"

namespace zandrel {
namespace {

using Clock = std::chrono::steady_clock;

// A query time-out short enough for the cases with a server that never answers.
constexpr int kShortTimeoutMs = 1000;

std::string Env(const wchar_t* name) {
    wchar_t buffer[2048] = {};
    DWORD n = GetEnvironmentVariableW(name, buffer, 2048);
    if (n == 0 || n >= 2048) {
        return {};
    }
    return WideToGbk(buffer);
}

// A path handed over by ctest: a Unix path under Wine (reached through drive Z:), a Windows path otherwise.
std::wstring HostPath(const std::string& path) {
    std::wstring w = GbkToWide(path);
    if (!w.empty() && w[0] == L'/') {
        for (wchar_t& c : w) {
            if (c == L'/') {
                c = L'\\';
            }
        }
        w = L"Z:" + w;
    }
    return w;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE f =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string data;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        data.append(buffer, got);
    }
    CloseHandle(f);
    return data;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok =
        WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(f);
    return ok;
}

// Every request target the marketplace received, one a line, as received.
class RequestLog {
  public:
    RequestLog() : path_(HostPath(ZANDREL_MARKET_LOG)) {}
    bool Available() const { return !path_.empty() && GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    void Mark() { mark_ = ReadFileBytes(path_).size(); }
    // The lines written since Mark().
    std::vector<std::string> Since() const {
        std::string all = ReadFileBytes(path_);
        std::vector<std::string> lines;
        size_t pos = mark_ < all.size() ? mark_ : all.size();
        while (pos < all.size()) {
            size_t end = all.find('\n', pos);
            if (end == std::string::npos) {
                end = all.size();
            }
            lines.push_back(all.substr(pos, end - pos));
            pos = end + 1;
        }
        return lines;
    }

  private:
    std::wstring path_;
    size_t mark_ = 0;
};

// Handles the messages of this thread for the given time, or until `done` holds.
template <typename Done>
bool PumpUntil(int milliseconds, Done done) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) {
            return true;
        }
        if (Clock::now() >= end) {
            return false;
        }
        Sleep(10);
    }
}

// A loopback port on which nothing listens: bound once to learn a free number, then closed.
int ClosedPort() {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    int len = sizeof(addr);
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    closesocket(s);
    return ntohs(addr.sin_port);
}

// Listens on a loopback port and never accepts: connections complete in the backlog, requests go unanswered.
class SilentServer {
  public:
    SilentServer() {
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(socket_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        listen(socket_, 16);
        int len = sizeof(addr);
        getsockname(socket_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
    }
    ~SilentServer() { closesocket(socket_); }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    int Port() const { return port_; }

  private:
    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
};

int MarketPort() {
    return std::atoi(Env(L"ZANDREL_MARKET_PORT").c_str());
}

// Records, with every message, whether the status label was showing at that moment.
class WatchingPrompter : public testing::ScriptedPrompter {
  public:
    HWND label = nullptr;
    std::vector<bool> labelShown;
    std::vector<DWORD> threads;        // the thread each message was shown on
    std::function<void()> whileShown;  // runs while the box would be on screen
    MessageAnswer ShowMessage(std::string_view text,
                              std::string_view title,
                              MessageButtons buttons,
                              MessageIcon icon) override {
        labelShown.push_back(label != nullptr && IsWindowVisible(label));
        threads.push_back(GetCurrentThreadId());
        if (whileShown) {
            whileShown();
        }
        return ScriptedPrompter::ShowMessage(text, title, buttons, icon);
    }
};

// One expected table row, readable UTF-8: 序号, 关键词, 宝贝数, 搜索关键词.
struct Row {
    const char* seq;
    const char* keyword;
    const char* count;
    const char* searched;
};

// One row per line, in table order.
// clang-format off
// The seed's own batch.
constexpr Row kSuggestLevel1[] = {
    {"1", "连衣裙 夏", "40420", "连衣裙"},
    {"2", "连衣裙 新款", "550609", ""},
    {"3", "连衣裙 韩版", "228121", ""},
    {"4", "连衣裙 夏", "40420", ""},
    {"5", "连衣裙 显瘦", "490997", ""},
    {"6", "连衣裙 长款", "36162", ""},
    {"7", "连衣裙 雪纺", "843543", ""},
};

// Added by the second level: one batch per row of the first.
constexpr Row kSuggestLevel2[] = {
    {"1", "连衣裙 夏 夏", "861890", "连衣裙 夏"},
    {"2", "连衣裙 夏 新款", "847719", ""},
    {"3", "连衣裙 夏 夏", "861890", ""},
    {"4", "连衣裙 夏 长款", "123956", ""},
    {"1", "连衣裙 新款 夏", "61008", "连衣裙 新款"},
    {"2", "连衣裙 新款 新款", "38361", ""},
    {"3", "连衣裙 新款 夏", "61008", ""},
    {"4", "连衣裙 新款 长款", "840266", ""},
    {"1", "连衣裙 韩版 夏", "832561", "连衣裙 韩版"},
    {"2", "连衣裙 韩版 新款", "214203", ""},
    {"3", "连衣裙 韩版 夏", "832561", ""},
    {"4", "连衣裙 韩版 长款", "732328", ""},
    {"1", "连衣裙 夏 夏", "861890", "连衣裙 夏"},
    {"2", "连衣裙 夏 新款", "847719", ""},
    {"3", "连衣裙 夏 夏", "861890", ""},
    {"4", "连衣裙 夏 长款", "123956", ""},
    {"1", "连衣裙 显瘦 夏", "419660", "连衣裙 显瘦"},
    {"2", "连衣裙 显瘦 新款", "213791", ""},
    {"3", "连衣裙 显瘦 夏", "419660", ""},
    {"4", "连衣裙 显瘦 长款", "419020", ""},
    {"1", "连衣裙 长款 夏", "276212", "连衣裙 长款"},
    {"2", "连衣裙 长款 新款", "281626", ""},
    {"3", "连衣裙 长款 夏", "276212", ""},
    {"4", "连衣裙 长款 长款", "97321", ""},
    {"1", "连衣裙 雪纺 夏", "377035", "连衣裙 雪纺"},
    {"2", "连衣裙 雪纺 新款", "742370", ""},
    {"3", "连衣裙 雪纺 夏", "377035", ""},
    {"4", "连衣裙 雪纺 长款", "491889", ""},
};

// Added by the third level, after the second.
constexpr Row kSuggestLevel3[] = {
    {"1", "连衣裙 显瘦 夏", "419660", "连衣裙 显瘦"},
    {"2", "连衣裙 显瘦 新款", "213791", ""},
    {"3", "连衣裙 显瘦 夏", "419660", ""},
    {"4", "连衣裙 显瘦 长款", "419020", ""},
    {"1", "连衣裙 长款 夏", "276212", "连衣裙 长款"},
    {"2", "连衣裙 长款 新款", "281626", ""},
    {"3", "连衣裙 长款 夏", "276212", ""},
    {"4", "连衣裙 长款 长款", "97321", ""},
    {"1", "连衣裙 雪纺 夏", "377035", "连衣裙 雪纺"},
    {"2", "连衣裙 雪纺 新款", "742370", ""},
    {"3", "连衣裙 雪纺 夏", "377035", ""},
    {"4", "连衣裙 雪纺 长款", "491889", ""},
    {"1", "连衣裙 夏 夏 夏", "273648", ""},
    {"1", "连衣裙 夏 新款 夏", "308757", ""},
    {"1", "连衣裙 夏 夏 夏", "273648", ""},
    {"1", "连衣裙 夏 长款 夏", "436817", ""},
    {"1", "连衣裙 新款 夏 夏", "209465", ""},
    {"1", "连衣裙 新款 新款 夏", "871314", ""},
    {"1", "连衣裙 新款 夏 夏", "209465", ""},
    {"1", "连衣裙 新款 长款 夏", "771638", ""},
    {"1", "连衣裙 韩版 夏 夏", "123830", ""},
    {"1", "连衣裙 韩版 新款 夏", "151741", ""},
    {"1", "连衣裙 韩版 夏 夏", "123830", ""},
    {"1", "连衣裙 韩版 长款 夏", "337753", ""},
    {"1", "连衣裙 夏 夏 夏", "273648", ""},
    {"1", "连衣裙 夏 新款 夏", "308757", ""},
    {"1", "连衣裙 夏 夏 夏", "273648", ""},
    {"1", "连衣裙 夏 长款 夏", "436817", ""},
    {"1", "连衣裙 显瘦 夏 夏", "570972", ""},
    {"1", "连衣裙 显瘦 新款 夏", "837729", ""},
    {"1", "连衣裙 显瘦 夏 夏", "570972", ""},
    {"1", "连衣裙 显瘦 长款 夏", "3237", ""},
    {"1", "连衣裙 长款 夏 夏", "829312", ""},
    {"1", "连衣裙 长款 新款 夏", "433048", ""},
    {"1", "连衣裙 长款 夏 夏", "829312", ""},
    {"1", "连衣裙 长款 长款 夏", "438780", ""},
    {"1", "连衣裙 雪纺 夏 夏", "760207", ""},
    {"1", "连衣裙 雪纺 新款 夏", "890041", ""},
    {"1", "连衣裙 雪纺 夏 夏", "760207", ""},
    {"1", "连衣裙 雪纺 长款 夏", "28125", ""},
    {"1", "连衣裙 显瘦 夏 夏", "570972", ""},
    {"1", "连衣裙 显瘦 新款 夏", "837729", ""},
    {"1", "连衣裙 显瘦 夏 夏", "570972", ""},
    {"1", "连衣裙 显瘦 长款 夏", "3237", ""},
    {"1", "连衣裙 长款 夏 夏", "829312", ""},
};

constexpr Row kSuggestSpace1[] = {
    {"1", "连衣裙 夏 夏", "861890", "连衣裙 夏"},
    {"2", "连衣裙 夏 新款", "847719", ""},
    {"3", "连衣裙 夏 夏", "861890", ""},
    {"4", "连衣裙 夏 长款", "123956", ""},
};

// The seed's own related searches.
constexpr Row kRelatedLevel1[] = {
    {"1", "连衣裙 同款", "", "连衣裙"},
    {"2", "连衣裙 推荐", "", ""},
    {"3", "连衣裙 热卖", "", ""},
};

// Added by the second level.
constexpr Row kRelatedLevel2[] = {
    {"1", "连衣裙 同款 同款", "", "连衣裙 同款"},
    {"2", "连衣裙 同款 推荐", "", ""},
    {"1", "连衣裙 推荐 同款", "", "连衣裙 推荐"},
    {"2", "连衣裙 推荐 推荐", "", ""},
    {"1", "连衣裙 热卖 同款", "", "连衣裙 热卖"},
    {"2", "连衣裙 热卖 推荐", "", ""},
};

// Added by the third level, which walks every row present when it starts.
constexpr Row kRelatedLevel3[] = {
    {"1", "连衣裙 同款 同款", "", "连衣裙 同款"},
    {"2", "连衣裙 同款 推荐", "", ""},
    {"1", "连衣裙 推荐 同款", "", "连衣裙 推荐"},
    {"2", "连衣裙 推荐 推荐", "", ""},
    {"1", "连衣裙 热卖 同款", "", "连衣裙 热卖"},
    {"2", "连衣裙 热卖 推荐", "", ""},
    {"1", "连衣裙 同款 同款 同款", "", "连衣裙 同款 同款"},
    {"1", "连衣裙 同款 推荐 同款", "", "连衣裙 同款 推荐"},
    {"1", "连衣裙 推荐 同款 同款", "", "连衣裙 推荐 同款"},
    {"1", "连衣裙 推荐 推荐 同款", "", "连衣裙 推荐 推荐"},
    {"1", "连衣裙 热卖 同款 同款", "", "连衣裙 热卖 同款"},
    {"1", "连衣裙 热卖 推荐 同款", "", "连衣裙 热卖 推荐"},
};

constexpr Row kRelatedSpace1[] = {
    {"1", "连衣裙 夏 同款", "", "连衣裙 夏"},
    {"2", "连衣裙 夏 推荐", "", ""},
};

constexpr Row kRelatedSpace3[] = {
    {"1", "连衣裙 夏 同款", "", "连衣裙 夏"},
    {"2", "连衣裙 夏 推荐", "", ""},
    {"1", "连衣裙 夏 同款 同款", "", "连衣裙 夏 同款"},
    {"1", "连衣裙 夏 推荐 同款", "", "连衣裙 夏 推荐"},
    {"1", "连衣裙 夏 同款 同款", "", "连衣裙 夏 同款"},
    {"1", "连衣裙 夏 推荐 同款", "", "连衣裙 夏 推荐"},
};
// clang-format on

class QueryWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        ASSERT_TRUE(gdiplus.Start());
    }
    static void TearDownTestSuite() {
        gdiplus.Stop();
        WSACleanup();
    }

    void SetUp() override {
        port = MarketPort();
        ASSERT_GT(port, 0) << "ZANDREL_MARKET_PORT is not set: run the test through ctest";
        ASSERT_TRUE(log.Available()) << "no marketplace request log at " << ZANDREL_MARKET_LOG;
    }

    void TearDown() override { window.reset(); }

    void Open(const Endpoints& endpoints,
              int timeoutMs = WinHttpFetcher::kDefaultTimeoutMs,
              bool downloadBanner = false) {
        fetcher = std::make_unique<WinHttpFetcher>(prompter, timeoutMs);
        MainWindowOptions options;
        options.endpoints = endpoints;
        options.prompter = &prompter;
        options.fetcher = fetcher.get();
        options.downloadBanner = downloadBanner;
        options.openUrl = [](const std::string&) {};
        window = MainWindow::Create(options);
        ASSERT_TRUE(window);
        prompter.label = window->Control(texts::kLabel2);
    }

    // The window with a fetcher of the test's own.
    void OpenWith(PageFetcher& own, const Endpoints& endpoints) {
        MainWindowOptions options;
        options.endpoints = endpoints;
        options.prompter = &prompter;
        options.fetcher = &own;
        options.downloadBanner = false;
        options.openUrl = [](const std::string&) {};
        window = MainWindow::Create(options);
        ASSERT_TRUE(window);
        prompter.label = window->Control(texts::kLabel2);
    }

    HWND Control(const char* name) { return window->Control(name); }

    void Type(const char* utf8) {
        std::wstring w = GbkToWide(Utf8ToGbk(utf8));
        SendMessageW(Control(texts::kEdit2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
    }
    void ChooseDepth(int depth) { SendMessageW(Control(texts::kCombo1), CB_SETCURSEL, depth - 1, 0); }
    void Click(const char* name) { SendMessageW(Control(name), BM_CLICK, 0, 0); }

    // The data rows (all four columns) against the expected ones, compared as GBK bytes.
    void ExpectRows(const std::vector<Row>& expectedRows) {
        const Row* rows = expectedRows.data();
        const size_t n = expectedRows.size();
        GridModel& model = window->Grid().Model();
        ASSERT_EQ(model.RowCount(), static_cast<int>(n) + 1);
        for (size_t i = 0; i < n; ++i) {
            const char* expected[4] = {rows[i].seq, rows[i].keyword, rows[i].count, rows[i].searched};
            for (int column = 0; column < 4; ++column) {
                std::string got = model.GetCell(static_cast<int>(i) + 1, column);
                if (got != Utf8ToGbk(expected[column])) {
                    ADD_FAILURE() << "row " << i + 1 << " column " << column << ": got \"" << GbkToUtf8(got)
                                  << "\", expected \"" << expected[column] << "\"";
                }
            }
        }
    }

    // "查询完成" shown once, as the only message; the status label was showing then (suggestion query) or
    // not (related searches) and is hidden now; the document is marked modified.
    // The box that ends a run: "查询完成", followed by the failed requests when there were any.
    void ExpectQueryDone(bool labelShownAtTheEnd, int failedRequests = 0) {
        ASSERT_EQ(prompter.messages.size(), 1u);
        const std::string failures = "（" + std::to_string(failedRequests) + " 个请求失败）";
        EXPECT_EQ(prompter.messages[0].text, Utf8ToGbk(failedRequests > 0 ? "查询完成" + failures : "查询完成"));
        EXPECT_EQ(prompter.messages[0].title, Utf8ToGbk("信息："));
        EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::Ok);
        ASSERT_EQ(prompter.labelShown.size(), 1u);
        EXPECT_EQ(prompter.labelShown[0], labelShownAtTheEnd);
        EXPECT_FALSE(IsWindowVisible(Control(texts::kLabel2)));
        EXPECT_TRUE(window->Document().modified);
    }

    static inline GdiplusSession gdiplus;
    int port = 0;
    RequestLog log;
    WatchingPrompter prompter;
    std::unique_ptr<WinHttpFetcher> fetcher;
    std::unique_ptr<MainWindow> window;
};

struct QueryCase {
    const char* name;
    const char* button;  // layout name of the button pressed
    const char* seed;    // UTF-8
    int depth;
    std::vector<Row> rows;  // the levels' blocks, in table order
    size_t requests;        // 3 per suggestion step, 1 per related lookup
};

// The blocks of rows, one after the other.
std::vector<Row> Rows(std::initializer_list<std::span<const Row>> blocks) {
    std::vector<Row> rows;
    for (std::span<const Row> b : blocks) {
        rows.insert(rows.end(), b.begin(), b.end());
    }
    return rows;
}

TEST_F(QueryWindowTest, EachDepthOfBothQueriesGivesExactlyTheExpectedRows) {
    const QueryCase cases[] = {
        {"suggestions, depth 1", texts::kButton1, "连衣裙", 1, Rows({kSuggestLevel1}), 3},
        {"suggestions, depth 2", texts::kButton1, "连衣裙", 2, Rows({kSuggestLevel1, kSuggestLevel2}), 3 + 7 * 3},
        {"suggestions, depth 3", texts::kButton1, "连衣裙", 3, Rows({kSuggestLevel1, kSuggestLevel2, kSuggestLevel3}),
         3 + 7 * 3 + 36 * 3},
        {"suggestions, keyword with a space", texts::kButton1, "连衣裙 夏", 1, Rows({kSuggestSpace1}), 3},
        {"related, depth 1", texts::kButton3, "连衣裙", 1, Rows({kRelatedLevel1}), 1},
        {"related, depth 2", texts::kButton3, "连衣裙", 2, Rows({kRelatedLevel1, kRelatedLevel2}), 1 + 3},
        {"related, depth 3", texts::kButton3, "连衣裙", 3, Rows({kRelatedLevel1, kRelatedLevel2, kRelatedLevel3}),
         1 + 3 + 9},
        {"related, keyword with a space", texts::kButton3, "连衣裙 夏", 1, Rows({kRelatedSpace1}), 1},
        {"related, keyword with a space, depth 3", texts::kButton3, "连衣裙 夏", 3, Rows({kRelatedSpace3}), 1 + 2 + 4},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.messages.clear();
        prompter.labelShown.clear();
        Open(DemoEndpoints(port));
        if (!window) {
            return;
        }
        Type(c.seed);
        ChooseDepth(c.depth);
        log.Mark();
        const auto start = Clock::now();
        Click(c.button);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        std::printf("%s: %zu rows, %zu requests, %lld ms\n", c.name, c.rows.size(), log.Since().size(),
                    static_cast<long long>(ms));
        ExpectRows(c.rows);
        ExpectQueryDone(c.button == texts::kButton1);
        EXPECT_EQ(log.Since().size(), c.requests);
        window.reset();
    }
}

struct TargetCase {
    const char* button;
    const char* seed;  // UTF-8
    std::vector<std::string> targets;
};

// What reaches the server for a keyword, with and without a space: the suggestion services get the UTF-8
// escapes of each Chinese character, the search page one escape per GBK byte and %20 for the space.
TEST_F(QueryWindowTest, RequestTargetsCarryTheEncodedKeyword) {
    const std::string lianyiqun = "%E8%BF%9E%E8%A1%A3%E8%A3%99";  // 连衣裙 in UTF-8
    const std::string xia = "%E5%A4%8F";                          // 夏 in UTF-8
    const TargetCase cases[] = {
        {texts::kButton1,
         "连衣裙",
         {"/sug?code=utf-8&q=" + lianyiqun + "&callback=jsonp1304&k=1&area=c2c&bucketid=5",
          "/sug?code=utf-8&callback=?&q=" + lianyiqun,
          "/sug?code=utf-8&q=" + lianyiqun + "&callback=jsonp630&area=etao&k=1"}},
        // The query code puts the space in the URL as it is; WinHTTP escapes it on the way out.
        {texts::kButton1,
         "连衣裙 夏",
         {"/sug?code=utf-8&q=" + lianyiqun + "%20" + xia + "&callback=jsonp1304&k=1&area=c2c&bucketid=5",
          "/sug?code=utf-8&callback=?&q=" + lianyiqun + "%20" + xia,
          "/sug?code=utf-8&q=" + lianyiqun + "%20" + xia + "&callback=jsonp630&area=etao&k=1"}},
        {texts::kButton3, "连衣裙", {"/search?&q=%C1%AC%D2%C2%C8%B9"}},
        {texts::kButton3, "连衣裙 夏", {"/search?&q=%C1%AC%D2%C2%C8%B9%20%CF%C4"}},
        {texts::kButton3, "", {"/search?&q="}},  // the related lookup does not refuse an empty keyword
    };
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(std::string(GbkToUtf8(c.button)) + " \"" + c.seed + "\"");
        prompter.messages.clear();
        prompter.labelShown.clear();
        Open(DemoEndpoints(port));
        if (!window) {
            return;
        }
        Type(c.seed);
        log.Mark();
        Click(c.button);
        // The sources of a step are asked together, so the server may see them in any order.
        std::vector<std::string> seen = log.Since();
        std::vector<std::string> expected = c.targets;
        std::sort(seen.begin(), seen.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(seen, expected);
        ExpectQueryDone(c.button == texts::kButton1);
        window.reset();
    }
}

TEST_F(QueryWindowTest, EmptyKeywordOnTheSuggestionButtonOnlyAsks) {
    Open(DemoEndpoints(port));
    ChooseDepth(3);
    log.Mark();
    Click(texts::kButton1);
    Sleep(200);  // a request, had one been sent, reaches the log
    EXPECT_TRUE(log.Since().empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, Utf8ToGbk("请输入查询关键词"));
    EXPECT_EQ(prompter.messages[0].title, Utf8ToGbk("温馨提示"));
    EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(window->RowCount(), 1);
    EXPECT_FALSE(window->Document().modified);
    EXPECT_FALSE(IsWindowVisible(Control(texts::kLabel2)));
}

struct FailureCase {
    const char* name;
    bool silent;  // a server that accepts and never answers; otherwise a refused connection
    const char* button;
    int depth;
    int requests;  // requests the run makes before it ends
};

TEST_F(QueryWindowTest, UnreachableOrSilentServersEndWithQueryDoneAndNoRows) {
    const FailureCase cases[] = {
        {"refused, suggestions", false, texts::kButton1, 1, 3},
        {"refused, suggestions, depth 3", false, texts::kButton1, 3, 3},
        {"refused, related, depth 3", false, texts::kButton3, 3, 1},
        {"silent, suggestions, depth 3", true, texts::kButton1, 3, 3},
        {"silent, related, depth 3", true, texts::kButton3, 3, 1},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.messages.clear();
        prompter.labelShown.clear();
        SilentServer silent;
        Open(DemoEndpoints(c.silent ? silent.Port() : ClosedPort()), kShortTimeoutMs);
        if (!window) {
            return;
        }
        Type("连衣裙");
        ChooseDepth(c.depth);
        const auto start = Clock::now();
        Click(c.button);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        std::printf("%s: %lld ms\n", c.name, static_cast<long long>(ms));
        EXPECT_EQ(window->RowCount(), 1);
        ExpectQueryDone(c.button == texts::kButton1, c.requests);
        // Each request ends at the time-out at the latest (with room for a slow machine).
        EXPECT_LT(ms, c.requests * kShortTimeoutMs * 2 + 1000);
        if (c.silent) {
            // The sources of a step are asked at the same time, so they wait out their time-outs together.
            EXPECT_GE(ms, kShortTimeoutMs * 9 / 10);
        }
        window.reset();
    }
}

TEST(QueryFetcherTimeout, DefaultTimeoutKeepsAStuckRequestShort) {
    EXPECT_GT(WinHttpFetcher::kDefaultTimeoutMs, 0);
    EXPECT_LE(WinHttpFetcher::kDefaultTimeoutMs, 15000);
    EXPECT_LE(WinHttpFetcher::kDefaultDeadlineMs, 15000);
}

struct BannerCase {
    const char* name;
    const char* path;  // on the marketplace; nullptr: a closed port
    bool shown;
};

TEST_F(QueryWindowTest, BannerArrivesFromTheImageServerOrTheBoxStaysEmpty) {
    const BannerCase cases[] = {
        {"the banner picture", "/banner.jpg", true},
        {"an error page instead of a picture", "/no-such-banner.jpg", false},
        {"a refused connection", nullptr, false},
    };
    for (const BannerCase& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.messages.clear();
        Endpoints endpoints = DemoEndpoints(port);
        endpoints.bannerUrl = c.path ? "http://127.0.0.1:" + std::to_string(port) + c.path
                                     : "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/banner.jpg";
        log.Mark();
        Open(endpoints, WinHttpFetcher::kDefaultTimeoutMs, true);
        if (!window) {
            return;
        }
        PictureBox* banner = window->Picture(texts::kPicture3);
        ASSERT_NE(banner, nullptr);
        if (c.shown) {
            EXPECT_TRUE(PumpUntil(5000, [&] { return banner->HasPicture(); }));
        } else {
            if (c.path) {
                // The answer has come once the server logged the request; give its message time to arrive.
                EXPECT_TRUE(PumpUntil(5000, [&] { return !log.Since().empty(); }));
            }
            PumpUntil(1000, [] { return false; });
            EXPECT_FALSE(banner->HasPicture());
        }
        if (c.path) {
            EXPECT_EQ(log.Since(), std::vector<std::string>{c.path});
        }
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_TRUE(window->Picture(texts::kPicture4)->HasPicture());
        window.reset();
    }
}

// A GDI+ bitmap made from a GDI one.
class CapturedBitmap : public DrawBitmap {
  public:
    bool FromHbitmap(HBITMAP bitmap) {
        DisposeImage();
        gp::GpBitmap* image = nullptr;
        const gp::GpStatus status = gp::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image);
        return Adopt(status, image);
    }
};

// After a depth-2 suggestion query the window is captured into artifacts/query_depth2.png in the build tree.
TEST_F(QueryWindowTest, DepthTwoResultWindowIsCapturedAsPng) {
    Open(DemoEndpoints(port));
    ASSERT_TRUE(window);
    Type("连衣裙");
    ChooseDepth(2);
    Click(texts::kButton1);
    ASSERT_EQ(window->RowCount(), 36);
    HWND hwnd = window->Hwnd();
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpUntil(300, [] { return false; });

    RECT r;
    GetWindowRect(hwnd, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC windowDc = GetWindowDC(hwnd);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    EXPECT_TRUE(BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY));
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(hwnd, windowDc);

    CapturedBitmap picture;
    const bool made = picture.FromHbitmap(bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(made);
    EXPECT_EQ(picture.GetImageWidth(), static_cast<unsigned>(width));
    // Not a blank capture: the grid's text and lines give many distinct colours.
    std::vector<uint32_t> colours;
    for (int y = 0; y < height; y += 7) {
        for (int x = 0; x < width; x += 7) {
            uint32_t c = picture.BitmapGetPixel(x, y);
            if (std::find(colours.begin(), colours.end(), c) == colours.end()) {
                colours.push_back(c);
            }
        }
    }
    EXPECT_GT(colours.size(), 4u);

    std::vector<unsigned char> png = picture.SaveImageToBytes(kPngFormatId);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin(), png.begin() + 4), "\x89PNG");
    std::wstring folder = HostPath(ZANDREL_ARTIFACTS_DIR);
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_TRUE(WriteFileBytes(folder + L"\\query_depth2.png", png));
}

// Fetches over WinHTTP, optionally a little late, and does something of the test's after a given request (on the
// fetching thread, as a seller's key press would arrive while the window waits).
class HookedFetcher : public PageFetcher {
  public:
    HookedFetcher(Prompter& prompter, int delayMs) : inner_(prompter), delayMs_(delayMs) {}
    std::string HttpGetText(const std::string& url) override {
        if (delayMs_ > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_));
        }
        std::string answer = inner_.HttpGetText(url);
        const int n = ++requests;
        if (n == hookAt && hook) {
            hook();
        }
        if (each) {
            each(n);
        }
        return answer;
    }
    bool LastRequestFailed() const override { return inner_.LastRequestFailed(); }

    std::atomic<int> requests{0};
    int hookAt = 0;
    std::function<void()> hook;
    std::function<void(int)> each;  // after every request, with its number

  private:
    WinHttpFetcher inner_;
    int delayMs_;
};

std::string StoppedText(int rows) {
    return Utf8ToGbk("查询已停止，共添加 " + std::to_string(rows) + " 行");
}

// Esc in the middle of the second and of the third level: the run ends at once, the step in flight adds nothing
// and no request follows, so every batch in the table is whole (the rows are the first rows of a full run, from
// the whole steps of three requests before it); the seed is back in its box, the controls work again and the
// next run is a normal one.
TEST_F(QueryWindowTest, StopKeepsWholeBatchesAndTheNextRunIsNormal) {
    const std::vector<Row> full = Rows({kSuggestLevel1, kSuggestLevel2, kSuggestLevel3});
    for (int stopAfter : {5, 40}) {
        SCOPED_TRACE(stopAfter);
        prompter.messages.clear();
        prompter.labelShown.clear();
        HookedFetcher fetcher(prompter, 0);
        OpenWith(fetcher, DemoEndpoints(port));
        if (!window) {
            return;
        }
        HWND hwnd = window->Hwnd();
        fetcher.hookAt = stopAfter;
        fetcher.hook = [hwnd] { PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0); };
        Type("连衣裙");
        ChooseDepth(3);
        Click(texts::kButton1);

        EXPECT_EQ(fetcher.requests, stopAfter);
        const int rows = window->RowCount() - 1;
        ASSERT_GT(rows, 0);
        ASSERT_LT(static_cast<size_t>(rows), full.size());
        ExpectRows(std::vector<Row>(full.begin(), full.begin() + rows));
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, StoppedText(rows));
        EXPECT_TRUE(window->Document().modified);
        EXPECT_FALSE(window->QueryRunning());
        EXPECT_EQ(WindowTextGbk(Control(texts::kEdit2)), Utf8ToGbk("连衣裙"));
        EXPECT_EQ(WindowTextGbk(Control(texts::kButton1)), texts::kSuggestButton);
        for (const char* name :
             {texts::kButton1, texts::kButton2, texts::kButton3, texts::kClearData, texts::kEdit2, texts::kCombo1}) {
            EXPECT_TRUE(IsWindowEnabled(Control(name))) << name;
        }

        // The next query runs to its end.
        prompter.messages.clear();
        prompter.labelShown.clear();
        Click(texts::kClearData);
        ChooseDepth(1);
        Click(texts::kButton1);
        ExpectRows(Rows({kSuggestLevel1}));
        ExpectQueryDone(true);
        window.reset();
    }
}

// During a run the window answers other threads while it waits for an answer, the controls that would change the
// query are off and the pressed button reads 停止; a click on it stops the run.
TEST_F(QueryWindowTest, TheWindowAnswersDuringARunAndItsButtonStopsIt) {
    HookedFetcher fetcher(prompter, 0);
    OpenWith(fetcher, DemoEndpoints(port));
    if (!window) {
        return;
    }
    HWND hwnd = window->Hwnd();
    HWND stop = Control(texts::kButton3);
    std::atomic<bool> lockedWhileRunning{false};
    std::atomic<bool> stopReadsStop{false};
    std::atomic<bool> answered{false};
    fetcher.hookAt = 6;
    fetcher.hook = [&] {
        // The window thread is waiting for this very request: a frozen window could not answer before it ends.
        DWORD_PTR result = 0;
        answered = GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId() &&
                   SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
        lockedWhileRunning = !IsWindowEnabled(Control(texts::kButton1)) && !IsWindowEnabled(Control(texts::kEdit2)) &&
                             !IsWindowEnabled(Control(texts::kCombo1)) && IsWindowEnabled(stop);
        stopReadsStop = WindowTextGbk(stop) == texts::kStopButton;
        PostMessageW(GetParent(stop), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(stop), BN_CLICKED),
                     reinterpret_cast<LPARAM>(stop));
    };
    Type("连衣裙");
    ChooseDepth(3);
    Click(texts::kButton3);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(lockedWhileRunning);
    EXPECT_TRUE(stopReadsStop);
    EXPECT_EQ(fetcher.requests, 6);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, StoppedText(window->RowCount() - 1));
    EXPECT_EQ(WindowTextGbk(stop), texts::kRelatedButton);
}

// A run faster than the progress line's repaints still leaves its last counts on the line while its closing box
// is up (the box's own message loop runs meanwhile).
TEST_F(QueryWindowTest, TheProgressLineShowsTheLastCountsWhileTheClosingBoxIsUp) {
    Open(DemoEndpoints(port));
    if (!window) {
        return;
    }
    std::string shown;
    prompter.whileShown = [&] {
        const ULONGLONG end = GetTickCount64() + 600;
        while (GetTickCount64() < end) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(10);
        }
        shown = WindowTextGbk(Control(texts::kProgressLabel));
    };
    Type("连衣裙");
    ChooseDepth(2);
    Click(texts::kButton1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    const std::string counts = std::string(texts::kProgressRequests) + std::to_string(3 + 7 * 3) +
                               texts::kProgressRows + std::to_string(window->RowCount() - 1) +
                               texts::kProgressFailures + "0";
    EXPECT_EQ(shown.compare(0, counts.size(), counts), 0) << GbkToUtf8(shown);
}

// Closing the window during a run stops the run first; then the close prompt runs as usual and Cancel keeps the
// window with its rows.
TEST_F(QueryWindowTest, CloseDuringARunStopsItThenAsksAndCancelKeepsTheRows) {
    HookedFetcher fetcher(prompter, 0);
    OpenWith(fetcher, DemoEndpoints(port));
    if (!window) {
        return;
    }
    HWND hwnd = window->Hwnd();
    fetcher.hookAt = 8;
    fetcher.hook = [hwnd] { PostMessageW(hwnd, WM_CLOSE, 0, 0); };
    prompter.answers = {MessageAnswer::Cancel};
    Type("连衣裙");
    ChooseDepth(3);
    Click(texts::kButton1);
    const int rows = window->RowCount() - 1;
    EXPECT_EQ(fetcher.requests, 8);
    // The close asked for during the run comes once it has ended.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    ASSERT_TRUE(IsWindow(hwnd));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, StoppedText(rows));
    EXPECT_EQ(prompter.messages[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(window->RowCount() - 1, rows);
    EXPECT_TRUE(window->Document().modified);
}

// Over WinHTTP with a random delay before every answer, so that answers fetched ahead arrive out of order; tells
// the fetcher in front whether it may be called from several threads at once, and counts how many are.
class JitteryFetcher : public PageFetcher {
  public:
    JitteryFetcher(Prompter& prompter, bool manyAtOnce) : inner_(prompter), manyAtOnce_(manyAtOnce) {}
    std::string HttpGetText(const std::string& url) override {
        bool failed = false;
        std::string text = FetchText(url, failed);
        lastFailed_ = failed;
        return text;
    }
    bool LastRequestFailed() const override { return lastFailed_; }
    std::string FetchText(const std::string& url, bool& failed) override {
        const int now = ++inFlight;
        {
            std::lock_guard<std::mutex> hold(lock_);
            most = std::max(most, now);
        }
        int delayMs = 0;
        {
            std::lock_guard<std::mutex> hold(lock_);
            delayMs = std::uniform_int_distribution<int>(0, 12)(random_);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        std::string text = inner_.FetchText(url, failed);
        --inFlight;
        return text;
    }
    bool ManyAtOnce() const override { return manyAtOnce_; }

    std::atomic<int> inFlight{0};
    int most = 0;

  private:
    WinHttpFetcher inner_;
    bool manyAtOnce_;
    bool lastFailed_ = false;
    std::mutex lock_;
    std::mt19937 random_{12345};
};

// Every cell of the table, row by row.
std::vector<std::string> TableCells(MainWindow& window) {
    std::vector<std::string> cells;
    GridModel& model = window.Grid().Model();
    for (int row = 0; row < model.RowCount(); ++row) {
        for (int column = 0; column < 4; ++column) {
            cells.push_back(model.GetCell(row, column));
        }
    }
    return cells;
}

// Fetching ahead changes nothing of the result: for every depth of both buttons the table is byte for byte the
// serial one, with at most four requests at a time and the same number of requests.
TEST_F(QueryWindowTest, FetchingAheadGivesTheSerialTableForEveryDepthOfBothButtons) {
    for (const char* button : {texts::kButton1, texts::kButton3}) {
        for (int depth = 1; depth <= 3; ++depth) {
            SCOPED_TRACE(std::string(button == texts::kButton1 ? "suggestions" : "related") + ", depth " +
                         std::to_string(depth));
            std::vector<std::string> tables[2];
            size_t requests[2] = {0, 0};
            for (int concurrent = 0; concurrent < 2; ++concurrent) {
                prompter.messages.clear();
                prompter.labelShown.clear();
                JitteryFetcher fetcher(prompter, concurrent == 1);
                OpenWith(fetcher, DemoEndpoints(port));
                if (!window) {
                    return;
                }
                Type("连衣裙");
                ChooseDepth(depth);
                log.Mark();
                Click(button);
                tables[concurrent] = TableCells(*window);
                requests[concurrent] = log.Since().size();
                ExpectQueryDone(button == texts::kButton1);
                EXPECT_LE(fetcher.most, static_cast<int>(PumpingFetcher::kInFlight));
                if (concurrent == 1 && depth > 1) {
                    EXPECT_GT(window->QueryFetcher().Prefetched(), 0);
                    EXPECT_GT(fetcher.most, 1);
                }
                if (concurrent == 0) {
                    EXPECT_EQ(fetcher.most, 1);
                }
                window.reset();
            }
            EXPECT_EQ(tables[0], tables[1]);
            EXPECT_EQ(requests[0], requests[1]);
        }
    }
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Rows that arrive after a save in the middle of a run are a change like any other: the close prompt asks.
TEST_F(QueryWindowTest, RowsAddedAfterASaveInTheMiddleOfARunMarkTheTableUnsaved) {
    HookedFetcher fetcher(prompter, 0);
    OpenWith(fetcher, DemoEndpoints(port));
    if (!window) {
        return;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path =
        std::wstring(temp) + L"zandrel_mid_run_" + std::to_wstring(GetCurrentProcessId()) + L".csv";
    prompter.savePaths = {WideToUtf8(path)};
    HWND grid = Control(texts::kGrid1);
    fetcher.hookAt = 5;
    fetcher.hook = [grid] { PostMessageW(grid, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 60)); };
    Type("连衣裙");
    ChooseDepth(3);
    Click(texts::kButton1);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, Utf8ToGbk("文件保存成功。"));
    EXPECT_EQ(prompter.messages[1].text, Utf8ToGbk("查询完成"));
    const std::string saved = ReadFileBytes(path);
    DeleteFileW(path.c_str());
    const auto savedRows = std::count(saved.begin(), saved.end(), '\n') - 1;
    EXPECT_GT(savedRows, 0);
    EXPECT_LT(savedRows, window->RowCount() - 1);
    EXPECT_TRUE(window->Document().modified);
    prompter.answers = {MessageAnswer::Cancel};
    HWND hwnd = window->Hwnd();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages[2].buttons, MessageButtons::YesNoCancel);
}

// Stop ends the requests under way: against servers that never answer, the stopped box comes at once, not when
// their deadlines run out.
TEST_F(QueryWindowTest, StopEndsTheRequestsUnderWayAtOnce) {
    for (const char* button : {texts::kButton1, texts::kButton3}) {
        SCOPED_TRACE(button == texts::kButton1 ? "suggestions" : "related");
        prompter.messages.clear();
        prompter.labelShown.clear();
        SilentServer silent;
        Open(DemoEndpoints(silent.Port()));
        if (!window) {
            return;
        }
        HWND hwnd = window->Hwnd();
        std::atomic<long long> escAt{0};
        std::thread presser([hwnd, &escAt] {
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            escAt = Clock::now().time_since_epoch().count();
            PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        Type("连衣裙");
        ChooseDepth(3);
        Click(button);
        const auto boxAt = Clock::now();
        presser.join();
        const double seconds =
            std::chrono::duration<double>(boxAt - Clock::time_point(Clock::duration(escAt.load()))).count();
        std::printf("stopped box %.3f s after Esc\n", seconds);
        EXPECT_LT(seconds, 1.0);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, StoppedText(0));
        EXPECT_EQ(window->RowCount(), 1);
        EXPECT_FALSE(window->QueryRunning());
        window.reset();
    }
}

// While a run waits for its answers the window's keyboard is the usual one: Tab moves on, Enter presses the
// focused button, F2 edits a cell and Esc in the cell cancels the edit without stopping the run.
TEST_F(QueryWindowTest, TheKeyboardWorksAsUsualDuringARun) {
    HookedFetcher fetcher(prompter, 0);
    OpenWith(fetcher, DemoEndpoints(port));
    if (!window) {
        return;
    }
    HWND grid = Control(texts::kGrid1);
    HWND stop = Control(texts::kButton1);
    std::vector<HWND> focusSeen;
    HWND editSeen = nullptr;
    fetcher.each = [&](int n) {
        switch (n) {
            case 2: PostMessageW(FocusOf(grid), WM_KEYDOWN, VK_TAB, 0); break;
            case 4:
                focusSeen.push_back(FocusOf(grid));
                // The first keyword's cell, then F2.
                PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, GridWindow::kHeaderHeight + 5));
                PostMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(60, GridWindow::kHeaderHeight + 5));
                PostMessageW(grid, WM_KEYDOWN, VK_F2, 0);
                break;
            case 6:
                editSeen = FindWindowExW(grid, nullptr, L"EDIT", nullptr);
                if (editSeen != nullptr) {
                    SendMessageW(editSeen, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
                    PostMessageW(editSeen, WM_KEYDOWN, VK_ESCAPE, 0);
                }
                break;
            case 8:
                focusSeen.push_back(FindWindowExW(grid, nullptr, L"EDIT", nullptr));
                // Round to the Stop button: the filter box, the export button (merging and the exclude words
                // wait while a run goes on), the Stop button.
                for (int i = 0; i < 3; ++i) {
                    PostMessageW(FocusOf(grid), WM_KEYDOWN, VK_TAB, 0);
                }
                break;
            case 10:
                focusSeen.push_back(FocusOf(grid));
                PostMessageW(FocusOf(grid), WM_KEYDOWN, VK_RETURN, 0);
                break;
            default: break;
        }
    };
    Type("连衣裙");
    ChooseDepth(3);
    SetFocus(Control(texts::kEdit2));
    Click(texts::kButton1);
    ASSERT_EQ(focusSeen.size(), 3u);
    EXPECT_EQ(focusSeen[0], grid);     // Tab went on from the Stop button to the table
    EXPECT_NE(editSeen, nullptr);      // F2 opened the cell
    EXPECT_EQ(focusSeen[1], nullptr);  // Esc closed it
    EXPECT_EQ(window->Grid().Model().GetCell(1, 1), Utf8ToGbk(kSuggestLevel1[0].keyword));  // throwing the typing away
    EXPECT_EQ(focusSeen[2], stop);
    // Enter on the focused Stop button stopped the run; Esc in the cell had not.
    EXPECT_EQ(fetcher.requests, 10);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, StoppedText(window->RowCount() - 1));
}

// Real key presses (Ctrl held as the system knows it) while the run waits: Ctrl+S opens the save dialog.
TEST_F(QueryWindowTest, CtrlSSavesDuringARun) {
    HookedFetcher fetcher(prompter, 0);
    OpenWith(fetcher, DemoEndpoints(port));
    if (!window) {
        return;
    }
    HWND hwnd = window->Hwnd();
    fetcher.hookAt = 2;
    fetcher.hook = [hwnd] {
        SetForegroundWindow(hwnd);
        INPUT keys[4] = {};
        const WORD codes[4] = {VK_CONTROL, 'S', 'S', VK_CONTROL};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = codes[i];
            keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(4, keys, sizeof(INPUT));
        // The keys reach the window before the next answer is handed over.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    };
    Type("连衣裙");
    ChooseDepth(2);
    Click(texts::kButton1);
    EXPECT_EQ(prompter.dialogs.size(), 1u);
}

// The second press of a double click on a query button is not a press on the Stop button it has become.
TEST_F(QueryWindowTest, ADoubleClickOnAQueryButtonRunsTheQuery) {
    Open(DemoEndpoints(port));
    if (!window) {
        return;
    }
    Type("连衣裙");
    ChooseDepth(2);
    HWND button = Control(texts::kButton1);
    const LPARAM at = MAKELPARAM(10, 10);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(button, WM_LBUTTONUP, 0, at);
    PostMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(button, WM_LBUTTONUP, 0, at);
    const auto end = Clock::now() + std::chrono::seconds(30);
    while (prompter.messages.empty() && Clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!window->PreTranslateMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(10);
    }
    ExpectRows(Rows({kSuggestLevel1, kSuggestLevel2}));
    ExpectQueryDone(true);
}

// A fetcher for which no HTTP client can be had, asked from several threads at once.
class ClientlessFetcher : public PageFetcher {
  public:
    std::string HttpGetText(const std::string&) override { return {}; }
    bool LastRequestFailed() const override { return true; }
    std::string FetchText(const std::string&, bool& failed) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        failed = true;
        return {};
    }
    bool ManyAtOnce() const override { return true; }
    bool ClientMissing() const override { return true; }
};

// No HTTP client: the seller is told once, by the window's own thread, and the run ends as a failed one.
TEST_F(QueryWindowTest, AMissingHttpClientIsToldOnceOnTheWindowsThread) {
    ClientlessFetcher fetcher;
    OpenWith(fetcher, DemoEndpoints(port));
    if (!window) {
        return;
    }
    Type("连衣裙");
    ChooseDepth(3);
    Click(texts::kButton1);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, Utf8ToGbk("创建对象失败！"));
    EXPECT_EQ(prompter.messages[1].text, Utf8ToGbk("查询完成（3 个请求失败）"));
    for (DWORD thread : prompter.threads) {
        EXPECT_EQ(thread, GetCurrentThreadId());
    }
}

}  // namespace
}  // namespace zandrel
