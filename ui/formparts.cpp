#include "ui/formparts.h"

#include <QEvent>
#include <QFrame>
#include <QToolBar>
#include <QToolButton>

namespace navforge {
namespace {

const char* const kLeadingOffset = "navforgeLeadingOffset";

void Mirror(QWidget* w) {
  const QVariant left = w->property(kLeadingOffset);
  if (!left.isValid() || !w->parentWidget()) return;
  const int x = w->isRightToLeft() ? w->parentWidget()->width() - left.toInt() - w->width() : left.toInt();
  w->move(x, w->y());
}

// Fixed places are given from the left; a parent that gets its size (when its page is
// first shown, say) moves its children to their mirrored places again.
class TMirrorOnResize : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutDirectionChange)
      for (QObject* child : watched->children())
        if (auto* w = qobject_cast<QWidget*>(child)) Mirror(w);
    return false;
  }
};

class TRaiseOnFocus : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
      static_cast<QToolButton*>(watched)->setAutoRaise(event->type() == QEvent::FocusOut);
    return false;
  }
};

}  // namespace

void RaiseWhileFocused(QToolButton* button) { button->installEventFilter(new TRaiseOnFocus(button)); }

void KeepLeadingOffset(QWidget* w, int left) {
  w->setProperty(kLeadingOffset, left);
  QWidget* parent = w->parentWidget();
  if (!parent) return;
  if (!parent->findChild<TMirrorOnResize*>(QString(), Qt::FindDirectChildrenOnly)) {
    auto* filter = new TMirrorOnResize(parent);
    parent->installEventFilter(filter);
  }
  Mirror(w);
}

QWidget* Place(QWidget* w, const char* name, int left, int top, int width, int height) {
  w->setObjectName(QLatin1String(name));
  w->setGeometry(left, top, width, height);
  KeepLeadingOffset(w, left);
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
