#include "store/run_journal.h"

#include <ctime>
#include <unordered_set>

#include "store/journal_schema.h"
#include "store/store_transaction.h"

namespace zandrel {
namespace {

constexpr std::array<const char*, 4> kEndStateTexts = {"finished", "stopped", "failed", "interrupted"};

// One statement per column, so the column name never comes from the caller.
constexpr std::array<const char*, 4> kSetCellSql = {
    "UPDATE rows SET seq = ?1 WHERE id = ?2",
    "UPDATE rows SET keyword = ?1 WHERE id = ?2",
    "UPDATE rows SET listings = ?1 WHERE id = ?2",
    "UPDATE rows SET searched = ?1 WHERE id = ?2",
};

constexpr const char* kMarkUnsaved = "UPDATE session SET saved = 0 WHERE saved <> 0";

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

bool StepDone(sqlite3_stmt* statement) {
    return sqlite3_step(statement) == SQLITE_DONE;
}

}  // namespace

const char* RunEndStateText(RunEndState state) {
    return kEndStateTexts[static_cast<size_t>(state)];
}

bool RunEndStateFromText(std::string_view text, RunEndState& state) {
    for (size_t i = 0; i < kEndStateTexts.size(); ++i) {
        if (text == kEndStateTexts[i]) {
            state = static_cast<RunEndState>(i);
            return true;
        }
    }
    return false;
}

bool RunJournal::Open(const std::string& utf8Path, StoreOpenReport& report, const StoreOptions& options) {
    db_ = StoreDatabase::Open(utf8Path, JournalMigrations(), report, options);
    if (!db_) {
        return false;
    }
    if (!Exec("UPDATE runs SET end_state = 'interrupted' WHERE end_state IS NULL")) {
        report.failure = StoreFailure::kOther;
        report.detail = sqlite3_errmsg(db_.Get());
        db_ = StoreDatabase();
        return false;
    }
    return true;
}

bool RunJournal::Exec(const char* sql) {
    return db_ && ExecSql(db_.Get(), sql) == SQLITE_OK;
}

int64_t RunJournal::BeginRun(std::string_view seed, int button, int depth) {
    if (!db_) {
        return 0;
    }
    StatementHandle insert =
        PrepareStatement(db_.Get(), "INSERT INTO runs(started_at, seed, button, depth) VALUES(?1, ?2, ?3, ?4)");
    if (!insert) {
        return 0;
    }
    sqlite3_bind_int64(insert.get(), 1, Now());
    BindBytes(insert.get(), 2, seed);
    sqlite3_bind_int(insert.get(), 3, button);
    sqlite3_bind_int(insert.get(), 4, depth);
    if (!StepDone(insert.get())) {
        return 0;
    }
    return sqlite3_last_insert_rowid(db_.Get());
}

bool RunJournal::EndRun(int64_t runId, RunEndState state) {
    if (!db_) {
        return false;
    }
    StatementHandle update = PrepareStatement(db_.Get(), "UPDATE runs SET ended_at = ?1, end_state = ?2 WHERE id = ?3");
    if (!update) {
        return false;
    }
    sqlite3_bind_int64(update.get(), 1, Now());
    sqlite3_bind_text(update.get(), 2, RunEndStateText(state), -1, SQLITE_STATIC);
    sqlite3_bind_int64(update.get(), 3, runId);
    return StepDone(update.get()) && sqlite3_changes(db_.Get()) == 1;
}

bool RunJournal::AppendRows(int64_t runId, const std::vector<JournalRow>& rows, std::vector<int64_t>* ids) {
    if (!db_) {
        return false;
    }
    StoreTransaction transaction(db_.Get());
    if (!transaction.Begun()) {
        return false;
    }
    StatementHandle last = PrepareStatement(db_.Get(), "SELECT coalesce(max(pos), 0) FROM rows");
    StatementHandle insert = PrepareStatement(
        db_.Get(), "INSERT INTO rows(run_id, pos, seq, keyword, listings, searched) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
    if (!last || !insert || sqlite3_step(last.get()) != SQLITE_ROW) {
        return false;
    }
    int64_t pos = sqlite3_column_int64(last.get(), 0);
    const size_t idsBefore = ids != nullptr ? ids->size() : 0;
    for (const JournalRow& row : rows) {
        sqlite3_reset(insert.get());
        if (runId != 0) {
            sqlite3_bind_int64(insert.get(), 1, runId);
        } else {
            sqlite3_bind_null(insert.get(), 1);
        }
        sqlite3_bind_int64(insert.get(), 2, ++pos);
        for (int column = 0; column < 4; ++column) {
            BindBytes(insert.get(), 3 + column, row[static_cast<size_t>(column)]);
        }
        if (!StepDone(insert.get())) {
            if (ids != nullptr) {
                ids->resize(idsBefore);
            }
            return false;
        }
        if (ids != nullptr) {
            ids->push_back(sqlite3_last_insert_rowid(db_.Get()));
        }
    }
    bool ok = ExecSql(db_.Get(), kMarkUnsaved) == SQLITE_OK;
    if (ok && runId != 0) {
        StatementHandle count = PrepareStatement(db_.Get(), "UPDATE runs SET rows = rows + ?1 WHERE id = ?2");
        ok = count != nullptr;
        if (ok) {
            sqlite3_bind_int64(count.get(), 1, static_cast<int64_t>(rows.size()));
            sqlite3_bind_int64(count.get(), 2, runId);
            ok = StepDone(count.get());
        }
    }
    if (!ok || transaction.Commit() != SQLITE_OK) {
        if (ids != nullptr) {
            ids->resize(idsBefore);
        }
        return false;
    }
    return true;
}

bool RunJournal::SetCell(int64_t rowId, int column, std::string_view text) {
    if (!db_ || column < 0 || column >= static_cast<int>(kSetCellSql.size())) {
        return false;
    }
    StoreTransaction transaction(db_.Get());
    StatementHandle update = PrepareStatement(db_.Get(), kSetCellSql[static_cast<size_t>(column)]);
    if (!transaction.Begun() || !update) {
        return false;
    }
    BindBytes(update.get(), 1, text);
    sqlite3_bind_int64(update.get(), 2, rowId);
    if (!StepDone(update.get()) || sqlite3_changes(db_.Get()) != 1) {
        return false;
    }
    return ExecSql(db_.Get(), kMarkUnsaved) == SQLITE_OK && transaction.Commit() == SQLITE_OK;
}

bool RunJournal::DeleteRows(const std::vector<int64_t>& ids) {
    if (!db_) {
        return false;
    }
    StoreTransaction transaction(db_.Get());
    StatementHandle remove = PrepareStatement(db_.Get(), "DELETE FROM rows WHERE id = ?1");
    if (!transaction.Begun() || !remove) {
        return false;
    }
    for (int64_t id : ids) {
        sqlite3_reset(remove.get());
        sqlite3_bind_int64(remove.get(), 1, id);
        if (!StepDone(remove.get())) {
            return false;
        }
    }
    return ExecSql(db_.Get(), kMarkUnsaved) == SQLITE_OK && transaction.Commit() == SQLITE_OK;
}

bool RunJournal::SetOrder(const std::vector<int64_t>& ids) {
    if (!db_) {
        return false;
    }
    if (std::unordered_set<int64_t>(ids.begin(), ids.end()).size() != ids.size()) {
        return false;
    }
    StoreTransaction transaction(db_.Get());
    StatementHandle count = PrepareStatement(db_.Get(), "SELECT count(*) FROM rows");
    StatementHandle update = PrepareStatement(db_.Get(), "UPDATE rows SET pos = ?1 WHERE id = ?2");
    if (!transaction.Begun() || !count || !update || sqlite3_step(count.get()) != SQLITE_ROW ||
        sqlite3_column_int64(count.get(), 0) != static_cast<int64_t>(ids.size())) {
        return false;
    }
    int64_t pos = 0;
    for (int64_t id : ids) {
        sqlite3_reset(update.get());
        sqlite3_bind_int64(update.get(), 1, ++pos);
        sqlite3_bind_int64(update.get(), 2, id);
        if (!StepDone(update.get()) || sqlite3_changes(db_.Get()) != 1) {
            return false;
        }
    }
    return ExecSql(db_.Get(), kMarkUnsaved) == SQLITE_OK && transaction.Commit() == SQLITE_OK;
}

bool RunJournal::Clear() {
    if (!db_) {
        return false;
    }
    StoreTransaction transaction(db_.Get());
    return transaction.Begun() && ExecSql(db_.Get(), "DELETE FROM rows; UPDATE session SET saved = 1") == SQLITE_OK &&
           transaction.Commit() == SQLITE_OK;
}

bool RunJournal::MarkSaved() {
    return Exec("UPDATE session SET saved = 1");
}

bool RunJournal::Unsaved() const {
    if (!db_) {
        return false;
    }
    StatementHandle query = PrepareStatement(db_.Get(), "SELECT saved FROM session WHERE id = 1");
    return query && sqlite3_step(query.get()) == SQLITE_ROW && sqlite3_column_int(query.get(), 0) == 0;
}

bool RunJournal::LoadSession(std::vector<JournalRow>& rows, std::vector<int64_t>* ids) const {
    rows.clear();
    if (ids != nullptr) {
        ids->clear();
    }
    if (!db_) {
        return false;
    }
    StatementHandle query =
        PrepareStatement(db_.Get(), "SELECT id, seq, keyword, listings, searched FROM rows ORDER BY pos, id");
    if (!query) {
        return false;
    }
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(query.get())) == SQLITE_ROW) {
        JournalRow& row = rows.emplace_back();
        for (int column = 0; column < 4; ++column) {
            row[static_cast<size_t>(column)] = ColumnBytes(query.get(), 1 + column);
        }
        if (ids != nullptr) {
            ids->push_back(sqlite3_column_int64(query.get(), 0));
        }
    }
    if (code != SQLITE_DONE) {
        rows.clear();
        if (ids != nullptr) {
            ids->clear();
        }
        return false;
    }
    return true;
}

bool RunJournal::Runs(std::vector<RunRecord>& runs) const {
    runs.clear();
    if (!db_) {
        return false;
    }
    StatementHandle query = PrepareStatement(
        db_.Get(), "SELECT id, started_at, seed, button, depth, ended_at, end_state, rows FROM runs ORDER BY id");
    if (!query) {
        return false;
    }
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(query.get())) == SQLITE_ROW) {
        RunRecord& run = runs.emplace_back();
        run.id = sqlite3_column_int64(query.get(), 0);
        run.startedAt = sqlite3_column_int64(query.get(), 1);
        run.seed = ColumnBytes(query.get(), 2);
        run.button = sqlite3_column_int(query.get(), 3);
        run.depth = sqlite3_column_int(query.get(), 4);
        run.endedAt = sqlite3_column_int64(query.get(), 5);
        run.ended = sqlite3_column_type(query.get(), 6) != SQLITE_NULL &&
                    RunEndStateFromText(ColumnBytes(query.get(), 6), run.endState);
        run.rows = sqlite3_column_int64(query.get(), 7);
    }
    if (code != SQLITE_DONE) {
        runs.clear();
        return false;
    }
    return true;
}

}  // namespace zandrel
