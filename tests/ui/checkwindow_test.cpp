// "Prüfen" pressed as the user would: the findings window and the way back to an entry.
#include "ui/checkwindow.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "fakedialogs.h"
#include "testsupport/tempdir.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "ui/colorswatch.h"
#include "ui/editbox.h"
#include "uitestapp.h"

namespace navforge {
namespace {

class CheckWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    test::UiApp();
    const std::string prog = tmp.path() + "/prog/";
    test::WriteTemplateSet(prog + "Templates/Set", {{"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n"}});
    test::MakeDir(tmp.file("site"));
    test::WriteFile(tmp.file("site/da.htm"), "");
    TMainformOptions options;
    options.ProgramFolder = prog;
    options.VariablesFile = prog + "navforge.nfv";
    options.ModuleFolders = TModuleFolders{"", prog};
    options.Dialogs = &dialogs;
    form = std::make_unique<Tmainform>(options);
    form->MenuDoc->Template = "Set";
    form->GetSettings();
    form->efilename->SetText(tmp.file("site/menu.htm"));
    Add("Da", "da.htm");
    Add("Weg", "weg.htm");
  }
  void Add(const char* caption, const char* link) {
    form->menuname->SetText(caption);
    form->menulink->SetText(link);
    form->linktarget->SetText("inhalt");
    form->TBItem8->trigger();
  }
  QAction* Button() const { return form->findChild<QAction*>(QStringLiteral("BtnCheck")); }
  TCheckWindow* Window() const { return form->findChild<TCheckWindow*>(); }

  test::TempDir tmp;
  test::TScriptedDialogs dialogs;
  std::unique_ptr<Tmainform> form;
};

TEST_F(CheckWindowTest, button_sitsAfterGenerateWithItsHint) {
  ASSERT_NE(Button(), nullptr);
  const QList<QAction*> actions = form->TBToolbar1->actions();
  EXPECT_EQ(actions.indexOf(Button()), actions.indexOf(form->TBItem5) + 1);
  EXPECT_EQ(Button()->toolTip(), QStringLiteral("Menü prüfen"));
  EXPECT_FALSE(Button()->icon().isNull());
}

TEST_F(CheckWindowTest, press_showsFindingsWithoutBlockingAndDoubleClickSelectsTheEntry) {
  QTest::mouseClick(form->FlatButton2, Qt::LeftButton);  // no entry selected before the jump
  form->PageControl1->setCurrentIndex(1);
  Button()->trigger();
  TCheckWindow* window = Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());
  ASSERT_EQ(window->FindingList->count(), 1);
  EXPECT_EQ(FromQ(window->FindingList->item(0)->text()).rfind("Warnung: Eintrag 2 \"Weg\": ", 0), 0u);
  EXPECT_EQ(FromQ(window->Summary->text()), "0 Fehler, 1 Warnung");

  emit window->FindingList->itemActivated(window->FindingList->item(0));
  EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
  EXPECT_EQ(form->SelectedIndex(), 1);
  EXPECT_EQ(form->menulink->Text(), "weg.htm");

  // The link is mended; checking again empties the list.
  test::WriteFile(tmp.file("site/weg.htm"), "");
  window->RecheckButton->click();
  EXPECT_EQ(window->FindingList->count(), 0);
  EXPECT_EQ(window->Summary->text(), QStringLiteral("Keine Befunde: das Menü kann so erstellt werden."));
}

// A Hinweis shows as one, and is named in the summary only when there is one.
TEST_F(CheckWindowTest, hinweis_showsItsLevelAndCountsInTheSummary) {
  test::WriteFile(tmp.file("site/index.htm"), "<title>Start</title>");
  Button()->trigger();
  TCheckWindow* window = Window();
  ASSERT_EQ(window->FindingList->count(), 2);
  EXPECT_EQ(FromQ(window->FindingList->item(1)->text()).rfind("Hinweis: Eintrag 1 \"Da\": ", 0), 0u);
  EXPECT_EQ(FromQ(window->Summary->text()), "0 Fehler, 1 Warnung, 1 Hinweis");
  test::WriteFile(tmp.file("site/weg.htm"), "");
  window->RecheckButton->click();
  EXPECT_EQ(FromQ(window->Summary->text()), "0 Fehler, 0 Warnungen, 1 Hinweis");
}

