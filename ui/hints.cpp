#include "ui/hints.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QStringList>
#include <QToolButton>
#include <QToolTip>
#include <QVariant>

namespace navforge {

static const char* const kShowHint = "navforgeShowHint";

void SetShowHint(QWidget* widget, bool on) { widget->setProperty(kShowHint, on); }

THintFilter::THintFilter(QWidget* form) : QObject(form), form_(form) {
  // The hint lines were written for the window's font; in a larger one they break twice.
  QToolTip::setFont(form->font());
}

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

QString WrapHint(const QString& text, const QFontMetrics& metrics, int maxWidth) {
  QString normalized = text;
  normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QStringList out;
  for (const QString& line : normalized.split(QLatin1Char('\n'))) {
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
      QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
      if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > maxWidth) {
        out << current;
        current = word;
      } else {
        current = candidate;
      }
    }
    out << current;
  }
  return out.join(QLatin1Char('\n'));
}

namespace {
// The style chosen for the application (by "-style" too) with the hint timings.
class THintStyle : public QProxyStyle {
public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ToolTip_WakeUpDelay) return HintWakeUpDelay();
    // While a hint shows, the toolkit lets the next control's hint follow at once
    // (after 20 ms) instead of after the wake-up delay.
    if (hint == SH_ToolTip_FallAsleepDelay) return THintFilter::kHidePause;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};
}  // namespace

int HintWakeUpDelay() { return 500; }

void InstallHintTimings() {
  const QStyle* chosen = QApplication::style();
  if (auto* proxy = qobject_cast<const QProxyStyle*>(chosen)) chosen = proxy->baseStyle();
  QApplication::setStyle(new THintStyle(chosen->name()));
}

}  // namespace navforge
