// One SQLite database file the program keeps its own data in.
//
// Opening it:
//  - the file (UTF-8 path) is opened or created, with a busy timeout, in WAL mode with synchronous=NORMAL: a
//    committed transaction survives the program dying at any point (a power cut may lose the last few, never the
//    file);
//  - PRAGMA quick_check runs on it. A damaged file (SQLITE_CORRUPT, SQLITE_NOTADB, or quick_check not "ok") is
//    moved aside to "<name>.corrupt-<n>" (n = 1, 2, ... the first free; its -wal and -journal go along, the -shm
//    is dropped) and a new file is started in its place; the report says where the old one went;
//  - the schema is brought forward: PRAGMA user_version is the number of migration steps the file has had, and
//    each missing step runs in a transaction of its own together with the new user_version;
//  - the write lock is taken and given back once, so a file another connection is writing to reports kLocked now
//    rather than at the first change.
// Nothing here throws; a failure leaves the database empty and says why.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "store/sqlite_handles.h"

namespace zandrel {

enum class StoreFailure {
    kNone,
    kCannotOpen,       // the file cannot be opened or created (no such folder, not a file, no rights to read)
    kReadOnly,         // the file or its folder can be read but not written
    kLocked,           // another connection held the file for longer than the busy timeout
    kNewerSchema,      // written by a newer program (more steps than this one knows); left as it is
    kMigrationFailed,  // a schema step failed; the file keeps the version it had
    kCorrupt,          // damaged, and it could not be moved aside or the new file failed too
    kOther,
};

// A short English name for logs ("locked", "read-only", ...).
const char* StoreFailureName(StoreFailure failure);

struct StoreOpenReport {
    StoreFailure failure = StoreFailure::kNone;
    std::string detail;        // SQLite's message for the failure, for the log
    std::string movedAsideTo;  // UTF-8 path a damaged file was moved to; empty when none was
    int versionFound = 0;      // user_version of the file as found (0 for a new one)
    int version = 0;           // user_version after the migrations
};

struct StoreOptions {
    int busyTimeoutMs = 2000;
};

class StoreDatabase {
  public:
    StoreDatabase() = default;

    // migrations[i] is the SQL (one or more statements) that takes the file from version i to i + 1.
    static StoreDatabase Open(const std::string& utf8Path,
                              std::span<const std::string_view> migrations,
                              StoreOpenReport& report,
                              const StoreOptions& options = {});

    explicit operator bool() const { return db_ != nullptr; }
    sqlite3* Get() const { return db_.get(); }
    const std::string& Path() const { return path_; }

  private:
    DatabaseHandle db_;
    std::string path_;
};

}  // namespace zandrel
