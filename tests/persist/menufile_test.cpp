#include "persist/menufile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cp1252literal.h"
#include "support/errors.h"
#include "testsupport/expectthrow.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TMTItem Entry(std::string c, std::string l, std::string t, bool sub) {
  return TMTItem{std::move(c), std::move(l), std::move(t), std::string(), sub};
}

void ExpectEntries(const TMenutree& got, const TMenutree& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].Caption, want[i].Caption) << i;
    EXPECT_EQ(got[i].Link, want[i].Link) << i;
    EXPECT_EQ(got[i].Target, want[i].Target) << i;
    EXPECT_EQ(got[i].IsSubItem, want[i].IsSubItem) << i;
    EXPECT_EQ(got[i].LinkID, "") << i;
  }
}

TEST(ReadFileVersion, firstLine_givesTheVersion) {
  TempDir dir;
  const std::pair<std::string, std::int32_t> cases[] = {
      {"NFF 2", 2},       {" \t NFF 2 \t", 2}, {"nff 2", 2},     {"NFF2", 2},     {"NFF 3", 3},
      {"NFF", -1},        {"NFF 2.0", -1},     {"NFF 2 x", -1},  {"NF", -1},      {"Home\xB6x\xB6\xB6" "0", -1},
      {"NfF $10", 16},    {"NFF -1", -1},      {"NFF 0x7fffffff", 0x7fffffff},   {"NFF 99999999999", -1},
      {"\x01NFF\x1F 2\x7F", -1},  // 0x7F is no blank: "2\x7F" is not a number
  };
  for (const auto& [line, version] : cases) {
    WriteFile(dir.file("m.nff"), line + "\r\nsecond line\r\n");
    EXPECT_EQ(ReadFileVersion(dir.file("m.nff")), version) << line;
  }
  WriteFile(dir.file("m.nff"), "NFF 2");  // no line end
  EXPECT_EQ(ReadFileVersion(dir.file("m.nff")), 2);
  WriteFile(dir.file("m.nff"), "\x01 NFF 2\x02\n");
  EXPECT_EQ(ReadFileVersion(dir.file("m.nff")), 2);
}

TEST(ReadFileVersion, missingFileOrNoLine_raiseListError) {
  TempDir dir;
  EXPECT_THROW(ReadFileVersion(dir.file("none.nff")), EFOpenError);
  WriteFile(dir.file("empty.nff"), "");
  EXPECT_THROW_MSG(ReadFileVersion(dir.file("empty.nff")), EListError,
                   "Listen-Index außerhalb des gültigen Bereiches (0)"_cp1252);
  WriteFile(dir.file("nul.nff"), std::string("\0NFF 2\r\n", 8));
  EXPECT_THROW(ReadFileVersion(dir.file("nul.nff")), EListError);
}

TEST(LoadItems, version2Lines_fillEveryField) {
  TempDir dir;
  WriteFile(dir.file("m.nff"),
            "whatever the header\r\n"
            "Home\xB6index.htm\xB6\xB6" "0\r\n"
            "\r\n"
            "News\xB6news.htm\xB6main\xB6" "1\n"
            "Home alone\r"
            "a&para;b\xB6&PARA;\xB6x\xB6\xB6" "c\xB6" "1\xB6" "extra\r\n"
            "f\xB6\xB6\xB6 1\r\n"
            "g\xB6\xB6\xB6" "01\r\n"
            "h\xB6\xB6\xB6true\r\n"
            "i\xB6\xB6\xB6\r\n");
  TMenutree items;
  LoadItems(items, dir.file("m.nff"), 2);
  ExpectEntries(items, {Entry("Home", "index.htm", "", false), Entry("News", "news.htm", "main", true),
                        Entry("Home alone", "", "", false), Entry("a\xB6" "b", "\xB6", "x", false),
                        Entry("f", "", "", false), Entry("g", "", "", false), Entry("h", "", "", false),
                        Entry("i", "", "", false)});
}

TEST(LoadItems, headerOnlyOrZeroByte_givesNoEntries) {
  TempDir dir;
  WriteFile(dir.file("m.nff"), "NFF 2\r\n");
  TMenutree items;
  LoadItems(items, dir.file("m.nff"), 2);
  EXPECT_TRUE(items.empty());
  WriteFile(dir.file("z.nff"), std::string("NFF 2\r\nA\xB6\xB6\xB6" "0\r\nB\0\xB6\xB6\xB6" "1\r\nC\xB6\xB6\xB6" "0\r\n", 29));
  LoadItems(items, dir.file("z.nff"), 2);
  ExpectEntries(items, {Entry("A", "", "", false), Entry("B", "", "", false)});
}

TEST(LoadItems, load_appendsToExistingEntries) {
  TempDir dir;
  WriteFile(dir.file("m.nff"), "NFF 2\r\nNew\xB6\xB6\xB6" "1\r\n");
  TMenutree items{Entry("Old", "o", "", false)};
  LoadItems(items, dir.file("m.nff"), 2);
  ExpectEntries(items, {Entry("Old", "o", "", false), Entry("New", "", "", true)});
}

