#include "store/run_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/sqlite_handles.h"
#include "temp_folder.h"

namespace zandrel {
namespace {

using namespace std::string_literals;

constexpr StoreOptions kQuick{50};

// Cells the table can hold: GBK text, bytes GBK leaves undefined, a lead byte cut off at the end, NUL inside,
// nothing at all, quotes and SQL, line breaks, a long one.
std::string OddCell(size_t n) {
    static const std::vector<std::string> kCells = {
        "\xc1\xac\xd2\xc2\xc8\xb9",  // 连衣裙
        "\x80\xff\xfe\x7f",
        "\xb4\xf3\xc2\xeb\x81",
        "a\0b\0"s,
        "",
        "'; DROP TABLE rows; --\"",
        "\r\n\t ",
        std::string(5000, '\xa1'),
        "12,345",
    };
    return kCells[n % kCells.size()] + (n % 4 == 0 ? std::to_string(n) : std::string());
}

std::vector<JournalRow> MakeRows(size_t first, size_t count) {
    std::vector<JournalRow> rows;
    for (size_t i = first; i < first + count; ++i) {
        rows.push_back({std::to_string(i + 1), OddCell(i), OddCell(i * 3 + 1), OddCell(i * 5 + 2)});
    }
    return rows;
}

// What a new connection to the file finds.
std::vector<JournalRow> Reopened(const std::string& path) {
    RunJournal journal;
    StoreOpenReport report;
    EXPECT_TRUE(journal.Open(path, report, kQuick)) << report.detail;
    std::vector<JournalRow> rows;
    EXPECT_TRUE(journal.LoadSession(rows));
    return rows;
}

// The window's table beside the journal: every change goes to both, as the window will make it.
struct Table {
    RunJournal journal;
    std::vector<JournalRow> rows;
    std::vector<int64_t> ids;

    void Append(int64_t runId, const std::vector<JournalRow>& more) {
        ASSERT_TRUE(journal.AppendRows(runId, more, &ids));
        rows.insert(rows.end(), more.begin(), more.end());
        ASSERT_EQ(ids.size(), rows.size());
    }
    void Edit(size_t row, int column, const std::string& text) {
        ASSERT_TRUE(journal.SetCell(ids[row], column, text));
        rows[row][static_cast<size_t>(column)] = text;
    }
    // Removes the rows at these places (ascending) and returns them with their places, as undo keeps them.
    std::vector<std::pair<size_t, JournalRow>> Remove(const std::vector<size_t>& places) {
        std::vector<std::pair<size_t, JournalRow>> removed;
        std::vector<int64_t> gone;
        for (auto it = places.rbegin(); it != places.rend(); ++it) {
            gone.push_back(ids[*it]);
            removed.insert(removed.begin(), {*it, rows[*it]});
            rows.erase(rows.begin() + static_cast<ptrdiff_t>(*it));
            ids.erase(ids.begin() + static_cast<ptrdiff_t>(*it));
        }
        EXPECT_TRUE(journal.DeleteRows(gone));
        return removed;
    }
    // Undo of a removal: the rows come back at their places.
    void PutBack(const std::vector<std::pair<size_t, JournalRow>>& removed) {
        for (const auto& [place, row] : removed) {
            std::vector<int64_t> newIds;
            ASSERT_TRUE(journal.AppendRows(0, {row}, &newIds));
            rows.insert(rows.begin() + static_cast<ptrdiff_t>(place), row);
            ids.insert(ids.begin() + static_cast<ptrdiff_t>(place), newIds[0]);
        }
        ASSERT_TRUE(journal.SetOrder(ids));
    }
    void SortByKeyword() {
        std::vector<size_t> order(rows.size());
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rows[a][1] < rows[b][1]; });
        std::vector<JournalRow> sortedRows;
        std::vector<int64_t> sortedIds;
        for (size_t i : order) {
            sortedRows.push_back(rows[i]);
            sortedIds.push_back(ids[i]);
        }
        rows = sortedRows;
        ids = sortedIds;
        ASSERT_TRUE(journal.SetOrder(ids));
    }
    void ClearAll() {
        ASSERT_TRUE(journal.Clear());
        rows.clear();
        ids.clear();
    }
};

struct SessionCase {
    const char* name;
    std::function<void(Table&)> changes;
};

class Session : public testing::TestWithParam<SessionCase> {};

TEST_P(Session, ReopenedJournalHoldsWhatTheWindowHeld) {
    TempFolder folder;
    const std::string path = folder.File("journal.db");
    Table table;
    StoreOpenReport report;
    ASSERT_TRUE(table.journal.Open(path, report, kQuick)) << report.detail;

    GetParam().changes(table);

    EXPECT_EQ(Reopened(path), table.rows);
    std::vector<JournalRow> fromSameConnection;
    std::vector<int64_t> ids;
    ASSERT_TRUE(table.journal.LoadSession(fromSameConnection, &ids));
    EXPECT_EQ(ids, table.ids);
}

