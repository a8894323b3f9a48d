// The journal of the open table: every change is written to the store as it is made, so that after the program
// dies the table can be given back exactly as the window held it, and the runs that filled it are on record.
//
// What it keeps (schema version 1, see journal_schema.cpp):
//   runs(id, started_at, seed, button, depth, ended_at, end_state, rows)
//       one record per query run. Times are Unix seconds (UTC). end_state is NULL while the run goes on, then
//       one of the texts of RunEndState; a run still open when the journal is next opened is marked
//       "interrupted" (ended_at stays NULL). rows counts the rows the run appended.
//   rows(id, run_id, pos, seq, keyword, listings, searched)
//       the current table, one record per row. id is the row's stable id for later changes; pos orders the rows
//       (ties by id); run_id is the run that added the row, NULL for rows added outside a run. The four cells
//       are BLOBs of the GBK bytes the table shows, stored and given back byte for byte, never re-encoded.
//   session(saved)
//       0 once the table changed after it was last saved, 1 after MarkSaved() or Clear().
//
// Every call that changes something is one transaction: either all of it is in the file or none of it is.
// One program instance owns the journal; a second connection would see the same table and change it too.
// No call throws: a failure returns false (or 0) and leaves the journal as it was.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/store_database.h"

namespace zandrel {

// The cells of one row in the table's column order: seq, keyword, listings, searched.
using JournalRow = std::array<std::string, 4>;

enum class RunEndState { kFinished, kStopped, kFailed, kInterrupted };

// "finished", "stopped", "failed", "interrupted": the text kept in runs.end_state.
const char* RunEndStateText(RunEndState state);
bool RunEndStateFromText(std::string_view text, RunEndState& state);

struct RunRecord {
    int64_t id = 0;
    int64_t startedAt = 0;
    std::string seed;  // GBK bytes
    int button = 0;
    int depth = 0;
    bool ended = false;   // false while the run goes on
    int64_t endedAt = 0;  // 0 when unknown (still going, or interrupted)
    RunEndState endState = RunEndState::kInterrupted;
    int64_t rows = 0;
};

class RunJournal {
  public:
    RunJournal() = default;

    // Opens (or creates) the journal file; see StoreDatabase::Open for what happens to damaged or older files.
    // Runs left open by an earlier instance are marked interrupted. Returns false with the report's reason.
    bool Open(const std::string& utf8Path, StoreOpenReport& report, const StoreOptions& options = {});
    bool IsOpen() const { return static_cast<bool>(db_); }

    // Records the start of a run; returns its id, 0 on failure.
    int64_t BeginRun(std::string_view seed, int button, int depth);
    // Records how the run ended, with the time.
    bool EndRun(int64_t runId, RunEndState state);

    // Adds rows after the last one, in one transaction (one query step). runId 0: rows added outside a run.
    // The new rows' ids are appended to `ids` when it is given.
    bool AppendRows(int64_t runId, const std::vector<JournalRow>& rows, std::vector<int64_t>* ids = nullptr);
    // Replaces one cell (column 0..3). False when there is no such row or column.
    bool SetCell(int64_t rowId, int column, std::string_view text);
    // Removes the rows; ids not in the table are passed over.
    bool DeleteRows(const std::vector<int64_t>& ids);
    // Puts the rows in this order (after a sort, or when removed rows come back). `ids` must name every row of
    // the table once; otherwise nothing changes and the call fails.
    bool SetOrder(const std::vector<int64_t>& ids);
    // Empties the table (the runs stay on record).
    bool Clear();

    bool MarkSaved();
    // True when the table changed after it was last saved (false too when that cannot be read).
    bool Unsaved() const;

    // The table in order, as the window held it; the rows' ids into `ids` when given.
    bool LoadSession(std::vector<JournalRow>& rows, std::vector<int64_t>* ids = nullptr) const;
    // Every run, oldest first.
    bool Runs(std::vector<RunRecord>& runs) const;

  private:
    bool Exec(const char* sql);

    StoreDatabase db_;
};

}  // namespace zandrel
