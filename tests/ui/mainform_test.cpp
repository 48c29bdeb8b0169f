// The window's commands driven as the user would, with scripted dialog answers and
// every file in a temporary folder.
#include "ui/mainform.h"

#include <cstdlib>

#include <QComboBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QToolBar>
#include <gtest/gtest.h>

#include "fakedialogs.h"
#include "support/paths.h"
#include "support/textfile.h"
#include <filesystem>
#include "testsupport/tempdir.h"
#include "ui/qtext.h"
#include "ui/colorswatch.h"
#include "ui/editbox.h"
#include "ui/hints.h"
#include "uitestapp.h"

namespace navforge {
namespace {

using test::TScriptedDialogs;

class MainformTest : public ::testing::Test {
protected:
  void SetUp() override {
    test::UiApp();
    SetApplicationTitle("HTML Navforge");
    prog = tmp.path() + "/prog/";
    menus = tmp.path() + "/menus/";
    test::MakeDir(prog + "Templates/Blue");
    test::MakeDir(prog + "Templates/Green");
    test::MakeDir(prog + "Templates/.svn");
    test::WriteFile(prog + "Templates/readme.txt", "x");
    test::MakeDir(menus);
    form = MakeForm();
  }

  std::unique_ptr<Tmainform> MakeForm(std::string moduleFolder = {}) {
    TMainformOptions options;
    options.ProgramFolder = prog;
    options.VariablesFile = prog + "navforge.nfv";
    options.ModuleFolders = TModuleFolders{"", moduleFolder.empty() ? prog : moduleFolder};
    options.Dialogs = &dialogs;
    return std::make_unique<Tmainform>(options);
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < form->ListBox1->count(); ++i) lines.push_back(FromQ(form->ListBox1->item(i)->text()));
    return lines;
  }
  std::vector<std::string> GridColumn(int column) const {
    std::vector<std::string> cells;
    for (int r = 0; r < form->StringGrid1->rowCount(); ++r) {
      QTableWidgetItem* item = form->StringGrid1->item(r, column);
      cells.push_back(item ? FromQ(item->text()) : std::string());
    }
    return cells;
  }
  // A selection by the user, which fires ListBox1Click.
  void UserSelects(int index) { form->ListBox1->setCurrentRow(index); }
  void UserSelectsRow(int gridRow) { form->StringGrid1->setCurrentCell(gridRow - 1, 0); }
  void Boxes(const char* caption, const char* link, const char* target) {
    form->menuname->setText(ToQ(caption));
    form->menulink->setText(ToQ(link));
    form->linktarget->setText(ToQ(target));
  }
  void AddMain(const char* caption) {
    Boxes(caption, "l.htm", "main");
    form->TBItem8Click();
  }
  void AddVars(std::initializer_list<const char*> names) {
    for (const char* n : names) {
      form->Edit1->setText(ToQ(n));
      form->Edit2->setText(ToQ(std::string(n) + "-v"));
      form->TBItem16Click();
    }
  }
  // A menu file written by the document itself, so the test does not depend on the format.
  std::string WriteMenu(const std::string& name, std::initializer_list<const char*> captions,
                        std::function<void(TovHTML&)> edit = {}) {
    TovHTML doc;
    doc.VariablesFile = prog + "navforge.nfv";
    for (const char* c : captions) doc.InsertItem(-1, c, std::string(c) + ".htm", "main", false);
    if (edit) edit(doc);
    doc.SaveToFile(menus + name);
    return menus + name;
  }
  void Open(const std::string& path) {
    dialogs.OpenAnswers.push_back(path);
    form->BtnOpenClick();
  }
  std::string Caption() const { return FromQ(form->windowTitle()); }

