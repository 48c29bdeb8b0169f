#include "ui/windowplace.h"

#include <algorithm>

namespace navforge {

TBesidePlace PlaceBeside(const QRect& area, const QRect& main, QSize wanted, int minWidth) {
  TBesidePlace place{QRect(), main.topLeft()};
  const int height = std::min(wanted.height(), area.height());
  const int top = std::clamp(main.top(), area.top(), area.bottom() + 1 - height);
  const int room = area.width() - main.width();
  if (room < minWidth) {
    const int width = std::min(wanted.width(), area.width());
    place.Window = QRect(area.right() + 1 - width, top, width, height);
    return place;
  }
  const int width = std::min(wanted.width(), room);
  const int right = area.right() - main.right(), left = main.left() - area.left();
  if (right >= width) {
    place.Window = QRect(main.right() + 1, top, width, height);
  } else if (left >= width) {
    place.Window = QRect(main.left() - width, top, width, height);
  } else {
    // The main window steps left just as far as the second one needs.
    const int mainLeft = std::max(area.left(), area.right() + 1 - width - main.width());
    place.MainTopLeft = QPoint(mainLeft, main.top());
    place.Window = QRect(mainLeft + main.width(), top, width, height);
  }
  return place;
}

}  // namespace navforge
