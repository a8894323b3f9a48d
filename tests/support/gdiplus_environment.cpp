// Starts GDI+ once for every test of the executable and keeps it running, so the skin engines that tests make
// and destroy neither start nor stop it each time.
#include <gtest/gtest.h>

#include "draw/gdiplus_session.h"

namespace {

class GdiplusEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { ASSERT_TRUE(session_.Start()); }
    void TearDown() override { session_.Stop(); }

  private:
    zandrel::GdiplusSession session_;
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace
