// Runs of the built program that must fail with a message and exit status 1: a
// file-size limit, and output that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Runs navforge-cli through the shell, so the shell's ulimit and redirections apply.
test::CliRun Shell(const std::string& script, const std::vector<std::string>& args) {
  std::vector<std::string> all{"-c", script, NAVFORGE_BIN_DIR "/navforge-cli"};
  all.insert(all.end(), args.begin(), args.end());
  return test::RunProgram("/bin/sh", all);
}

std::string BigMenu() {
  std::string menu = "NFF 2\r\n";
  for (int i = 0; i < 2000; ++i) menu += "Eintrag " + std::to_string(i) + "\xB6" "seite.htm\xB6\xB6" "0\r\n";
  return menu;
}

TEST(Failures, fileSizeLimit_isReportedNotFatal) {
  TempDir dir;
  WriteFile(dir.file("in.nff"), BigMenu());
  WriteFile(dir.file("out.nff"), "old");
  const test::CliRun r = Shell("ulimit -f 8; exec \"$0\" \"$@\"",
                               {"resave", "--variables", dir.file("v.nfv"), dir.file("in.nff"), dir.file("out.nff")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Fehler beim Schreiben nach " + dir.file("out.nff") + "\n");
  EXPECT_EQ(ReadFile(dir.file("out.nff")), "old");
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"in.nff", "out.nff"}));  // no temporary left
}

TEST(Failures, outputThatCannotBeWritten_isAnError) {
  TempDir dir;
  WriteFile(dir.file("m.nff"), BigMenu());
  const test::CliRun ok = Shell("exec \"$0\" \"$@\" > /dev/null", {"show", "--variables", dir.file("v.nfv"), dir.file("m.nff")});
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
  const test::CliRun r = Shell("exec \"$0\" \"$@\" > /dev/full", {"show", "--variables", dir.file("v.nfv"), dir.file("m.nff")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Fehler beim Schreiben in die Standardausgabe\n");
}

}  // namespace
}  // namespace navforge
