// "Seiten importieren...": inserting the chosen entries, the command's steps and the
// review dialog.
#include "ui/importpages.h"

#include <QFileDialog>
#include <QListWidget>
#include <QTimer>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/menudocument.h"
#include "fakedialogs.h"
#include "support/textfile.h"
#include "testsupport/tempdir.h"
#include "ui/importdialog.h"
#include "ui/mainform.h"
#include "uitestapp.h"

namespace navforge {
namespace {

using import::ProposedEntry;

std::vector<std::string> Dump(const TovHTML& doc) {
  std::vector<std::string> lines;
  for (const TMTItem& i : doc.Items) lines.push_back((i.IsSubItem ? "- " : "") + i.Caption + "|" + i.Target);
  return lines;
}

TovHTML Menu() {
  TovHTML doc;
  doc.Items = {{"M0", "m0.htm", "inhalt", "", false}, {"S1", "s1.htm", "inhalt", "", true},
               {"M2", "m2.htm", "", "", false}};
  return doc;
}

const std::vector<ProposedEntry> kProposal{
    {"A", "a.htm", false, false, "/s/a.htm", ""},
    {"F", "f/index.htm", false, false, "/s/f/index.htm", "/s/f"},
    {"F1", "f/1.htm", true, false, "/s/f/1.htm", "/s/f"},
};

// A window whose program folder, variables file and modules are all in dir.
TMainformOptions OptionsIn(const test::TempDir& dir, test::TScriptedDialogs& dialogs) {
  TMainformOptions options;
  options.ProgramFolder = dir.path() + "/";
  options.VariablesFile = dir.file("navforge.nfv");
  options.ModuleFolders = TModuleFolders{"", dir.path() + "/"};
  options.Dialogs = &dialogs;
  return options;
}

TEST(InsertImportedEntries, afterTheSelectedEntrysRunOrAtTheEnd) {
  TovHTML doc = Menu();
  EXPECT_EQ(InsertImportedEntries(doc, 0, kProposal, {true, true, true}, "inhalt"), 2);
  EXPECT_EQ(Dump(doc), (std::vector<std::string>{"M0|inhalt", "- S1|inhalt", "A|inhalt", "F|inhalt",
                                                 "- F1|inhalt", "M2|"}));
  doc = Menu();
  // A sub-entry without its main entry stands on its own.
  EXPECT_EQ(InsertImportedEntries(doc, -1, kProposal, {false, false, true}, ""), 3);
  EXPECT_EQ(Dump(doc), (std::vector<std::string>{"M0|inhalt", "- S1|inhalt", "M2|", "F1|"}));
  EXPECT_EQ(InsertImportedEntries(doc, 1, kProposal, {false, false, false}, ""), -1);
  EXPECT_EQ(doc.Items.size(), 4u);
}

TEST(ImportPages, stepsAndWarnings) {
  test::TempDir dir;
  test::MakeDir(dir.file("site"));
  test::WriteFile(dir.file("site/a.htm"), "<title>Alpha</title>");
  test::WriteFile(dir.file("site/b.htm"), "<title>Beta \xE2\x86\x92</title>");
  TovHTML doc = Menu();
  std::vector<std::string> shown;
  std::vector<bool> offered;
  TImportPagesSteps steps;
  steps.ChooseFolder = [&] { return dir.file("site"); };
  steps.Review = [&](const import::ImportProposal&, const std::vector<std::string>& warnings,
                     std::vector<bool>& checked) {
    shown = warnings;
    offered = checked;
    return true;
  };
  EXPECT_EQ(ImportPages(doc, "", -1, steps), 3);
  EXPECT_EQ(offered, (std::vector<bool>{true, false}));  // a lost character needs the user's tick
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NE(shown[0].find("keinen Dateinamen"), std::string::npos);
  EXPECT_EQ(shown[1].rfind("b.htm: ", 0), 0u);
  EXPECT_EQ(Dump(doc).back(), "Alpha|inhalt");
  ASSERT_EQ(doc.Items.size(), 4u);
  EXPECT_EQ(doc.Items.back().Link, "a.htm");  // from the site folder: the menu names no page yet

  steps.Review = [](const import::ImportProposal&, const std::vector<std::string>&, std::vector<bool>&) {
    return false;
  };
  EXPECT_EQ(ImportPages(doc, "", -1, steps), -1);
  steps.ChooseFolder = [] { return std::string(); };
  EXPECT_EQ(ImportPages(doc, "", -1, steps), -1);
  EXPECT_EQ(doc.Items.size(), 4u);
}

TEST(ImportDialog, showsEntriesWithCheckBoxesAndWarnings) {
  test::UiApp();
  import::ImportProposal proposal{kProposal, {}};
  TImportDialog quiet(nullptr, proposal, {}, {true, false, true});
  ASSERT_EQ(quiet.EntryList->count(), 3);
  EXPECT_EQ(quiet.EntryList->item(2)->text(), QStringLiteral("- F1   (f/1.htm)"));
  EXPECT_TRUE(quiet.WarningText->isHidden());
  quiet.EntryList->item(0)->setCheckState(Qt::Unchecked);
  quiet.EntryList->item(1)->setCheckState(Qt::Checked);
  EXPECT_EQ(quiet.Checked(), (std::vector<bool>{false, true, true}));

  TImportDialog warned(nullptr, proposal, {"x.htm: nicht lesbar"}, {true, true, true});
  EXPECT_FALSE(warned.WarningText->isHidden());
  EXPECT_EQ(warned.WarningText->toPlainText(), QStringLiteral("x.htm: nicht lesbar\n"));
}

TEST(ImportDialog, buttonOnTheMenuPagesToolbar) {
  test::UiApp();
  test::TempDir dir;
  test::TScriptedDialogs dialogs;
  Tmainform form(OptionsIn(dir, dialogs));
  ASSERT_NE(form.TBItemImport, nullptr);
  EXPECT_EQ(form.TBItemImport->toolTip(), QStringLiteral("Seiten importieren..."));
  EXPECT_FALSE(form.TBItemImport->icon().isNull());
  // The button fits on the toolbar instead of hiding behind its extension arrow.
  QWidget* button = form.TBToolbar2->widgetForAction(form.TBItemImport);
  ASSERT_NE(button, nullptr);
  form.show();
  EXPECT_TRUE(button->isVisible());
}

TEST(ImportDialog, importedEntries_markTheMenuModified) {
  test::UiApp();
  test::TempDir dir;
  WriteWholeFile(dir.file("seite.htm"), "<html><head><title>Seite</title></head><body></body></html>");
  test::TScriptedDialogs dialogs;
  Tmainform form(OptionsIn(dir, dialogs));
  // Answers the folder dialog with the site folder, then accepts the review.
  QTimer answer;
  answer.setInterval(20);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (auto* folder = qobject_cast<QFileDialog*>(w); folder && folder->isVisible()) {
      folder->setDirectory(QString::fromStdString(dir.path()));
      static_cast<QDialog*>(folder)->accept();  // QFileDialog::accept, protected there
    } else if (auto* review = qobject_cast<TImportDialog*>(w); review && review->isVisible()) {
      review->accept();
    }
  });
  answer.start();
  ASSERT_FALSE(form.Modified);
  form.TBItemImport->trigger();
  answer.stop();
  ASSERT_EQ(form.MenuDoc->Items.size(), 1u);
  EXPECT_EQ(form.MenuDoc->Items[0].Caption, "Seite");
  EXPECT_TRUE(form.Modified);
}

}  // namespace
}  // namespace navforge
