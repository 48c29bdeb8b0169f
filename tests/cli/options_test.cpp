#include "cli/options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/commands.h"

#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge::cli {
namespace {

using test::RunNavforgeCli;
using test::TempDir;
using test::WriteFile;

TEST(ParseArguments, eachCommand_takesItsOptionsAndArguments) {
  ParseResult r = ParseArguments({"resave", "--variables", "v.nfv", "a.nff", "b.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.command, Command::Resave);
  EXPECT_EQ(r.options.variablesFile, "v.nfv");
  EXPECT_EQ(r.options.menuFile, "a.nff");
  EXPECT_EQ(r.options.newMenuFile, "b.nff");

  r = ParseArguments({"generate", "m.nff", "--verbose", "--templates=/t", "--variables=x y"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.command, Command::Generate);
  EXPECT_TRUE(r.options.verbose);
  EXPECT_EQ(r.options.templatesDir, "/t");
  EXPECT_EQ(r.options.variablesFile, "x y");
  EXPECT_EQ(r.options.menuFile, "m.nff");
  EXPECT_FALSE(r.options.stats);
  r = ParseArguments({"generate", "--stats", "m.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(r.options.stats);
  EXPECT_FALSE(r.options.verbose);

  r = ParseArguments({"check", "--strict", "--format", "json", "--templates=/t", "m.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.command, Command::Check);
  EXPECT_TRUE(r.options.strict);
  EXPECT_EQ(r.options.format, Format::Json);
  EXPECT_EQ(r.options.templatesDir, "/t");
  EXPECT_EQ(r.options.menuFile, "m.nff");
  r = ParseArguments({"check", "m.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_FALSE(r.options.strict);
  EXPECT_EQ(r.options.format, Format::Text);

  r = ParseArguments({"apply", "--site", "/s", "--dry-run", "m.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.command, Command::Apply);
  EXPECT_EQ(r.options.siteFolder, "/s");
  EXPECT_TRUE(r.options.dryRun);
  EXPECT_FALSE(r.options.checkOnly);
  EXPECT_EQ(r.options.menuFile, "m.nff");

  r = ParseArguments({"show", "--", "--odd name.nff"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.menuFile, "--odd name.nff");
  EXPECT_TRUE(r.options.variablesFile.empty());

  r = ParseArguments({"show", "\xFC\xB6.nff"});  // bytes pass through unchanged
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.options.menuFile, "\xFC\xB6.nff");

  for (auto args : std::vector<std::vector<std::string>>{{"--help"}, {"show", "-h"}, {"bogus", "--help"}}) {
    r = ParseArguments(args);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.options.command, Command::Help);
  }
}

TEST(ParseArguments, wrongUsage_isAnErrorWithAReason) {
  const std::vector<std::vector<std::string>> bad{
      {},
      {"convert", "a"},
      {"resave", "a.nff"},
      {"resave", "a", "b", "c"},
      {"show"},
      {"show", "a", "b"},
      {"show", "--verbose", "a"},           // generate only
      {"resave", "--templates", "t", "a", "b"},
      {"show", "--variables"},              // value missing
      {"show", "--variables=", "a"},
      {"generate", "--verbose=yes", "a"},
      {"generate", "--colour", "a"},
      {"check", "--format", "xml", "a"},
      {"check", "--format"},
      {"check", "--strict=1", "a"},
      {"generate", "--strict", "a"},        // check only
      {"generate", "--stats=yes", "a"},
      {"check", "--stats", "a"},            // generate only
      {"check", "a", "b"},
      {"apply", "--dry-run", "--check", "a"},  // one or the other
      {"apply", "--strict", "a"},
      {"generate", "--site", "s", "a"},       // apply only
  };
  for (const auto& args : bad) {
    ParseResult r = ParseArguments(args);
    EXPECT_FALSE(r.ok) << (args.empty() ? "(none)" : args[0]);
    EXPECT_FALSE(r.error.empty());
  }
}

TEST(Run, show_printsEntriesWithTheirLevelsSettingsAndVariablesInUtf8) {
  TempDir dir;
  WriteFile(dir.file("m.nff"), "NFF 2\r\nHome\xB6index.htm\xB6\xB6" "0\r\n\xDC" "ber &PARA;\xB6u.htm\xB6\xB6" "1\r\n"
                               "Team\xB6t.htm\xB6\xB6" "1\xB6" "2\r\nLeitung\xB6l.htm\xB6\xB6" "1\xB6" "3\r\n");
  WriteFile(dir.file("m.nfs"), "[Main]\r\nTextColor=255\r\nLinkColor=$00EFCDAB\r\nTitle=Gr\xFC\xDF" "e\r\n");
  WriteFile(dir.file("v.nfv"), "$Title$\xB6Men\xFC\r\n");
  CliOptions o;
  o.command = Command::Show;
  o.menuFile = dir.file("m.nff");
  o.variablesFile = dir.file("v.nfv");
  std::ostringstream out, err;
  EXPECT_EQ(cli::Run(o, out, err), kExitOk);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(out.str(),
            "[Entries]\nHome\n- \xC3\x9C" "ber \xC2\xB6\n- - Team\n- - - Leitung\n"
            "[Settings]\nTextColor=clRed\nBackgroundColor=clNone\nLinkColor=$00EFCDAB\nALinkColor=clNone\n"
            "VLinkColor=clNone\nHoverColor=clNone\nFirstLetterColor=clNone\nTitle=Gr\xC3\xBC\xC3\x9F" "e\nFont=\n"
            "FontSize=\nSubmenuFont=\nSubmenuFontSize=\nSubmenuLeftMargin=\nBackgroundImage=\nTemplate=\n"
            "Filename=\nhr=<hr>\nfileext=\n"
            "[Variables]\nTitle=Men\xC3\xBC\n");
}

TEST(Run, failures_giveExitOneWithTheMessage) {
  TempDir dir;
  CliOptions o;
  o.command = Command::Show;
  o.menuFile = dir.file("none.nff");
  o.variablesFile = dir.file("v.nfv");
  std::ostringstream out, err;
  EXPECT_EQ(cli::Run(o, out, err), kExitFailed);
  EXPECT_EQ(err.str(), "Kann Datei " + dir.file("none.nff") + " nicht öffnen\n");

  WriteFile(dir.file("m.nff"), "NFF 2\r\n");
  WriteFile(dir.file("m.nfs"), "[Main]\r\nHoverColor=lila\r\n");
  o.menuFile = dir.file("m.nff");
  std::ostringstream out2, err2;
  EXPECT_EQ(cli::Run(o, out2, err2), kExitFailed);
  EXPECT_EQ(err2.str(), "'lila' is not a valid integer value\n");
  EXPECT_EQ(out2.str(), "");
}

TEST(Run, generateWithShownMessage_reportsFailure) {
  TempDir dir;
  WriteFile(dir.file("m.nff"), "NFF 2\r\nA\xB6" "a.htm\xB6\xB6" "0\r\n");  // no output file name
  CliOptions o;
  o.command = Command::Generate;
  o.menuFile = dir.file("m.nff");
  o.variablesFile = dir.file("v.nfv");
  o.templatesDir = dir.file("Templates");
  std::ostringstream out, err;
  EXPECT_EQ(cli::Run(o, out, err), kExitFailed);
  EXPECT_EQ(err.str(), "Kein Dateiname zum Speichern angegeben\n");
}

TEST(Program, helpAndWrongUsage_giveUsageAndExitCodes) {
  test::CliRun help = RunNavforgeCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("navforge-cli resave [--variables FILE] MENUFILE NEWMENUFILE"), std::string::npos);
  EXPECT_EQ(help.err, "");

  test::CliRun wrong = RunNavforgeCli({"resave", "only-one.nff"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_EQ(wrong.out, "");
  EXPECT_NE(wrong.err.find("Usage:"), std::string::npos);

  TempDir dir;
  test::CliRun failed = RunNavforgeCli({"show", "--variables", dir.file("v.nfv"), dir.file("\xFC.nff")});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.err, "Kann Datei " + dir.file("\xC3\xBC.nff") + " nicht öffnen\n");
}

TEST(Program, defaultVariablesFile_liesBesideTheProgram) {
  // A copy of the program in a folder of its own reads and writes navforge.nfv there.
  TempDir dir;
  test::MakeDir(dir.file("bin"));
  std::filesystem::copy_file(NAVFORGE_BIN_DIR "/navforge-cli", dir.file("bin/navforge-cli"));
  std::filesystem::permissions(dir.file("bin/navforge-cli"), std::filesystem::perms::owner_all);
  WriteFile(dir.file("bin/navforge.nfv"), "x\xB6y\r\n");
  WriteFile(dir.file("navforge.nfv"), "not\xB6this\r\n");
  WriteFile(dir.file("m.nff"), "NFF 2\r\n");
  test::CliRun run = test::RunProgram(dir.file("bin/navforge-cli"), {"resave", "m.nff", "n.nff"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(test::ReadFile(dir.file("n.nff")), "NFF 2\r\n");
  EXPECT_EQ(test::ReadFile(dir.file("bin/navforge.nfv")), "x\xB6y\r\n");
  test::CliRun show = test::RunProgram(dir.file("bin/navforge-cli"), {"show", "n.nff"}, dir.path());
  EXPECT_NE(show.out.find("[Variables]\nx=y\n"), std::string::npos) << show.out;
}

}  // namespace
}  // namespace navforge::cli
