#pragma once
// The hint display: hints show only on widgets inside one marked with
// SetShowHint(w, true) (the nearest mark wins), after the style's wake-up delay, for
// 5 s, wrapped at 400 px.
#include <QObject>
#include <QString>

class QFontMetrics;
class QWidget;

namespace navforge {

void SetShowHint(QWidget* widget, bool on);

class THintFilter : public QObject {
public:
  explicit THintFilter(QWidget* form);
  static constexpr int kHidePause = 5000;
  static constexpr int kMaxWidth = 400;
  static bool HintEnabled(const QWidget* widget);
  static QString HintOf(const QWidget* widget);
protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
private:
  QWidget* form_;
};

// Breaks the lines of a hint so that none is wider than maxWidth pixels (a word
// wider than that stays whole on its own line). Lines are split at CR LF or LF.
QString WrapHint(const QString& text, const QFontMetrics& metrics, int maxWidth);

// Hints wake after 500 ms and follow each other quickly; call once per application.
void InstallHintTimings();
int HintWakeUpDelay();

}  // namespace navforge