  test::TempDir tmp;
  std::string prog, menus;
  TScriptedDialogs dialogs;
  std::unique_ptr<Tmainform> form;
};

// ---- Start-up ----

TEST_F(MainformTest, StartUp_ShowsEmptyMenuOnPageMenu) {
  EXPECT_EQ(Caption(), "HTML Navforge");
  EXPECT_EQ(form->AppTitle, "HTML Navforge");
  EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
  EXPECT_EQ(form->ListBox1->count(), 0);
  EXPECT_EQ(form->StringGrid1->horizontalHeaderItem(0)->text(), QStringLiteral("Variable"));
  EXPECT_EQ(form->StringGrid1->horizontalHeaderItem(1)->text(), QStringLiteral("Wert"));
  EXPECT_EQ(form->StringGrid1->rowCount(), 1);
  EXPECT_TRUE(form->CurrentFile.empty());
  EXPECT_EQ(form->hrline->text(), QStringLiteral("<hr>"));
  EXPECT_EQ(form->Panel3->text(), QStringLiteral("n/a"));
  EXPECT_EQ(form->Panel3->Color(), clNone);
  EXPECT_EQ(form->cbTemplates->currentIndex(), -1);
  EXPECT_FALSE(form->PageControl1->isTabVisible(form->PageControl1->indexOf(form->TabSheet2)));
}

TEST_F(MainformTest, StartUp_FixedSizeWithoutMaximiseButton) {
  EXPECT_EQ(form->size(), QSize(460, 565));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(MainformTest, StartUp_ListsInstalledFontsAndTemplateFolders) {
  EXPECT_EQ(form->cbfont->count(), QFontDatabase::families().size());
  EXPECT_GE(form->cbfont->findText(QStringLiteral("DejaVu Sans")), 0);
  QStringList sets;
  for (int i = 0; i < form->cbTemplates->count(); ++i) sets << form->cbTemplates->itemText(i);
  sets.sort();
  EXPECT_EQ(sets, (QStringList{QStringLiteral("Blue"), QStringLiteral("Green")}));
}

TEST_F(MainformTest, StartUp_FindsTemplateFolderInAnyLetterCase) {
  form.reset();
  std::filesystem::rename(prog + "Templates", prog + "templates");
  form = MakeForm();
  EXPECT_EQ(form->cbTemplates->count(), 2);
  EXPECT_EQ(form->MenuDoc->TemplateRoot, prog + "templates");
}

TEST_F(MainformTest, StartUp_WithoutVersionModuleHidesItsButtonAndSeparator) {
  form->show();
  EXPECT_FALSE(form->TBItem6->isVisible());
  EXPECT_FALSE(form->TBSeparatorItem3->isVisible());
  EXPECT_TRUE(form->TBSeparatorItem4->isVisible());
  EXPECT_TRUE(form->TBItem7->isVisible());
}

// A common-files value of the wrong kind is reported, and the window still opens with
// the modules of its own folder.
TEST_F(MainformTest, StartUp_DamagedRegistryIsReportedAndModulesComeFromProgramFolder) {
  form.reset();
  const std::string reg = tmp.path() + "/registry";
  test::WriteFile(reg, "[\\Software\\Orvane Software\\Paths]\nOVCommonFiles=dword:1\n");
  ::setenv("NAVFORGE_REGISTRY", reg.c_str(), 1);
  TMainformOptions options;
  options.ProgramFolder = NAVFORGE_BIN_DIR "/";
  options.VariablesFile = prog + "navforge.nfv";
  options.Dialogs = &dialogs;
  form = std::make_unique<Tmainform>(options);
  ::unsetenv("NAVFORGE_REGISTRY");
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "Ung\xFCltiger Datentyp f\xFCr 'OVCommonFiles'");
  EXPECT_TRUE(VersionModuleLoaded());
  form.reset();
}

TEST_F(MainformTest, StartUp_WithVersionModuleShowsItsButtonAndSeparator) {
  form.reset();
  form = MakeForm(NAVFORGE_BIN_DIR "/");
  form->show();
  EXPECT_TRUE(VersionModuleLoaded());
  EXPECT_TRUE(form->TBItem6->isVisible());
  EXPECT_TRUE(form->TBSeparatorItem3->isVisible());
  form.reset();
  EXPECT_FALSE(VersionModuleLoaded());  // released with the window
  EXPECT_FALSE(AboutModuleLoaded());
}

TEST_F(MainformTest, Hints_ShownOnlyWhereSwitchedOn) {
  auto button = [&](QToolBar* bar, QAction* a) { return bar->widgetForAction(a); };
  EXPECT_TRUE(THintFilter::HintEnabled(button(form->TBToolbar1, form->BtnOpen)));
  EXPECT_TRUE(THintFilter::HintEnabled(button(form->TBToolbar2, form->TBItem8)));
  EXPECT_TRUE(THintFilter::HintEnabled(form->menulink));
  EXPECT_TRUE(THintFilter::HintEnabled(form->FlatButton1));
  EXPECT_TRUE(THintFilter::HintEnabled(form->efilename));
  EXPECT_TRUE(THintFilter::HintEnabled(form->cbTemplates));
  EXPECT_FALSE(THintFilter::HintEnabled(form->leftmar));
  EXPECT_FALSE(THintFilter::HintEnabled(form->feedit));
  EXPECT_FALSE(THintFilter::HintEnabled(button(form->TBToolbar3, form->TBItem16)));
  EXPECT_FALSE(THintFilter::HintEnabled(form->ListBox1));
  EXPECT_FALSE(THintFilter::HintEnabled(form->Panel1));
  EXPECT_EQ(THintFilter::HintOf(button(form->TBToolbar1, form->TBItem5)), ToQ("HTML Men\xFC erstellen"));
  QStringList h1 = form->FlatButton1->toolTip().split(QStringLiteral("\r\n"));
  ASSERT_EQ(h1.size(), 2);
  EXPECT_TRUE(h1[0].endsWith(QStringLiteral("werden soll.")));
  EXPECT_TRUE(h1[1].startsWith(QStringLiteral("Falls, sie den Speicherpfad")));
  EXPECT_EQ(form->menufont->toolTip().count(QStringLiteral("\r\n")), 2);
  EXPECT_EQ(HintWakeUpDelay(), 500);
}

TEST_F(MainformTest, Hints_PopUpWrappedOnlyWhereSwitchedOn) {
  form->show();
  form->PageControl1->setCurrentWidget(form->TabSheet4);
  auto hover = [](QWidget* w) {
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w, &help);
  };
  hover(form->menufont);
  ASSERT_TRUE(QToolTip::isVisible());
  QStringList lines = QToolTip::text().split(QLatin1Char('\n'));
  EXPECT_GE(lines.size(), 3);
  for (const QString& line : lines) EXPECT_LE(QFontMetrics(QToolTip::font()).horizontalAdvance(line), 400);
  EXPECT_TRUE(QToolTip::text().startsWith(QStringLiteral("Geben Sie hier die Schriftart ein")));
  hover(form->leftmar);
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));  // the tip fades out
  hover(form->cbfont->lineEdit());  // the combo's own edit part shows the combo's hint
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Dies ist eine Liste mit allen installierten Schriften"));
}

