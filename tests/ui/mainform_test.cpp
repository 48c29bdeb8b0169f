// The window's commands driven as the user would, with scripted dialog answers and
// every file in a temporary folder.
#include "ui/mainform.h"

#include <cstdlib>

#include <QAbstractItemView>
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
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <tuple>
#include <gtest/gtest.h>

#include "fakedialogs.h"
#include "modal.h"
#include "support/cp1252literal.h"
#include "support/paths.h"
#include "support/textfile.h"
#include <filesystem>
#include "testsupport/tempdir.h"
#include "ui/qtext.h"
#include "ui/colorswatch.h"
#include "ui/editbox.h"
#include "ui/filefilters.h"
#include "ui/fontnames.h"
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
    test::WriteTemplateSet(prog + "Templates/Blue", {});
    test::WriteTemplateSet(prog + "Templates/Green", {});
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
  void ClickGridRow(int gridRow) {
    QRect cell = form->StringGrid1->visualRect(form->StringGrid1->model()->index(gridRow - 1, 0));
    QTest::mouseClick(form->StringGrid1->viewport(), Qt::LeftButton, {}, cell.center());
  }
  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void Boxes(const char* caption, const char* link, const char* target) {
    form->menuname->setText(ToQ(caption));
    form->menulink->setText(ToQ(link));
    form->linktarget->setText(ToQ(target));
  }
  void AddMain(const char* caption) {
    Boxes(caption, "l.htm", "main");
    form->TBItem8->trigger();
  }
  void AddVars(std::initializer_list<const char*> names) {
    for (const char* n : names) {
      form->Edit1->setText(ToQ(n));
      form->Edit2->setText(ToQ(std::string(n) + "-v"));
      form->TBItem16->trigger();
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
    form->BtnOpen->trigger();
  }
  std::string Caption() const { return FromQ(form->windowTitle()); }

  test::TempDir tmp;
  std::string prog, menus;
  TScriptedDialogs dialogs;
  std::unique_ptr<Tmainform> form;
};

// ---- Start-up ----

TEST_F(MainformTest, startUp_showsEmptyMenuOnPageMenu) {
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

// "-reverse": the fixed places are mirrored, on pages shown later too.
TEST_F(MainformTest, startUp_reverseMirrorsTheFixedPlaces) {
  QApplication::setLayoutDirection(Qt::RightToLeft);
  std::unique_ptr<Tmainform> rtl = MakeForm();
  rtl->show();
  rtl->PageControl1->setCurrentWidget(rtl->TabSheet2);
  QApplication::processEvents();
  QApplication::setLayoutDirection(Qt::LeftToRight);
  form->show();
  form->PageControl1->setCurrentWidget(form->TabSheet2);
  QApplication::processEvents();
  for (const char* name : {"menuname", "Label4", "efilename"}) {
    auto* ltr = form->findChild<QWidget*>(QLatin1String(name));
    auto* mirrored = rtl->findChild<QWidget*>(QLatin1String(name));
    ASSERT_TRUE(ltr && mirrored) << name;
    EXPECT_EQ(mirrored->x(), ltr->parentWidget()->width() - ltr->x() - ltr->width()) << name;
    EXPECT_EQ(mirrored->y(), ltr->y()) << name;
  }
}

TEST_F(MainformTest, startUp_fixedSizeWithoutMaximiseButton) {
  EXPECT_EQ(form->size(), QSize(460, 565));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(MainformTest, startUp_listsInstalledFontsAndTemplateFolders) {
  EXPECT_EQ(form->cbfont->count(), CssFontFamilies(QFontDatabase::families()).size());
  EXPECT_EQ(form->cbfont->width(), 121);  // the drop-down is widened, not the box
  for (int i = 0; i < form->cbfont->count(); ++i)
    EXPECT_GE(form->cbfont->view()->minimumWidth(),
              QFontMetrics(form->cbfont->view()->font()).horizontalAdvance(form->cbfont->itemText(i)));
  EXPECT_GE(form->cbfont->findText(QStringLiteral("DejaVu Sans")), 0);
  QStringList sets;
  for (int i = 0; i < form->cbTemplates->count(); ++i) sets << form->cbTemplates->itemText(i);
  sets.sort();
  EXPECT_EQ(sets, (QStringList{QStringLiteral("Blue"), QStringLiteral("Green")}));
}

TEST_F(MainformTest, startUp_findsTemplateFolderInAnyLetterCase) {
  form.reset();
  std::filesystem::rename(prog + "Templates", prog + "templates");
  form = MakeForm();
  EXPECT_EQ(form->cbTemplates->count(), 2);
  EXPECT_EQ(form->MenuDoc->TemplateRoot, prog + "templates");
}

TEST_F(MainformTest, startUp_withoutVersionModuleHidesItsButtonAndSeparator) {
  form->show();
  EXPECT_FALSE(form->TBItem6->isVisible());
  EXPECT_FALSE(form->TBSeparatorItem3->isVisible());
  EXPECT_TRUE(form->TBSeparatorItem4->isVisible());
  EXPECT_TRUE(form->TBItem7->isVisible());
}

// A common-files value of the wrong kind is reported, and the window still opens with
// the modules of its own folder.
TEST_F(MainformTest, startUp_damagedRegistryIsReportedAndModulesComeFromProgramFolder) {
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
  EXPECT_EQ(dialogs.Messages[0].Text, "Ungültiger Datentyp für 'OVCommonFiles'"_cp1252);
  EXPECT_TRUE(VersionModuleLoaded());
  form.reset();
}

TEST_F(MainformTest, startUp_withVersionModuleShowsItsButtonAndSeparator) {
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

TEST_F(MainformTest, hints_shownOnlyWhereSwitchedOn) {
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
  EXPECT_EQ(THintFilter::HintOf(button(form->TBToolbar1, form->TBItem5)), QStringLiteral("HTML Menü erstellen"));
  QStringList h1 = form->FlatButton1->toolTip().split(QStringLiteral("\r\n"));
  ASSERT_EQ(h1.size(), 2);
  EXPECT_TRUE(h1[0].endsWith(QStringLiteral("werden soll.")));
  EXPECT_TRUE(h1[1].startsWith(QStringLiteral("Falls, sie den Speicherpfad")));
  EXPECT_EQ(form->menufont->toolTip().count(QStringLiteral("\r\n")), 2);
  EXPECT_EQ(HintWakeUpDelay(), 500);
}

TEST_F(MainformTest, hints_popUpWrappedOnlyWhereSwitchedOn) {
  form->show();
  form->PageControl1->setCurrentWidget(form->TabSheet4);
  auto hover = [](QWidget* w) {
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w, &help);
  };
  hover(form->menufont);
  ASSERT_TRUE(QToolTip::isVisible());
  QStringList lines = QToolTip::text().split(QLatin1Char('\n'));
  EXPECT_EQ(lines.size(), 3);  // the hint's own lines, none broken again
  for (const QString& line : lines) EXPECT_LE(QFontMetrics(QToolTip::font()).horizontalAdvance(line), 400);
  EXPECT_TRUE(QToolTip::text().startsWith(QStringLiteral("Geben Sie hier die Schriftart ein")));
  hover(form->leftmar);
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));  // the tip fades out
  hover(form->cbfont->lineEdit());  // the combo's own edit part shows the combo's hint
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Dies ist eine Liste mit allen installierten Schriften"));
}

