#pragma once
// The window's edit box: keeps to Windows-1252 and reports double clicks. Ctrl+Z,
// Ctrl+Y and Ctrl+Shift+Z undo and redo the typing in the box while it has some to
// undo or redo; after that they reach the window's commands.
#include <QLineEdit>
#include <string>

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
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace navforge
