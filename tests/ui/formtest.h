#pragma once
// The window in a temporary program folder with scripted dialogs, and the steps a user
// takes in it: typing into boxes, clicking lines, dragging them, pressing keys.
#include <QApplication>
#include <QDragEnterEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <gtest/gtest.h>
#include <map>

#include "fakedialogs.h"
#include "support/cp1252literal.h"
#include "support/paths.h"
#include "testsupport/tempdir.h"
#include "ui/editbox.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "uitestapp.h"

namespace navforge::test {

using Texts = std::vector<std::string>;

// Public, so the rows of a test's table can take these steps, too.
class FormTest : public ::testing::Test {
public:
  void SetUp() override {
    UiApp();
    prog = tmp.path() + "/prog/";
    menus = tmp.path() + "/menus/";
    for (const char* set : {"Blue", "Green"})
      WriteTemplateSet(prog + "Templates/" + set, {{"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n"}});
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
  Texts Lines() const {
    Texts lines;
    for (int i = 0; i < form->ListBox1->count(); ++i) lines.push_back(FromQ(form->ListBox1->item(i)->text()));
    return lines;
  }
  Texts BoxTexts() const { return {form->menuname->Text(), form->menulink->Text(), form->linktarget->Text()}; }
  void Boxes(const std::string& caption) {
    form->menuname->SetText(caption);
    form->menulink->SetText(caption + ".htm");
    form->linktarget->SetText("main");
  }
  void AddMain(const std::string& caption) {
    Boxes(caption);
    form->TBItem8->trigger();
  }
  // A click on the line, as the mouse gives it.
  void ClickLine(int row) {
    if (!form->isVisible()) form->show();
    const QRect line = form->ListBox1->visualItemRect(form->ListBox1->item(row));
    QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, {}, line.center());
  }
  // The drag of line from let go over the upper half of line gap (below the last line
  // for gap == count), through the list's own drag events; whether the list took it.
  bool Drop(int from, int gap, const QMimeData* carried = nullptr) {
    TEntryList* list = form->ListBox1;
    const QRect line = list->visualItemRect(list->item(std::min(gap, list->count() - 1)));
    const QPoint at = gap < list->count() ? line.topLeft() + QPoint(5, 1) : line.bottomLeft() + QPoint(5, -1);
    std::unique_ptr<QMimeData> own(carried ? nullptr : list->DragData(from));
    if (!carried) carried = own.get();
    QDragEnterEvent enter(at, Qt::MoveAction, carried, Qt::LeftButton, {});
    QDragMoveEvent move(at, Qt::MoveAction, carried, Qt::LeftButton, {});
    QDropEvent drop(at, Qt::MoveAction, carried, Qt::LeftButton, {});
    for (QEvent* e : std::initializer_list<QEvent*>{&enter, &move, &drop}) QApplication::sendEvent(list->viewport(), e);
    return drop.isAccepted();
  }
  // The key as the keyboard gives it: to the control with the focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : form.get(), key, modifiers);
  }
  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  QWidget* ButtonOf(QToolBar* bar, QAction* action) const { return bar->widgetForAction(action); }

  // A menu file written by the document itself; "-" marks a sub-entry, "--" one a
  // level below it, and so on.
  std::string WriteMenu(const std::string& name, std::initializer_list<const char*> captions,
                        std::function<void(TovHTML&)> edit = {}) {
    TovHTML doc;
    doc.VariablesFile = prog + "navforge.nfv";
    for (std::string c : captions) {
      const int level = static_cast<int>(c.find_first_not_of('-'));
      c.erase(0, static_cast<std::size_t>(level));
      doc.InsertItem(-1, c, c + ".htm", "main", level > 0);
      doc.Items.back().Depth = std::max(level, 1);
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
