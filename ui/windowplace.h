#pragma once
// Where a second window (the preview) goes: beside the main window on the main
// window's screen, as large as it would like where the screen has room, never over it.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace navforge {

struct TBesidePlace {
  QRect Window;        // the second window's frame
  QPoint MainTopLeft;  // the main window's frame, moved aside only when neither side had room
};

// area: the screen's available area; main: the main window's frame; wanted: the frame
// size the second window would like. When the screen cannot hold both side by side at
// minWidth, the second window goes to the screen's right edge, over the main window.
TBesidePlace PlaceBeside(const QRect& area, const QRect& main, QSize wanted, int minWidth);

}  // namespace navforge
