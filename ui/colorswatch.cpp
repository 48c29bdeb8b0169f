#include "ui/colorswatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "persist/settings.h"

namespace navforge {

QColor ToQColor(std::int32_t color) {
  if (color == clNone) return {};
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColorPanel::TColorPanel(QWidget* parent) : QLabel(parent), color_(clNone) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
  SetColor(clNone);
}

QColor TColorPanel::ShownColor() const { return palette().color(QPalette::Window); }

void TColorPanel::SetColor(std::int32_t color) {
  const bool changed = color != color_;
  color_ = color;
  QPalette pal = palette();
  QColor shown = ToQColor(color);
  // Without a colour the swatch looks like the surface it sits on.
  pal.setColor(QPalette::Window, shown.isValid() ? shown : QApplication::palette().color(QPalette::Button));
  setPalette(pal);
  if (changed) emit colorChanged();
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void TColorPanel::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier &&
      (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    emit clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

// A frame in the highlight colour with a light edge inside, seen on any swatch colour.
void TColorPanel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5));
}

}  // namespace navforge
