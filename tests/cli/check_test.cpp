// `navforge-cli check` on the example site and on a copy with three planted faults.
#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RunNavforgeCli;
using test::TempDir;
using test::WriteFile;

// The example copied as it lies in the source tree, with its content pages where its
// output file name puts the menu (build/beispiel/, taken against examples/beispiel/).
class CheckExample : public ::testing::Test {
protected:
  void SetUp() override {
    const fs::path example = fs::path(NAVFORGE_SOURCE_DIR) / "examples/beispiel";
    fs::create_directories(dir.file("build/beispiel"));
    fs::create_directories(dir.file("examples/beispiel"));
    for (const auto& e : fs::directory_iterator(example)) {
      fs::copy_file(e.path(), dir.file("examples/beispiel/" + e.path().filename().string()));
      if (e.path().extension() != ".nff" && e.path().extension() != ".nfs")
        fs::copy_file(e.path(), dir.file("build/beispiel/" + e.path().filename().string()));
    }
  }
  void Replace(const std::string& from, const std::string& to) {
    std::string menu = ReadFile(dir.file("examples/beispiel/site.nff"));
    const std::size_t at = menu.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    WriteFile(dir.file("examples/beispiel/site.nff"), menu.replace(at, from.size(), to));
  }
  test::CliRun Check(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"check", "--templates", NAVFORGE_BIN_DIR "/Templates", "--variables", dir.file("v.nfv")};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back("examples/beispiel/site.nff");
    return RunNavforgeCli(args, dir.path());
  }
  TempDir dir;
};

TEST_F(CheckExample, exampleSite_checksClean) {
  const test::CliRun run = Check({"--strict"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Check({"--format", "json"}).out, "[]\n");
}

TEST_F(CheckExample, brokenLinkDuplicateCaptionAndSlash_giveExactlyThoseFindings) {
  Replace("Aktuelles\xB6" "aktuelles.htm", "Aktuelles\xB6" "aktuell.htm");
  Replace("Hardware\xB6", "Unterst\xFCtzung\xB6");  // the group after it becomes Unterstützung2
  Replace("Produkte\xB6", "Produkte/Angebote\xB6");
  const std::string missing = fs::canonical(dir.path()).string() + "/build/beispiel/aktuell.htm";

  test::CliRun run = Check();
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.out,
            "Fehler: Eintrag 3 \"Produkte/Angebote\": Die Beschriftung enthält „/“: die Seite des Untermenüs, nach "
            "ihr benannt, landet in einem anderen Ordner oder wird gar nicht geschrieben.\n"
            "Warnung: Eintrag 2 \"Aktuelles\": Das Linkziel „aktuell.htm“ gibt es nicht (gesucht: „" + missing + "“).\n"
            "Warnung: Eintrag 7 \"Unterstützung\": Die Beschriftung „Unterstützung“ gibt es schon (Eintrag 6); die "
            "Kennung dieses Eintrags wird „Unterstützung2“.\n");

  run = Check({"--format=json"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "[\n {\"level\": \"Fehler\", \"code\": \"kennung-mit-pfadzeichen\", \"entry\": 3, \"caption\": "
            "\"Produkte/Angebote\", \"message\": \"Die Beschriftung enthält „/“: die Seite des Untermenüs, nach ihr "
            "benannt, landet in einem anderen Ordner oder wird gar nicht geschrieben.\"},\n"
            " {\"level\": \"Warnung\", \"code\": \"link-ziel-fehlt\", \"entry\": 2, \"caption\": \"Aktuelles\", "
            "\"message\": \"Das Linkziel „aktuell.htm“ gibt es nicht (gesucht: „" + missing + "“).\"},\n"
            " {\"level\": \"Warnung\", \"code\": \"doppelte-beschriftung\", \"entry\": 7, \"caption\": \"Unterstützung\", "
            "\"message\": \"Die Beschriftung „Unterstützung“ gibt es schon (Eintrag 6); die Kennung dieses Eintrags "
            "wird „Unterstützung2“.\"}\n]\n");
}

TEST_F(CheckExample, warningsOnly_failOnlyWithStrict) {
  Replace("Aktuelles\xB6" "aktuelles.htm", "Aktuelles\xB6" "aktuell.htm");
  EXPECT_EQ(Check().exitCode, 0);
  const test::CliRun strict = Check({"--strict"});
  EXPECT_EQ(strict.exitCode, 1);
  EXPECT_NE(strict.out.find("Warnung: Eintrag 2"), std::string::npos);
  EXPECT_EQ(RunNavforgeCli({"check", "--format", "xml", "site.nff"}, dir.path()).exitCode, 2);
}

TEST_F(CheckExample, hinweiseOnly_passEvenWithStrict) {
  WriteFile(dir.file("build/beispiel/index.htm"), "<title>Start</title>");  // the folder's own page, unlinked
  const test::CliRun strict = Check({"--strict"});
  EXPECT_EQ(strict.exitCode, 0);
  EXPECT_EQ(strict.out.rfind("Hinweis: Eintrag 1 \"Startseite\": Die Seite „index.htm“", 0), 0u) << strict.out;
  EXPECT_NE(Check({"--format", "json"}).out.find("{\"level\": \"Hinweis\", \"code\": \"ordnerseite-unverlinkt\""),
            std::string::npos);
}

}  // namespace
}  // namespace navforge