TEST_F(MainformTest, controls_carryTheirNamesAndCaptions) {
  for (const char* name : {"ListBox1", "GroupBox1", "menuname", "menulink", "linktarget", "FlatButton1", "FlatButton2",
                           "cbfont", "menufont", "menufontsize", "submenufont", "ufontsize", "leftmar", "picfile",
                           "titlename", "efilename", "feedit", "cbTemplates", "hrline", "Panel1", "Panel7", "Button10",
                           "Button9", "StringGrid1", "Edit1", "Edit2", "Memo1", "Button5", "Panel8", "PageControl2"})
    EXPECT_NE(form->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
  for (const char* name : {"BtnExit", "BtnSaveAs", "TBItem5", "TBItem14", "TBItem20", "TBSeparatorItem3"})
    EXPECT_NE(form->findChild<QAction*>(QLatin1String(name)), nullptr) << name;
  EXPECT_EQ(form->TBItem20->toolTip(), QStringLiteral("Nach  unten"));
  EXPECT_EQ(form->TBItem13->toolTip(), QStringLiteral("Zu Haupmenüpunkt machen"));
  EXPECT_EQ(form->FlatButton2->text(), QStringLiteral("<-- Deselect Item"));
  EXPECT_EQ(form->PageControl2->tabText(1), QStringLiteral("Hyperlink-Farben"));
  EXPECT_EQ(form->ListBox1->geometry(), QRect(0, 0, 167, 506));
  EXPECT_EQ(form->efilename->geometry(), QRect(104, 22, 233, 21));
  EXPECT_EQ(form->Panel6->geometry(), QRect(86, 132, 25, 25));
}

// ---- Menu editor ----

// The new entry is selected, so "Ändern" afterwards changes the entry the boxes show.
TEST_F(MainformTest, add_afterSelectedEntrySelectsTheNewEntry) {
  AddMain("A");
  AddMain("B");
  UserSelects(0);
  AddMain("X");
  AddMain("Y");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "X", "Y", "B"}));
  EXPECT_EQ(form->SelectedIndex(), 2);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Y"));
}

TEST_F(MainformTest, add_withoutSelectionAppendsAndSelectsIt) {
  AddMain("A");
  AddMain("B");
  Click(form->FlatButton2);
  Boxes("S", "s.htm", "main");
  form->TBItem9->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B", "- S"}));
  EXPECT_EQ(form->SelectedIndex(), 2);
  EXPECT_TRUE(form->MenuDoc->Items[2].IsSubItem);
  EXPECT_EQ(form->MenuDoc->Items[2].Link, "s.htm");
}

TEST_F(MainformTest, add_needsAllThreeBoxes) {
  Boxes("A", "a.htm", "");
  form->TBItem8->trigger();
  Boxes("", "a.htm", "main");
  form->TBItem9->trigger();
  EXPECT_TRUE(form->MenuDoc->Items.empty());
}

