#include "ui/applycommand.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "apply/siteapply.h"
#include "support/cp1252literal.h"
#include "ui/mainform.h"
#include "ui/qtext.h"

namespace navforge {
namespace {

// What the run that changes nothing found when no page would change, with the lines
// about pages it could not take and linked pages without markers.
std::string NothingToChange(const apply::ApplyReport& report) {
  std::string text = report.Pages.empty() ? "Keine Seite der Website enthält die Markierungen <!-- navforge --> "
                                            "und <!-- /navforge -->."_cp1252
                     : report.Failed == 0 ? "Alle Seiten sind auf dem Stand des Menüs."_cp1252
                                          : "Keine Seite wird geändert."_cp1252;
  std::vector<std::string> lines = apply::ReportLines(report, apply::ApplyMode::DryRun);
  lines.pop_back();  // the summary: its counts say nothing the sentence does not
  if (!lines.empty()) text += "\n";
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

std::string Question(std::size_t pages) {
  return pages == 1 ? "Das Menü in 1 Seite einsetzen?"_cp1252
                    : "Das Menü in "_cp1252 + std::to_string(pages) + " Seiten einsetzen?";
}

}  // namespace

TApplyWindow::TApplyWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName(QStringLiteral("ApplyWindow"));
  setWindowTitle(QStringLiteral("Menü in Seiten eingesetzt"));
  resize(640, 300);
  auto* layout = new QVBoxLayout(this);
  Summary = new QLabel(this);
  Summary->setObjectName(QStringLiteral("Summary"));
  Summary->setTextFormat(Qt::PlainText);  // page names of the user's site
  PageList = new QListWidget(this);
  PageList->setObjectName(QStringLiteral("PageList"));
  PageList->setAccessibleName(QStringLiteral("Seiten"));
  layout->addWidget(Summary);
  layout->addWidget(PageList, 1);
}

void TApplyWindow::ShowLines(const std::vector<std::string>& lines) {
  PageList->clear();
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) PageList->addItem(ToQ(lines[i]));
  Summary->setText(lines.empty() ? QString() : ToQ(lines.back()));
}

QAction* AddApplyCommand(Tmainform& form, QToolBar* bar) {
  QAction* action =
      bar->addAction(QIcon(QStringLiteral(":/glyphs/apply.svg")), QStringLiteral("In Seiten einsetzen"));
  action->setObjectName(QStringLiteral("BtnApply"));
  action->setToolTip(QStringLiteral("Menü in die Seiten der Website einsetzen"));
  if (QWidget* button = bar->widgetForAction(action)) button->setObjectName(QStringLiteral("BtnApplyButton"));

  auto* window = new TApplyWindow(&form);
  QObject::connect(action, &QAction::triggered, window, [&form, window] {
    window->hide();  // the list of an earlier run says nothing of this one
    form.Guard([&] {
      // As generate does: the formatting controls into the document, and a relative
      // output file taken against the menu's folder.
      form.SetSettings();
      form.MenuDoc->MenuFile = form.CurrentFile;
      IDialogs& dialogs = form.Dialogs();
      const apply::ApplyReport planned = apply::ApplyToSite(*form.MenuDoc, {"", apply::ApplyMode::DryRun});
      if (!planned.Problem.empty() || planned.Changed == 0) {
        dialogs.Message(ApplicationTitle(), planned.Problem.empty() ? NothingToChange(planned) : planned.Problem);
        return;
      }
      if (dialogs.Confirm("Bestätigung"_cp1252, Question(planned.Changed)) != TConfirmAnswer::Yes) return;
      const apply::ApplyReport done = apply::ApplyToSite(*form.MenuDoc, {"", apply::ApplyMode::Write});
      if (!done.Problem.empty()) {
        dialogs.Message(ApplicationTitle(), done.Problem);
        return;
      }
      window->ShowLines(apply::ReportLines(done, apply::ApplyMode::Write));
      window->show();
      window->raise();
      window->activateWindow();
    });
  });
  return action;
}

}  // namespace navforge
