// Reads back an archive the way an unzipper does, checking every field the writer is responsible for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

struct ZipReadEntry {
    std::string name;
    std::string data;  // inflated
    uint16_t flags = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc = 0;  // as stored
};

struct ZipReadResult {
    bool ok = false;
    std::string error;  // what was wrong when !ok
    std::vector<ZipReadEntry> entries;
};

// Walks the archive from its end record: every central record must match its local header, every entry must be
// deflated, inflate to its stored size and CRC, and the entries, directory and end record must follow each
// other with no gap or overlap.
ZipReadResult ReadZip(std::string_view archive);

// The inflated data of `name`, or nullptr.
const ZipReadEntry* FindEntry(const ZipReadResult& zip, std::string_view name);

}  // namespace zandrel
