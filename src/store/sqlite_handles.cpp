#include "store/sqlite_handles.h"

namespace zandrel {

StatementHandle PrepareStatement(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return {};
    }
    return StatementHandle(raw);
}

int ExecSql(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

int BindBytes(sqlite3_stmt* statement, int index, std::string_view bytes) {
    // data() of an empty view may be null, which SQLite would bind as NULL.
    static const char kNothing = 0;
    const char* data = bytes.empty() ? &kNothing : bytes.data();
    return sqlite3_bind_blob(statement, index, data, static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

std::string ColumnBytes(sqlite3_stmt* statement, int column) {
    const void* data = sqlite3_column_blob(statement, column);
    const int size = sqlite3_column_bytes(statement, column);
    if (data == nullptr || size <= 0) {
        return {};
    }
    return std::string(static_cast<const char*>(data), static_cast<size_t>(size));
}

}  // namespace zandrel
