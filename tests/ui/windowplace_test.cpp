// Where the preview opens: beside the editor on its screen, never over it while the
// screen has room for both.
#include "ui/windowplace.h"

#include <gtest/gtest.h>

namespace navforge {
namespace {

struct PlaceCase {
  const char* Name;
  QRect Area, Main;
  QSize Wanted;
  QRect Window;
  QPoint MainTopLeft;
};

TEST(PlaceBeside, besideTheMainWindowAsLargeAsTheScreenAllows) {
  const QRect full(0, 0, 1920, 1040), scaled(0, 0, 1280, 690);  // 1080 px at 100 % and at 150 %
  const PlaceCase cases[] = {
      {"room on the right", full, QRect(100, 100, 460, 590), QSize(1060, 720), QRect(560, 100, 1060, 720), {100, 100}},
      {"room on the left only", full, QRect(1400, 100, 460, 590), QSize(800, 720), QRect(600, 100, 800, 720), {1400, 100}},
      {"centred, neither side wide enough: the editor steps left", full, QRect(730, 225, 460, 590), QSize(1060, 720),
       QRect(860, 225, 1060, 720), {400, 225}},
      {"1080 px at 150 %: the rest of the screen, no higher than it", scaled, QRect(410, 50, 460, 590), QSize(1060, 720),
       QRect(460, 0, 820, 690), {0, 50}},
      {"kept smaller size", full, QRect(100, 100, 460, 590), QSize(600, 400), QRect(560, 100, 600, 400), {100, 100}},
      {"low on the screen: moved up to fit", full, QRect(100, 600, 460, 590), QSize(600, 720), QRect(560, 320, 600, 720),
       {100, 600}},
      {"second screen", QRect(1920, 0, 1920, 1040), QRect(2000, 100, 460, 590), QSize(1060, 720),
       QRect(2460, 100, 1060, 720), {2000, 100}},
      {"a screen too small for both: over the editor at the right edge", QRect(0, 0, 800, 600),
       QRect(200, 0, 460, 590), QSize(1060, 720), QRect(0, 0, 800, 600), {200, 0}},
  };
  for (const PlaceCase& c : cases) {
    const TBesidePlace place = PlaceBeside(c.Area, c.Main, c.Wanted, 480);
    EXPECT_EQ(place.Window, c.Window) << c.Name;
    EXPECT_EQ(place.MainTopLeft, c.MainTopLeft) << c.Name;
    if (c.Area.width() - c.Main.width() >= 480) {
      EXPECT_FALSE(place.Window.intersects(QRect(place.MainTopLeft, c.Main.size()))) << c.Name;
    }
    EXPECT_TRUE(c.Area.contains(place.Window)) << c.Name;
  }
}

}  // namespace
}  // namespace navforge