TEST_F(MainformTest, Controls_CarryTheirNamesAndCaptions) {
  for (const char* name : {"ListBox1", "GroupBox1", "menuname", "menulink", "linktarget", "FlatButton1", "FlatButton2",
                           "cbfont", "menufont", "menufontsize", "submenufont", "ufontsize", "leftmar", "picfile",
                           "titlename", "efilename", "feedit", "cbTemplates", "hrline", "Panel1", "Panel7", "Button10",
                           "Button9", "StringGrid1", "Edit1", "Edit2", "Memo1", "Button5", "Panel8", "PageControl2"})
    EXPECT_NE(form->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
  for (const char* name : {"BtnExit", "BtnSaveAs", "TBItem5", "TBItem14", "TBItem20", "TBSeparatorItem3"})
    EXPECT_NE(form->findChild<QAction*>(QLatin1String(name)), nullptr) << name;
  EXPECT_EQ(form->TBItem20->toolTip(), QStringLiteral("Nach  unten"));
  EXPECT_EQ(form->TBItem13->toolTip(), ToQ("Zu Haupmen\xFCpunkt machen"));
  EXPECT_EQ(form->FlatButton2->text(), QStringLiteral("<-- Deselect Item"));
  EXPECT_EQ(form->PageControl2->tabText(1), QStringLiteral("Hyperlink-Farben"));
  EXPECT_EQ(form->ListBox1->geometry(), QRect(0, 0, 167, 506));
  EXPECT_EQ(form->efilename->geometry(), QRect(104, 22, 233, 21));
  EXPECT_EQ(form->Panel6->geometry(), QRect(86, 132, 25, 25));
}

// ---- Menu editor ----

TEST_F(MainformTest, Add_AfterSelectedEntryKeepsItSelected) {
  AddMain("A");
  UserSelects(0);
  AddMain("X");
  AddMain("Y");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "Y", "X"}));
  EXPECT_EQ(form->SelectedIndex(), 0);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Y"));  // the command's own selection fills no box
}

TEST_F(MainformTest, Add_WithoutSelectionAppendsAndSelectsNothing) {
  AddMain("A");
  AddMain("B");
  Boxes("S", "s.htm", "main");
  form->TBItem9Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B", "- S"}));
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_TRUE(form->MenuDoc->Items[2].IsSubItem);
  EXPECT_EQ(form->MenuDoc->Items[2].Link, "s.htm");
}