// While the list is open, a change of the menu checks again; a double-click before that
// only checks again, since the finding may name an entry that has moved.
TEST_F(CheckWindowTest, changeWhileTheListIsOpen_checksAgainAndAStaleJumpWaits) {
  Button()->trigger();
  TCheckWindow* window = Window();
  ASSERT_EQ(window->FindingList->count(), 1);
  auto firstLine = [&] { return FromQ(window->FindingList->item(0)->text()); };
  EXPECT_EQ(firstLine().rfind("Warnung: Eintrag 2 \"Weg\"", 0), 0u);

  // "Da" goes: "Weg" is entry 1 now, and the old finding would select the wrong line.
  form->ListBox1->setCurrentRow(0);
  form->TBItem15->trigger();
  emit window->FindingList->itemActivated(window->FindingList->item(0));
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_EQ(firstLine().rfind("Warnung: Eintrag 1 \"Weg\"", 0), 0u);
  emit window->FindingList->itemActivated(window->FindingList->item(0));
  EXPECT_EQ(form->SelectedIndex(), 0);
  EXPECT_EQ(form->menuname->Text(), "Weg");

  // Without a double-click, the list follows a moment after the change.
  form->ListBox1->setCurrentRow(0);
  form->TBItem15->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->FindingList->count() == 0; }, 2000));
}

struct FieldCase {
  const char* Name;
  std::function<void(Tmainform&)> Make;  // a finding about no entry, first in the list
  std::function<QWidget*(Tmainform&)> Field;
  QWidget* Tmainform::* Page;
  int GridRow = 0;  // the variables grid's row the finding names, 0 for none
};

// A finding about no entry leads to the control of its value, on its page; the entry
// selection stays.
TEST_F(CheckWindowTest, findingsAboutNoEntry_leadToTheirControl) {
  const FieldCase cases[] = {
      {"no output file", [](Tmainform& f) { f.efilename->SetText(""); }, [](Tmainform& f) -> QWidget* { return f.efilename; },
       &Tmainform::TabSheet3},
      {"missing set",
       [](Tmainform& f) {
         f.SetSettings();
         f.MenuDoc->Template = "Fehlt";
         f.GetSettings();
       },
       [](Tmainform& f) -> QWidget* { return f.cbTemplates; }, &Tmainform::TabSheet3},
      {"link colour on the background", [](Tmainform& f) { f.SetColor(f.Panel2, 0xFFFFFF); f.SetColor(f.Panel3, 0xEEEEEE); },
       [](Tmainform& f) -> QWidget* { return f.Panel3; }, &Tmainform::TabSheet5},
      {"unused variable",
       [](Tmainform& f) {
         f.titlename->setText(QStringLiteral("$Genutzt$"));
         for (const char* name : {"Genutzt", "Leer"}) {
           f.Edit1->setText(QLatin1String(name));
           f.TBItem16->trigger();
         }
       },
       [](Tmainform& f) -> QWidget* { return f.StringGrid1; }, &Tmainform::TabSheet6, 2},
  };
  form->show();
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.Name);
    test::WriteFile(tmp.file("site/weg.htm"), "");
    c.Make(*form);
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    form->ListBox1->setFocus();
    Button()->trigger();
    ASSERT_GE(Window()->FindingList->count(), 1);
    emit Window()->FindingList->itemActivated(Window()->FindingList->item(0));
    EXPECT_EQ(form->SelectedIndex(), 1);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet4);
    EXPECT_EQ(form->PageControl2->currentWidget(), form.get()->*c.Page);
    QWidget* field = c.Field(*form);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return QApplication::focusWidget() == field || field->isAncestorOf(QApplication::focusWidget()); }, 2000));
    if (c.GridRow) {
      EXPECT_EQ(form->GridRow(), c.GridRow);
    }
    form = nullptr;
    SetUp();
    form->show();
  }
}

}  // namespace
}  // namespace navforge
