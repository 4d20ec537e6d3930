#include "ui/placement.h"

#include <gtest/gtest.h>

namespace quorvane::ui {
namespace {

TEST(PlacementTest, CentredByTheFullScreenWithTruncationTowardZero) {
  struct Case {
    int screenWidth, screenHeight;
    WindowOrigin expected;
  };
  const Case cases[] = {
      {1920, 1080, {784, 364}},                          // (1080 - 351) / 2 = 364.5 gives 364
      {1024, 768, {336, 208}},  {320, 768, {-16, 208}},  // a screen narrower than the window
      {1024, 350, {336, 0}},                             // -1 / 2 truncates to 0, not -1
      {349, 348, {-1, -1}},  // -3 / 2 and -3 / 2: -1, where rounding down would give -2
      {352, 351, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CentredWindowOrigin(c.screenWidth, c.screenHeight), c.expected)
        << c.screenWidth << " x " << c.screenHeight;
  }
}

}  // namespace
}  // namespace quorvane::ui