TEST_F(MainformTest, Add_NeedsAllThreeBoxes) {
  Boxes("A", "a.htm", "");
  form->TBItem8Click();
  Boxes("", "a.htm", "main");
  form->TBItem9Click();
  EXPECT_TRUE(form->MenuDoc->Items.empty());
}

TEST_F(MainformTest, SelectingALineFillsTheBoxesWithTheEntry) {
  Boxes("Home", "index.htm", "frame1");
  form->TBItem8Click();
  Boxes("", "", "");
  UserSelects(0);
  EXPECT_EQ(form->menulink->text(), QStringLiteral("index.htm"));
  EXPECT_EQ(form->linktarget->text(), QStringLiteral("frame1"));
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Home"));
  // A click on the line already selected fetches the texts again.
  form->show();
  form->menuname->clear();
  QRect line = form->ListBox1->visualItemRect(form->ListBox1->item(0));
  QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, {}, line.center());
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Home"));
  EXPECT_EQ(form->SelectedIndex(), 0);
}

TEST_F(MainformTest, Change_ReplacesTextsKeepsFlagAndSelection) {
  AddMain("A");
  Boxes("S", "s.htm", "main");
  form->TBItem9Click();
  UserSelects(1);
  Boxes("", "", "");
  form->TBItem10Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "- "}));
  EXPECT_EQ(form->SelectedIndex(), 1);
  EXPECT_TRUE(form->MenuDoc->Items[1].IsSubItem);
  EXPECT_EQ(form->MenuDoc->Items[1].Link, "");
}

TEST_F(MainformTest, Delete_LeavesNoSelectionAndCommandsThenDoNothing) {
  AddMain("A");
  AddMain("B");
  UserSelects(0);
  form->TBItem15Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"B"}));
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("A"));
  Boxes("Z", "z", "z");
  form->TBItem10Click();
  form->TBItem15Click();
  form->TBItem11Click();
  form->TBItem12Click();
  form->TBItem14Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"B"}));
  EXPECT_FALSE(form->MenuDoc->Items[0].IsSubItem);
}

TEST_F(MainformTest, UpAndDown_SelectionFollowsTheEntryAndStaysAtTheEnds) {
  AddMain("A");
  AddMain("B");
  AddMain("C");
  UserSelects(2);
  form->TBItem11Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "C", "B"}));
  EXPECT_EQ(form->SelectedIndex(), 1);
  form->TBItem11Click();
  form->TBItem11Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(form->SelectedIndex(), 0);
  form->TBItem12Click();
  EXPECT_EQ(form->SelectedIndex(), 1);
  form->TBItem12Click();
  form->TBItem12Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(form->SelectedIndex(), 2);
}

TEST_F(MainformTest, MakeSubAndMainEntry_OnlyTheSelectedEntry) {
  AddMain("A");
  AddMain("B");
  UserSelects(0);
  form->TBItem14Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"- A", "B"}));
  EXPECT_EQ(form->SelectedIndex(), 0);
  form->TBItem13Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(MainformTest, Deselect_ThenAddAppends) {
  AddMain("A");
  AddMain("B");
  UserSelects(0);
  form->Button12Click();
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("A"));
  form->TBItem8Click();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B", "A"}));
}

TEST_F(MainformTest, BrowseLink_RelativeToOutputFolderWithSlashes) {
  form->efilename->setText(QStringLiteral("C:\\web\\menu\\nav.htm"));
  form->OpenDialog1.FileName = "kept";
  dialogs.OpenAnswers.push_back(std::string("C:\\web\\pages\\a.htm"));
  form->Button3Click();
  EXPECT_EQ(form->menulink->text(), QStringLiteral("../pages/a.htm"));
  ASSERT_EQ(dialogs.OpenCalls.size(), 1u);
  EXPECT_EQ(dialogs.OpenCalls[0].Filter, "HTML (*.htm, *html)|*.htm; *.html|Alle Dateien (*.*)|*.*");
  EXPECT_EQ(dialogs.OpenCalls[0].FileName, "kept");
  EXPECT_TRUE(form->MenuDoc->Items.empty());
}

