// The leak probe itself: it must see GDI objects and private memory come and go.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/leak_probe.h"

namespace zandrel {
namespace {

TEST(LeakProbe, SeesGdiObjectsComeAndGo) {
    const long base = test::CountGdiObjects();
    HBRUSH brushes[20];
    for (HBRUSH& b : brushes) {
        b = CreateSolidBrush(RGB(1, 2, 3));
    }
    EXPECT_GE(test::CountGdiObjects(), base + 20);
    for (HBRUSH b : brushes) {
        DeleteObject(b);
    }
    EXPECT_LE(test::CountGdiObjects(), base);
}

TEST(LeakProbe, SeesPrivateBytesGrow) {
    const size_t base = test::PrivateBytes();
    constexpr size_t kSize = 4 * 1024 * 1024;
    void* block = VirtualAlloc(nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(test::PrivateBytes(), base + kSize);
    VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace
}  // namespace zandrel
