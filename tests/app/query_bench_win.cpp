// Figures only: a depth-3 suggestion query for 连衣裙 through the real main window and WinHTTP against a
// marketplace that waits 50 ms before every answer, first serial, then fetching ahead. Prints the server's delay,
// then for each the rows, the requests made, the wall time and the wall time over the serial latency bound
// (requests x 50 ms), then whether the table fetching ahead made differs byte for byte from the serial one (1) or
// not (0), and the speed-up; one figure a line as "name: value unit".
//
// Run by hand from the repository root:
//   python3 tools/marketplace/marketplace.py --port 18190 --delay-ms 50 --log /tmp/bench-requests.log &
//   wine build/windows/tests/app/query_bench_win.exe 18190 'Z:\tmp\bench-requests.log'
//   kill %1
// The second argument (the server's request log) is optional; the count of requests is taken from the fetcher
// either way and, when the log is given, compared with the lines the server wrote.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "base/encoding.h"
#include "draw/gdiplus_session.h"
#include "query/winhttp_fetcher_win.h"
#include "scripted_prompter.h"

namespace {

constexpr double kServerDelayMs = 50.0;

class CountingFetcher : public zandrel::PageFetcher {
  public:
    CountingFetcher(zandrel::WinHttpFetcher& inner, bool manyAtOnce) : inner_(inner), manyAtOnce_(manyAtOnce) {}
    std::string HttpGetText(const std::string& url) override {
        bool failed = false;
        return FetchText(url, failed);
    }
    std::string FetchText(const std::string& url, bool& failed) override {
        ++requests;
        return inner_.FetchText(url, failed);
    }
    bool ManyAtOnce() const override { return manyAtOnce_; }
    std::atomic<int> requests{0};

  private:
    zandrel::WinHttpFetcher& inner_;
    bool manyAtOnce_;
};

long CountLines(const char* path) {
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        return -1;
    }
    long lines = 0;
    for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) {
        lines += c == '\n' ? 1 : 0;
    }
    std::fclose(f);
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zandrel;
    if (argc < 2 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: query_bench_win PORT [REQUEST_LOG]\n");
        return 2;
    }
    const std::string host = std::string("127.0.0.1:") + argv[1];
    const char* logPath = argc > 2 ? argv[2] : nullptr;

    GdiplusSession gdiplus;
    if (!gdiplus.Start()) {
        std::fprintf(stderr, "GDI+ did not start\n");
        return 1;
    }
    testing::ScriptedPrompter prompter;
    WinHttpFetcher winhttp(prompter);
    std::string tables[2];
    double wall[2] = {0, 0};
    int made[2] = {0, 0};
    std::printf("query_depth3_server_delay: %.0f ms\n", kServerDelayMs);
    for (int ahead = 0; ahead < 2; ++ahead) {
        CountingFetcher fetcher(winhttp, ahead == 1);
        MainWindowOptions options;
        options.endpoints.suggestHost = host;
        options.endpoints.suggestHost2 = host;
        options.endpoints.searchHost = host;
        options.prompter = &prompter;
        options.fetcher = &fetcher;
        options.downloadBanner = false;
        options.openUrl = [](const std::string&) {};
        std::unique_ptr<MainWindow> window = MainWindow::Create(options);
        if (!window) {
            std::fprintf(stderr, "the main window was not created\n");
            return 1;
        }
        window->SetKeyword(Utf8ToGbk("连衣裙"));
        SendMessageW(window->Control(texts::kCombo1), CB_SETCURSEL, 2, 0);
        const long logBefore = logPath ? CountLines(logPath) : -1;

        const auto start = std::chrono::steady_clock::now();
        SendMessageW(window->Control(texts::kButton1), BM_CLICK, 0, 0);
        wall[ahead] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        made[ahead] = fetcher.requests;
        for (int row = 0; row < window->RowCount(); ++row) {
            for (int column = 0; column < 4; ++column) {
                tables[ahead] += window->GetCell(row, column);
                tables[ahead] += '\t';
            }
            tables[ahead] += '\n';
        }

        const char* mode = ahead ? "query_depth3_ahead" : "query_depth3_serial";
        std::printf("%s_rows: %d rows\n", mode, window->RowCount() - 1);
        std::printf("%s_requests: %d requests\n", mode, made[ahead]);  // counted by the fetcher
        if (logBefore >= 0) {
            std::printf("%s_requests_logged: %ld requests\n", mode, CountLines(logPath) - logBefore);  // by the server
        }
        std::printf("%s_wall_time: %.0f ms\n", mode, wall[ahead]);
        if (made[ahead] > 0) {
            std::printf("%s_wall_over_serial_bound: %.3f x\n", mode, wall[ahead] / (made[ahead] * kServerDelayMs));
        }
    }
    std::printf("query_depth3_ahead_tables_differing: %d tables\n", tables[0] == tables[1] ? 0 : 1);
    std::printf("query_depth3_ahead_speedup: %.2f x\n", wall[1] > 0 ? wall[0] / wall[1] : 0.0);
    return 0;
}