TEST_F(MainformTest, selectingALine_fillsTheBoxesWithTheEntry) {
  Boxes("Home", "index.htm", "frame1");
  form->TBItem8->trigger();
  AddMain("Other");
  UserSelects(0);
  EXPECT_EQ(form->menulink->text(), QStringLiteral("index.htm"));
  EXPECT_EQ(form->linktarget->text(), QStringLiteral("frame1"));
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Home"));
  // A click on the line already selected fetches the texts again, once the typing is discarded.
  form->show();
  form->menuname->clear();
  dialogs.TypingAnswers = {TTypingAnswer::Discard};
  QRect line = form->ListBox1->visualItemRect(form->ListBox1->item(0));
  QTest::mouseClick(form->ListBox1->viewport(), Qt::LeftButton, {}, line.center());
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Home"));
  EXPECT_EQ(form->SelectedIndex(), 0);
}

TEST_F(MainformTest, change_replacesTextsKeepsFlagAndSelection) {
  AddMain("A");
  Boxes("S", "s.htm", "main");
  form->TBItem9->trigger();
  UserSelects(1);
  Boxes("", "", "");
  form->TBItem10->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "- "}));
  EXPECT_EQ(form->SelectedIndex(), 1);
  EXPECT_TRUE(form->MenuDoc->Items[1].IsSubItem);
  EXPECT_EQ(form->MenuDoc->Items[1].Link, "");
}

TEST_F(MainformTest, delete_leavesNoSelectionAndCommandsThenDoNothing) {
  AddMain("A");
  AddMain("B");
  UserSelects(0);
  form->TBItem15->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"B"}));
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("A"));
  Boxes("Z", "z", "z");
  form->TBItem10->trigger();
  form->TBItem15->trigger();
  form->TBItem11->trigger();
  form->TBItem12->trigger();
  form->TBItem14->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"B"}));
  EXPECT_FALSE(form->MenuDoc->Items[0].IsSubItem);
}

TEST_F(MainformTest, upAndDown_selectionFollowsTheEntryAndStaysAtTheEnds) {
  AddMain("A");
  AddMain("B");
  AddMain("C");
  UserSelects(2);
  form->TBItem11->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "C", "B"}));
  EXPECT_EQ(form->SelectedIndex(), 1);
  form->TBItem11->trigger();
  form->TBItem11->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(form->SelectedIndex(), 0);
  form->TBItem12->trigger();
  EXPECT_EQ(form->SelectedIndex(), 1);
  form->TBItem12->trigger();
  form->TBItem12->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(form->SelectedIndex(), 2);
}

TEST_F(MainformTest, makeSubAndMainEntry_onlyTheSelectedEntry) {
  AddMain("A");
  AddMain("B");
  UserSelects(0);
  form->TBItem14->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"- A", "B"}));
  EXPECT_EQ(form->SelectedIndex(), 0);
  form->TBItem13->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(MainformTest, deselect_thenAddAppends) {
  AddMain("A");
  AddMain("B");
  UserSelects(0);
  Click(form->FlatButton2);
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("A"));
  form->TBItem8->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B", "A"}));
}

TEST_F(MainformTest, browseLink_relativeToOutputFolderWithSlashes) {
  form->efilename->setText(QStringLiteral("C:\\web\\menu\\nav.htm"));
  form->OpenDialog1.FileName = "kept";
  dialogs.OpenAnswers.push_back(std::string("C:\\web\\pages\\a.htm"));
  Click(form->FlatButton1);
  EXPECT_EQ(form->menulink->text(), QStringLiteral("../pages/a.htm"));
  ASSERT_EQ(dialogs.OpenCalls.size(), 1u);
  EXPECT_EQ(dialogs.OpenCalls[0].Filter, "HTML (*.htm, *html)|*.htm; *.html|Alle Dateien (*.*)|*.*");
  EXPECT_EQ(dialogs.OpenCalls[0].FileName, "kept");
  EXPECT_TRUE(form->MenuDoc->Items.empty());
}

TEST_F(MainformTest, browseLink_onLinuxPathsAndWithoutOutputFile) {
  form->efilename->setText(QStringLiteral("/srv/web/menu/nav.htm"));
  dialogs.OpenAnswers.push_back(std::string("/srv/web/menu/sub/a.htm"));
  Click(form->FlatButton1);
  EXPECT_EQ(form->menulink->text(), QStringLiteral("sub/a.htm"));
  form->efilename->clear();
  dialogs.OpenAnswers.push_back(std::string("C:\\web\\pages\\a.htm"));
  Click(form->FlatButton1);
  EXPECT_EQ(form->menulink->text(), QStringLiteral("C:/web/pages/a.htm"));
  form->menulink->setText(QStringLiteral("same"));
  dialogs.OpenAnswers.push_back(std::nullopt);
  Click(form->FlatButton1);
  EXPECT_EQ(form->menulink->text(), QStringLiteral("same"));
}

// ---- Formatting ----

