#pragma once
// The review dialog of "Seiten importieren...": the proposed entries with check boxes
// and the warnings of the import.
#include <QDialog>
#include <string>
#include <vector>

#include "import/siteimport.h"

class QListWidget;
class QPlainTextEdit;

namespace navforge {

class TImportDialog : public QDialog {
  Q_OBJECT
public:
  // checked: one flag per entry, shown as the entries' check boxes.
  TImportDialog(QWidget* parent, const import::ImportProposal& proposal, const std::vector<std::string>& warnings,
                const std::vector<bool>& checked);
  std::vector<bool> Checked() const;

  QListWidget* EntryList = nullptr;
  QPlainTextEdit* WarningText = nullptr;  // hidden without warnings
};

// Shows the dialog; on OK, checked holds the user's choice and the result is true.
bool ReviewImport(QWidget* parent, const import::ImportProposal& proposal, const std::vector<std::string>& warnings,
                  std::vector<bool>& checked);

}  // namespace navforge