TEST_F(MainformTest, BrowseLink_OnLinuxPathsAndWithoutOutputFile) {
  form->efilename->setText(QStringLiteral("/srv/web/menu/nav.htm"));
  dialogs.OpenAnswers.push_back(std::string("/srv/web/menu/sub/a.htm"));
  form->Button3Click();
  EXPECT_EQ(form->menulink->text(), QStringLiteral("sub/a.htm"));
  form->efilename->clear();
  dialogs.OpenAnswers.push_back(std::string("C:\\web\\pages\\a.htm"));
  form->Button3Click();
  EXPECT_EQ(form->menulink->text(), QStringLiteral("C:/web/pages/a.htm"));
  form->menulink->setText(QStringLiteral("same"));
  dialogs.OpenAnswers.push_back(std::nullopt);
  form->Button3Click();
  EXPECT_EQ(form->menulink->text(), QStringLiteral("same"));
}

// ---- Formatting ----

TEST_F(MainformTest, SettingsTransfer_EveryControlPairsWithItsField) {
  TovHTML& d = *form->MenuDoc;
  d.TextColor = 1; d.BackgroundColor = 2; d.LinkColor = 3; d.ALinkColor = 4; d.VLinkColor = 5;
  d.HoverColor = 6; d.FirstLetterColor = 7;
  d.Title = "T\xFCtel"; d.Font = "F"; d.FontSize = "FS"; d.SubmenuFont = "SF"; d.SubmenuFontSize = "SFS";
  d.SubmenuLeftMargin = "LM"; d.BackgroundImage = "BI"; d.Template = "Green"; d.Filename = "FN"; d.hr = "HR";
  d.fileext = "FE";
  form->GetSettings();
  EXPECT_EQ(form->Panel5->Color(), 4);
  EXPECT_EQ(form->Panel4->Color(), 5);
  EXPECT_EQ(form->Panel7->Color(), 7);
  EXPECT_EQ(form->Panel7->text(), QString());
  EXPECT_EQ(form->titlename->text(), QString::fromUtf8("Tütel"));
  EXPECT_EQ(form->ufontsize->text(), QStringLiteral("SFS"));
  EXPECT_EQ(form->cbTemplates->currentText(), QStringLiteral("Green"));
  TMenuFormat before = d;
  d.ResetFormatting();
  form->SetSettings();
  EXPECT_EQ(d.TextColor, before.TextColor);
  EXPECT_EQ(d.ALinkColor, before.ALinkColor);
  EXPECT_EQ(d.VLinkColor, before.VLinkColor);
  EXPECT_EQ(d.HoverColor, before.HoverColor);
  EXPECT_EQ(d.FirstLetterColor, before.FirstLetterColor);
  EXPECT_EQ(d.Title, before.Title);
  EXPECT_EQ(d.Font, before.Font);
  EXPECT_EQ(d.FontSize, before.FontSize);
  EXPECT_EQ(d.SubmenuFont, before.SubmenuFont);
  EXPECT_EQ(d.SubmenuFontSize, before.SubmenuFontSize);
  EXPECT_EQ(d.SubmenuLeftMargin, before.SubmenuLeftMargin);
  EXPECT_EQ(d.BackgroundImage, before.BackgroundImage);
  EXPECT_EQ(d.Template, before.Template);
  EXPECT_EQ(d.Filename, before.Filename);
  EXPECT_EQ(d.hr, before.hr);
  EXPECT_EQ(d.fileext, before.fileext);
}

TEST_F(MainformTest, TemplateNotInListLeavesSelectorEmpty) {
  form->MenuDoc->Template = "Missing";
  form->GetSettings();
  EXPECT_EQ(form->cbTemplates->currentIndex(), -1);
  form->SetSettings();
  EXPECT_EQ(form->MenuDoc->Template, "");
}

TEST_F(MainformTest, Clear_ShowsNaAndStoresClNone) {
  form->MenuDoc->BackgroundColor = 0x0000FF;
  form->GetSettings();
  form->Button11Click();
  EXPECT_EQ(form->Panel2->text(), QStringLiteral("n/a"));
  form->SetSettings();
  EXPECT_EQ(form->MenuDoc->BackgroundColor, clNone);
}

TEST_F(MainformTest, ColourDialog_StartsFromSwatchAndConfirmRemovesCaption) {
  dialogs.ColorAnswers.push_back(0x00FF00);
  QTest::mouseClick(form->Panel6, Qt::LeftButton);
  EXPECT_EQ(dialogs.ColorStarts, (std::vector<std::int32_t>{clNone}));
  EXPECT_EQ(form->Panel6->Color(), 0x00FF00);
  EXPECT_EQ(form->Panel6->text(), QString());
  EXPECT_EQ(form->Panel6->ShownColor(), QColor(0, 255, 0));
  dialogs.ColorAnswers.push_back(std::nullopt);
  form->colorclick(form->Panel6);
  EXPECT_EQ(dialogs.ColorStarts.back(), 0x00FF00);
  EXPECT_EQ(form->Panel6->Color(), 0x00FF00);
}

