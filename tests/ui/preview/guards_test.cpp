// Every path that generates refuses what the generate command refuses, with its
// message: a page over one of the menu's files, a page outside the main page's folder,
// a hidden page, a page over a file no menu wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>

#include "check/menucheck.h"
#include "core/generatememory.h"
#include "support/cp1252.h"
#include "support/cp1252literal.h"
#include "support/paths.h"
#include "testsupport/generateshown.h"
#include "testsupport/tempdir.h"
#include "ui/preview/previewbuild.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteFile;

struct GuardCase {
  const char* name;
  std::function<void(TovHTML&, const std::string& site)> setUp;
  std::string refused;     // the page refused, relative to the main page's folder
  enum { OverMenuFile, NotAFile, Hidden, OverForeignFile } why;
  int entry;               // the entry the check names (-1: the main page)
  const char* checkCode;
};

void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.name; }

const GuardCase kCases[] = {
    {"mainPageOverTheMenuFile", [](TovHTML& d, const std::string& site) { d.Filename = site + "menu.nff"; },
     "menu.nff", GuardCase::OverMenuFile, -1, "seite-ueberschreibt-menue"},
    {"subPageHardLinkedToTheVariablesFile",
     [](TovHTML& d, const std::string& site) { fs::create_hard_link(d.VariablesFile, site + "Produkte.htm"); },
     "Produkte.htm", GuardCase::OverMenuFile, 0, "seite-ueberschreibt-menue"},
    {"subPageInTheParentFolder", [](TovHTML& d, const std::string&) { d.Items[0].Caption = "../Produkte"; },
     "../Produkte.htm", GuardCase::NotAFile, 0, "kennung-mit-pfadzeichen"},
    {"subPageNamedLikeTheParentFolder",
     [](TovHTML& d, const std::string& site) {
       d.Filename = site + "menu";  // no extension, so the sub-menu page is the bare identifier
       d.Items[0].Caption = "..";
     },
     "..", GuardCase::NotAFile, 0, "seite-verlaesst-ordner"},
    {"subPageNameTooLongForTheFileSystem",
     [](TovHTML& d, const std::string&) { d.Items[0].Caption = std::string(130, '\xE4'); },  // 260 bytes in UTF-8
     std::string(130, '\xE4') + ".htm", GuardCase::NotAFile, 0, "seitenname-zu-lang"},
    {"mainPageHiddenInAnotherFolder", [](TovHTML& d, const std::string& site) { d.Filename = site + "../.bashrc"; },
     ".bashrc", GuardCase::Hidden, -1, "seite-versteckt"},
    {"subPageHidden",
     [](TovHTML& d, const std::string& site) {
       d.Filename = site + "menu";
       d.Items[0].Caption = ".htaccess";
     },
     ".htaccess", GuardCase::Hidden, 0, "seite-versteckt"},
    {"subPageOverATextFile", [](TovHTML&, const std::string& site) { WriteFile(site + "Produkte.htm", "PATH=x\n"); },
     "Produkte.htm", GuardCase::OverForeignFile, 0, "seite-ueberschreibt-fremde-datei"},
    {"mainPageOverABinaryFile",
     [](TovHTML&, const std::string& site) { WriteFile(site + "nav.htm", std::string("<\0\x01", 3)); },
     "nav.htm", GuardCase::OverForeignFile, -1, "seite-ueberschreibt-fremde-datei"},
};

class Guards : public ::testing::TestWithParam<GuardCase> {
protected:
  void SetUp() override {
    test::WriteTemplateSet(dir.file("Templates/T"),
                           {{"template.ini", "[Main]\r\nall_in_one=0\r\n"}, {"menupoint.txt", "$Linkname$"}});
    test::MakeDir(dir.file("site"));
    WriteFile(dir.file("site/menu.nff"), "NFF 2\r\n");
    WriteFile(dir.file("navforge.nfv"), "");
    doc.TemplateRoot = dir.file("Templates");
    doc.Template = "T";
    doc.MenuFile = dir.file("site/menu.nff");
    doc.VariablesFile = dir.file("navforge.nfv");
    doc.Filename = site() + "nav.htm";
    doc.InsertItem(-1, "Produkte", "", "", false);
    doc.InsertItem(-1, "Software", "soft.htm", "", true);
    GetParam().setUp(doc, site());
  }
  std::string site() const { return dir.file("site") + "/"; }
  std::string Refused() const { return ExtractFilePath(doc.Filename) + GetParam().refused; }
  std::string Expected() const {
    const std::string page = Refused();
    switch (GetParam().why) {
      case GuardCase::OverMenuFile:
        return "Die HTML-Seite " + page + " würde eine Datei des Menüs überschreiben. Es wurde nichts geschrieben."_cp1252;
      case GuardCase::Hidden:
        return "Die HTML-Seite " + page +
               " hätte einen versteckten Dateinamen (mit einem Punkt am Anfang). Es wurde nichts geschrieben."_cp1252;
      case GuardCase::OverForeignFile:
        return "Die Datei " + page +
               " gibt es schon, und sie ist keine HTML-Seite. Sie wird nicht überschrieben; es wurde nichts geschrieben."_cp1252;
      case GuardCase::NotAFile:
        break;
    }
    return "Fehler beim Erstellen der Datei " + page;
  }

  TempDir dir;
  TovHTML doc;
};

TEST_P(Guards, diskMemoryPreviewAndCheck_refuseAlike) {
  const std::string expected = Expected();
  const std::string refusedFile = Cp1252ToUtf8(Refused());
  std::error_code ec;  // a name too long for the system is no file
  const bool existed = fs::is_regular_file(refusedFile, ec);
  const std::string before = existed ? test::ReadFile(refusedFile) : "";

  GenerationResult memory = GenerateToMemory(doc);
  EXPECT_FALSE(memory.Ok);
  EXPECT_EQ(memory.Message, expected);

  auto state = std::make_shared<preview::TPreviewState>();
  state->Doc = doc;
  const preview::TPreviewBuild build(state);
  EXPECT_EQ(build.Problem.toStdString(), "Keine Vorschau: " + Cp1252ToUtf8(expected));
  EXPECT_EQ(build.Page(QStringLiteral("nav.htm")), nullptr);

  const check::Findings findings = check::CheckMenu(doc, {doc.MenuFile, ""});
  EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [&](const check::Finding& f) {
    return f.level == check::Level::Fehler && f.code == GetParam().checkCode && f.entry == GetParam().entry;
  })) << GetParam().checkCode;

  test::RecordingNotifier notes;
  ScopedNotifier scoped(notes);
  EXPECT_EQ(test::GenerateShown(doc, notes), expected);
  EXPECT_EQ(test::ReadFile(doc.MenuFile), "NFF 2\r\n");
  EXPECT_EQ(test::ReadFile(doc.VariablesFile), "");
  EXPECT_FALSE(fs::exists(dir.file("Produkte.htm")));
  EXPECT_EQ(fs::is_regular_file(refusedFile, ec), existed);
  if (existed) {
    EXPECT_EQ(test::ReadFile(refusedFile), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Refused, Guards, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace navforge