// The field each formatting control shows.
struct FieldControl {
  const char* Control;
  std::string TMenuFormat::*Text;
  std::int32_t TMenuFormat::*Color;
};
const FieldControl kFieldControls[] = {
    {"Panel1", nullptr, &TMenuFormat::TextColor},      {"Panel2", nullptr, &TMenuFormat::BackgroundColor},
    {"Panel3", nullptr, &TMenuFormat::LinkColor},      {"Panel5", nullptr, &TMenuFormat::ALinkColor},
    {"Panel4", nullptr, &TMenuFormat::VLinkColor},     {"Panel6", nullptr, &TMenuFormat::HoverColor},
    {"Panel7", nullptr, &TMenuFormat::FirstLetterColor}, {"titlename", &TMenuFormat::Title, nullptr},
    {"menufont", &TMenuFormat::Font, nullptr},         {"menufontsize", &TMenuFormat::FontSize, nullptr},
    {"submenufont", &TMenuFormat::SubmenuFont, nullptr}, {"ufontsize", &TMenuFormat::SubmenuFontSize, nullptr},
    {"leftmar", &TMenuFormat::SubmenuLeftMargin, nullptr}, {"picfile", &TMenuFormat::BackgroundImage, nullptr},
    {"cbTemplates", &TMenuFormat::Template, nullptr},  {"efilename", &TMenuFormat::Filename, nullptr},
    {"hrline", &TMenuFormat::hr, nullptr},             {"feedit", &TMenuFormat::fileext, nullptr},
};

// Distinct values for every field: round 0 and round 1 differ from each other, too.
std::string TextValue(const FieldControl& f, int round) {
  if (f.Text == &TMenuFormat::Template) return round == 0 ? "Green" : "Blue";
  return std::string(f.Control) + "-" + std::to_string(round) + "\xFC";
}
std::int32_t ColorValue(int i, int round) { return 0x010101 * (i + 1) + 0x100000 * round; }

TEST_F(MainformTest, settingsTransfer_everyControlShowsAndStoresItsOwnField) {
  auto control = [&](const FieldControl& f) { return form->findChild<QWidget*>(QLatin1String(f.Control)); };
  auto shown = [&](const FieldControl& f) {
    QWidget* w = control(f);
    if (auto* box = qobject_cast<QComboBox*>(w)) return FromQ(box->currentText());
    return static_cast<TEdit*>(w)->Text();
  };
  TovHTML& d = *form->MenuDoc;
  for (int i = 0; i < 18; ++i) {
    const FieldControl& f = kFieldControls[i];
    if (f.Color) d.*f.Color = ColorValue(i, 0); else d.*f.Text = TextValue(f, 0);
  }
  form->GetSettings();
  for (int i = 0; i < 18; ++i) {
    const FieldControl& f = kFieldControls[i];
    if (f.Color)
      EXPECT_EQ(static_cast<TColorPanel*>(control(f))->Color(), ColorValue(i, 0)) << f.Control;
    else
      EXPECT_EQ(shown(f), TextValue(f, 0)) << f.Control;
  }
  for (int i = 0; i < 18; ++i) {
    const FieldControl& f = kFieldControls[i];
    if (f.Color)
      form->SetColor(static_cast<TColorPanel*>(control(f)), ColorValue(i, 1));
    else if (auto* box = qobject_cast<QComboBox*>(control(f)))
      box->setCurrentText(ToQ(TextValue(f, 1)));
    else
      static_cast<TEdit*>(control(f))->SetText(TextValue(f, 1));
  }
  form->SetSettings();
  for (int i = 0; i < 18; ++i) {
    const FieldControl& f = kFieldControls[i];
    if (f.Color)
      EXPECT_EQ(d.*f.Color, ColorValue(i, 1)) << f.Control;
    else
      EXPECT_EQ(d.*f.Text, TextValue(f, 1)) << f.Control;
  }
}

// A set named in another letter case is the set the generation loads; the menu keeps
// its spelling. A set that is not installed is kept and reported when generating.
TEST_F(MainformTest, template_otherLetterCaseIsShownAndNotInstalledIsKept) {
  test::WriteTemplateSet(prog + "Templates/Green", {{"header.txt", "<p>$Title$</p>"}});
  for (auto [name, shown, message] : {std::tuple{"green", "Green", std::string()},
                                      std::tuple{"Missing", "", "Das Menütemplate ist nicht vorhanden."_cp1252}}) {
    dialogs.Messages.clear();
    std::string path = WriteMenu("t.nff", {"Home"}, [&, name = name](TovHTML& d) {
      d.Template = name;
      d.Filename = tmp.path() + "/out.htm";
    });
    Open(path);
    EXPECT_EQ(FromQ(form->cbTemplates->currentText()), shown);
    form->BtnSave->trigger();
    TovHTML reread;
    reread.VariablesFile = prog + "navforge.nfv";
    reread.LoadFromFile(path);
    EXPECT_EQ(reread.Template, name);
    form->TBItem5->trigger();
    EXPECT_EQ(dialogs.Messages.empty() ? "" : dialogs.Messages[0].Text, message) << name;
  }
}

