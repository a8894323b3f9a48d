#include "store/store_database.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "store/store_transaction.h"

namespace zandrel {
namespace {

enum class Attempt { kOpened, kDamaged, kFailed };

std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

StoreFailure FailureFor(int code) {
    switch (PrimaryCode(code)) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return StoreFailure::kLocked;
        case SQLITE_READONLY: return StoreFailure::kReadOnly;
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH: return StoreFailure::kCannotOpen;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB: return StoreFailure::kCorrupt;
        default: return StoreFailure::kOther;
    }
}

bool IsDamage(int code) {
    return PrimaryCode(code) == SQLITE_CORRUPT || PrimaryCode(code) == SQLITE_NOTADB;
}

// Closing the last connection would checkpoint the WAL into the damaged file and delete it; the pair goes aside
// as it was found.
Attempt Damaged(sqlite3* db) {
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    return Attempt::kDamaged;
}

Attempt Fail(sqlite3* db, int code, StoreFailure failure, StoreOpenReport& report) {
    if (IsDamage(code)) {
        return Damaged(db);
    }
    report.failure = failure;
    report.detail = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return Attempt::kFailed;
}

Attempt Fail(sqlite3* db, int code, StoreOpenReport& report) {
    return Fail(db, code, FailureFor(code), report);
}

// Runs a statement that yields one row and gives its first column as text.
int QueryText(sqlite3* db, const char* sql, std::string& text) {
    StatementHandle statement = PrepareStatement(db, sql);
    if (!statement) {
        return sqlite3_errcode(db);
    }
    const int code = sqlite3_step(statement.get());
    if (code != SQLITE_ROW) {
        return code == SQLITE_DONE ? SQLITE_ERROR : code;
    }
    text = ColumnBytes(statement.get(), 0);
    // quick_check gives one row per problem; more than one row is never "ok".
    if (sqlite3_step(statement.get()) == SQLITE_ROW) {
        text += "\n...";
    }
    return SQLITE_OK;
}

Attempt TryOpen(const std::string& path,
                std::span<const std::string_view> migrations,
                const StoreOptions& options,
                StoreOpenReport& report,
                DatabaseHandle& out) {
    sqlite3* raw = nullptr;
    const int openCode = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    DatabaseHandle db(raw);
    if (openCode != SQLITE_OK) {
        return Fail(db.get(), openCode, report);
    }
    sqlite3_extended_result_codes(db.get(), 1);
    sqlite3_busy_timeout(db.get(), options.busyTimeoutMs);
    if (sqlite3_db_readonly(db.get(), "main") == 1) {
        report.failure = StoreFailure::kReadOnly;
        report.detail = "the file cannot be written";
        return Attempt::kFailed;
    }

    std::string mode;
    int code = QueryText(db.get(), "PRAGMA journal_mode=WAL", mode);
    if (code != SQLITE_OK) {
        return Fail(db.get(), code, report);
    }
    if (mode != "wal") {
        // The WAL files could not be made beside the database: its folder is not writable.
        report.failure = StoreFailure::kReadOnly;
        report.detail = "journal mode stayed " + mode;
        return Attempt::kFailed;
    }
    code = ExecSql(db.get(), "PRAGMA synchronous=NORMAL");
    if (code != SQLITE_OK) {
        return Fail(db.get(), code, report);
    }

    std::string check;
    code = QueryText(db.get(), "PRAGMA quick_check", check);
    if (code != SQLITE_OK) {
        return Fail(db.get(), code, report);
    }
    if (check != "ok") {
        return Damaged(db.get());
    }

    std::string versionText;
    code = QueryText(db.get(), "PRAGMA user_version", versionText);
    if (code != SQLITE_OK) {
        return Fail(db.get(), code, report);
    }
    const int found = std::atoi(versionText.c_str());
    report.versionFound = found;
    report.version = found;
    if (found < 0 || static_cast<size_t>(found) > migrations.size()) {
        report.failure = StoreFailure::kNewerSchema;
        report.detail = "schema version " + versionText;
        return Attempt::kFailed;
    }

    for (size_t step = static_cast<size_t>(found); step < migrations.size(); ++step) {
        StoreTransaction transaction(db.get());
        if (!transaction.Begun()) {
            return Fail(db.get(), transaction.BeginCode(), report);
        }
        const std::string sql(migrations[step]);
        code = ExecSql(db.get(), sql.c_str());
        if (code != SQLITE_OK) {
            const StoreFailure failure = FailureFor(code);
            return Fail(db.get(), code, failure == StoreFailure::kOther ? StoreFailure::kMigrationFailed : failure,
                        report);
        }
        const std::string setVersion = "PRAGMA user_version=" + std::to_string(step + 1);
        code = ExecSql(db.get(), setVersion.c_str());
        if (code == SQLITE_OK) {
            code = transaction.Commit();
        }
        if (code != SQLITE_OK) {
            return Fail(db.get(), code, report);
        }
        report.version = static_cast<int>(step + 1);
    }

    if (static_cast<size_t>(found) == migrations.size()) {
        StoreTransaction probe(db.get());
        if (!probe.Begun()) {
            return Fail(db.get(), probe.BeginCode(), report);
        }
    }
    out = std::move(db);
    return Attempt::kOpened;
}

// Moves the damaged file (and the journal files that belong to it) to the first free "<path>.corrupt-<n>".
bool MoveAside(const std::string& path, std::string& movedTo) {
    std::error_code error;
    for (int n = 1; n < 10000; ++n) {
        const std::string target = path + ".corrupt-" + std::to_string(n);
        if (std::filesystem::exists(PathFromUtf8(target), error) || error) {
            continue;
        }
        std::filesystem::rename(PathFromUtf8(path), PathFromUtf8(target), error);
        if (error) {
            return false;
        }
        // A WAL left behind would be replayed into the new file.
        for (const char* suffix : {"-wal", "-journal"}) {
            if (std::filesystem::exists(PathFromUtf8(path + suffix), error)) {
                std::filesystem::rename(PathFromUtf8(path + suffix), PathFromUtf8(target + suffix), error);
                if (error) {
                    return false;
                }
            }
        }
        std::filesystem::remove(PathFromUtf8(path + "-shm"), error);
        movedTo = target;
        return true;
    }
    return false;
}

}  // namespace

