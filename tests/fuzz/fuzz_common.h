// Helpers shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace zandrel::fuzz {

// Stops the run with a message libFuzzer shows next to the crashing input.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void Check(bool ok, const char* what) {
    if (!ok) {
        Fail(what);
    }
}

// A cheap hash of the input, so that the costly whole-lookup checks run on a fixed share of the inputs and
// always on the same ones (a crash found there reproduces).
inline uint32_t InputHash(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i) {
        h = (h ^ data[i]) * 16777619u;
    }
    return h;
}

// Whether an input is also run through the first versions of the parsers: every other input, and only while
// entries x bytes stays small. Those versions search from the first byte for every entry, so past that budget
// an input would cost a hundred ordinary ones; the fast versions still meet every other check on it.
inline bool CompareWithFirstVersion(uint32_t hash, size_t size, int entries) {
    constexpr size_t kBudget = 8 * 1024;
    return hash % 2 == 0 && size * (static_cast<size_t>(entries > 0 ? entries : 0) + 1) <= kBudget;
}

}  // namespace zandrel::fuzz
