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
  void Error(const std::string& caption, const std::string& text) override;
  TConfirmAnswer Confirm(const std::string& caption, const std::string& text) override;
  TConfirmAnswer ConfirmOrCancel(const std::string& caption, const std::string& text) override;
  TTypingAnswer ApplyOrDiscard(const std::string& caption, const std::string& text) override;

private:
  bool Execute(TFileDialog& dialog, bool save);
  TConfirmAnswer Ask(const std::string& caption, const std::string& text, bool cancel);
  QWidget* parent_;
};

// "GIF (*.gif)|*.gif|JPEG ..." as Qt name filters: each text followed by the patterns
// after its "|" in parentheses, which are what Qt matches; the file dialogs hide them,
// so the shown text is the text as given. "*.*" means every file, names without a dot too.
QString QtNameFilters(const std::string& filter);

}  // namespace navforge
