#pragma once
// The review dialog of "Seiten importieren...": the set of a new menu, the frame of the
// new entries, the proposed entries with check boxes and editable captions, and the
// warnings of the import.
#include <QDialog>
#include <string>
#include <vector>

#include "ui/importpages.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace navforge {

class TImportDialog : public QDialog {
  Q_OBJECT
public:
  // sets: the sets a new menu may take (empty: start.Set stays and cannot be changed);
  // propose gives the review for another set.
  TImportDialog(QWidget* parent, const TImportReview& review, const std::vector<std::string>& sets,
                TProposeForSet propose, const TImportChoices& start);
  // The answers as they stand; captions escaped as titles are (see import's HtmlText).
  TImportChoices Choices() const;

  QComboBox* SetBox = nullptr;
  QLineEdit* TargetEdit = nullptr;
  QLabel* TargetSource = nullptr;  // where the suggested frame was found; hidden when nowhere
  // Main entries at the top, their sub-entries below them; column 0 the caption with its
  // check box (editable), column 1 the link. Each item keeps its entry's index.
  QTreeWidget* EntryList = nullptr;
  QPlainTextEdit* WarningText = nullptr;  // hidden without warnings

private:
  void Show(const TImportReview& review, const std::vector<bool>& checked, const std::vector<std::string>& captions);
  void CaptionEdited(QTreeWidgetItem* item, int column);

  TProposeForSet propose_;
  QLabel* warningLabel_ = nullptr;
  std::size_t count_ = 0;
  bool filling_ = false;
};

// Shows the dialog; on OK, choices holds the user's answers and the result is true.
bool ReviewImport(QWidget* parent, const TImportReview& review, const std::vector<std::string>& sets,
                  const TProposeForSet& propose, TImportChoices& choices);

}  // namespace navforge
