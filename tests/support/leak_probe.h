// Resource counters for leak tests: GDI objects and private bytes of this process.
//
// Take a snapshot after a warm-up (one-time caches of GDI, GDI+ and the heap show up as growth otherwise), run
// the cycles, take another and compare.
#pragma once

#include <cstddef>

namespace zandrel::test {

struct ResourceSnapshot {
    long gdiObjects = 0;      // -1 when it cannot be counted
    size_t privateBytes = 0;  // 0 when it cannot be read
};

// GDI objects of this process: GetGuiResources where it works (Windows), else a probe of the GDI handle table
// with GetObjectType (Wine, whose GetGuiResources always returns 0).
long CountGdiObjects();
// Private (committed, not shared) bytes of this process: PrivateUsage, or the committed private regions where
// that is not filled in (Wine).
size_t PrivateBytes();
ResourceSnapshot TakeResourceSnapshot();
// True when CountGdiObjects() uses the handle-table probe.
bool GdiCountIsProbed();

}  // namespace zandrel::test
