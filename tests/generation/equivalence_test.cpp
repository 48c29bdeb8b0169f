// navforge-cli generate on random menus, template sets and variables, against the plain
// reading of tests/testsupport/generationmodel: every page on disk byte for byte, and
// a failing run where the model's run stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "persist/menufile.h"
#include "support/fsname.h"
#include "testsupport/generationmodel.h"
#include "testsupport/runcli.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;
using test::GenerationCase;
using test::MakeDir;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The menu, settings and variables files navforge-cli reads the case from.
void WriteMenuFiles(const GenerationCase& c, const TempDir& dir) {
  TMenutree items;
  for (const test::ModelEntry& e : c.Items) items.push_back(TMTItem{e.Caption, e.Link, e.Target, "", e.Sub});
  SaveItems(items, dir.file("m.nff"));
  SaveSettings(c.Format, dir.file("m.nfs"));
  std::string vars;
  // A name of "$" alone loads as the empty name.
  for (const auto& [name, value] : c.Vars) vars += (name.empty() ? "$" : name) + "\xB6" + value + "\r\n";
  WriteFile(dir.file("v.nfv"), vars);
}

TEST(GenerateEquivalence, randomMenusSetsAndVariables_giveTheModelsPages) {
  int pagesCompared = 0, subPages = 0, allInOne = 0, utf8 = 0;
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TempDir dir;
    MakeDir(dir.file("site"));
    const GenerationCase c = test::RandomGenerationCase(seed, dir.file("site") + "/", true);
    test::WriteTemplateSet(dir.file("Templates/Set"), test::SetFilesOnDisk(c));
    WriteMenuFiles(c, dir);
    const test::ModelRun model = test::ModelGenerate(c);

    const test::CliRun run = test::RunNavforgeCli({"generate", "--templates", dir.file("Templates"), "--variables",
                                                  dir.file("v.nfv"), dir.file("m.nff")});
    EXPECT_EQ(run.exitCode, model.Fails || model.Refused ? 1 : 0) << run.err;
    std::map<std::string, std::string> actual;
    for (const auto& e : fs::directory_iterator(dir.file("site")))
      actual[FromFsName(e.path().string())] = ReadFile(e.path().string());
    const std::map<std::string, std::string> expected = test::FinalPages(model);
    EXPECT_EQ(actual.size(), expected.size());
    for (const auto& [path, text] : expected) {
      ASSERT_TRUE(actual.count(path)) << "no page " << path;
      EXPECT_EQ(actual[path], text) << path;
      ++pagesCompared;
    }
    subPages += std::max(static_cast<int>(expected.size()) - 1, 0);
    allInOne += model.AllInOne;
    utf8 += model.Utf8;
    if (::testing::Test::HasFailure()) break;
  }
  // The cases must reach sub-menu pages, or the comparison proves little.
  EXPECT_GT(subPages, 20);
  EXPECT_GT(pagesCompared, 60);
  EXPECT_GT(allInOne, 5);
  EXPECT_GT(utf8, 5);
}

}  // namespace
}  // namespace navforge
