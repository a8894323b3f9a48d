#include "store/store_transaction.h"

#include "store/sqlite_handles.h"

namespace zandrel {

StoreTransaction::StoreTransaction(sqlite3* db) : db_(db), beginCode_(ExecSql(db, "BEGIN IMMEDIATE")) {
    open_ = beginCode_ == SQLITE_OK;
}

StoreTransaction::~StoreTransaction() {
    if (open_ && sqlite3_get_autocommit(db_) == 0) {
        ExecSql(db_, "ROLLBACK");
    }
}

int StoreTransaction::Commit() {
    if (!open_) {
        return beginCode_ == SQLITE_OK ? SQLITE_MISUSE : beginCode_;
    }
    const int code = ExecSql(db_, "COMMIT");
    if (code == SQLITE_OK) {
        open_ = false;
    }
    return code;
}

}  // namespace zandrel
