// "Seiten importieren...": inserting the chosen entries, the command's steps and the
// review dialog.
#include "ui/importpages.h"

#include <QFileDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QTimer>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <set>

#include "core/menudocument.h"
#include "fakedialogs.h"
#include "persist/entrylevels.h"
#include "support/textfile.h"
#include "testsupport/tempdir.h"
#include "ui/importdialog.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "uitestapp.h"

namespace navforge {
namespace {

using import::ProposedEntry;

std::vector<std::string> Dump(const TovHTML& doc) {
  std::vector<std::string> lines;
  for (const TMTItem& i : doc.Items) lines.push_back(ListLine(i) + "|" + i.Target);
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

// Deeper levels: an entry rises a level for each entry above it left out.
TEST(InsertImportedEntries, levelsRiseForEachEntryLeftOutAbove) {
  std::vector<ProposedEntry> deep;
  for (const auto& [caption, level] : {std::pair{"F", 0}, {"F1", 1}, {"G", 1}, {"G1", 2}, {"H", 2}, {"H1", 3}, {"F2", 1}})
    deep.push_back({caption, "x.htm", level > 0, false, "/s/x.htm", "/s/f", std::max(level, 1)});
  const std::pair<std::vector<bool>, std::vector<std::string>> cases[] = {
      {{true, true, true, true, true, true, true}, {"F|", "- F1|", "- G|", "- - G1|", "- - H|", "- - - H1|", "- F2|"}},
      {{true, true, false, true, true, true, true}, {"F|", "- F1|", "- G1|", "- H|", "- - H1|", "- F2|"}},
      {{false, true, true, true, false, true, true}, {"F1|", "G|", "- G1|", "- H1|", "F2|"}},
  };
  for (const auto& [checked, lines] : cases) {
    TovHTML doc;
    InsertImportedEntries(doc, -1, deep, checked, "");
    EXPECT_EQ(Dump(doc), lines);
  }
}

// A review that keeps what was offered and hands it to the test.
struct TOffered {
  TImportReview review;
  std::vector<std::string> sets;
  TImportChoices choices;
};

TEST(ImportPages, stepsWarningsAndTheUsersAnswers) {
  test::TempDir dir;
  test::MakeDir(dir.file("site"));
  test::WriteFile(dir.file("site/a.htm"), "<title>Alpha</title>");
  test::WriteFile(dir.file("site/b.htm"), "<title>Beta \xE2\x86\x92</title>");
  test::WriteTemplateSet(dir.file("Templates/Liste"), {{"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>"}});
  TovHTML doc = Menu();
  doc.TemplateRoot = dir.file("Templates");
  doc.UserTemplateRoot.clear();
  TOffered offered;
  TImportPagesSteps steps;
  steps.ChooseFolder = [&] { return dir.file("site"); };
  steps.Review = [&](const TImportReview& review, const std::vector<std::string>& sets, const TProposeForSet&,
                     TImportChoices& choices) {
    offered = {review, sets, choices};
    choices.Captions[0] = "Alpha &amp; Omega";
    choices.Target = "rechts";
    choices.Set = "Liste";
    return true;
  };
  EXPECT_EQ(ImportPages(doc, "", -1, steps), 3);
  EXPECT_EQ(offered.choices.Checked, (std::vector<bool>{true, false}));  // a lost character needs the user's tick
  EXPECT_EQ(offered.choices.Target, "inhalt");  // the frame most entries use
  EXPECT_TRUE(offered.sets.empty());            // a menu with entries keeps its set
  EXPECT_EQ(doc.Template, "");
  ASSERT_EQ(offered.review.Warnings.size(), 2u);
  EXPECT_NE(offered.review.Warnings[0].find("keinen Dateinamen"), std::string::npos);
  EXPECT_EQ(offered.review.Warnings[1].rfind("b.htm: ", 0), 0u);
  EXPECT_EQ(Dump(doc).back(), "Alpha &amp; Omega|rechts");
  ASSERT_EQ(doc.Items.size(), 4u);
  EXPECT_EQ(doc.Items.back().Link, "a.htm");  // from the site folder: the menu names no page yet

  steps.Review = [](const TImportReview&, const std::vector<std::string>&, const TProposeForSet&, TImportChoices&) {
    return false;
  };
  EXPECT_EQ(ImportPages(doc, "", -1, steps), -1);
  steps.ChooseFolder = [] { return std::string(); };
  EXPECT_EQ(ImportPages(doc, "", -1, steps), -1);
  EXPECT_EQ(doc.Items.size(), 4u);
}

// A sets folder with a set for frames and one without, and a site whose page shows the
// menu page beside a frame "inhalt".
void FramedSite(const test::TempDir& dir) {
  test::WriteTemplateSet(dir.file("Templates/Rahmen"),
                         {{"menupoint.txt", "<a href=\"$Link$\" target=\"$LinkTarget$\">$Linkname$</a>"}});
  test::WriteTemplateSet(dir.file("Templates/Liste"), {{"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>"}});
  test::MakeDir(dir.file("site"));
  test::WriteFile(dir.file("site/a.htm"), "<title>A</title>");
  test::WriteFile(dir.file("site/rahmen.htm"),
                  "<iframe src=\"navigation.htm\"></iframe><iframe name=\"inhalt\" src=\"a.htm\"></iframe>");
}

// A new menu takes its set in the review; a set for frames suggests the frame beside
// the menu, another set the menu's most common target (none yet).
TEST(ImportPages, newMenu_takesTheSetChosenAndItsFrame) {
  test::TempDir dir;
  FramedSite(dir);
  TovHTML doc;
  doc.TemplateRoot = dir.file("Templates");
  doc.UserTemplateRoot.clear();
  doc.Template = "Liste";
  TOffered offered;
  TImportReview framed;
  TImportPagesSteps steps;
  steps.ChooseFolder = [&] { return dir.file("site"); };
  steps.Review = [&](const TImportReview& review, const std::vector<std::string>& sets, const TProposeForSet& propose,
                     TImportChoices& choices) {
    offered = {review, sets, choices};
    framed = propose("Rahmen");
    choices.Set = "Rahmen";
    choices.Target = framed.Target;
    return true;
  };
  EXPECT_EQ(ImportPages(doc, "", -1, steps), 0);
  EXPECT_EQ(std::set<std::string>(offered.sets.begin(), offered.sets.end()),
            (std::set<std::string>{"Liste", "Rahmen"}));
  EXPECT_EQ(offered.choices.Set, "Liste");
  EXPECT_EQ(offered.review.Target, "");
  EXPECT_EQ(framed.Target, "inhalt");
  EXPECT_NE(framed.TargetSource.find("rahmen.htm"), std::string::npos) << framed.TargetSource;
  EXPECT_EQ(doc.Template, "Rahmen");
  EXPECT_EQ(Dump(doc), (std::vector<std::string>{"A|inhalt", "rahmen|inhalt"}));
}

TEST(ImportDialog, showsSetTargetAndEntries) {
  test::UiApp();
  std::vector<ProposedEntry> proposal = kProposal;
  proposal.push_back({"G", "f/g/1.htm", true, false, "/s/f/g/1.htm", "/s/f", 2});  // below F1
  TImportReview review{{proposal, {}, {}}, {}, {true, false, true, true}, "inhalt", "der Frame in rahmen.htm"};
  TImportChoices start{{true, false, true, true}, {"A", "F", "F1", "G"}, "Liste", "inhalt"};
  TImportDialog quiet(nullptr, review, {}, {}, start);
  ASSERT_EQ(quiet.EntryList->topLevelItemCount(), 2);
  ASSERT_EQ(quiet.EntryList->topLevelItem(1)->childCount(), 1);
  QTreeWidgetItem* sub = quiet.EntryList->topLevelItem(1)->child(0);
  EXPECT_EQ(sub->text(0), QStringLiteral("F1"));
  EXPECT_EQ(sub->text(1), QStringLiteral("f/1.htm"));
  ASSERT_EQ(sub->childCount(), 1);
  EXPECT_EQ(sub->child(0)->text(0), QStringLiteral("G"));
  EXPECT_TRUE(quiet.WarningText->isHidden());
  EXPECT_FALSE(quiet.SetBox->isEnabled());  // no sets to choose from: the menu keeps its set
  EXPECT_EQ(quiet.SetBox->currentText(), QStringLiteral("Liste"));
  EXPECT_EQ(quiet.TargetEdit->text(), QStringLiteral("inhalt"));
  EXPECT_EQ(quiet.TargetSource->text(), QStringLiteral("der Frame in rahmen.htm"));
  quiet.EntryList->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
  quiet.EntryList->topLevelItem(1)->setCheckState(0, Qt::Checked);
  quiet.TargetEdit->setText(QStringLiteral(" rechts "));
  const TImportChoices choices = quiet.Choices();
  EXPECT_EQ(choices.Checked, (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(choices.Target, "rechts");
  EXPECT_EQ(choices.Set, "Liste");
}

// Captions are edited as the text they show and stored escaped as page titles are;
// one left empty, or with a character the menu cannot hold, stays as it was.
TEST(ImportDialog, captionsAreEditedAsPlainText) {
  test::UiApp();
  const TImportReview review{{kProposal, {}, {}}, {}, {true, true, true}, "", ""};
  TImportDialog dialog(nullptr, review, {}, {}, {{true, true, true}, {"A &amp; B", "F", "F1"}, "", ""});
  QTreeWidgetItem* first = dialog.EntryList->topLevelItem(0);
  EXPECT_EQ(first->text(0), QStringLiteral("A & B"));
  EXPECT_TRUE(first->flags() & Qt::ItemIsEditable);
  struct Case {
    QString typed;
    std::string stored;
  };
  const Case cases[] = {{QStringLiteral(" <b>Neu</b> \"Ä\" "), "&lt;b&gt;Neu&lt;/b&gt; &quot;\xC4&quot;"},
                        {QStringLiteral("   "), "&lt;b&gt;Neu&lt;/b&gt; &quot;\xC4&quot;"},
                        {QStringLiteral("Pfeil \u2192"), "&lt;b&gt;Neu&lt;/b&gt; &quot;\xC4&quot;"}};
  for (const Case& c : cases) {
    first->setText(0, c.typed);
    EXPECT_EQ(dialog.Choices().Captions[0], c.stored) << FromQ(c.typed);
  }
  // The link column is not edited.
  EXPECT_EQ(dialog.EntryList->itemDelegateForColumn(1)->createEditor(nullptr, {}, {}), nullptr);
}

// Picking another set for a new menu lists that set's review.
TEST(ImportDialog, anotherSet_showsItsReview) {
  test::UiApp();
  std::vector<std::string> asked;
  const TProposeForSet propose = [&](const std::string& set) {
    asked.push_back(set);
    return TImportReview{{{kProposal[0]}, {}, {}}, {"Hinweis"}, {false}, "inhalt", ""};
  };
  const TImportReview review{{kProposal, {}, {}}, {}, {true, true, true}, "", ""};
  TImportDialog dialog(nullptr, review, {"Liste", "Rahmen"}, propose,
                       {{true, true, true}, {"A", "F", "F1"}, "Liste", ""});
  EXPECT_TRUE(dialog.SetBox->isEnabled());
  dialog.SetBox->setCurrentText(QStringLiteral("Rahmen"));
  EXPECT_EQ(asked, std::vector<std::string>{"Rahmen"});
  EXPECT_EQ(dialog.EntryList->topLevelItemCount(), 1);
  EXPECT_EQ(dialog.TargetEdit->text(), QStringLiteral("inhalt"));
  EXPECT_EQ(dialog.WarningText->toPlainText(), QStringLiteral("Hinweis\n"));
  EXPECT_FALSE(dialog.WarningText->isHidden());
  const TImportChoices choices = dialog.Choices();
  EXPECT_EQ(choices.Set, "Rahmen");
  EXPECT_EQ(choices.Checked, std::vector<bool>{false});
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

// The set chosen for the new menu shows on the window's page of settings.
TEST(ImportDialog, importedEntries_markTheMenuModifiedAndShowTheSetChosen) {
  test::UiApp();
  test::TempDir dir;
  WriteWholeFile(dir.file("seite.htm"), "<html><head><title>Seite</title></head><body></body></html>");
  test::WriteTemplateSet(dir.file("Templates/Liste"), {{"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>"}});
  test::WriteTemplateSet(dir.file("Templates/Rahmen"), {{"menupoint.txt", "<a href=\"$Link$\">$Linkname$</a>"}});
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
      review->SetBox->setCurrentText(QStringLiteral("Rahmen"));
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
  EXPECT_EQ(form.MenuDoc->Template, "Rahmen");
  EXPECT_EQ(form.cbTemplates->currentText(), QStringLiteral("Rahmen"));
}

}  // namespace
}  // namespace navforge
