#include "store/journal_schema.h"

#include <array>

namespace zandrel {
namespace {

// Never edit a step that has shipped: add one.
constexpr std::array<std::string_view, 1> kSteps = {
    // 1: runs, the rows of the open table, and whether they have been saved.
    R"sql(
CREATE TABLE runs(
  id INTEGER PRIMARY KEY,
  started_at INTEGER NOT NULL,
  seed BLOB NOT NULL,
  button INTEGER NOT NULL,
  depth INTEGER NOT NULL,
  ended_at INTEGER,
  end_state TEXT CHECK(end_state IN ('finished', 'stopped', 'failed', 'interrupted')),
  rows INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE rows(
  id INTEGER PRIMARY KEY,
  run_id INTEGER REFERENCES runs(id),
  pos INTEGER NOT NULL,
  seq BLOB NOT NULL,
  keyword BLOB NOT NULL,
  listings BLOB NOT NULL,
  searched BLOB NOT NULL
);
CREATE INDEX rows_by_pos ON rows(pos, id);
CREATE TABLE session(
  id INTEGER PRIMARY KEY CHECK(id = 1),
  saved INTEGER NOT NULL
);
INSERT INTO session(id, saved) VALUES(1, 1);
)sql",
};

}  // namespace

std::span<const std::string_view> JournalMigrations() {
    return kSteps;
}

}  // namespace zandrel
