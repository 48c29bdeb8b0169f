#pragma once
// The window in a temporary program folder with scripted dialogs, and the steps a user
// takes in it: typing into boxes, clicking lines, pressing keys, saving.
#include <QPushButton>
#include <QApplication>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "fakedialogs.h"
#include "support/cp1252literal.h"
#include "support/paths.h"
#include "testsupport/tempdir.h"
#include "ui/editbox.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "uitestapp.h"

namespace navforge::test {

// Public, so the rows of a test's table can take these steps, too.
class FormTest : public ::testing::Test {
public:
  void SetUp() override {
    UiApp();
    SetApplicationTitle("HTML Navforge");
    prog = tmp.path() + "/prog/";
    menus = tmp.path() + "/menus/";
    WriteTemplateSet(prog + "Templates/Blue", {{"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n"}});
    WriteTemplateSet(prog + "Templates/Green", {{"menupoint.txt", "<p>$Linkname$</p>\r\n"}});
    MakeDir(menus);
    form = MakeForm();
  }

  std::unique_ptr<Tmainform> MakeForm() {
    SetApplicationTitle("HTML Navforge");  // a window takes the title the last one left
    TMainformOptions options;
    options.ProgramFolder = prog;
    options.VariablesFile = prog + "navforge.nfv";
    options.ModuleFolders = TModuleFolders{"", prog};
    options.Dialogs = &dialogs;
    options.RecentFiles = tmp.file("config/zuletzt.ini");
    return std::make_unique<Tmainform>(options);
  }

  // Shown and active, so keys reach the window's shortcuts.
  void ShowActive() {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < form->ListBox1->count(); ++i) lines.push_back(FromQ(form->ListBox1->item(i)->text()));
    return lines;
  }
  std::vector<std::string> BoxTexts() const {
    return {form->menuname->Text(), form->menulink->Text(), form->linktarget->Text()};
  }
  void Boxes(const char* caption, const char* link, const char* target) {
    form->menuname->SetText(caption);
    form->menulink->SetText(link);
    form->linktarget->SetText(target);
  }
  void AddMain(const char* caption) {
    Boxes(caption, (std::string(caption) + ".htm").c_str(), "main");
    form->TBItem8->trigger();
  }
  void AddSub(const char* caption) {
    Boxes(caption, (std::string(caption) + ".htm").c_str(), "main");
    form->TBItem9->trigger();
  }
  // A click on the line, as the mouse gives it (the window is shown first).
  void ClickLine(int row) {
    if (!form->isVisible()) form->show();
    const QRect line = form->ListBox1->visualItemRect(form->ListBox1->item(row));
    QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, {}, line.center());
  }
  // Typed into the box with the focus in it, then left with Tab.
  void TypeInto(TEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
  }
  // The key as the keyboard gives it: to the control with the focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : form.get(), key, modifiers);
  }
  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  QWidget* ButtonOf(QToolBar* bar, QAction* action) const { return bar->widgetForAction(action); }

  // A menu file written by the document itself, so the tests do not depend on the format.
  std::string WriteMenu(const std::string& name, std::initializer_list<const char*> captions,
                        std::function<void(TovHTML&)> edit = {}) {
    TovHTML doc;
    doc.VariablesFile = prog + "navforge.nfv";
    for (const char* c : captions) {
      const bool sub = c[0] == '-';
      const std::string caption = sub ? c + 1 : c;
      doc.InsertItem(-1, caption, caption + ".htm", "main", sub);
    }
    if (edit) edit(doc);
    doc.SaveToFile(menus + name);
    return menus + name;
  }
  void Open(const std::string& path) {
    dialogs.OpenAnswers.push_back(path);
    form->BtnOpen->trigger();
  }
  // The bytes of the files a save writes: the menu, its settings and the variables.
  std::map<std::string, std::string> SavedFiles(const std::string& menu) const {
    return {{"nff", ReadFile(menu)}, {"nfs", ReadFile(ChangeFileExt(menu, ".nfs"))}, {"nfv", ReadFile(prog + "navforge.nfv")}};
  }
  std::string Caption() const { return FromQ(form->windowTitle()); }

  TempDir tmp{TempIn::Memory};  // the tests save often
  std::string prog, menus;
  TScriptedDialogs dialogs;
  std::unique_ptr<Tmainform> form;
};

}  // namespace navforge::test