// Each clear button empties its own swatch and no other.
TEST_F(MainformTest, clearButtons_eachClearsItsOwnSwatch) {
  const std::pair<QPushButton*, TColorPanel*> rows[] = {
      {form->Button10, form->Panel1}, {form->Button11, form->Panel2}, {form->Button4, form->Panel3},
      {form->Button6, form->Panel7},  {form->Button7, form->Panel4},  {form->Button8, form->Panel5},
      {form->Button9, form->Panel6}};
  for (auto [button, panel] : rows) {
    for (auto [b, p] : rows) form->SetColor(p, 0x0000FF);
    Click(button);
    for (auto [b, p] : rows) {
      EXPECT_EQ(p->Color(), p == panel ? clNone : 0x0000FF) << button->objectName().toStdString();
      EXPECT_EQ(p->text(), p == panel ? QStringLiteral("n/a") : QString());
    }
  }
  form->SetSettings();
  EXPECT_EQ(form->MenuDoc->TextColor, 0x0000FF);
  EXPECT_EQ(form->MenuDoc->HoverColor, clNone);
}

TEST_F(MainformTest, colourDialog_startsFromSwatchAndConfirmRemovesCaption) {
  dialogs.ColorAnswers.push_back(0x00FF00);
  QTest::mouseClick(form->Panel6, Qt::LeftButton);
  EXPECT_EQ(dialogs.ColorStarts, (std::vector<std::int32_t>{clNone}));
  EXPECT_EQ(form->Panel6->Color(), 0x00FF00);
  EXPECT_EQ(form->Panel6->text(), QString());
  EXPECT_EQ(form->Panel6->ShownColor(), QColor(0, 255, 0));
  dialogs.ColorAnswers.push_back(std::nullopt);
  QTest::mouseClick(form->Panel6, Qt::LeftButton);
  EXPECT_EQ(dialogs.ColorStarts.back(), 0x00FF00);
  EXPECT_EQ(form->Panel6->Color(), 0x00FF00);
}

TEST_F(MainformTest, fontDoubleClick_appendsChosenFontAfterAComma) {
  form->cbfont->setEditText(QStringLiteral("Verdana"));
  form->menufont->setText(QStringLiteral("Arial"));
  QTest::mouseDClick(form->menufont, Qt::LeftButton);
  EXPECT_EQ(form->menufont->text(), QStringLiteral("Arial, Verdana"));
  form->submenufont->setText(QStringLiteral("X,"));
  QTest::mouseDClick(form->submenufont, Qt::LeftButton);
  EXPECT_EQ(form->submenufont->text(), QStringLiteral("X, Verdana"));
  form->submenufont->clear();
  QTest::mouseDClick(form->submenufont, Qt::LeftButton);
  EXPECT_EQ(form->submenufont->text(), QStringLiteral("Verdana"));
}

// ---- Variables ----

TEST_F(MainformTest, variables_upKeepsRowNumber) {
  AddVars({"A", "B", "C"});
  UserSelectsRow(2);
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("B"));
  form->TBItem19->trigger();
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(form->GridRow(), 2);
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("B"));  // the boxes are not touched
  form->TBItem20->trigger();  // row 2 now holds A, which moves down
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(GridColumn(1), (std::vector<std::string>{"B-v", "C-v", "A-v"}));
  EXPECT_EQ(form->GridRow(), 2);
}

TEST_F(MainformTest, variables_addChangeDelete) {
  AddVars({"A"});
  EXPECT_EQ(form->GridRow(), 1);
  AddVars({"B"});
  EXPECT_EQ(form->GridRow(), 1);  // the new variable is the last row, the selection stays
  form->Edit1->clear();
  form->TBItem16->trigger();
  EXPECT_EQ(form->MenuDoc->Variables.Vars.size(), 2u);
  UserSelectsRow(2);
  form->Edit1->setText(QStringLiteral("$N$"));
  form->Edit2->setText(QStringLiteral("w"));
  form->TBItem17->trigger();
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"A", "N"}));
  form->TBItem18->trigger();
  EXPECT_EQ(GridColumn(0), (std::vector<std::string>{"A"}));
  form->TBItem18->trigger();
  EXPECT_EQ(form->StringGrid1->rowCount(), 1);
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(MainformTest, variables_deleteOnEmptyListShowsRangeError) {
  form->show();
  form->TBItem18->trigger();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "Range check error");
  EXPECT_EQ(dialogs.Messages[0].Caption, "HTML Navforge");
  EXPECT_TRUE(form->isVisible());
  form->Edit1->setText(QStringLiteral("keep"));
  ClickGridRow(1);
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("keep"));
}

// ---- File commands ----

TEST_F(MainformTest, open_showsMenuColoursTemplateAndCaption) {
  std::string path = WriteMenu("site.nff", {"Home", "News"}, [](TovHTML& d) {
    d.BackgroundColor = 0x0000FF;
    d.LinkColor = 0xFF0000;
    d.Template = "Green";
    d.Variables.AddVariable("Author", "Ann");
  });
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
  EXPECT_EQ(form->Edit1->text(), QStringLiteral("keepvar"));
  EXPECT_EQ(dialogs.OpenCalls[0].Filter, "Navforge File (*.nff)|*.nff");

  // Save writes the colours and the template back unchanged.
  std::filesystem::remove(ChangeFileExt(path, ".nfs"));
  form->titlename->setText(QStringLiteral("Edited"));
  form->BtnSave->trigger();
  TovHTML reread;
  reread.VariablesFile = prog + "navforge.nfv";
  reread.LoadFromFile(path);
  EXPECT_EQ(reread.Title, "Edited");
  EXPECT_EQ(reread.BackgroundColor, 0x0000FF);
  EXPECT_EQ(reread.LinkColor, 0xFF0000);
  EXPECT_EQ(reread.Template, "Green");
  EXPECT_EQ(Caption(), "site.nff - HTML Navforge");
  EXPECT_TRUE(dialogs.SaveCalls.empty());
}