TEST_F(MainformTest, FontDoubleClick_AppendsChosenFont) {
  form->cbfont->setEditText(QStringLiteral("Verdana"));
  form->menufont->setText(QStringLiteral("Arial"));
  QTest::mouseDClick(form->menufont, Qt::LeftButton);
  EXPECT_EQ(form->menufont->text(), QStringLiteral("ArialVerdana"));
  form->submenufont->setText(QStringLiteral("X"));
  form->Fontclick(form->submenufont);
  EXPECT_EQ(form->submenufont->text(), QStringLiteral("XVerdana"));
}

// ---- Variables ----

TEST_F(MainformTest, Variables_UpKeepsRowNumber) {
  AddVars({"A", "B", "C"});
  UserSelectsRow(2);
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("B"));
  form->TBItem19Click();
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(form->GridRow(), 2);
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("B"));  // the boxes are not touched
  form->TBItem20Click();  // row 2 now holds A, which moves down
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(GridColumn(1), (std::vector<std::string>{"B-v", "C-v", "A-v"}));
  EXPECT_EQ(form->GridRow(), 2);
}

TEST_F(MainformTest, Variables_AddChangeDelete) {
  AddVars({"A"});
  EXPECT_EQ(form->GridRow(), 1);
  AddVars({"B"});
  EXPECT_EQ(form->GridRow(), 1);  // the new variable is the last row, the selection stays
  form->Edit1->clear();
  form->TBItem16Click();
  EXPECT_EQ(form->MenuDoc->Variables.Vars.size(), 2u);
  UserSelectsRow(2);
  form->Edit1->setText(QStringLiteral("$N$"));
  form->Edit2->setText(QStringLiteral("w"));
  form->TBItem17Click();
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"A", "N"}));
  form->TBItem18Click();
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"A"}));
  form->TBItem18Click();
  EXPECT_EQ(form->StringGrid1->rowCount(), 1);
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(MainformTest, Variables_DeleteOnEmptyListShowsRangeError) {
  form->show();
  form->TBItem18Click();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "Range check error");
  EXPECT_EQ(dialogs.Messages[0].Caption, "HTML Navforge");
  EXPECT_TRUE(form->isVisible());
  form->Edit1->setText(QStringLiteral("keep"));
  UserSelectsRow(1);
  form->StringGrid1Click();
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("keep"));
}

// ---- File commands ----

TEST_F(MainformTest, Open_ShowsMenuColoursTemplateAndCaption) {
  std::string path = WriteMenu("site.nff", {"Home", "News"}, [](TovHTML& d) {
    d.BackgroundColor = 0x0000FF;
    d.LinkColor = 0xFF0000;
    d.Template = "Green";
    d.Variables.AddVariable("Author", "Ann");
  });
  Boxes("keep1", "keep2", "keep3");
  form->Edit1->setText(QStringLiteral("keepvar"));
  Open(path);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Home", "News"}));
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"Author"}));
  EXPECT_EQ(form->Panel2->ShownColor(), QColor(255, 0, 0));
  EXPECT_EQ(form->Panel3->ShownColor(), QColor(0, 0, 255));
  EXPECT_EQ(form->cbTemplates->currentText(), QStringLiteral("Green"));
  EXPECT_EQ(Caption(), "site.nff - HTML Navforge");
  EXPECT_EQ(ApplicationTitle(), "site.nff - HTML Navforge");
  EXPECT_EQ(form->CurrentFile, path);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("keep1"));
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("keepvar"));
  EXPECT_EQ(dialogs.OpenCalls[0].Filter, "Navforge File (*.nff)|*.nff");

  // Save writes the colours and the template back unchanged.
  std::filesystem::remove(ChangeFileExt(path, ".nfs"));
  form->BtnSaveClick();
  TovHTML reread;
  reread.VariablesFile = prog + "navforge.nfv";
  reread.LoadFromFile(path);
  EXPECT_EQ(reread.BackgroundColor, 0x0000FF);
  EXPECT_EQ(reread.LinkColor, 0xFF0000);
  EXPECT_EQ(reread.Template, "Green");
  EXPECT_EQ(Caption(), "site.nff - HTML Navforge");
  EXPECT_TRUE(dialogs.SaveCalls.empty());
}