const char* StoreFailureName(StoreFailure failure) {
    switch (failure) {
        case StoreFailure::kNone: return "none";
        case StoreFailure::kCannotOpen: return "cannot open";
        case StoreFailure::kReadOnly: return "read-only";
        case StoreFailure::kLocked: return "locked";
        case StoreFailure::kNewerSchema: return "newer schema";
        case StoreFailure::kMigrationFailed: return "migration failed";
        case StoreFailure::kCorrupt: return "corrupt";
        case StoreFailure::kOther: break;
    }
    return "other";
}

StoreDatabase StoreDatabase::Open(const std::string& utf8Path,
                                  std::span<const std::string_view> migrations,
                                  StoreOpenReport& report,
                                  const StoreOptions& options) {
    report = StoreOpenReport{};
    StoreDatabase result;
    Attempt attempt = TryOpen(utf8Path, migrations, options, report, result.db_);
    if (attempt == Attempt::kDamaged) {
        if (!MoveAside(utf8Path, report.movedAsideTo)) {
            report.failure = StoreFailure::kCorrupt;
            report.detail = "the damaged file could not be moved aside";
            return {};
        }
        report.versionFound = 0;
        report.version = 0;
        attempt = TryOpen(utf8Path, migrations, options, report, result.db_);
        if (attempt == Attempt::kDamaged) {
            report.failure = StoreFailure::kCorrupt;
            report.detail = "the new file is damaged too";
        }
    }
    if (attempt != Attempt::kOpened) {
        return {};
    }
    result.path_ = utf8Path;
    return result;
}

}  // namespace zandrel