TEST_F(MainformTest, open_againDoesNotDuplicateEntriesOrVariables) {
  std::string path = WriteMenu("a.nff", {"Home"}, [](TovHTML& d) { d.Variables.AddVariable("V", "1"); });
  Open(path);
  Open(path);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Home"}));
  EXPECT_EQ(form->MenuDoc->Variables.Vars.size(), 1u);
  EXPECT_EQ(dialogs.OpenCalls[1].InitialDir, menus);
  EXPECT_EQ(dialogs.OpenCalls[1].FileName, "");
}

TEST_F(MainformTest, open_failureShowsMessageAndChangesNothing) {
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

TEST_F(MainformTest, open_cancelChangesNothing) {
  AddMain("A");
  dialogs.OpenAnswers.push_back(std::nullopt);
  form->BtnOpen->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A"}));
  EXPECT_EQ(Caption(), "HTML Navforge*");
}

TEST_F(MainformTest, new_emptiesEverythingButTheLists) {
  std::string path = WriteMenu("site.nff", {"Home"}, [](TovHTML& d) {
    d.TextColor = 5;
    d.Title = "T";
    d.Variables.AddVariable("V", "1");
  });
  Open(path);
  Boxes("a", "b", "c");
  form->Edit1->setText(QStringLiteral("x"));
  form->Edit2->setText(QStringLiteral("y"));
  dialogs.TypingAnswers = {TTypingAnswer::Discard};
  form->BtnNew->trigger();
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

TEST_F(MainformTest, save_withoutCurrentFileActsAsSaveAs) {
  AddMain("Home");
  form->titlename->setText(QStringLiteral("Edited"));
  dialogs.SaveAnswers.push_back(menus + "new");
  form->BtnSave->trigger();
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

TEST_F(MainformTest, saveAs_ontoExistingFileAsksAndNoLeavesItUntouched) {
  std::string path = WriteMenu("site.nff", {"Home"});
  Open(path);
  std::string before = test::ReadFile(path);
  AddMain("More");
  dialogs.SaveAnswers.push_back(path);
  dialogs.ConfirmAnswers.push_back(TConfirmAnswer::No);
  form->BtnSaveAs->trigger();
  ASSERT_EQ(dialogs.Questions.size(), 1u);
  EXPECT_EQ(dialogs.Questions[0].Caption, "Bestätigung"_cp1252);
  EXPECT_EQ(dialogs.Questions[0].Text, "Soll die bereits existierende Datei \"site.nff\" überschrieben werden?"_cp1252);
  EXPECT_EQ(dialogs.SaveCalls[0].FileName, path);
  EXPECT_EQ(test::ReadFile(path), before);
  EXPECT_EQ(Caption(), "site.nff* - HTML Navforge");  // still unsaved

  // Onto another menu: "&Nein" keeps the current file, too.
  const std::string other = WriteMenu("other.nff", {"Other"});
  dialogs.SaveAnswers.push_back(other);
  form->BtnSaveAs->trigger();
  EXPECT_EQ(form->CurrentFile, path);

  form->CurrentFile.clear();  // the title changes only when the answer is yes
  dialogs.SaveAnswers.push_back(path);
  dialogs.ConfirmAnswers.push_back(TConfirmAnswer::Yes);
  form->BtnSaveAs->trigger();
  EXPECT_NE(test::ReadFile(path), before);
  EXPECT_EQ(form->CurrentFile, path);
}

TEST_F(MainformTest, browseOutputFile_absolutePathWithExtension) {
  dialogs.SaveAnswers.push_back(menus + "menu.nff");
  form->BtnSaveAs->trigger();
  dialogs.SaveAnswers.push_back(menus + "nav");
  Click(form->Button2);
  ASSERT_EQ(dialogs.SaveCalls.size(), 2u);
  EXPECT_EQ(dialogs.SaveCalls[1].DefaultExt, "htm");
  EXPECT_EQ(dialogs.SaveCalls[1].Filter, "HTML (*.htm, *html)|*.htm; *.html|Alle Dateien (*.*)|*.*");
  EXPECT_EQ(dialogs.SaveCalls[1].FileName, menus + "menu.nff");
  EXPECT_EQ(form->efilename->text(), ToQ(menus + "nav.htm"));
}

TEST_F(MainformTest, browseBackgroundImage_relativeWithSlashes) {
  form->efilename->setText(QStringLiteral("C:\\web\\menu\\nav.htm"));
  dialogs.OpenAnswers.push_back(std::string("C:\\web\\img\\bg.gif"));
  Click(form->Button1);
  EXPECT_EQ(form->picfile->text(), QStringLiteral("../img/bg.gif"));
  EXPECT_EQ(dialogs.OpenCalls[0].Filter, kImageFilter);
  EXPECT_EQ(form->MenuDoc->BackgroundImage, "");  // only SetSettings hands it over
}

TEST_F(MainformTest, generate_withoutFileNameReportsIt) {
  form->TBItem5->trigger();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "Kein Dateiname zum Speichern angegeben");
  EXPECT_EQ(dialogs.Messages[0].Caption, "HTML Navforge");
}

TEST_F(MainformTest, generate_usesTheEditedControls) {
  test::WriteTemplateSet(prog + "Templates/Blue", {{"header.txt", "<title>$Title$</title>"}});
  form->cbTemplates->setCurrentText(QStringLiteral("Blue"));
  form->titlename->setText(QString::fromUtf8("Grüße"));
  form->efilename->setText(ToQ(tmp.path() + "/out.htm"));
  form->TBItem5->trigger();
  EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages[0].Text;
  EXPECT_NE(test::ReadFile(tmp.path() + "/out.htm").find("<title>Gr\xFC\xDF" "e</title>"), std::string::npos);
  EXPECT_EQ(Caption(), "HTML Navforge*");  // generating saves nothing
}

TEST_F(MainformTest, info_withoutAboutModuleShowsFallback) {
  form->TBItem7->trigger();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, AboutFallbackText());
  EXPECT_NE(dialogs.Messages[0].Text.find("Homepage: "), std::string::npos);
}

// No user reaches the debug page (below), so its button is pressed by hand.
TEST_F(MainformTest, debugButton_dumpsEntries) {
  Boxes("Home", "index.htm", "main");
  form->TBItem8->trigger();
  form->Button5Click();
  EXPECT_EQ(form->Memo1->toPlainText(), QStringLiteral("Home$index.htm$main$$0"));
}

TEST_F(MainformTest, debugPage_noKeyOpensIt) {
  for (QWidget* start : {form->TabSheet1, form->TabSheet4}) {
    form->PageControl1->setCurrentWidget(start);
    using Press = std::pair<Qt::Key, Qt::KeyboardModifiers>;
    for (auto [key, mods] : {Press{Qt::Key_Tab, Qt::ControlModifier},
                             Press{Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
                             Press{Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier}})
      for (int i = 0; i < 3; ++i) {
        QTest::keyClick(form->PageControl1, key, mods);
        EXPECT_NE(form->PageControl1->currentWidget(), form->TabSheet2);
      }
  }
}

// Only "<-- Deselect Item" takes the selection away; the boxes are filled only when a
// line is selected, and a list without a selection shows no current line.
TEST_F(MainformTest, entryList_clicksBesideOrWithCtrlKeepSelectionAndTypedTexts) {
  form->show();
  AddMain("A");
  AddMain("B");
  QWidget* view = form->ListBox1->viewport();
  const QPoint line0 = form->ListBox1->visualItemRect(form->ListBox1->item(0)).center();
  QTest::mouseClick(view, Qt::LeftButton, {}, line0);
  Boxes("typed", "t", "t");
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(20, 400));
  EXPECT_EQ(form->SelectedIndex(), 0);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("typed"));
  QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, line0);
  EXPECT_EQ(form->SelectedIndex(), 0);
  QTest::keyClick(form->ListBox1, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(form->SelectedIndex(), 0);
  Boxes("typed", "t", "t");
  Click(form->FlatButton2);
  EXPECT_EQ(form->SelectedIndex(), -1);
  EXPECT_EQ(form->ListBox1->currentRow(), -1);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("typed"));
}