INSTANTIATE_TEST_SUITE_P(Changes,
                         Session,
                         testing::Values(SessionCase{"StepByStep",
                                                     [](Table& t) {
                                                         const int64_t run =
                                                             t.journal.BeginRun("\xc1\xac\xd2\xc2\xc8\xb9", 1, 2);
                                                         for (size_t step = 0; step < 40; ++step) {
                                                             t.Append(run, MakeRows(step * 33, 33));
                                                         }
                                                     }},
                                         SessionCase{"EmptyStep", [](Table& t) { t.Append(0, {}); }},
                                         SessionCase{"CellsEdited",
                                                     [](Table& t) {
                                                         t.Append(0, MakeRows(0, 20));
                                                         t.Edit(0, 1, "\xd0\xc2\xb4\xca");
                                                         t.Edit(19, 3, "");
                                                         t.Edit(7, 0, "x\0y"s);
                                                         t.Edit(7, 0, "again");
                                                         t.Edit(3, 2, std::string(70000, '\xfe'));
                                                     }},
                                         SessionCase{"RowsDeleted",
                                                     [](Table& t) {
                                                         t.Append(0, MakeRows(0, 30));
                                                         t.Remove({0, 5, 6, 29});
                                                         t.Append(0, MakeRows(30, 5));
                                                         t.Remove({10});
                                                     }},
                                         SessionCase{"RemovalUndone",
                                                     [](Table& t) {
                                                         t.Append(0, MakeRows(0, 12));
                                                         t.PutBack(t.Remove({0, 4, 11}));
                                                         t.Edit(4, 1, "edited after undo");
                                                     }},
                                         SessionCase{"Sorted",
                                                     [](Table& t) {
                                                         t.Append(0, MakeRows(0, 50));
                                                         t.SortByKeyword();
                                                         t.Append(0, MakeRows(50, 3));
                                                         t.Remove({1});
                                                     }},
                                         SessionCase{"Cleared",
                                                     [](Table& t) {
                                                         t.Append(0, MakeRows(0, 10));
                                                         t.ClearAll();
                                                     }},
                                         SessionCase{"ClearedThenFilledAgain",
                                                     [](Table& t) {
                                                         t.Append(0, MakeRows(0, 10));
                                                         t.ClearAll();
                                                         t.Append(t.journal.BeginRun("seed", 0, 1), MakeRows(10, 7));
                                                         t.Edit(2, 1, "\xc3\xab\xd2\xc2");
                                                     }}),
                         [](const testing::TestParamInfo<SessionCase>& info) { return std::string(info.param.name); });

TEST(RunJournal, RefusedChangesLeaveTheTableAsItWas) {
    TempFolder folder;
    Table table;
    StoreOpenReport report;
    ASSERT_TRUE(table.journal.Open(folder.File("journal.db"), report, kQuick));
    table.Append(0, MakeRows(0, 4));
    const int64_t missing = table.ids.back() + 100;

    struct Refused {
        const char* name;
        std::function<bool(RunJournal&)> change;
    };
    const std::vector<Refused> refusals = {
        {"column past the last", [&](RunJournal& j) { return j.SetCell(table.ids[0], 4, "x"); }},
        {"negative column", [&](RunJournal& j) { return j.SetCell(table.ids[0], -1, "x"); }},
        {"no such row", [&](RunJournal& j) { return j.SetCell(missing, 1, "x"); }},
        {"order missing a row",
         [&](RunJournal& j) {
             return j.SetOrder({table.ids[2], table.ids[1], table.ids[0]});
         }},
        {"order naming a row twice",
         [&](RunJournal& j) {
             return j.SetOrder({table.ids[3], table.ids[3], table.ids[1], table.ids[0]});
         }},
        {"order with a stranger",
         [&](RunJournal& j) {
             return j.SetOrder({table.ids[3], missing, table.ids[1], table.ids[0]});
         }},
        {"end of no run", [&](RunJournal& j) { return j.EndRun(12345, RunEndState::kFinished); }},
    };
    for (const Refused& refused : refusals) {
        EXPECT_FALSE(refused.change(table.journal)) << refused.name;
        std::vector<JournalRow> rows;
        ASSERT_TRUE(table.journal.LoadSession(rows));
        EXPECT_EQ(rows, table.rows) << refused.name;
    }
}

