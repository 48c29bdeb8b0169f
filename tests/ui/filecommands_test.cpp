// Where the window's file commands read and write: pages beside the menu, never over
// it, and paths the code page cannot hold.
#include <gtest/gtest.h>

#include <QComboBox>
#include <filesystem>

#include "support/cp1252literal.h"
#include "testsupport/runcli.h"

#include "fakedialogs.h"
#include "testsupport/tempdir.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "ui/editbox.h"
#include "uitestapp.h"

namespace navforge {
namespace {

class FileCommands : public ::testing::Test {
protected:
  void SetUp() override {
    test::UiApp();
    SetApplicationTitle("HTML Navforge");
    test::WriteTemplateSet(tmp.file("prog/Templates/Blue"), {{"header.txt", "$FileName$\r\n"}});
    test::MakeDir(omega);
    TMainformOptions options;
    options.ProgramFolder = tmp.file("prog/");
    options.VariablesFile = tmp.file("prog/navforge.nfv");
    options.ModuleFolders = TModuleFolders{};
    options.Dialogs = &dialogs;
    form = std::make_unique<Tmainform>(options);
  }
  void SaveAs(const std::string& path) {
    dialogs.SaveAnswers.push_back(path);
    form->BtnSaveAsClick();
  }
  void Open(const std::string& path) {
    dialogs.OpenAnswers.push_back(path);
    form->BtnOpenClick();
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : dialogs.Messages) texts.push_back(m.Text);
    return texts;
  }

  test::TempDir tmp;
  const std::string omega = tmp.file("\xCE\xA9mega/");  // UTF-8 Omega: no Windows-1252 text holds it
  test::TScriptedDialogs dialogs;
  std::unique_ptr<Tmainform> form;
};

TEST_F(FileCommands, relativeOutputName_isTakenAgainstTheMenuFolder) {
  form->cbTemplates->setCurrentText(QStringLiteral("Blue"));
  form->efilename->setText(QStringLiteral("seiten/nav.htm"));
  test::MakeDir(omega + "seiten");
  SaveAs(omega + "site.nff");
  Open(omega + "site.nff");
  dialogs.OpenAnswers.push_back(tmp.file("prog/bild.gif"));  // a dialog visits another folder
  form->Button1Click();
  form->TBItem5Click();
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(test::ReadFile(omega + "seiten/nav.htm"), "seiten/nav.htm\r\n");
}

TEST_F(FileCommands, generateOverTheMenuFile_isRefused) {
  SaveAs(tmp.file("m.nff"));
  const std::string menu = test::ReadFile(tmp.file("m.nff"));
  form->cbTemplates->setCurrentText(QStringLiteral("Blue"));
  dialogs.SaveAnswers.push_back(tmp.file("m.nff"));  // the browse proposes the menu's name; accepted
  form->Button2Click();
  EXPECT_EQ(form->efilename->Text(), tmp.file("m.nff"));
  form->TBItem5Click();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Die HTML-Seite " + tmp.file("m.nff") +
                                                 " würde eine Datei des Menüs überschreiben. "
                                                 "Es wurde nichts geschrieben."_cp1252});
  EXPECT_EQ(test::ReadFile(tmp.file("m.nff")), menu);
}

TEST_F(FileCommands, menuInAFolderOutsideTheCodePage_opensAndSaves) {
  SaveAs(omega + "\xE6\x96\xB0.nff");
  EXPECT_NE(test::ReadFile(omega + "\xE6\x96\xB0.nfs"), "");
  form->BtnNewClick();
  Open(omega + "\xE6\x96\xB0.nff");
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("\xE6\x96\xB0.nff - HTML Navforge"));
  EXPECT_EQ(form->CurrentFile, omega + "\xE6\x96\xB0.nff");
}

TEST_F(FileCommands, chosenPathsTheMenuCannotStore_areRefused) {
  dialogs.SaveAnswers.push_back(omega + "nav.htm");
  form->Button2Click();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_NE(dialogs.Messages[0].Text.find("Windows-1252"), std::string::npos);
  EXPECT_EQ(form->efilename->Text(), "");

  // Links and images are stored as seen from the output file: umlauts are fine.
  form->efilename->setText(PathToQ(tmp.file("nav.htm")));
  dialogs.OpenAnswers.push_back(tmp.file("gr\xC3\xBCn/a.htm"));
  form->Button3Click();
  EXPECT_EQ(form->menulink->Text(), "gr\xFCn/a.htm");
  dialogs.OpenAnswers.push_back(omega + "bg.gif");
  form->Button1Click();
  EXPECT_EQ(dialogs.Messages.size(), 2u);
  EXPECT_EQ(form->picfile->Text(), "");
}

// The README's example: opened in the window and generated, it writes the pages that
// navforge-cli writes for it, into the same place relative to the menu.
TEST_F(FileCommands, example_givesTheSamePagesAsNavforgeCli) {
  namespace fs = std::filesystem;
  for (const char* copy : {"window", "cli"}) {
    const std::string root = tmp.file(copy) + "/";
    test::MakeDir(root + "examples/beispiel");
    test::MakeDir(root + "build/beispiel");
    for (const char* f : {"site.nff", "site.nfs"})
      fs::copy_file(NAVFORGE_SOURCE_DIR "/examples/beispiel/" + std::string(f), root + "examples/beispiel/" + f);
  }
  TMainformOptions options;
  options.ProgramFolder = NAVFORGE_BIN_DIR "/";
  options.VariablesFile = tmp.file("v.nfv");
  options.ModuleFolders = TModuleFolders{};
  options.Dialogs = &dialogs;
  form = std::make_unique<Tmainform>(options);
  Open(tmp.file("window/examples/beispiel/site.nff"));
  form->TBItem5Click();
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  const test::CliRun run = test::RunNavforgeCli({"generate", "--variables", tmp.file("v.nfv"), "examples/beispiel/site.nff"},
                                                tmp.file("cli"));
  EXPECT_EQ(run.exitCode, 0) << run.err;

  std::vector<std::string> pages;
  for (const auto& e : fs::directory_iterator(tmp.file("cli/build/beispiel"))) pages.push_back(e.path().filename());
  EXPECT_GE(pages.size(), 3u);
  for (const std::string& page : pages)
    EXPECT_EQ(test::ReadFile(tmp.file("window/build/beispiel/") + page), test::ReadFile(tmp.file("cli/build/beispiel/") + page))
        << page;
}

TEST(TitleRule, colon_isPartOfTheFileName) {
  EXPECT_EQ(TitleFor("/m/a:b.nff", "HTML Navforge"), "a:b.nff - HTML Navforge");
  EXPECT_EQ(TitleFor("C:site.nff", "HTML Navforge"), "site.nff - HTML Navforge");
}

}  // namespace
}  // namespace navforge
