// `navforge-cli import` on the small site in tests/data/import.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "cli/commands.h"
#include "support/strutil.h"
#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunNavforgeCli;
using test::TempDir;
using test::WriteFile;

const std::string kData = NAVFORGE_SOURCE_DIR "/tests/data/import";

TEST(ParseArguments, importCommand_takesItsOptionsAndRefusesWrongUsage) {
  cli::ParseResult r = cli::ParseArguments({"import", "--into", "alt.nff", "--output-page=o/nav.htm",
                                            "--replace-unmappable", "--target", "inhalt", "site", "neu.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.command, cli::Command::Import);
  EXPECT_EQ(r.options.menuFile, "alt.nff");
  EXPECT_EQ(r.options.outputPage, "o/nav.htm");
  EXPECT_TRUE(r.options.replaceUnmappable);
  EXPECT_EQ(r.options.siteFolder, "site");
  EXPECT_EQ(r.options.newMenuFile, "neu.nff");
  EXPECT_EQ(r.options.target, "inhalt");
  r = cli::ParseArguments({"import", "--set=Rahmen", "site", "neu.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.templateSet, "Rahmen");

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"import", "site"}, {"import", "--into", "site", "m.nff"}, {"import", "--replace-unmappable=1", "s", "m"},
           {"import", "--verbose", "s", "m"}, {"generate", "--into", "a", "m"},
           {"import", "--into", "a.nff", "--set", "Liste", "s", "m"},  // --into keeps its menu's set
           {"import", "--target=", "s", "m"}, {"check", "--set", "Liste", "m"}})
    EXPECT_FALSE(cli::ParseArguments(bad).ok) << bad[1];
}

class Import : public ::testing::Test {
protected:
  test::CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"import", "--templates", NAVFORGE_SOURCE_DIR "/templates", "--variables",
                               dir.file("v.nfv")});
    return RunNavforgeCli(args);
  }
  TempDir dir;
};

