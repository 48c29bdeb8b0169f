#pragma once
// "Prüfen": the main toolbar's command that checks the menu as it stands in the window,
// and the non-modal list of findings it opens. Double-clicking a finding about an
// entry (or Enter on it) selects that entry on the page "Menü"; one about no entry
// leads to the value it is about. While the list is open, a change checks again.
#include <QWidget>

#include "check/finding.h"

class QAction;
class QLabel;
class QListWidget;
class QPushButton;
class QToolBar;

namespace navforge {

class Tmainform;

class TCheckWindow : public QWidget {
  Q_OBJECT
public:
  explicit TCheckWindow(QWidget* parent);
  void ShowFindings(const check::Findings& findings);

  QLabel* Summary = nullptr;
  QListWidget* FindingList = nullptr;
  QPushButton* RecheckButton = nullptr;

signals:
  void EntryChosen(int index);  // index into the menu's entries, from 0
  void FieldChosen(const QString& code, const QString& message);  // a finding about no entry
  void RecheckRequested();
};

// Adds the "Prüfen" button (object name "BtnCheck") at the end of bar and wires it: it
// copies the formatting controls into the document as generate does, checks, and shows
// the findings in the form's one check window.
QAction* AddCheckCommand(Tmainform& form, QToolBar* bar);

}  // namespace navforge
