#pragma once
// IDialogs with Qt's own dialogs.
#include "ui/dialogs.h"

class QWidget;
class QString;

namespace navforge {

class TQtDialogs : public IDialogs {
public:
  explicit TQtDialogs(QWidget* parent) : parent_(parent) {}
  bool ExecuteOpen(TFileDialog& dialog) override;
  bool ExecuteSave(TFileDialog& dialog) override;
  bool ExecuteColor(std::int32_t& color) override;
  void Message(const std::string& caption, const std::string& text) override;
  TConfirmAnswer Confirm(const std::string& caption, const std::string& text) override;

private:
  bool Execute(TFileDialog& dialog, bool save);
  QWidget* parent_;
};

// "GIF (*.gif)|*.gif|JPEG ..." as Qt name filters ("GIF (*.gif)" ...); the patterns
// after each "|" are what Qt matches, so the shown text keeps its own spelling.
QString QtNameFilters(const std::string& filter);

}  // namespace navforge
