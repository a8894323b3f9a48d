// Keeps GDI+ running for the whole executable, so the engines the tests make and destroy do not start and stop it
// every time.
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
