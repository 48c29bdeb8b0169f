// Where generated pages land, and the guard that keeps them off the menu's own files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "core/menudocument.h"
#include "core/pagefiles.h"
#include "support/cp1252literal.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;
using test::MakeDir;
using test::ReadFile;
using test::WriteFile;

// A menu "site.nff" in the folder "menus", its variables file beside it, and the set
// "T" whose pages show $FileName$ and $CurrentFilename$. The test process runs in
// another folder, so a page taken against the current folder lands elsewhere.
class PageFiles : public ::testing::Test {
protected:
  void SetUp() override {
    test::WriteTemplateSet(dir.file("T/S"), {{"header.txt", "$FileName$|$CurrentFilename$\r\n"},
                                             {"template.ini", "[Main]\r\nall_in_one=0\r\n"}});
    MakeDir(dir.file("menus"));
    MakeDir(dir.file("site"));
    doc.TemplateRoot = dir.file("T");
    doc.Template = "S";
    doc.VariablesFile = dir.file("menus/v.nfv");
    doc.InsertItem(-1, "Home", "h.htm", "", false);
    doc.InsertItem(-1, "Produkte", "p.htm", "", false);
    doc.InsertItem(-1, "Soft", "s.htm", "", true);
    doc.SaveToFile(menu);
    doc.MenuFile = menu;
  }
  std::string Own() const { return ReadFile(menu) + ReadFile(dir.file("menus/site.nfs")) + ReadFile(doc.VariablesFile); }

  test::TempDir dir;
  const std::string menu = dir.file("menus/site.nff");
  TovHTML doc;
  test::RecordingNotifier notes;
  ScopedNotifier scoped{notes};
};

TEST_F(PageFiles, relativeNames_areTakenAgainstTheMenuFolderAndPlaceholdersKeepTheText) {
  struct Case {
    const char* filename;
    const char* mainPage;  // relative to the temporary folder
    const char* subPage;
  } cases[] = {
      {"menu.htm", "menus/menu.htm", "menus/Produkte.htm"},
      {"../site/nav.htm", "site/nav.htm", "site/Produkte.htm"},
      {"", "site/abs.htm", "site/Produkte.htm"},  // absolute: stays
  };
  for (const Case& c : cases) {
    doc.Filename = *c.filename ? c.filename : dir.file("site/abs.htm");
    doc.Generate();
    const std::string sub = doc.Filename.substr(0, doc.Filename.find_last_of('/') + 1) + "Produkte.htm";
    EXPECT_EQ(ReadFile(dir.file(c.mainPage)), doc.Filename + "|" + doc.Filename + "\r\n") << c.filename;
    EXPECT_EQ(ReadFile(dir.file(c.subPage)), doc.Filename + "|" + sub + "\r\n") << c.filename;
    fs::remove(dir.file(c.mainPage));
    fs::remove(dir.file(c.subPage));
  }
  EXPECT_TRUE(notes.Messages.empty());
}

TEST_F(PageFiles, pageOverAFileOfTheMenu_isRefusedBeforeAnythingIsWritten) {
  fs::create_symlink(dir.file("menus/site.nfs"), dir.file("site/link.htm"));
  struct Case {
    std::string filename, fileext;
    std::string named;  // the page the message names
  } cases[] = {
      {menu, "", menu},                                    // the output browse proposes the menu's name
      {"site.nff", "", "site.nff"},                        // the same file, relative
      {"../site/link.htm", "", "../site/link.htm"},        // a link to the settings file
      {"v.nfv", "", "v.nfv"},                              // the variables file
      {"nav.htm", "nff", "site.nff"},                      // a sub-menu page, after the main page
  };
  doc.Items[1].Caption = "site";  // its sub-menu page is "site" + extension
  const std::string own = Own();
  for (const Case& c : cases) {
    notes.Messages.clear();
    doc.Filename = c.filename;
    doc.fileext = c.fileext;
    doc.Generate();
    EXPECT_EQ(notes.Messages, std::vector<std::string>{"Die HTML-Seite " + c.named +
                                                       " würde eine Datei des Menüs überschreiben. "
                                                       "Es wurde nichts geschrieben."_cp1252})
        << c.filename;
    EXPECT_EQ(Own(), own);
    EXPECT_FALSE(fs::exists(dir.file("menus/nav.htm")));
  }
  // A menu that was never saved has no files to lose.
  doc.MenuFile.clear();
  doc.Filename = dir.file("site/nav.htm");
  doc.fileext.clear();
  notes.Messages.clear();
  doc.Generate();
  EXPECT_TRUE(notes.Messages.empty());
  EXPECT_TRUE(fs::exists(dir.file("site/nav.htm")));
}

// Folder and file names the code page cannot hold: the menu, its companions, the
// variables file and the template root are opened by their own names; stored names
// (the set, the pages) become UTF-8 on disk.
TEST_F(PageFiles, pathsOutsideTheCodePage_workEndToEnd) {
  const std::string omega = dir.file("\xCE\xA9mega/");  // UTF-8 Omega
  test::WriteTemplateSet(omega + "Vorlagen/Gr\xC3\xBCn", {{"header.txt", "$CurrentFilename$\r\n"}});  // UTF-8 "Grün"
  doc.VariablesFile = omega + "\xE6\x96\xB0.nfv";
  doc.Variables.AddVariable("v", "1");
  doc.SaveToFile(omega + "\xE6\x97\xA5.nff");

  TovHTML back;
  back.VariablesFile = doc.VariablesFile;
  back.TemplateRoot = omega + "Vorlagen";
  back.LoadFromFile(omega + "\xE6\x97\xA5.nff");
  EXPECT_EQ(back.Items.size(), 3u);
  EXPECT_EQ(back.Variables.Vars.size(), 1u);
  back.MenuFile = omega + "\xE6\x97\xA5.nff";
  back.Template = "Gr\xFCn";
  back.Filename = "\xDC" "ber.htm";
  back.Generate();
  EXPECT_TRUE(notes.Messages.empty());
  EXPECT_EQ(ReadFile(omega + "\xC3\x9C" "ber.htm"), "\xDC" "ber.htm\r\n");
}

TEST(ForeignFile, onlyWhatNoMenuWroteIsKeptFromReplacement) {
  test::TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;
    bool foreign;
  } const cases[] = {
      {"empty", "", false},
      {"page", "<!DOCTYPE html>", false},
      {"markupAfterText", std::string(1000, 'x') + "<p>", false},
      {"text", "export PATH=/x\n", true},
      {"markupTooLate", std::string(1024, 'x') + "<p>", true},
      {"zeroByte", std::string("<p>\0", 4), true},
  };
  for (const Case& c : cases) {
    WriteFile(dir.file(c.name), c.bytes);
    EXPECT_EQ(IsForeignFile(dir.file(c.name)), c.foreign) << c.name;
  }
  EXPECT_FALSE(IsForeignFile(dir.file("missing")));
  EXPECT_FALSE(IsForeignFile(dir.path()));  // the writer reports a folder
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  EXPECT_TRUE(IsForeignFile(dir.file("pipe")));  // and opening it does not wait for a writer
}

}  // namespace
}  // namespace navforge