TEST(RunJournal, CommittedStepsSurviveAProgramThatDiesMidTransaction) {
    TempFolder folder;
    const std::string path = folder.File("journal.db");
    Table table;
    StoreOpenReport report;
    ASSERT_TRUE(table.journal.Open(path, report, kQuick));
    const int64_t run = table.journal.BeginRun("seed", 0, 3);
    for (size_t step = 0; step < 10; ++step) {
        table.Append(run, MakeRows(step * 33, 33));
    }
    table.Edit(5, 1, "last committed change");

    // Another writer is half-way through a step big enough that its pages already spill into the WAL.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    DatabaseHandle writer(raw);
    ASSERT_EQ(ExecSql(writer.get(),
                      "PRAGMA cache_size=10; BEGIN IMMEDIATE;"
                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000)"
                      "INSERT INTO rows(pos, seq, keyword, listings, searched)"
                      " SELECT 1000 + i, randomblob(300), x'', x'', x'' FROM n;"
                      "DELETE FROM rows WHERE pos < 100;"),
              SQLITE_OK);

    // The program dies here: nothing is closed, and what is on disk is all a later start finds.
    const std::string crashed = folder.File("crashed.db");
    std::filesystem::copy_file(path, crashed);
    ASSERT_TRUE(std::filesystem::exists(path + "-wal"));
    ASSERT_GT(std::filesystem::file_size(path + "-wal"), 5000u * 300u / 2);
    std::filesystem::copy_file(path + "-wal", crashed + "-wal");

    EXPECT_EQ(Reopened(crashed), table.rows);
    RunJournal later;
    ASSERT_TRUE(later.Open(crashed, report, kQuick));
    EXPECT_TRUE(later.Unsaved());
    std::vector<RunRecord> runs;
    ASSERT_TRUE(later.Runs(runs));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].rows, 330);
    EXPECT_TRUE(runs[0].ended);
    EXPECT_EQ(runs[0].endState, RunEndState::kInterrupted);
}

struct EndCase {
    const char* name;
    bool ended;  // EndRun was called before the journal was closed
    RunEndState state;
    const char* text;  // runs.end_state as another reader sees it
};

class RunEnd : public testing::TestWithParam<EndCase> {};

TEST_P(RunEnd, IsKeptAndReadBack) {
    const EndCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.File("journal.db");
    const std::string seed = "\xc1\xac\xd2\xc2\xc8\xb9 \x81";
    {
        RunJournal journal;
        StoreOpenReport report;
        ASSERT_TRUE(journal.Open(path, report, kQuick));
        const int64_t run = journal.BeginRun(seed, 2, 3);
        ASSERT_NE(run, 0);
        ASSERT_TRUE(journal.AppendRows(run, MakeRows(0, 5)));
        if (c.ended) {
            ASSERT_TRUE(journal.EndRun(run, c.state));
        }
    }
    RunJournal journal;
    StoreOpenReport report;
    ASSERT_TRUE(journal.Open(path, report, kQuick));
    std::vector<RunRecord> runs;
    ASSERT_TRUE(journal.Runs(runs));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].seed, seed);
    EXPECT_EQ(runs[0].button, 2);
    EXPECT_EQ(runs[0].depth, 3);
    EXPECT_EQ(runs[0].rows, 5);
    EXPECT_TRUE(runs[0].ended);
    EXPECT_EQ(runs[0].endState, c.state);
    EXPECT_GT(runs[0].startedAt, 0);
    EXPECT_EQ(runs[0].endedAt >= runs[0].startedAt, c.ended);

    DatabaseHandle other;
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    other.reset(raw);
    StatementHandle query = PrepareStatement(other.get(), "SELECT end_state FROM runs");
    ASSERT_TRUE(query && sqlite3_step(query.get()) == SQLITE_ROW);
    EXPECT_EQ(ColumnBytes(query.get(), 0), c.text);
}

