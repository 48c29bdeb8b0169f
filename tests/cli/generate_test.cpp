// `navforge-cli generate` on a small template set of its own.
#include <gtest/gtest.h>

#include <sstream>

#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::RunNavforgeCli;
using test::TempDir;
using test::WriteFile;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

class Generate : public ::testing::Test {
protected:
  void SetUp() override {
    test::WriteTemplateSet(dir.file("Templates/Set"), {{"template.ini", "[Main]\r\nall_in_one=0\r\n"},
                                                       {"header.txt", "<h>$Title$</h>\n"},
                                                       {"footer.txt", "<f>\n"},
                                                       {"menupoint.txt", "<a href=\"$Link$\">$Caption$</a>\n"},
                                                       {"activemenupoint.txt", "<b>$Caption$</b>$submenu$\n"},
                                                       {"SubmenuPoint.txt", "<i>$Caption$</i>\n"}});
    test::MakeDir(dir.file("site"));
    WriteFile(dir.file("m.nff"),
              "NFF 2\r\nHome\xB6index.htm\xB6\xB6" "0\r\nProdukte\xB6p.htm\xB6\xB6" "0\r\nA\xB6" "a.htm\xB6\xB6" "1\r\n"
              "Hilfe\xB6h.htm\xB6\xB6" "0\r\nB\xB6" "b.htm\xB6\xB6" "1\r\n");
  }
  void Settings(const std::string& filename) {
    WriteFile(dir.file("m.nfs"), "[Main]\r\nTemplate=Set\r\nTitle=Men\xFC\r\nFilename=" + filename + "\r\nfileext=htm\r\n");
  }
  test::CliRun Run(std::vector<std::string> extra) {
    std::vector<std::string> args{"generate", "--templates", dir.file("Templates"), "--variables", dir.file("v.nfv")};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(dir.file("m.nff"));
    return RunNavforgeCli(args);
  }
  TempDir dir;
};

TEST_F(Generate, verbose_listsEveryPageWritten) {
  Settings(dir.file("site/menu.htm"));
  test::CliRun run = Run({"--verbose"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::vector<std::string> pages = LinesOf(run.out);
  // The main page, then one page for each of the two main entries with sub-entries.
  ASSERT_EQ(pages.size(), 3u) << run.out;
  EXPECT_EQ(pages[0], dir.file("site/menu.htm"));
  for (const std::string& page : pages) EXPECT_NE(ReadFile(page), "") << page;
  EXPECT_NE(ReadFile(pages[0]).find("Men\xFC"), std::string::npos);
}

TEST_F(Generate, verboseListThatCannotBeWritten_isAnError) {
  Settings(dir.file("site/menu.htm"));
  const test::CliRun run = test::RunProgram(
      "/bin/sh", {"-c", "exec \"$0\" \"$@\" > /dev/full", NAVFORGE_BIN_DIR "/navforge-cli", "generate", "--templates",
                  dir.file("Templates"), "--variables", dir.file("v.nfv"), "--verbose", dir.file("m.nff")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Fehler beim Schreiben in die Standardausgabe\n");
  EXPECT_NE(ReadFile(dir.file("site/menu.htm")), "");
}

TEST_F(Generate, stats_countThePagesAndBytesWritten) {
  Settings(dir.file("site/menu.htm"));
  test::CliRun run = Run({"--verbose", "--stats"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = LinesOf(run.out);
  ASSERT_EQ(lines.size(), 4u) << run.out;
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < 3; ++i) bytes += ReadFile(lines[i]).size();
  const std::string expected = "Seiten: 3, Bytes: " + std::to_string(bytes) + ", Zeit: ";
  EXPECT_EQ(lines[3].substr(0, expected.size()), expected) << lines[3];
  EXPECT_NE(lines[3].find(" s, Schreiben allein: "), std::string::npos) << lines[3];
}

TEST_F(Generate, quietRun_printsNothing) {
  Settings(dir.file("site/menu.htm"));
  test::CliRun run = Run({});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(ReadFile(dir.file("site/menu.htm")), "");
}

TEST_F(Generate, programsOwnMessageOrFileError_giveExitOne) {
  Settings("");
  test::CliRun noName = Run({});
  EXPECT_EQ(noName.exitCode, 1);
  EXPECT_EQ(noName.err, "Kein Dateiname zum Speichern angegeben\n");

  Settings(dir.file("no/such/folder/menu.htm"));
  test::CliRun noFolder = Run({"--verbose"});
  EXPECT_EQ(noFolder.exitCode, 1);
  EXPECT_EQ(noFolder.err, "Fehler beim Erstellen der Datei " + dir.file("no/such/folder/menu.htm") + "\n");
  EXPECT_EQ(noFolder.out, "");
}

}  // namespace
}  // namespace navforge