// While a hint shows, the next control's hint follows at once; hints are set in the
// window's font, so each line of a hint stays one line.
TEST_F(MainformTest, hints_neighbourFollowsAtOnceInTheWindowFont) {
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  auto hintShows = [](const char* start) {
    return [start] { return QToolTip::isVisible() && QToolTip::text().startsWith(QLatin1String(start)); };
  };
  QTest::mouseMove(form->menuname, form->menuname->rect().center());
  ASSERT_TRUE(QTest::qWaitFor(hintShows("Geben Sie hier den Namen"), 3000));
  QTest::qWait(200);  // the hand takes a moment to the next box
  QElapsedTimer clock;
  clock.start();
  QTest::mouseMove(form->menulink, form->menulink->rect().center());
  ASSERT_TRUE(QTest::qWaitFor(hintShows("Geben Sie hier die Adresse"), 3000));
  EXPECT_LT(clock.elapsed(), 300);  // the wake-up delay alone is 500 ms
  EXPECT_EQ(QToolTip::font(), form->font());
}

TEST_F(MainformTest, versionControl_passesTheProductKeyAndClosesInGerman) {
  form.reset();
  form = MakeForm(NAVFORGE_BIN_DIR "/");
  test::WithModal([&] { form->TBItem6->trigger(); },
                  [](QWidget* w) {
                    EXPECT_EQ(w->windowTitle(), QStringLiteral("Versionskontrolle"));
                    QStringList labels;
                    for (QLabel* l : w->findChildren<QLabel*>()) labels << l->text();
                    EXPECT_TRUE(labels.contains(QStringLiteral("navforge"))) << labels.join(QLatin1Char('|')).toStdString();
                    auto* box = w->findChild<QDialogButtonBox*>();
                    ASSERT_NE(box, nullptr);
                    EXPECT_EQ(box->button(QDialogButtonBox::Close)->text(), QString::fromUtf8("Schließen"));
                  });
  form.reset();
}