INSTANTIATE_TEST_SUITE_P(States,
                         RunEnd,
                         testing::Values(EndCase{"Finished", true, RunEndState::kFinished, "finished"},
                                         EndCase{"Stopped", true, RunEndState::kStopped, "stopped"},
                                         EndCase{"Failed", true, RunEndState::kFailed, "failed"},
                                         EndCase{"LeftRunning", false, RunEndState::kInterrupted, "interrupted"}),
                         [](const testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST(RunJournal, RunStillGoingIsNotEnded) {
    TempFolder folder;
    RunJournal journal;
    StoreOpenReport report;
    ASSERT_TRUE(journal.Open(folder.File("journal.db"), report, kQuick));
    ASSERT_NE(journal.BeginRun("a", 0, 1), 0);
    std::vector<RunRecord> runs;
    ASSERT_TRUE(journal.Runs(runs));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_FALSE(runs[0].ended);
}

TEST(RunJournal, SavedUntilTheTableChanges) {
    TempFolder folder;
    const std::string path = folder.File("journal.db");
    Table table;
    StoreOpenReport report;
    ASSERT_TRUE(table.journal.Open(path, report, kQuick));
    EXPECT_FALSE(table.journal.Unsaved());

    struct Step {
        const char* name;
        std::function<void()> change;
        bool unsaved;
    };
    const std::vector<Step> steps = {
        {"append", [&] { table.Append(0, MakeRows(0, 3)); }, true},
        {"save", [&] { ASSERT_TRUE(table.journal.MarkSaved()); }, false},
        {"edit", [&] { table.Edit(1, 1, "b"); }, true},
        {"save again", [&] { ASSERT_TRUE(table.journal.MarkSaved()); }, false},
        {"delete", [&] { table.Remove({0}); }, true},
        {"clear", [&] { table.ClearAll(); }, false},
        {"append after clear", [&] { table.Append(0, MakeRows(3, 1)); }, true},
        {"save once more", [&] { ASSERT_TRUE(table.journal.MarkSaved()); }, false},
        {"sort", [&] { table.SortByKeyword(); }, true},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_EQ(table.journal.Unsaved(), step.unsaved) << step.name;
        RunJournal other;
        ASSERT_TRUE(other.Open(path, report, kQuick));
        EXPECT_EQ(other.Unsaved(), step.unsaved) << step.name << " (another connection)";
    }
}

// A file as an earlier build wrote it, by hand: the reader must keep reading that layout.
TEST(RunJournal, ReadsAVersionOneFileWrittenByHand) {
    TempFolder folder;
    const std::string path = folder.File("journal.db");
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), SQLITE_OK);
        DatabaseHandle db(raw);
        ASSERT_EQ(ExecSql(db.get(),
                          "CREATE TABLE runs(id INTEGER PRIMARY KEY, started_at INTEGER NOT NULL, seed BLOB NOT NULL,"
                          " button INTEGER NOT NULL, depth INTEGER NOT NULL, ended_at INTEGER, end_state TEXT,"
                          " rows INTEGER NOT NULL DEFAULT 0);"
                          "CREATE TABLE rows(id INTEGER PRIMARY KEY, run_id INTEGER REFERENCES runs(id),"
                          " pos INTEGER NOT NULL, seq BLOB NOT NULL, keyword BLOB NOT NULL, listings BLOB NOT NULL,"
                          " searched BLOB NOT NULL);"
                          "CREATE TABLE session(id INTEGER PRIMARY KEY, saved INTEGER NOT NULL);"
                          "INSERT INTO session VALUES(1, 0);"
                          "INSERT INTO runs VALUES(1, 1700000000, x'c1acd2c2c8b9', 1, 2, NULL, NULL, 2);"
                          "INSERT INTO rows VALUES(7, 1, 20, x'32', x'c1acd2c2c8b9b3a4', x'313230', x'00ff');"
                          "INSERT INTO rows VALUES(3, 1, 10, x'31', x'c1acd2c2c8b9', x'', x'');"
                          "PRAGMA user_version=1;"),
                  SQLITE_OK);
    }
    RunJournal journal;
    StoreOpenReport report;
    ASSERT_TRUE(journal.Open(path, report, kQuick)) << report.detail;
    EXPECT_EQ(report.versionFound, 1);
    std::vector<JournalRow> rows;
    std::vector<int64_t> ids;
    ASSERT_TRUE(journal.LoadSession(rows, &ids));
    const std::vector<JournalRow> expected = {
        {"1", "\xc1\xac\xd2\xc2\xc8\xb9", "", ""},
        {"2", "\xc1\xac\xd2\xc2\xc8\xb9\xb3\xa4", "120", "\0\xff"s},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(ids, (std::vector<int64_t>{3, 7}));
    EXPECT_TRUE(journal.Unsaved());
    std::vector<RunRecord> runs;
    ASSERT_TRUE(journal.Runs(runs));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].endState, RunEndState::kInterrupted);
    // A new row goes after the last one.
    ASSERT_TRUE(journal.AppendRows(1, {{"3", "c", "", ""}}));
    ASSERT_TRUE(journal.LoadSession(rows));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][1], "c");
}

// An SQLite file that never had a journal (user_version 0) gets one and keeps what it held.
TEST(RunJournal, VersionZeroFileGetsTheJournal) {
    TempFolder folder;
    const std::string path = folder.File("journal.db");
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), SQLITE_OK);
        DatabaseHandle db(raw);
        ASSERT_EQ(ExecSql(db.get(), "CREATE TABLE notes(x); INSERT INTO notes VALUES('kept');"), SQLITE_OK);
    }
    Table table;
    StoreOpenReport report;
    ASSERT_TRUE(table.journal.Open(path, report, kQuick)) << report.detail;
    EXPECT_EQ(report.versionFound, 0);
    EXPECT_EQ(report.version, 1);
    table.Append(0, MakeRows(0, 3));
    EXPECT_EQ(Reopened(path), table.rows);
}

}  // namespace
}  // namespace zandrel
