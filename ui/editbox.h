#pragma once
// The window's edit box: keeps to Windows-1252 and reports double clicks.
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
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace navforge
