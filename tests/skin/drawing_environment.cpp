// Starts GDI+ once for every test of the executable (the engines made by the tests are not started).
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
