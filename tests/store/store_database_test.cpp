#include "store/store_database.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "store/sqlite_handles.h"
#include "temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zandrel {
namespace {

constexpr StoreOptions kQuick{50};

constexpr std::string_view kCreateNotes =
    "CREATE TABLE notes(id INTEGER PRIMARY KEY, text TEXT NOT NULL);"
    "INSERT INTO notes(text) VALUES('from step 1');";
constexpr std::string_view kAddColour = "ALTER TABLE notes ADD COLUMN colour TEXT NOT NULL DEFAULT 'grey';";
constexpr std::string_view kBroken = "CREATE TABLE half(x); INSERT INTO no_such_table VALUES(1);";

// A connection of its own, as another program (or an older build) would have.
DatabaseHandle RawOpen(const std::string& path) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    return DatabaseHandle(raw);
}

std::string QueryOne(sqlite3* db, const char* sql) {
    StatementHandle statement = PrepareStatement(db, sql);
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW) {
        return "<none>";
    }
    return ColumnBytes(statement.get(), 0);
}

struct MigrationCase {
    const char* name;
    std::vector<std::string_view> before;  // steps the file was made with; empty: no file yet
    std::vector<std::string_view> now;     // steps of the program that opens it
    StoreFailure failure;
    int versionFound;
    int versionOnDisk;       // user_version afterwards, read by another connection
    const char* noteColour;  // colour of the first note afterwards ("<none>" when there is none)
};

class Migration : public testing::TestWithParam<MigrationCase> {};

TEST_P(Migration, BringsTheFileForwardOrLeavesItAsItWas) {
    const MigrationCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.File("store.db");
    if (!c.before.empty()) {
        StoreOpenReport report;
        ASSERT_TRUE(StoreDatabase::Open(path, c.before, report, kQuick)) << report.detail;
    }

    StoreOpenReport report;
    StoreDatabase db = StoreDatabase::Open(path, c.now, report, kQuick);
    EXPECT_EQ(static_cast<bool>(db), c.failure == StoreFailure::kNone);
    EXPECT_EQ(report.failure, c.failure) << report.detail;
    EXPECT_EQ(report.versionFound, c.versionFound);
    EXPECT_TRUE(report.movedAsideTo.empty());
    db = StoreDatabase();

    DatabaseHandle other = RawOpen(path);
    EXPECT_EQ(QueryOne(other.get(), "PRAGMA user_version"), std::to_string(c.versionOnDisk));
    EXPECT_EQ(QueryOne(other.get(), "SELECT colour FROM notes"), c.noteColour);
    EXPECT_EQ(QueryOne(other.get(), "SELECT text FROM notes"), "from step 1");
    // A failed step leaves nothing of itself behind.
    EXPECT_EQ(QueryOne(other.get(), "SELECT count(*) FROM sqlite_schema WHERE name = 'half'"), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Steps,
    Migration,
    testing::Values(
        MigrationCase{"NewFile", {}, {kCreateNotes, kAddColour}, StoreFailure::kNone, 0, 2, "grey"},
        MigrationCase{"OneStepBehind", {kCreateNotes}, {kCreateNotes, kAddColour}, StoreFailure::kNone, 1, 2, "grey"},
        MigrationCase{"Current",
                      {kCreateNotes, kAddColour},
                      {kCreateNotes, kAddColour},
                      StoreFailure::kNone,
                      2,
                      2,
                      "grey"},
        MigrationCase{"WrittenByANewerProgram",
                      {kCreateNotes, kAddColour},
                      {kCreateNotes},
                      StoreFailure::kNewerSchema,
                      2,
                      2,
                      "grey"},
        MigrationCase{"StepFails",
                      {kCreateNotes},
                      {kCreateNotes, kBroken, kAddColour},
                      StoreFailure::kMigrationFailed,
                      1,
                      1,
                      "<none>"}),
    [](const testing::TestParamInfo<MigrationCase>& info) { return std::string(info.param.name); });

TEST(StoreDatabase, OpensInWalModeWithForeignKeys) {
    TempFolder folder;
    StoreOpenReport report;
    StoreDatabase db = StoreDatabase::Open(folder.File("store.db"), std::vector{kCreateNotes}, report, kQuick);
    ASSERT_TRUE(db) << report.detail;
    EXPECT_EQ(QueryOne(db.Get(), "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(QueryOne(db.Get(), "PRAGMA foreign_keys"), "1");
}

enum class Damage { kGarbage, kTextFile, kPagesOverwritten };

struct DamageCase {
    const char* name;
    Damage damage;
    bool earlierAside;  // a "<name>.corrupt-1" is there already
    bool walKept;       // the damaged file's last changes are still in its WAL
};

class DamagedFile : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFile, IsMovedAsideAndANewStoreOpens) {
    const DamageCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.File("store.db");
    const std::vector<std::string_view> steps = {kCreateNotes};

    if (c.damage == Damage::kPagesOverwritten) {
        {
            StoreOpenReport report;
            StoreDatabase db = StoreDatabase::Open(path, steps, report, kQuick);
            ASSERT_TRUE(db);
            ASSERT_EQ(ExecSql(db.Get(),
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
                              "INSERT INTO notes(text) SELECT printf('note %05d', i) FROM n;"
                              "PRAGMA wal_checkpoint(TRUNCATE);"),
                      SQLITE_OK);
            if (c.walKept) {
                // Left in the WAL, as when the program died before a checkpoint.
                ASSERT_EQ(sqlite3_db_config(db.Get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr), SQLITE_OK);
                ASSERT_EQ(ExecSql(db.Get(), "UPDATE notes SET text = 'changed' WHERE id % 7 = 0"), SQLITE_OK);
            }
        }
        std::string bytes = ReadBytes(path);
        ASSERT_GT(bytes.size(), 8192u);
        for (size_t i = 4096; i < bytes.size() - 4096; ++i) {
            bytes[i] = static_cast<char>((i * 131) ^ 0x5a);
        }
        WriteBytes(path, bytes);
    } else if (c.damage == Damage::kGarbage) {
        std::string bytes(8192, '\0');
        for (size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>((i * 7919) >> 3);
        }
        WriteBytes(path, bytes);
    } else {
        WriteBytes(path, "seq,keyword,listings\r\n1,\xc1\xac\xd2\xc2\xc8\xb9,120\r\n");
    }
    const std::string damaged = ReadBytes(path);
    const std::string wal = c.walKept ? ReadBytes(path + "-wal") : std::string();
    if (c.walKept) {
        ASSERT_FALSE(wal.empty());
    }
    if (c.earlierAside) {
        WriteBytes(path + ".corrupt-1", "earlier");
    }
    StoreOpenReport report;
    StoreDatabase db = StoreDatabase::Open(path, steps, report, kQuick);
    ASSERT_TRUE(db) << StoreFailureName(report.failure) << ": " << report.detail;
    EXPECT_EQ(report.failure, StoreFailure::kNone);
    const std::string expectedAside = path + (c.earlierAside ? ".corrupt-2" : ".corrupt-1");
    EXPECT_EQ(report.movedAsideTo, expectedAside);
    EXPECT_TRUE(ReadBytes(expectedAside) == damaged) << "the damaged file was changed on its way aside";
    if (c.earlierAside) {
        EXPECT_EQ(ReadBytes(path + ".corrupt-1"), "earlier");
    }
    if (c.walKept) {
        EXPECT_TRUE(ReadBytes(expectedAside + "-wal") == wal) << "the WAL of the damaged file was not kept with it";
    }
    EXPECT_EQ(report.version, 1);
    EXPECT_EQ(QueryOne(db.Get(), "SELECT count(*) FROM notes"), "1");
}

INSTANTIATE_TEST_SUITE_P(Kinds,
                         DamagedFile,
                         testing::Values(DamageCase{"Garbage", Damage::kGarbage, false, false},
                                         DamageCase{"TextFile", Damage::kTextFile, false, false},
                                         DamageCase{"PagesOverwritten", Damage::kPagesOverwritten, false, false},
                                         DamageCase{"SecondTime", Damage::kGarbage, true, false},
                                         DamageCase{"WithItsWal", Damage::kPagesOverwritten, false, true}),
                         [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

enum class Obstacle { kWalWriter, kExclusiveRollbackJournal, kMissingFolder, kFolderInItsPlace };

struct RefusalCase {
    const char* name;
    Obstacle obstacle;
    StoreFailure failure;
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, ReportsWhyAndLeavesTheFileAlone) {
    const RefusalCase& c = GetParam();
    TempFolder folder;
    std::string path = folder.File("store.db");
    const std::vector<std::string_view> steps = {kCreateNotes};
    DatabaseHandle holder;
    switch (c.obstacle) {
        case Obstacle::kWalWriter: {
            StoreOpenReport report;
            ASSERT_TRUE(StoreDatabase::Open(path, steps, report, kQuick));
            holder = RawOpen(path);
            ASSERT_EQ(ExecSql(holder.get(), "BEGIN EXCLUSIVE; INSERT INTO notes(text) VALUES('held')"), SQLITE_OK);
            break;
        }
        case Obstacle::kExclusiveRollbackJournal:
            holder = RawOpen(path);
            ASSERT_EQ(ExecSql(holder.get(), "CREATE TABLE other(x); BEGIN EXCLUSIVE; INSERT INTO other VALUES(1)"),
                      SQLITE_OK);
            break;
        case Obstacle::kMissingFolder: path = folder.File("no such folder/store.db"); break;
        case Obstacle::kFolderInItsPlace: std::filesystem::create_directory(path); break;
    }

    StoreOpenReport report;
    StoreDatabase db = StoreDatabase::Open(path, steps, report, kQuick);
    EXPECT_FALSE(db);
    EXPECT_EQ(report.failure, c.failure) << StoreFailureName(report.failure) << ": " << report.detail;
    EXPECT_FALSE(report.detail.empty());
    EXPECT_TRUE(report.movedAsideTo.empty());
    EXPECT_FALSE(std::filesystem::exists(path + ".corrupt-1"));
    if (holder) {
        // The holder's work is untouched and can still be committed.
        EXPECT_EQ(ExecSql(holder.get(), "COMMIT"), SQLITE_OK);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles,
    Refusal,
    testing::Values(RefusalCase{"WalWriter", Obstacle::kWalWriter, StoreFailure::kLocked},
                    RefusalCase{"ExclusiveRollbackJournal", Obstacle::kExclusiveRollbackJournal, StoreFailure::kLocked},
                    RefusalCase{"MissingFolder", Obstacle::kMissingFolder, StoreFailure::kCannotOpen},
                    RefusalCase{"FolderInItsPlace", Obstacle::kFolderInItsPlace, StoreFailure::kCannotOpen}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

#ifndef _WIN32
struct ReadOnlyCase {
    const char* name;
    bool folderReadOnly;  // else the file itself
};

class ReadOnly : public testing::TestWithParam<ReadOnlyCase> {};

TEST_P(ReadOnly, IsReportedAsSuchAndTheFileKept) {
    TempFolder folder;
    const std::string path = folder.File("store.db");
    const std::vector<std::string_view> steps = {kCreateNotes};
    {
        StoreOpenReport report;
        ASSERT_TRUE(StoreDatabase::Open(path, steps, report, kQuick));
    }
    const std::string before = ReadBytes(path);
    const std::string locked = GetParam().folderReadOnly ? folder.Path().string() : path;
    ASSERT_EQ(chmod(locked.c_str(), GetParam().folderReadOnly ? 0555 : 0444), 0);
    if (access(locked.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "this user may write what is read-only (root)";
    }
    StoreOpenReport report;
    EXPECT_FALSE(StoreDatabase::Open(path, steps, report, kQuick));
    EXPECT_EQ(report.failure, StoreFailure::kReadOnly) << StoreFailureName(report.failure) << ": " << report.detail;
    EXPECT_TRUE(report.movedAsideTo.empty());
    EXPECT_TRUE(ReadBytes(path) == before);
}

INSTANTIATE_TEST_SUITE_P(Kinds,
                         ReadOnly,
                         testing::Values(ReadOnlyCase{"File", false}, ReadOnlyCase{"Folder", true}),
                         [](const testing::TestParamInfo<ReadOnlyCase>& info) { return std::string(info.param.name); });
#endif

}  // namespace
}  // namespace zandrel
