// Generation in process on random menus and template sets, against the plain reading of
// tests/testsupport/generationmodel: the pages reported, the files on disk and where a
// generation stops must be the model's, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/generatememory.h"
#include "core/menudocument.h"
#include "support/errors.h"
#include "support/fsname.h"
#include "testsupport/generationmodel.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;

// An old page of size bytes, as a menu would have written it (a "<" first).
std::string OldPage(std::size_t size) { return size ? "<" + std::string(size - 1, 'o') : ""; }

TEST(GenerateAgainstPlainReading, randomMenusAndSets_giveIdenticalPages) {
  int subPages = 0, allInOne = 0, utf8 = 0, failing = 0, refused = 0;
  for (unsigned seed = 1; seed <= 600; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    test::TempDir dir;
    const std::string out = dir.file("out");
    test::MakeDir(out);
    const test::GenerationCase c = test::RandomGenerationCase(seed, out + "/", false);
    test::WriteTemplateSet(dir.file("Templates/Set"), test::SetFilesOnDisk(c));

    TovHTML doc;
    doc.TemplateRoot = dir.file("Templates");
    static_cast<TMenuFormat&>(doc) = c.Format;
    for (const test::ModelEntry& e : c.Items) doc.InsertItem(-1, e.Caption, e.Link, e.Target, e.Sub);
    for (const auto& [name, value] : c.Vars) doc.Variables.Vars.push_back(TVarItem{name, value});
    std::vector<std::string> written;
    test::RecordingNotifier notes;
    ScopedNotifier scoped(notes);

    const test::ModelRun expected = test::ModelGenerate(c);
    std::map<std::string, std::string> finalBytes = test::FinalPages(expected);
    // Old pages, longer and shorter, where the run writes: each is replaced, and then
    // written over as the next page's temporary.
    for (const auto& [path, text] : finalBytes)
      test::WriteFile(StoredPathToFs(path), OldPage((seed * 7 + path.size()) % (2 * text.size() + 3)));
    // In memory first: the whole run, as the pages would be written up to a failure.
    const GenerationResult memory = GenerateToMemory(doc);
    bool failed = false;
    try {
      RunOptions run;
      run.OnPageWritten = [&](const std::string& p) { written.push_back(p); };
      doc.Generate(run);
    } catch (const EFCreateError&) {
      failed = true;
    }
    EXPECT_EQ(notes.Messages.size(), expected.Refused ? 1u : 0u);
    EXPECT_EQ(failed, expected.Fails);

    std::vector<std::string> expectedPaths;
    for (const test::ModelPage& p : expected.Pages) expectedPaths.push_back(p.Path);
    EXPECT_EQ(written, expectedPaths);
    // Memory refuses where the disk does, with the pages before the refused one.
    EXPECT_EQ(memory.Ok, !expected.Fails && !expected.Refused) << memory.Message;
    ASSERT_EQ(memory.Pages.size(), expected.Pages.size());
    for (std::size_t i = 0; i < expected.Pages.size(); ++i) {
      EXPECT_EQ(memory.Pages[i].Path, expected.Pages[i].Path);
      EXPECT_EQ(memory.Pages[i].Bytes, expected.Pages[i].Bytes) << expected.Pages[i].Path;
    }

    std::size_t onDisk = 0;
    for (const auto& e : fs::directory_iterator(out)) {
      ++onDisk;
      // The disk holds UTF-8 names; the program's paths are Windows-1252.
      const std::string path = FromFsName(e.path().string());
      ASSERT_TRUE(finalBytes.count(path)) << "unexpected file " << path;
      EXPECT_EQ(test::ReadFile(e.path().string()), finalBytes[path]) << path;
    }
    EXPECT_EQ(onDisk, finalBytes.size());
    subPages += std::max(static_cast<int>(expected.Pages.size()) - 1, 0);
    refused += expected.Refused;
    allInOne += expected.AllInOne;
    utf8 += expected.Utf8;
    failing += expected.Fails;
    if (HasFailure()) break;
  }
  // The cases must reach every kind of run, or the comparison proves little.
  EXPECT_GT(subPages, 225);
  EXPECT_GT(allInOne, 90);
  EXPECT_GT(utf8, 60);
  EXPECT_GT(failing, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace navforge