TEST_F(Import, site_givesTheExpectedMenu) {
  const test::CliRun run = Run({kData + "/site", dir.file("m.nff")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(dir.file("m.nff")), ReadFile(kData + "/expected.nff"));
  const std::string settings = ReadFile(dir.file("m.nfs"));
  EXPECT_NE(settings.find("Template=Aufklappen\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("Filename=" + kData + "/site/navigation.htm\r\n"), std::string::npos) << settings;

  // A new menu never replaces an existing one.
  WriteFile(dir.file("m.nff"), "NFF 2\r\n");
  const test::CliRun again = Run({kData + "/site", dir.file("m.nff")});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_EQ(ReadFile(dir.file("m.nff")), "NFF 2\r\n");
}

TEST_F(Import, into_addsNewPagesAndReportsMissingOnes) {
  const std::string site = dir.file("site");
  std::filesystem::copy(kData + "/site", site, std::filesystem::copy_options::recursive);
  ASSERT_EQ(Run({"--output-page", site + "/navigation.htm", site, dir.file("m.nff")}).exitCode, 0);
  const std::string before = ReadFile(dir.file("m.nff"));

  std::filesystem::remove(site + "/produkte/software.htm");
  WriteFile(site + "/service/oeffnungszeiten.htm", "<title>\xC3\x96""ffnungszeiten</title>");
  WriteFile(site + "/neu.htm", "<title>Neu</title>");
  // The pages this menu's generation writes are never imported.
  const test::CliRun generated = RunNavforgeCli({"generate", "--templates", NAVFORGE_SOURCE_DIR "/templates",
                                                 "--variables", dir.file("v.nfv"), dir.file("m.nff")});
  ASSERT_EQ(generated.exitCode, 0) << generated.err;
  ASSERT_TRUE(std::filesystem::exists(site + "/service.htm"));

  const test::CliRun run = Run({"--into", dir.file("m.nff"), site, dir.file("m.nff")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "Seite fehlt:  - Software -> produkte/software.htm\n"
            "Hinzugefügt: Neu -> neu.htm\n"
            "Hinzugefügt:  - Öffnungszeiten -> service/oeffnungszeiten.htm\n");
  const std::string fragen = "H\xE4ufige Fragen\xB6service/fragen.htm\xB6\xB6" "1\r\n";
  std::string expected = before;
  expected.insert(expected.find(fragen) + fragen.size(), "\xD6""ffnungszeiten\xB6service/oeffnungszeiten.htm\xB6\xB6" "1\r\n");
  expected += "Neu\xB6neu.htm\xB6\xB6" "0\r\n";
  EXPECT_EQ(ReadFile(dir.file("m.nff")), expected);
}

// The local files a page links to (href and src), resolved from its folder.
std::vector<fs::path> LinkedFiles(const fs::path& page) {
  const std::string text = ReadFile(page.string());
  static const std::regex kLink(R"((?:href|src)="([^"#?]*)[^"]*")");
  std::vector<fs::path> files;
  for (std::sregex_iterator it(text.begin(), text.end(), kLink), end; it != end; ++it) {
    const std::string link = (*it)[1];
    if (link.empty() || link.find(':') != std::string::npos || link[0] == '/') continue;
    files.push_back((page.parent_path() / PercentDecode(link)).lexically_normal());
  }
  return files;
}

// Every page reached from the main page by following links, pages of the menu included.
std::set<std::string> Reachable(const fs::path& mainPage, const fs::path& site) {
  std::set<std::string> reached{mainPage.lexically_relative(site).generic_string()};
  std::vector<fs::path> todo{mainPage};
  while (!todo.empty()) {
    const fs::path page = todo.back();
    todo.pop_back();
    for (const fs::path& file : LinkedFiles(page))
      if (fs::is_regular_file(file) && reached.insert(file.lexically_relative(site).generic_string()).second)
        todo.push_back(file);
  }
  return reached;
}

// A new user's first run: import with a set, generate, click through. Whatever the kind
// of set, no page of the site may be left where no menu page leads.
TEST_F(Import, withEachShippedSet_everyPageOfTheSiteStaysReachable) {
  const std::set<std::string> pages{"index.htm", "01-aktuelles.htm", "2_kontakt.html", "\xC3\x84rzte.htm",
                                    "ohne_titel.htm", "produkte/index.html", "produkte/hardware.htm",
                                    "produkte/software.htm", "produkte/zubehoer/index.htm",
                                    "produkte/zubehoer/kabel.htm", "service/1-anfahrt.htm", "service/fragen.htm",
                                    "impressum.php", "zebra.shtml"};
  int sets = 0;
  for (const auto& set : fs::directory_iterator(NAVFORGE_SOURCE_DIR "/templates")) {
    if (!set.is_directory()) continue;
    const std::string name = set.path().filename().string();
    SCOPED_TRACE(name);
    ++sets;
    const std::string site = dir.file(name);
    fs::copy(kData + "/site", site, fs::copy_options::recursive);
    const test::CliRun imported = Run({"--set", name, site, dir.file(name + ".nff")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const test::CliRun generated = RunNavforgeCli({"generate", "--templates", NAVFORGE_SOURCE_DIR "/templates",
                                                   "--variables", dir.file("v.nfv"), dir.file(name + ".nff")});
    ASSERT_EQ(generated.exitCode, 0) << generated.err;
    const std::set<std::string> reached = Reachable(fs::path(site) / "navigation.htm", site);
    for (const std::string& page : pages) EXPECT_TRUE(reached.count(page)) << page;
  }
  EXPECT_GE(sets, 6);  // the loop ran over the shipped sets, new ones included
}

// A site of frames: new entries open in the frame beside the menu, as the site's frame
// page names it or as --target says; without either, the check stops the empty targets.
TEST_F(Import, framesSet_targetsFromTheFramePageOrTarget) {
  const std::string site = dir.file("site");
  test::MakeDir(site);
  WriteFile(site + "/a.htm", "<title>A</title>");
  WriteFile(site + "/b.htm", "<title>B</title>");
  const auto targets = [&](const std::string& menu) {
    std::vector<std::string> found;
    const std::string text = ReadFile(dir.file(menu));
    static const std::regex kEntry("\xB6[^\xB6]*\xB6([^\xB6]*)\xB6[01]\r\n");
    for (std::sregex_iterator it(text.begin(), text.end(), kEntry), end; it != end; ++it) found.push_back((*it)[1]);
    return found;
  };

  test::CliRun run = Run({"--set", "rahmen", "--target", "haupt", site, dir.file("ziel.nff")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(ReadFile(dir.file("ziel.nfs")).find("Template=rahmen\r\n"), std::string::npos);
  EXPECT_EQ(targets("ziel.nff"), (std::vector<std::string>{"haupt", "haupt"}));

  run = Run({"--set", "Rahmen", site, dir.file("leer.nff")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(targets("leer.nff"), (std::vector<std::string>{"", ""}));
  EXPECT_NE(run.err.find("Warnung: das Menütemplate „Rahmen“ schreibt das Ziel"), std::string::npos) << run.err;
  const test::CliRun check = RunNavforgeCli({"check", "--strict", "--templates", NAVFORGE_SOURCE_DIR "/templates",
                                             "--variables", dir.file("v.nfv"), dir.file("leer.nff")});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.out.find("target=\"\""), std::string::npos) << check.out;

  WriteFile(site + "/rahmen.htm", "<iframe src=\"navigation.htm\" name=\"menue\"></iframe><iframe name=\"inhalt\" src=\"a.htm\"></iframe>");
  run = Run({"--set", "Rahmen", site, dir.file("rahmen.nff")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(targets("rahmen.nff"), (std::vector<std::string>{"inhalt", "inhalt", "inhalt"}));
  EXPECT_NE(run.err.find("Hinweis: neue Einträge öffnen im Frame „inhalt“ neben dem Menü in " + site + "/rahmen.htm"),
            std::string::npos)
      << run.err;

  run = Run({"--set", "Gibtsnicht", site, dir.file("nichts.nff")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("„Gibtsnicht“ gibt es nicht. Vorhanden: "), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(dir.file("nichts.nff")));
}

TEST_F(Import, unmappableTitles_onlyWhenConfirmed) {
  test::MakeDir(dir.file("site"));
  WriteFile(dir.file("site/a.htm"), "<title>Pfeil \xE2\x86\x92 rechts</title>");
  test::CliRun run = Run({dir.file("site"), dir.file("m.nff")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("a.htm: Pfeil ? rechts"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("m.nff")));

  run = Run({"--replace-unmappable", dir.file("site"), dir.file("m.nff")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(dir.file("m.nff")), "NFF 2\r\nPfeil ? rechts\xB6" "a.htm\xB6\xB6" "0\r\n");
}

}  // namespace
}  // namespace navforge
