#pragma once
// Layout pieces shared by the window's pages.
#include <QStyledItemDelegate>

class QToolBar;
class QToolButton;
class QWidget;

namespace navforge {

// Names the widget and puts it at its place.
QWidget* Place(QWidget* w, const char* name, int left, int top, int width, int height);

// Keeps w at left from its parent's leading edge: from the right edge when the
// application runs right to left ("-reverse"), also after the parent is resized.
void KeepLeadingOffset(QWidget* w, int left);

// A docked toolbar of 16 x 16 glyphs, 26 pixels high, in a dock frame of its own.
QToolBar* MakeToolbar(QWidget* parent, const char* name, const char* dockName, int left, int top, int width,
                      bool border);

// A flat toolbar button shows the focus raised, as a button: the style draws no
// focus frame on flat ones.
void RaiseWhileFocused(QToolButton* button);

// List lines of one fixed height, whatever the font.
class TFixedRowHeight : public QStyledItemDelegate {
public:
  TFixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
  int height_;
};

}  // namespace navforge
