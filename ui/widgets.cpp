#include "ui/widgets.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QToolTip>

#include "persist/settings.h"
#include "ui/qtext.h"

namespace navforge {

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) { setValidator(new TCp1252Validator(this)); }

std::string TEdit::Text() const { return FromQ(text()); }
void TEdit::SetText(const std::string& cp1252) { setText(ToQ(cp1252)); }

void TEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

QColor ToQColor(std::int32_t color) {
  if (color == clNone) return {};
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColorPanel::TColorPanel(QWidget* parent) : QLabel(parent), color_(clNone) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  SetColor(clNone);
}

QColor TColorPanel::ShownColor() const { return palette().color(QPalette::Window); }

void TColorPanel::SetColor(std::int32_t color) {
  color_ = color;
  QPalette pal = palette();
  QColor shown = ToQColor(color);
  // Without a colour the swatch looks like the surface it sits on.
  pal.setColor(QPalette::Window, shown.isValid() ? shown : QApplication::palette().color(QPalette::Button));
  setPalette(pal);
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void TListBoxLines::Clear() { list_->clear(); }
void TListBoxLines::Add(const std::string& line) { list_->addItem(ToQ(line)); }

void TMemoLines::Clear() { memo_->clear(); }
void TMemoLines::Add(const std::string& line) { memo_->appendPlainText(ToQ(line)); }

void TStringGridCells::SetRowCount(int rows) { grid_->setRowCount(rows > 1 ? rows - 1 : 0); }

void TStringGridCells::SetCell(int column, int row, const std::string& text) {
  if (row == 0) {
    grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(ToQ(text)));
    return;
  }
  QTableWidgetItem* item = grid_->item(row - 1, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    grid_->setItem(row - 1, column, item);
  }
  item->setText(ToQ(text));
}

static const char* const kShowHint = "navforgeShowHint";

void SetShowHint(QWidget* widget, bool on) { widget->setProperty(kShowHint, on); }

THintFilter::THintFilter(QWidget* form) : QObject(form), form_(form) {}

bool THintFilter::HintEnabled(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    QVariant mark = w->property(kShowHint);
    if (mark.isValid()) return mark.toBool();
  }
  return false;
}

QString THintFilter::HintOf(const QWidget* widget) {
  // Toolbar buttons carry their action's hint.
  if (auto* button = qobject_cast<const QToolButton*>(widget); button && button->defaultAction())
    return button->defaultAction()->toolTip();
  // The parts of a composite control (the edit part of a combo box) show its hint.
  for (const QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
    if (!w->toolTip().isEmpty()) return w->toolTip();
  return QString();
}

bool THintFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return QObject::eventFilter(watched, event);
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != form_) return false;
  auto* help = static_cast<QHelpEvent*>(event);
  QString hint = HintEnabled(widget) ? HintOf(widget) : QString();
  if (hint.isEmpty()) {
    QToolTip::hideText();
  } else {
    QFontMetrics metrics(QToolTip::font());
    QToolTip::showText(help->globalPos(), WrapHint(hint, metrics, kMaxWidth), widget, QRect(), kHidePause);
  }
  return true;
}

}  // namespace navforge

#include <QProxyStyle>

namespace navforge {
namespace {
class THintStyle : public QProxyStyle {
public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ToolTip_WakeUpDelay) return HintWakeUpDelay();
    if (hint == SH_ToolTip_FallAsleepDelay) return 25;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};
}  // namespace

int HintWakeUpDelay() { return 500; }

void InstallHintTimings() { QApplication::setStyle(new THintStyle); }

}  // namespace navforge
