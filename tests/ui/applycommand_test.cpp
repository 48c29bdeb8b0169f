// "In Seiten einsetzen" pressed as the user would, on a small site of three pages.
#include "ui/applycommand.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

#include "fakedialogs.h"
#include "support/cp1252literal.h"
#include "testsupport/tempdir.h"
#include "ui/editbox.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "uitestapp.h"

namespace navforge {
namespace {

using test::ReadFile;

const char kPage[] = "<p>Text</p>\n<!-- navforge -->\nalt\n<!-- /navforge -->\n";

class ApplyCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    test::UiApp();
    const std::string prog = tmp.path() + "/prog/";
    test::WriteTemplateSet(prog + "Templates/Marken", {{"template.ini", "[Main]\r\nall_in_one=1\r\n"},
                                                       {"header.txt", "<!-- navforge -->\n<nav>"},
                                                       {"menupoint.txt", "<a href=\"$Link$\"$Current$>$Linkname$</a>"},
                                                       {"footer.txt", "</nav>\n<!-- /navforge -->"}});
    test::MakeDir(tmp.file("site"));
    for (const char* page : {"a.htm", "b.htm"}) test::WriteFile(site(page), kPage);
    test::WriteFile(site("c.htm"), "<p>ohne</p>");
    TMainformOptions options;
    options.ProgramFolder = prog;
    options.VariablesFile = prog + "navforge.nfv";
    options.ModuleFolders = TModuleFolders{"", prog};
    options.Dialogs = &dialogs;
    form = std::make_unique<Tmainform>(options);
    form->MenuDoc->Template = "Marken";
    form->GetSettings();
    form->CurrentFile = site("menu.nff");
    form->efilename->SetText("menu.htm");  // beside the menu file, not in the current folder
    for (const char* page : {"a.htm", "b.htm", "c.htm"}) {
      form->menuname->SetText(std::string(1, page[0]));
      form->menulink->SetText(page);
      form->linktarget->SetText("inhalt");
      form->TBItem8->trigger();
    }
  }
  std::string site(const std::string& name) const { return tmp.file("site/" + name); }
  void Press() { form->findChild<QAction*>(QStringLiteral("BtnApply"))->trigger(); }

  test::TempDir tmp;
  test::TScriptedDialogs dialogs;
  std::unique_ptr<Tmainform> form;
};

TEST_F(ApplyCommandTest, button_hasItsHint) {
  const QAction* action = form->findChild<QAction*>(QStringLiteral("BtnApply"));
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->toolTip(), QStringLiteral("Menü in die Seiten der Website einsetzen"));
  EXPECT_FALSE(action->icon().isNull());
}

TEST_F(ApplyCommandTest, no_writesNothing) {
  Press();  // unanswered: "Nein"
  ASSERT_EQ(dialogs.Questions.size(), 1u);
  EXPECT_EQ(dialogs.Questions[0].Text, "Das Menü in 2 Seiten einsetzen?"_cp1252);
  EXPECT_EQ(ReadFile(site("a.htm")), kPage);
  EXPECT_EQ(ReadFile(site("b.htm")), kPage);
}

TEST_F(ApplyCommandTest, yes_writesAndListsThePagesThenAllIsInStep) {
  dialogs.ConfirmAnswers = {TConfirmAnswer::Yes, TConfirmAnswer::Yes};
  Press();
  EXPECT_NE(ReadFile(site("a.htm")).find("<a href=\"a.htm\" aria-current=\"page\">a</a>"), std::string::npos);
  auto* window = form->findChild<TApplyWindow*>();
  ASSERT_TRUE(window->isVisible());
  std::vector<std::string> lines;
  for (int i = 0; i < window->PageList->count(); ++i) lines.push_back(FromQ(window->PageList->item(i)->text()));
  EXPECT_EQ(lines, (std::vector<std::string>{"Menü eingesetzt: a.htm"_cp1252, "Menü eingesetzt: b.htm"_cp1252,
                                             "ohne Markierung: c.htm"}));

  // One page put back out of step: only it is counted.
  test::WriteFile(site("b.htm"), kPage);
  Press();
  EXPECT_EQ(dialogs.Questions.back().Text, "Das Menü in 1 Seite einsetzen?"_cp1252);
  Press();
  EXPECT_EQ(dialogs.Questions.size(), 2u);
  EXPECT_EQ(dialogs.Messages.back().Text, "Alle Seiten sind auf dem Stand des Menüs.\n\nohne Markierung: c.htm"_cp1252);
}

TEST_F(ApplyCommandTest, aSetWithoutMarkers_saysSoAndAsksNothing) {
  test::WriteTemplateSet(tmp.path() + "/prog/Templates/Marken", {{"header.txt", "<nav>"}});
  Press();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_NE(dialogs.Messages[0].Text.find("markiert kein Menü zum Einsetzen"_cp1252), std::string::npos);
  EXPECT_TRUE(dialogs.Questions.empty());
}

}  // namespace
}  // namespace navforge