// ---- Unsaved changes ----

TEST_F(MainformTest, modified_setByEveryChangeClearedBySaveAndOpen) {
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"add entry", [&] { AddMain("A"); }},
      {"move entry", [&] { UserSelects(1); form->TBItem11->trigger(); }},
      {"add variable", [&] { AddVars({"V"}); }},
      {"typed title", [&] { QTest::keyClicks(form->titlename, QStringLiteral("x")); }},
      {"chosen template", [&] { form->cbTemplates->setCurrentIndex(1); }},
      {"cleared colour", [&] { Click(form->Button9); }},
      {"chosen colour", [&] { dialogs.ColorAnswers.push_back(0x00FF00); QTest::mouseClick(form->Panel1, Qt::LeftButton); }},
      {"font appended", [&] { form->cbfont->setEditText(QStringLiteral("Arial")); QTest::mouseDClick(form->menufont, Qt::LeftButton); }},
      {"output file chosen", [&] { dialogs.SaveAnswers.push_back(menus + "nav.htm"); Click(form->Button2); }},
  };
  std::string path = WriteMenu("m.nff", {"A", "B"}, [](TovHTML& d) { d.HoverColor = 5; });
  for (const auto& [name, change] : changes) {
    Open(path);
    EXPECT_FALSE(form->Modified) << name;
    change();
    EXPECT_TRUE(form->Modified) << name;
    form->BtnSave->trigger();
    EXPECT_FALSE(form->Modified) << name;
  }
  // What changes nothing in the menu marks nothing.
  UserSelects(0);
  form->TBItem11->trigger();  // up on the first entry
  QTest::keyClicks(form->menuname, QStringLiteral("x"));
  Click(form->FlatButton2);
  form->TBItem5->trigger();
  EXPECT_FALSE(form->Modified);
}

// Exit, the close box, New and Open ask before unsaved changes go: "&Ja" saves first,
// "&Nein" goes on, "Abbrechen" stops; a cancelled save stops, too.
TEST_F(MainformTest, unsavedChanges_askedBeforeExitCloseNewAndOpen) {
  const std::string other = WriteMenu("other.nff", {"Other"});
  struct Command {
    const char* Name;
    std::function<void(Tmainform&)> Run;
    std::function<bool(Tmainform&)> WentOn;
  };
  const Command commands[] = {
      {"exit", [](Tmainform& f) { f.BtnExit->trigger(); }, [](Tmainform& f) { return !f.isVisible(); }},
      {"close box", [](Tmainform& f) { f.close(); }, [](Tmainform& f) { return !f.isVisible(); }},
      {"new", [](Tmainform& f) { f.BtnNew->trigger(); }, [](Tmainform& f) { return f.ListBox1->count() == 0; }},
      {"open", [&](Tmainform& f) { dialogs.OpenAnswers = {other}; f.BtnOpen->trigger(); },
       [](Tmainform& f) { return f.ListBox1->count() == 1 && f.ListBox1->item(0)->text() == QStringLiteral("Other"); }},
  };
  struct Case {
    TConfirmAnswer Answer;
    bool WithFile;  // a current file to save into; without one "&Ja" runs Save As, cancelled here
    bool WentOn;
    bool Saved;
  };
  const Case cases[] = {{TConfirmAnswer::Cancel, true, false, false},
                        {TConfirmAnswer::No, true, true, false},
                        {TConfirmAnswer::Yes, true, true, true},
                        {TConfirmAnswer::Yes, false, false, false}};
  for (const Command& command : commands)
    for (const Case& c : cases) {
      const std::string saved = WriteMenu("saved.nff", {"Saved"});
      form.reset();
      form = MakeForm();
      form->show();
      if (c.WithFile) Open(saved);
      AddMain("New");
      dialogs.Questions.clear();
      dialogs.SaveAnswers.clear();
      dialogs.ConfirmAnswers = {c.Answer};
      command.Run(*form);
      const std::string where = std::string(command.Name) + " answer " + std::to_string(static_cast<int>(c.Answer));
      ASSERT_EQ(dialogs.Questions.size(), 1u) << where;
      EXPECT_EQ(dialogs.Questions[0].Caption, "Bestätigung"_cp1252);
      EXPECT_EQ(dialogs.Questions[0].Text,
                "Das Menü wurde geändert. Sollen die Änderungen gespeichert werden?"_cp1252);
      EXPECT_EQ(command.WentOn(*form), c.WentOn) << where;
      TovHTML reread;
      reread.VariablesFile = prog + "navforge.nfv";
      reread.LoadFromFile(saved);
      EXPECT_EQ(reread.Items.size(), c.Saved ? 2u : 1u) << where;
    }
  // Nothing asks when nothing changed.
  dialogs.Questions.clear();
  form.reset();
  form = MakeForm();
  form->show();
  form->BtnNew->trigger();
  Open(other);
  form->BtnExit->trigger();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(dialogs.Questions.empty());
}

}  // namespace
}  // namespace navforge
