// Move-only owners for SQLite's connection and statement pointers, and the few calls every user of them needs.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

namespace zandrel {

struct DatabaseCloser {
    // close_v2: the connection goes once its last statement is finalised, whatever order the owners die in.
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

using DatabaseHandle = std::unique_ptr<sqlite3, DatabaseCloser>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// One statement of `sql`; empty on an error (sqlite3_errcode tells which).
StatementHandle PrepareStatement(sqlite3* db, std::string_view sql);

// Runs SQL that returns no rows (several statements are fine) and returns SQLite's result code.
int ExecSql(sqlite3* db, const char* sql);

// Binds bytes as a BLOB, exactly as given (an empty string is an empty BLOB, not NULL).
int BindBytes(sqlite3_stmt* statement, int index, std::string_view bytes);
// The bytes of a BLOB or text column; empty for NULL.
std::string ColumnBytes(sqlite3_stmt* statement, int column);

// SQLITE_BUSY, SQLITE_CORRUPT, ... without the extended part.
inline int PrimaryCode(int code) {
    return code & 0xff;
}

}  // namespace zandrel