TEST(LoadItems, legacyMenu_takesLinksAndTargetsFromItsCompanion) {
  TempDir dir;
  WriteFile(dir.file("old.txt"), "Home\r\n\tNews\r\n");
  WriteFile(dir.file("old.mmf"), "Home;index.htm;\r\nNews;news.htm;main\r\n");
  TMenutree items;
  LoadItems(items, dir.file("old.txt"), -1);
  ExpectEntries(items, {Entry("Home", "index.htm", "", false), Entry("News", "news.htm", "main", true)});
}

TEST(LoadItems, legacyTabs_markSubEntriesWhateverTheCompanionLength) {
  TempDir dir;
  // Only a leading TAB makes a sub-entry; empty lines are main entries; nothing else is read.
  WriteFile(dir.file("m"), "\tA\n\n \tB\n\t\n\xB6" "C\xB6\xB6" "1\n");
  WriteFile(dir.file("m.mmf"), "a;&PARA\xB6;t;extra\n\n");  // fewer lines than entries
  TMenutree items;
  LoadItems(items, dir.file("m"), -1);
  ExpectEntries(items, {Entry("a", "&PARA\xB6", "t", true), Entry("", "", "", false), Entry("", "", "", false),
                        Entry("", "", "", true), Entry("", "", "", false)});

  // More companion lines than entries: the extra ones are ignored.
  WriteFile(dir.file("n"), "X\r\n");
  WriteFile(dir.file("n.mmf"), "x;1;2\r\ny;3;4\r\nz;5;6\r\n");
  TMenutree two;
  LoadItems(two, dir.file("n"), -1);
  ExpectEntries(two, {Entry("x", "1", "2", false)});
}

TEST(LoadItems, legacyCompanion_fillsEntriesOfTheWholeArray) {
  TempDir dir;
  WriteFile(dir.file("n"), "X\r\n");
  WriteFile(dir.file("n.mmf"), "first;f\r\nsecond;s\r\n");
  TMenutree items{Entry("Old", "o", "t", true)};
  LoadItems(items, dir.file("n"), -1);
  ExpectEntries(items, {Entry("first", "f", "", true), Entry("second", "s", "", false)});
}

TEST(LoadItems, legacyWithoutCompanion_keepsEntriesAndNamesCompanion) {
  TempDir dir;
  WriteFile(dir.file("m.nff"), "Home\r\n\tSub\r\n");
  TMenutree items;
  EXPECT_THROW_MSG(LoadItems(items, dir.file("m.nff"), -1), EFOpenError,
                   "Kann Datei " + dir.file("m.mmf") + " nicht öffnen"_cp1252);
  ExpectEntries(items, {Entry("", "", "", false), Entry("", "", "", true)});
}

TEST(LoadItems, otherVersions_readNothing) {
  TempDir dir;
  WriteFile(dir.file("m.nff"), "NFF 3\r\nA\xB6\xB6\xB6" "0\r\n");
  TMenutree items;
  LoadItems(items, dir.file("m.nff"), 3);
  LoadItems(items, dir.file("absent.nff"), 0);
  EXPECT_TRUE(items.empty());
}

TEST(SaveItems, save_writesHeaderAndOneLinePerEntry) {
  TempDir dir;
  SaveItems({}, dir.file("e.nff"));
  EXPECT_EQ(ReadFile(dir.file("e.nff")), "NFF 2\r\n");
  SaveItems({Entry("Home", "index.htm", "", false), Entry("News", "news.htm", "main", true),
             Entry("\xB6", "&para;", "", false)},
            dir.file("m.nff"));
  EXPECT_EQ(ReadFile(dir.file("m.nff")),
            "NFF 2\r\nHome\xB6index.htm\xB6\xB6" "0\r\nNews\xB6news.htm\xB6main\xB6" "1\r\n"
            "&para;\xB6&para;\xB6\xB6" "0\r\n");
}

TEST(SaveItems, roundTrip_keepsEntries) {
  TempDir dir;
  const TMenutree saved{Entry("\xDC" "ber uns \xB6", "a;b$c$", "_top", false), Entry("", "", "", true),
                        Entry("$Title$", "\xB6\xB6", "x", true), Entry("Ende", "e.htm", "", false)};
  SaveItems(saved, dir.file("m.nff"));
  EXPECT_EQ(ReadFileVersion(dir.file("m.nff")), 2);
  TMenutree loaded;
  LoadItems(loaded, dir.file("m.nff"), 2);
  ExpectEntries(loaded, saved);
}

TEST(SaveItems, uncreatableFile_writesNothing) {
  TempDir dir;
  const std::string path = dir.file("missing/m.nff");
  EXPECT_THROW_MSG(SaveItems({Entry("a", "", "", false)}, path), EFCreateError, "Fehler beim Erstellen der Datei " + path);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace navforge
