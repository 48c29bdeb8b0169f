#pragma once
// The entry list of the page "Menü": a click selects a line, and nothing but a command
// takes the selection away again (not a click beside the lines, not Ctrl with a click
// or Space). A line dragged within the list is not moved by the list itself: the drop
// is reported, and the command moves the entry in the document.
#include <QListWidget>

class QMimeData;

namespace navforge {

class TEntryList : public QListWidget {
  Q_OBJECT
public:
  explicit TEntryList(QWidget* parent);
  // What a drag of the line at row carries; only this list takes it.
  QMimeData* DragData(int row) const;
  // The gap a drop at pos (viewport coordinates) goes into: 0 before the first line,
  // count() after the last.
  int GapAt(const QPoint& pos) const;

signals:
  void EntryDropped(int from, int gap);

protected:
  QStringList mimeTypes() const override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  int DraggedRow(const QMimeData* data) const;
  int pressedRow_ = -1;
};

}  // namespace navforge
