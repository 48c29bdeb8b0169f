#include "support/fsname.h"

#include <gtest/gtest.h>

#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/folders.h"
#include "support/textfile.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

// A page named after the caption "Über uns" must be the file a browser opens for the
// link "Über uns.htm": the stored text becomes its UTF-8 name.
TEST(FsName, storedTexts_becomeUtf8NamesAndBack) {
  EXPECT_EQ(StoredPathToFs("\xDC" "ber uns.htm"), "\xC3\x9C" "ber uns.htm");
  std::string text;
  EXPECT_TRUE(StoredPathFromFs("\xC3\x9C" "ber", text));
  EXPECT_EQ(text, "\xDC" "ber");
  EXPECT_FALSE(StoredPathFromFs("\xCE\xA9mega", text));  // Omega: no Windows-1252 text holds it
  EXPECT_FALSE(StoredPathFromFs("\xFF", text));          // not UTF-8
  EXPECT_EQ(text, "\xDC" "ber");
}

// Paths the program opens are used by their own bytes, whatever they hold.
TEST(FsName, openedPaths_keepTheirBytes) {
  test::TempDir dir;
  const std::string folder = dir.file("\xCE\xA9mega");
  test::MakeDir(folder);
  WriteTextLines(folder + "/\xE6\x96\xB0.nff", {"x"});
  EXPECT_TRUE(FileExists(folder + "/\xE6\x96\xB0.nff"));
  EXPECT_EQ(ReadTextLines(folder + "/\xE6\x96\xB0.nff"), std::vector<std::string>{"x"});
  std::vector<std::string> names;
  ListDirectory(dir.path(), names, true);
  EXPECT_EQ(names, std::vector<std::string>{"\xCE\xA9mega"});
}

// Messages are Windows-1252 where the name allows it; Utf8() keeps any name whole.
TEST(FsName, fileErrors_nameTheFileInBothEncodings) {
  const std::string open = " nicht öffnen"_cp1252;
  const struct {
    std::string path, text, utf8;
  } cases[] = {
      {"/m/\xC3\xBC.nff", "Kann Datei /m/\xFC.nff" + open, "Kann Datei /m/\xC3\xBC.nff nicht öffnen"},
      {"/m/\xE6\x96\xB0.nff", "Kann Datei /m/\xE6\x96\xB0.nff" + open, "Kann Datei /m/\xE6\x96\xB0.nff nicht öffnen"},
      {"/m/\xFC.nff", "Kann Datei /m/\xFC.nff" + open, "Kann Datei /m/\xC3\xBC.nff nicht öffnen"},
  };
  for (const auto& c : cases) {
    const EFOpenError e(c.path);
    EXPECT_EQ(e.what(), c.text);
    EXPECT_EQ(e.Utf8(), c.utf8);
  }
}

}  // namespace
}  // namespace navforge
