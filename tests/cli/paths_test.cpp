// navforge-cli with the menu in another folder and with names outside Windows-1252.
#include <gtest/gtest.h>

#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::RunNavforgeCli;
using test::WriteFile;

// A relative output file name is taken against MENUFILE's folder, whichever folder
// the program runs in; the page shows the name as entered.
TEST(CliPaths, relativeOutputName_landsBesideTheMenu) {
  test::TempDir dir;
  test::WriteTemplateSet(dir.file("T/S"), {{"header.txt", "$FileName$\r\n"}});
  test::MakeDir(dir.file("menus/out"));
  test::MakeDir(dir.file("elsewhere"));
  WriteFile(dir.file("menus/m.nff"), "NFF 2\r\n");
  WriteFile(dir.file("menus/m.nfs"), "[Main]\r\nTemplate=S\r\nFilename=out/nav.htm\r\n");
  for (const std::string& menu : {dir.file("menus/m.nff"), std::string("../menus/m.nff")}) {
    test::CliRun run = RunNavforgeCli({"generate", "--templates", dir.file("T"), "--variables", dir.file("v.nfv"), menu},
                                      dir.file("elsewhere"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(dir.file("menus/out/nav.htm")), "out/nav.htm\r\n") << menu;
    EXPECT_EQ(ReadFile(dir.file("elsewhere/out/nav.htm")), "");
    std::remove(dir.file("menus/out/nav.htm").c_str());
  }
}

// Arguments are file-system names: "新.nff" is written as that name, "日本.nff" is read.
TEST(CliPaths, namesOutsideTheCodePage_areUsedAsGiven) {
  test::TempDir dir;
  const std::string menu = "men\xC3\xBC.nff", neu = "\xE6\x96\xB0.nff", japan = "\xE6\x97\xA5\xE6\x9C\xAC.nff";
  WriteFile(dir.file(menu), "NFF 2\r\nHome\xB6h.htm\xB6\xB6" "0\r\n");
  test::CliRun resave = RunNavforgeCli({"resave", "--variables", "v.nfv", menu, neu}, dir.path());
  EXPECT_EQ(resave.exitCode, 0) << resave.err;
  EXPECT_EQ(ReadFile(dir.file(neu)), "NFF 2\r\nHome\xB6h.htm\xB6\xB6" "0\r\n");
  EXPECT_NE(ReadFile(dir.file("\xE6\x96\xB0.nfs")), "");

  WriteFile(dir.file(japan), "NFF 2\r\nStart\xB6s.htm\xB6\xB6" "0\r\n");
  test::CliRun show = RunNavforgeCli({"show", "--variables", "v.nfv", japan}, dir.path());
  EXPECT_EQ(show.exitCode, 0) << show.err;
  EXPECT_EQ(show.out.rfind("[Entries]\nStart\n", 0), 0u) << show.out;

  test::CliRun missing = RunNavforgeCli({"show", "--variables", "v.nfv", "\xCE\xA9.nff"}, dir.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Kann Datei \xCE\xA9.nff nicht öffnen\n");
}

}  // namespace
}  // namespace navforge
