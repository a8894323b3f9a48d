// The schema of the run journal, as the steps that build it; each step is one schema version.
#pragma once

#include <span>
#include <string_view>

namespace zandrel {

std::span<const std::string_view> JournalMigrations();

}  // namespace zandrel
