#include "ui/entrylist.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace navforge {
namespace {

const QString kEntryFormat = QStringLiteral("application/x-navforge-entry");

}  // namespace

TEntryList::TEntryList(QWidget* parent) : QListWidget(parent) {
  setDragDropMode(QAbstractItemView::InternalMove);
  setDefaultDropAction(Qt::MoveAction);
  setDropIndicatorShown(true);
}

QItemSelectionModel::SelectionFlags TEntryList::selectionCommand(const QModelIndex& index, const QEvent* event) const {
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
  if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
    return selectionModel()->isSelected(index) ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect;
  return flags;
}

QStringList TEntryList::mimeTypes() const { return {kEntryFormat}; }

// The drag carries the list and the line, so a drag from another list or another
// running copy of the program is refused.
QMimeData* TEntryList::DragData(int row) const {
  auto* data = new QMimeData;
  data->setData(kEntryFormat, QStringLiteral("%1 %2 %3")
                                  .arg(QApplication::applicationPid())
                                  .arg(reinterpret_cast<quintptr>(this))
                                  .arg(row)
                                  .toLatin1());
  return data;
}

int TEntryList::DraggedRow(const QMimeData* data) const {
  if (!data || !data->hasFormat(kEntryFormat)) return -1;
  const QStringList parts = QString::fromLatin1(data->data(kEntryFormat)).split(QLatin1Char(' '));
  if (parts.size() != 3 || parts[0].toLongLong() != QApplication::applicationPid() ||
      parts[1].toULongLong() != reinterpret_cast<quintptr>(this))
    return -1;
  bool ok = false;
  const int row = parts[2].toInt(&ok);
  return ok && row >= 0 && row < count() ? row : -1;
}

int TEntryList::GapAt(const QPoint& pos) const {
  const QModelIndex index = indexAt(pos);
  if (!index.isValid()) return pos.y() < 0 ? 0 : count();
  return index.row() + (pos.y() >= visualRect(index).center().y() ? 1 : 0);
}

void TEntryList::mousePressEvent(QMouseEvent* event) {
  pressedRow_ = indexAt(event->position().toPoint()).row();
  QListWidget::mousePressEvent(event);
}

// Only the line pressed, once it is the selected one: a press whose selection the user
// took back (asked about typed texts) drags nothing.
void TEntryList::startDrag(Qt::DropActions) {
  if (pressedRow_ < 0 || pressedRow_ != currentRow() || !item(pressedRow_)->isSelected()) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(DragData(pressedRow_));
  drag->exec(Qt::MoveAction);
}

void TEntryList::dragEnterEvent(QDragEnterEvent* event) {
  if (DraggedRow(event->mimeData()) < 0) return event->ignore();
  QListWidget::dragEnterEvent(event);
  event->acceptProposedAction();
}

void TEntryList::dragMoveEvent(QDragMoveEvent* event) {
  if (DraggedRow(event->mimeData()) < 0) return event->ignore();
  QListWidget::dragMoveEvent(event);  // the drop indicator
  event->acceptProposedAction();
}

void TEntryList::dropEvent(QDropEvent* event) {
  const int from = DraggedRow(event->mimeData());
  if (from < 0) return event->ignore();
  event->acceptProposedAction();
  stopAutoScroll();
  setState(NoState);  // the drop indicator goes
  viewport()->update();
  emit EntryDropped(from, GapAt(event->position().toPoint()));
}

}  // namespace navforge
