// `navforge-cli import` on the small site in tests/data/import.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/commands.h"
#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::RunNavforgeCli;
using test::TempDir;
using test::WriteFile;

const std::string kData = NAVFORGE_SOURCE_DIR "/tests/data/import";

TEST(ParseArguments, importCommand_takesItsOptionsAndRefusesWrongUsage) {
  cli::ParseResult r = cli::ParseArguments(
      {"import", "--into", "alt.nff", "--output-page=o/nav.htm", "--replace-unmappable", "site", "neu.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.command, cli::Command::Import);
  EXPECT_EQ(r.options.menuFile, "alt.nff");
  EXPECT_EQ(r.options.outputPage, "o/nav.htm");
  EXPECT_TRUE(r.options.replaceUnmappable);
  EXPECT_EQ(r.options.siteFolder, "site");
  EXPECT_EQ(r.options.newMenuFile, "neu.nff");

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"import", "site"}, {"import", "--into", "site", "m.nff"}, {"import", "--replace-unmappable=1", "s", "m"},
           {"import", "--verbose", "s", "m"}, {"generate", "--into", "a", "m"}})
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