TEST_F(MainformTest, Open_AgainDoesNotDuplicateEntriesOrVariables) {
  std::string path = WriteMenu("a.nff", {"Home"}, [](TovHTML& d) { d.Variables.AddVariable("V", "1"); });
  Open(path);
  Open(path);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Home"}));
  EXPECT_EQ(form->MenuDoc->Variables.Vars.size(), 1u);
  EXPECT_EQ(dialogs.OpenCalls[1].InitialDir, menus);
  EXPECT_EQ(dialogs.OpenCalls[1].FileName, "");
}

TEST_F(MainformTest, Open_FailureShowsMessageAndChangesNothing) {
  std::string good = WriteMenu("good.nff", {"Home"});
  Open(good);
  std::string bad = WriteMenu("bad.nff", {"Other"});
  test::WriteFile(ChangeFileExt(bad, ".nfs"), "[Main]\r\nBackgroundColor=zzz\r\n");
  Open(bad);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "'zzz' is not a valid integer value");
  EXPECT_EQ(form->CurrentFile, good);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Home"}));
  ASSERT_EQ(form->MenuDoc->Items.size(), 1u);
  EXPECT_EQ(form->MenuDoc->Items[0].Caption, "Home");
  EXPECT_EQ(Caption(), "good.nff - HTML Navforge");
}

TEST_F(MainformTest, Open_CancelChangesNothing) {
  AddMain("A");
  dialogs.OpenAnswers.push_back(std::nullopt);
  form->BtnOpenClick();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A"}));
  EXPECT_EQ(Caption(), "HTML Navforge");
}

TEST_F(MainformTest, New_EmptiesEverythingButTheLists) {
  std::string path = WriteMenu("site.nff", {"Home"}, [](TovHTML& d) {
    d.TextColor = 5;
    d.Title = "T";
    d.Variables.AddVariable("V", "1");
  });
  Open(path);
  Boxes("a", "b", "c");
  form->Edit1->setText(QStringLiteral("x"));
  form->Edit2->setText(QStringLiteral("y"));
  form->BtnNewClick();
  EXPECT_EQ(form->ListBox1->count(), 0);
  EXPECT_EQ(form->StringGrid1->rowCount(), 1);
  EXPECT_TRUE(form->MenuDoc->Variables.Vars.empty());
  for (TEdit* e : {form->menuname, form->menulink, form->linktarget, form->Edit1, form->Edit2, form->titlename})
    EXPECT_TRUE(e->text().isEmpty());
  EXPECT_EQ(form->Panel1->text(), QStringLiteral("n/a"));
  EXPECT_EQ(form->hrline->text(), QStringLiteral("<hr>"));
  EXPECT_TRUE(form->CurrentFile.empty());
  EXPECT_EQ(Caption(), "HTML Navforge");
  EXPECT_EQ(ApplicationTitle(), "HTML Navforge");
  EXPECT_EQ(form->cbTemplates->count(), 2);
  EXPECT_GT(form->cbfont->count(), 0);
  EXPECT_TRUE(FileExists(prog + "navforge.nfv"));  // nothing on disk changes
}

TEST_F(MainformTest, Save_WithoutCurrentFileActsAsSaveAs) {
  AddMain("Home");
  form->titlename->setText(QStringLiteral("Edited"));
  dialogs.SaveAnswers.push_back(menus + "new");
  form->BtnSaveClick();
  ASSERT_EQ(dialogs.SaveCalls.size(), 1u);
  EXPECT_EQ(dialogs.SaveCalls[0].Filter, "Navforge File (*.nff)|*.nff;");
  EXPECT_EQ(dialogs.SaveCalls[0].DefaultExt, "nff");
  EXPECT_EQ(form->CurrentFile, menus + "new.nff");
  EXPECT_EQ(Caption(), "new.nff - HTML Navforge");
  EXPECT_TRUE(dialogs.Questions.empty());
  TovHTML reread;
  reread.VariablesFile = prog + "navforge.nfv";
  reread.LoadFromFile(menus + "new.nff");
  ASSERT_EQ(reread.Items.size(), 1u);
  EXPECT_EQ(reread.Title, "Edited");
}

