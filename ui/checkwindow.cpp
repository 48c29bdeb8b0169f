#include "ui/checkwindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "check/menucheck.h"
#include "check/report.h"
#include "support/paths.h"
#include "ui/mainform.h"
#include "ui/qtext.h"

namespace navforge {

TCheckWindow::TCheckWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName(QStringLiteral("CheckWindow"));
  setWindowTitle(QStringLiteral("Menü prüfen"));
  resize(640, 300);
  auto* layout = new QVBoxLayout(this);
  Summary = new QLabel(this);
  Summary->setObjectName(QStringLiteral("Summary"));
  FindingList = new QListWidget(this);
  FindingList->setObjectName(QStringLiteral("FindingList"));
  FindingList->setAccessibleName(ToQ("Befunde"));
  RecheckButton = new QPushButton(QStringLiteral("Erneut prüfen"), this);
  RecheckButton->setObjectName(QStringLiteral("RecheckButton"));
  layout->addWidget(Summary);
  layout->addWidget(FindingList, 1);
  layout->addWidget(RecheckButton, 0, Qt::AlignRight);

  // Activation is a double-click, or Enter for keyboard users.
  connect(FindingList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const int entry = item->data(Qt::UserRole).toInt();
    if (entry >= 0)
      emit EntryChosen(entry);
    else
      emit FieldChosen(item->data(Qt::UserRole + 1).toString(), item->toolTip());
  });
  connect(RecheckButton, &QPushButton::clicked, this, &TCheckWindow::RecheckRequested);
}

void TCheckWindow::ShowFindings(const check::Findings& findings) {
  FindingList->clear();
  int errors = 0, hints = 0;
  for (const check::Finding& f : findings) {
    errors += f.level == check::Level::Fehler;
    hints += f.level == check::Level::Hinweis;
    const QStyle::StandardPixmap icon = f.level == check::Level::Fehler    ? QStyle::SP_MessageBoxCritical
                                        : f.level == check::Level::Warnung ? QStyle::SP_MessageBoxWarning
                                                                           : QStyle::SP_MessageBoxInformation;
    auto* item = new QListWidgetItem(style()->standardIcon(icon), ToQ(check::FindingLine(f)), FindingList);
    item->setData(Qt::UserRole, f.entry);
    item->setData(Qt::UserRole + 1, QString::fromStdString(f.code));
    item->setToolTip(ToQ(f.message));
  }
  const int warnings = static_cast<int>(findings.size()) - errors - hints;
  QString summary = QStringLiteral("%1 Fehler, %2 %3")
                        .arg(errors)
                        .arg(warnings)
                        .arg(warnings == 1 ? QStringLiteral("Warnung") : QStringLiteral("Warnungen"));
  // Hinweise stop nothing: named only when there are some.
  if (hints > 0)
    summary +=
        QStringLiteral(", %1 %2").arg(hints).arg(hints == 1 ? QStringLiteral("Hinweis") : QStringLiteral("Hinweise"));
  Summary->setText(findings.empty() ? QStringLiteral("Keine Befunde: das Menü kann so erstellt werden.") : summary);
  if (FindingList->count() > 0) FindingList->setCurrentRow(0);
}

QAction* AddCheckCommand(Tmainform& form, QToolBar* bar) {
  QAction* action = bar->addAction(QIcon(QStringLiteral(":/glyphs/check.svg")), QStringLiteral("Prüfen"));
  action->setObjectName(QStringLiteral("BtnCheck"));
  action->setToolTip(QStringLiteral("Menü prüfen"));
  if (QWidget* button = bar->widgetForAction(action)) button->setObjectName(QStringLiteral("BtnCheckButton"));

  auto* window = new TCheckWindow(&form);
  auto run = [&form, window] {
    // As generate does: the formatting controls go into the document first.
    form.SetSettings();
    check::CheckOptions options;
    options.menuFile = form.CurrentFile;
    options.outputBase = ExtractFilePath(form.CurrentFile);
    window->ShowFindings(check::CheckMenu(*form.MenuDoc, options));
  };
  QObject::connect(action, &QAction::triggered, window, [window, run] {
    run();
    window->show();
    window->raise();
    window->activateWindow();
  });
  QObject::connect(window, &TCheckWindow::RecheckRequested, window, run);
  // Findings of an older menu would lead to the wrong entry: while the list is open, a
  // change checks again a moment later, and a jump before that only checks again.
  auto* recheck = new QTimer(window);
  recheck->setSingleShot(true);
  recheck->setInterval(300);
  QObject::connect(recheck, &QTimer::timeout, window, run);
  QObject::connect(&form, &Tmainform::StateChanged, window, [window, recheck] {
    if (window->isVisible()) recheck->start();
  });
  auto current = [recheck, run] {
    if (!recheck->isActive()) return true;
    recheck->stop();
    run();
    return false;
  };
  QObject::connect(window, &TCheckWindow::FieldChosen, &form, [&form, current](const QString& code, const QString& text) {
    if (current()) form.ShowFieldOf(FromQ(code), FromQ(text));
  });
  QObject::connect(window, &TCheckWindow::EntryChosen, &form, [&form, current](int index) {
    if (current() && index < form.ListBox1->count()) form.ShowEntry(index);
  });
  return action;
}

}  // namespace navforge
