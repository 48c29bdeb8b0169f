// navforge-cli apply through the built program: its lines and exit codes for build scripts.
#include <gtest/gtest.h>

#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge::cli {
namespace {

using test::RunNavforgeCli;
using test::WriteFile;

TEST(Apply, linesAndExitCodesSayWhetherTheSiteIsInStep) {
  test::TempDir dir;
  test::WriteTemplateSet(dir.file("T/S"), {{"header.txt", "<!-- navforge -->\n<nav><ul>"},
                                           {"footer.txt", "</ul></nav>\n<!-- /navforge -->"},
                                           {"menupoint.txt", "<li><a href=\"$Link$\"$Current$>$Linkname$</a></li>"}});
  test::MakeDir(dir.file("site"));
  WriteFile(dir.file("site/m.nff"), "NFF 2\r\nStart\xB6index.html\xB6\xB6" "0\r\n");
  WriteFile(dir.file("site/m.nfs"), "[Main]\r\nTemplate=S\r\nFilename=nav.htm\r\n");
  const std::string page = "<p>x</p>\n<!-- navforge -->\n<!-- /navforge -->\n";
  WriteFile(dir.file("site/index.html"), page);
  // Run from another folder: the site is the output file's folder, taken against the menu's.
  const auto apply = [&](std::vector<std::string> options) {
    std::vector<std::string> args{"apply", "--templates", dir.file("T"), "--variables", dir.file("v.nfv")};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("site/m.nff");
    return RunNavforgeCli(args, dir.path());
  };
  struct Step {
    std::vector<std::string> options;
    int exitCode;
    const char* firstLine;
    bool written;
  } const steps[] = {
      {{"--check"}, 1, "Würde geändert: index.html", false},
      {{"--dry-run"}, 0, "Würde geändert: index.html", false},
      {{}, 0, "Menü eingesetzt: index.html", true},
      {{"--check"}, 0, "1 Seiten mit Markierung: 0 zu ändern, 1 unverändert, 0 mit Fehler.", true},
  };
  for (const Step& s : steps) {
    const test::CliRun run = apply(s.options);
    EXPECT_EQ(run.exitCode, s.exitCode) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), s.firstLine);
    EXPECT_EQ(test::ReadFile(dir.file("site/index.html")) != page, s.written);
  }
  EXPECT_NE(test::ReadFile(dir.file("site/index.html")).find("<a href=\"index.html\" aria-current=\"page\">Start</a>"),
            std::string::npos);
}

}  // namespace
}  // namespace navforge::cli
