// How the run journal fares with a large table: appending 100,000 rows in query-sized steps, reading them back
// from a new connection, putting them all in a new order, and the bytes the file takes. Prints "name: value unit"
// lines. Usage: store_bench [folder]   (default: the system's temporary folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "store/run_journal.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kRows = 100000;
constexpr size_t kSteps = 3000;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Rows like a real run's: a sequence number, a GBK keyword of 6 to 14 characters, a listing count, a mark.
zandrel::JournalRow MakeRow(size_t i) {
    std::string keyword;
    for (size_t c = 0; c < 6 + i % 9; ++c) {
        keyword += static_cast<char>(0xb0 + (i + c * 7) % 0x40);
        keyword += static_cast<char>(0xa1 + (i * 13 + c) % 0x5e);
    }
    return {std::to_string(i + 1), keyword, std::to_string((i * 7919) % 2000000), i % 3 == 0 ? "1" : ""};
}

uint64_t FileBytes(const std::string& path) {
    std::error_code error;
    uint64_t total = 0;
    for (const char* suffix : {"", "-wal"}) {
        const auto size = std::filesystem::file_size(path + suffix, error);
        if (!error) {
            total += size;
        }
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    const std::string path = (folder / "zandrel-store-bench.db").string();
    std::error_code error;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::remove(path + suffix, error);
    }

    std::vector<zandrel::JournalRow> all;
    for (size_t i = 0; i < kRows; ++i) {
        all.push_back(MakeRow(i));
    }
    uint64_t cellBytes = 0;
    for (const auto& row : all) {
        for (const auto& cell : row) {
            cellBytes += cell.size();
        }
    }

    double appendMs = 0;
    double slowestStepMs = 0;
    {
        zandrel::RunJournal journal;
        zandrel::StoreOpenReport report;
        if (!journal.Open(path, report)) {
            std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), report.detail.c_str());
            return 1;
        }
        const int64_t run = journal.BeginRun("bench", 0, 3);
        const auto start = Clock::now();
        size_t done = 0;
        for (size_t step = 0; step < kSteps; ++step) {
            const size_t end = kRows * (step + 1) / kSteps;
            const std::vector<zandrel::JournalRow> rows(all.begin() + static_cast<ptrdiff_t>(done),
                                                        all.begin() + static_cast<ptrdiff_t>(end));
            const auto stepStart = Clock::now();
            if (!journal.AppendRows(run, rows)) {
                std::fprintf(stderr, "append failed at step %zu\n", step);
                return 1;
            }
            const double stepMs = MillisecondsSince(stepStart);
            slowestStepMs = stepMs > slowestStepMs ? stepMs : slowestStepMs;
            done = end;
        }
        appendMs = MillisecondsSince(start);
        journal.EndRun(run, zandrel::RunEndState::kFinished);
    }
    const uint64_t bytes = FileBytes(path);

    zandrel::RunJournal journal;
    zandrel::StoreOpenReport report;
    const auto openStart = Clock::now();
    if (!journal.Open(path, report)) {
        std::fprintf(stderr, "cannot reopen: %s\n", report.detail.c_str());
        return 1;
    }
    const double openMs = MillisecondsSince(openStart);
    std::vector<zandrel::JournalRow> rows;
    const auto loadStart = Clock::now();
    if (!journal.LoadSession(rows) || rows != all) {
        std::fprintf(stderr, "the rows read back differ\n");
        return 1;
    }
    const double loadMs = MillisecondsSince(loadStart);

    // A sort in the window puts every row in a new place: the journal rewrites all positions at once.
    std::vector<int64_t> ids;
    journal.LoadSession(rows, &ids);
    std::reverse(ids.begin(), ids.end());
    const auto orderStart = Clock::now();
    if (!journal.SetOrder(ids)) {
        std::fprintf(stderr, "reordering failed\n");
        return 1;
    }
    const double orderMs = MillisecondsSince(orderStart);

    std::printf("append 100000 rows in 3000 steps: %.0f ms\n", appendMs);
    std::printf("append one step (mean): %.3f ms\n", appendMs / kSteps);
    std::printf("append one step (slowest): %.3f ms\n", slowestStepMs);
    std::printf("open with quick_check: %.0f ms\n", openMs);
    std::printf("load 100000 rows: %.0f ms\n", loadMs);
    std::printf("reorder 100000 rows: %.0f ms\n", orderMs);
    std::printf("file bytes per 100000 rows: %llu bytes\n", static_cast<unsigned long long>(bytes));
    std::printf("cell bytes per 100000 rows: %llu bytes\n", static_cast<unsigned long long>(cellBytes));
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::remove(path + suffix, error);
    }
    return 0;
}
