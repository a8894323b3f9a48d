// A write transaction that is rolled back unless it is committed.
#pragma once

#include <sqlite3.h>

namespace zandrel {

class StoreTransaction {
  public:
    // BEGIN IMMEDIATE: takes the write lock at once (waiting up to the busy timeout), so a transaction that has
    // begun never fails later for want of it.
    explicit StoreTransaction(sqlite3* db);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    // SQLITE_OK when the transaction began.
    int BeginCode() const { return beginCode_; }
    bool Begun() const { return beginCode_ == SQLITE_OK; }
    // Returns SQLite's result code; after a failed commit the destructor rolls back.
    int Commit();

  private:
    sqlite3* db_;
    int beginCode_;
    bool open_ = false;
};

}  // namespace zandrel
