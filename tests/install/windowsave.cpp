// Run from an installed program folder by install_test.sh: the window as a new user
// meets it. Lists the template sets, makes a menu with one entry and one variable,
// saves it with Save (which asks for a name: the argument) and Save again, then
// generates with the set named by the second argument. Prints the sets, one a line,
// and every message; exits 1 when any message came.
#include <QApplication>
#include <QComboBox>
#include <iostream>

#include "fakedialogs.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "ui/widgets.h"

int main(int argc, char** argv) {
  using namespace navforge;
  if (argc != 3) return 2;
  QApplication app(argc, argv);
  SetApplicationTitle("HTML Navforge");
  test::TScriptedDialogs dialogs;
  TMainformOptions options;  // every place as the installed program finds it
  options.Dialogs = &dialogs;
  options.ModuleFolders = TModuleFolders{};
  Tmainform form(options);
  for (int i = 0; i < form.cbTemplates->count(); ++i) std::cout << form.cbTemplates->itemText(i).toStdString() << '\n';

  form.menuname->setText(QStringLiteral("Start"));
  form.menulink->setText(QStringLiteral("start.htm"));
  form.linktarget->setText(QStringLiteral("inhalt"));
  form.TBItem8Click();
  form.Edit1->setText(QStringLiteral("Wer"));
  form.Edit2->setText(QStringLiteral("Anna"));
  form.TBItem16Click();
  form.titlename->setText(QStringLiteral("Titel"));
  form.efilename->setText(QStringLiteral("menu.htm"));
  form.cbTemplates->setCurrentText(QString::fromLocal8Bit(argv[2]));
  dialogs.SaveAnswers.push_back(std::string(argv[1]));
  form.BtnSaveClick();
  form.BtnSaveClick();
  form.TBItem5Click();
  for (const auto& m : dialogs.Messages) std::cout << "message: " << FromQ(ToQ(m.Text)) << '\n';
  return dialogs.Messages.empty() && form.CurrentFile == argv[1] ? 0 : 1;
}
