#include "support/leak_probe.h"

#include <windows.h>
#include <psapi.h>

namespace zandrel::test {

namespace {

long ProbeGdiHandleTable() {
    // Wine accepts a bare handle-table index as a GDI handle; count the live entries.
    long count = 0;
    for (ULONG_PTR i = 1; i < 0x10000; ++i) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) {
            ++count;
        }
    }
    return count;
}

size_t CommittedPrivateRegions() {
    // Wine leaves PrivateUsage at 0; add up the committed private pages instead.
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info{};
    for (const char* address = nullptr; VirtualQuery(address, &info, sizeof(info)) == sizeof(info);
         address = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) {
            total += info.RegionSize;
        }
    }
    return total;
}

}  // namespace

bool GdiCountIsProbed() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) == 0;
}

long CountGdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return counted > 0 ? static_cast<long>(counted) : ProbeGdiHandleTable();
}

size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters))) {
        return CommittedPrivateRegions();
    }
    return counters.PrivateUsage > 0 ? counters.PrivateUsage : CommittedPrivateRegions();
}

ResourceSnapshot TakeResourceSnapshot() {
    return {CountGdiObjects(), PrivateBytes()};
}

}  // namespace zandrel::test
