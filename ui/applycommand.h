#pragma once
// "In Seiten einsetzen": the main toolbar's command that sets the menu, as it stands in
// the window, into the marked pages of its site after one question, and the non-modal
// list of what it did.
#include <QWidget>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QListWidget;
class QToolBar;

namespace navforge {

class Tmainform;

class TApplyWindow : public QWidget {
  Q_OBJECT
public:
  explicit TApplyWindow(QWidget* parent);
  // The report's lines (Windows-1252): one per page, the last one the summary.
  void ShowLines(const std::vector<std::string>& lines);

  QLabel* Summary = nullptr;
  QListWidget* PageList = nullptr;
};

// Adds "In Seiten einsetzen" (object name "BtnApply") at the end of bar: a run that
// changes nothing first, then, after "Ja" to the count of pages it would change, the
// run that writes them, its lines shown in the form's one result window.
QAction* AddApplyCommand(Tmainform& form, QToolBar* bar);

}  // namespace navforge
