#include "ui/formparts.h"

#include <QFrame>
#include <QToolBar>

namespace navforge {

QWidget* Place(QWidget* w, const char* name, int left, int top, int width, int height) {
  w->setObjectName(QLatin1String(name));
  w->setGeometry(left, top, width, height);
  return w;
}

QToolBar* MakeToolbar(QWidget* parent, const char* name, const char* dockName, int left, int top, int width,
                      bool border) {
  auto* dock = new QFrame(parent);
  Place(dock, dockName, left, top, width, 26);
  if (border) dock->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* bar = new QToolBar(dock);
  bar->setObjectName(QLatin1String(name));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(16, 16));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  int inset = border ? 1 : 0;
  bar->setGeometry(inset, inset, width - 2 * inset, 26 - 2 * inset);
  return bar;
}

QSize TFixedRowHeight::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setHeight(height_);
  return size;
}

}  // namespace navforge