TEST_F(MainformTest, SaveAs_OntoExistingFileAsksAndNoLeavesItUntouched) {
  std::string path = WriteMenu("site.nff", {"Home"});
  Open(path);
  std::string before = test::ReadFile(path);
  AddMain("More");
  dialogs.SaveAnswers.push_back(path);
  dialogs.ConfirmAnswers.push_back(TConfirmAnswer::No);
  form->BtnSaveAsClick();
  ASSERT_EQ(dialogs.Questions.size(), 1u);
  EXPECT_EQ(dialogs.Questions[0].Caption, "Best\xE4tigung");
  EXPECT_EQ(dialogs.Questions[0].Text,
            "Soll die bereits existierende Datei \"site.nff\" \xFC" "berschrieben werden?");
  EXPECT_EQ(dialogs.SaveCalls[0].FileName, path);
  EXPECT_EQ(test::ReadFile(path), before);
  EXPECT_EQ(Caption(), "site.nff - HTML Navforge");

  form->CurrentFile.clear();  // the title changes only when the answer is yes
  dialogs.SaveAnswers.push_back(path);
  dialogs.ConfirmAnswers.push_back(TConfirmAnswer::Yes);
  form->BtnSaveAsClick();
  EXPECT_NE(test::ReadFile(path), before);
  EXPECT_EQ(form->CurrentFile, path);
}

TEST_F(MainformTest, BrowseOutputFile_AbsolutePathWithExtension) {
  dialogs.SaveAnswers.push_back(menus + "menu.nff");
  form->BtnSaveAsClick();
  dialogs.SaveAnswers.push_back(menus + "nav");
  form->Button2Click();
  ASSERT_EQ(dialogs.SaveCalls.size(), 2u);
  EXPECT_EQ(dialogs.SaveCalls[1].DefaultExt, "htm");
  EXPECT_EQ(dialogs.SaveCalls[1].Filter, "HTML (*.htm, *html)|*.htm; *.html|Alle Dateien (*.*)|*.*");
  EXPECT_EQ(dialogs.SaveCalls[1].FileName, menus + "menu.nff");
  EXPECT_EQ(form->efilename->text(), ToQ(menus + "nav.htm"));
}

TEST_F(MainformTest, BrowseBackgroundImage_RelativeWithSlashes) {
  form->efilename->setText(QStringLiteral("C:\\web\\menu\\nav.htm"));
  dialogs.OpenAnswers.push_back(std::string("C:\\web\\img\\bg.gif"));
  form->Button1Click();
  EXPECT_EQ(form->picfile->text(), QStringLiteral("../img/bg.gif"));
  EXPECT_EQ(dialogs.OpenCalls[0].Filter, "GIF (*.gif)|*.gif|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg");
  EXPECT_EQ(form->MenuDoc->BackgroundImage, "");  // only SetSettings hands it over
}

TEST_F(MainformTest, Generate_WithoutFileNameReportsIt) {
  form->TBItem5Click();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "Kein Dateiname zum Speichern angegeben");
  EXPECT_EQ(dialogs.Messages[0].Caption, "HTML Navforge");
}

TEST_F(MainformTest, Generate_UsesTheEditedControls) {
  test::WriteFile(prog + "Templates/Blue/header.txt", "<title>$Title$</title>");
  form->cbTemplates->setCurrentText(QStringLiteral("Blue"));
  form->titlename->setText(QString::fromUtf8("Grüße"));
  form->efilename->setText(ToQ(tmp.path() + "/out.htm"));
  form->TBItem5Click();
  EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages[0].Text;
  EXPECT_NE(test::ReadFile(tmp.path() + "/out.htm").find("<title>Gr\xFC\xDF" "e</title>"), std::string::npos);
  EXPECT_EQ(Caption(), "HTML Navforge");
}

TEST_F(MainformTest, Info_WithoutAboutModuleShowsFallback) {
  form->TBItem7Click();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, AboutFallbackText());
  EXPECT_NE(dialogs.Messages[0].Text.find("Homepage: "), std::string::npos);
}

TEST_F(MainformTest, DebugButtonDumpsEntries) {
  Boxes("Home", "index.htm", "main");
  form->TBItem8Click();
  form->Button5Click();
  EXPECT_EQ(form->Memo1->toPlainText(), QStringLiteral("Home$index.htm$main$$0"));
}

TEST_F(MainformTest, Exit_ClosesWithoutAsking) {
  AddMain("unsaved");
  form->show();
  form->applicationend();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(dialogs.Questions.empty());
}

}  // namespace
}  // namespace navforge
