#pragma once
// A colour swatch: a small panel showing a colour value as the core keeps it (red in
// the low byte), clNone for "not set"; the caption is "n/a" while no colour is set.
// It takes the focus from Tab and shows it; Space or Enter is a click.
#include <QLabel>
#include <cstdint>

namespace navforge {

class TColorPanel : public QLabel {
  Q_OBJECT
public:
  explicit TColorPanel(QWidget* parent);
  std::int32_t Color() const { return color_; }
  void SetColor(std::int32_t color);  // the colour only; the caption is the caller's
  QColor ShownColor() const;
signals:
  void clicked();
  void colorChanged();
protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
private:
  std::int32_t color_;
};

QColor ToQColor(std::int32_t color);

}  // namespace navforge
