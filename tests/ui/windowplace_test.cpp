// Where the preview opens: beside the editor on its screen, never over it while the
// screen has room for both.
#include "ui/windowplace.h"

#include <gtest/gtest.h>

namespace navforge {
namespace {

TEST(PlaceBeside, besideTheMainWindowAsLargeAsTheScreenAllows) {
  struct Case {
    const char* Name;
    QRect Area, Main;
    QSize Wanted;
    QRect Window;
    QPoint MainTopLeft;
  };
  const QRect full(0, 0, 1920, 1040);
  const Case cases[] = {
      {"room on the right", full, {100, 100, 460, 590}, {1060, 720}, {560, 100, 1060, 720}, {100, 100}},
      {"room on the left only", full, {1400, 100, 460, 590}, {800, 720}, {600, 100, 800, 720}, {1400, 100}},
      {"centred: the editor steps left", full, {730, 225, 460, 590}, {1060, 720}, {860, 225, 1060, 720}, {400, 225}},
      {"1080 px at 150 %", {0, 0, 1280, 690}, {410, 50, 460, 590}, {1060, 720}, {460, 0, 820, 690}, {0, 50}},
      {"low on a second screen", {1920, 0, 1920, 1040}, {2000, 600, 460, 590}, {600, 720}, {2460, 320, 600, 720}, {2000, 600}},
      {"too small for both", {0, 0, 800, 600}, {200, 0, 460, 590}, {1060, 720}, {0, 0, 800, 600}, {200, 0}},
  };
  for (const Case& c : cases) {
    const TBesidePlace place = PlaceBeside(c.Area, c.Main, c.Wanted, 480);
    EXPECT_EQ(place.Window, c.Window) << c.Name;
    EXPECT_EQ(place.MainTopLeft, c.MainTopLeft) << c.Name;
  }
}

}  // namespace
}  // namespace navforge
