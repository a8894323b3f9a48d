// A ZIP archive built in memory: deflated entries, no ZIP64, no encryption, no comments.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zandrel {

// The time every entry carries, in the archive's MS-DOS form (two-second steps). The default is the earliest
// time the form holds, so the same entries always give the same bytes.
struct DosTimestamp {
    int year = 1980;  // 1980..2107
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;  // rounded down to an even second
};

struct ZipEntry {
    std::string_view name;  // path inside the archive, "/" between folders; UTF-8
    std::string_view data;
};

// The archive holding `entries` in the given order, each deflated. Empty when a name is empty, longer than
// 65,535 bytes or given twice, the timestamp is out of range, or the archive would need ZIP64 (an entry or
// the archive reaching 4 GiB, 65,535 entries or more).
std::string WriteZip(std::span<const ZipEntry> entries, const DosTimestamp& time = {});

}  // namespace zandrel
