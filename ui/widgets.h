#pragma once
// Small controls of the window: an edit box that keeps to Windows-1252 and reports
// double clicks, a colour swatch, the adapters through which the core fills the
// entry list and the variables grid, and the hint display.
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <cstdint>
#include <string>

#include "persist/vars.h"
#include "support/stringlist.h"

class QListWidget;
class QTableWidget;
class QPlainTextEdit;

namespace navforge {

class TEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TEdit(QWidget* parent);
  std::string Text() const;  // Windows-1252
  void SetText(const std::string& cp1252);
signals:
  void doubleClicked();
protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Colour value as the core keeps it (red in the low byte), clNone for "not set";
// the caption is "n/a" while no colour is set.
class TColorPanel : public QLabel {
  Q_OBJECT
public:
  explicit TColorPanel(QWidget* parent);
  std::int32_t Color() const { return color_; }
  void SetColor(std::int32_t color);  // the colour only; the caption is the caller's
  QColor ShownColor() const;
signals:
  void clicked();
protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
private:
  std::int32_t color_;
};

QColor ToQColor(std::int32_t color);

class TListBoxLines : public IStringList {
public:
  explicit TListBoxLines(QListWidget* list) : list_(list) {}
  void Clear() override;
  void Add(const std::string& line) override;
private:
  QListWidget* list_;
};

class TMemoLines : public IStringList {
public:
  explicit TMemoLines(QPlainTextEdit* memo) : memo_(memo) {}
  void Clear() override;
  void Add(const std::string& line) override;
private:
  QPlainTextEdit* memo_;
};

// Row 0 of the core's grid is the fixed header row, which is the table's header.
class TStringGridCells : public IGrid {
public:
  explicit TStringGridCells(QTableWidget* grid) : grid_(grid) {}
  void SetRowCount(int rows) override;
  void SetCell(int column, int row, const std::string& text) override;
private:
  QTableWidget* grid_;
};

// Hints show only on widgets inside one marked with SetShowHint(w, true) (the
// nearest mark wins), after the style's wake-up delay, for 5 s, wrapped at 400 px.
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

}  // namespace navforge

namespace navforge {
// Hints wake after 500 ms and follow each other quickly; call once per application.
void InstallHintTimings();
int HintWakeUpDelay();
}  // namespace navforge
