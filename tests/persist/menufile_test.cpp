#include "persist/menufile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/strutil.h"
#include "support/textfile.h"
#include "testsupport/expectthrow.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TMTItem Entry(std::string c, std::string l, std::string t, bool sub, int depth = 1) {
  return TMTItem{std::move(c), std::move(l), std::move(t), std::string(), sub, depth};
}

// A version 2 file from its entry lines, the pilcrow written as "|".
std::string MenuText(std::initializer_list<std::string> lines) {
  std::string text = "NFF 2\r\n";
  for (std::string line : lines) {
    std::replace(line.begin(), line.end(), '|', '\xB6');
    text += line + "\r\n";
  }
  return text;
}

// The entries as a reader of four fields takes them, whatever follows the fourth.
TMenutree FourFieldRead(const std::string& path) {
  TMenutree items;
  const std::vector<std::string> lines = ReadTextLines(path);
  for (std::size_t i = 1; i < lines.size(); ++i)
    if (!lines[i].empty())
      items.push_back(Entry(UnescapeField(GetField(lines[i], '\xB6', 1)), UnescapeField(GetField(lines[i], '\xB6', 2)),
                            UnescapeField(GetField(lines[i], '\xB6', 3)), GetField(lines[i], '\xB6', 4) == "1"));
  return items;
}

void ExpectEntries(const TMenutree& got, const TMenutree& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].Caption, want[i].Caption) << i;
    EXPECT_EQ(got[i].Link, want[i].Link) << i;
    EXPECT_EQ(got[i].Target, want[i].Target) << i;
    EXPECT_EQ(got[i].IsSubItem, want[i].IsSubItem) << i;
    EXPECT_EQ(LevelOf(got[i]), LevelOf(want[i])) << i;
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

TEST(LoadItems, depthField_countsOnlyAsTwoToFiveAfterASubFlag) {
  struct Case {
    const char* Name;
    std::initializer_list<std::string> Lines;
    std::vector<int> Levels;
  };
  const Case cases[] = {
      {"each depth below the one before", {"M|||0", "a|||1", "b|||1|2", "c|||1|3", "d|||1|4", "e|||1|5"}, {0, 1, 2, 3, 4, 5}},
      {"after a main entry", {"M|||0|3", "a|||0|2", "b|||1|1"}, {0, 0, 1}},
      {"not a depth", {"M|||0", "a|||1", "b|||1|6", "c|||1|0", "d|||1| 2", "e|||1|02", "f|||1|2x", "g|||1|"}, {0, 1, 1, 1, 1, 1, 1, 1}},
      {"fields after the fifth", {"M|||0", "a|||1", "b|||1|2|5"}, {0, 1, 2}},
      {"deeper than one below the entry before", {"M|||0", "a|||1|4", "b|||1|5", "c|||1|3", "N|||0", "d|||1|3"}, {0, 1, 2, 3, 0, 1}},
      {"first entry", {"a|||1|3", "b|||1|3"}, {1, 2}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    WriteFile(dir.file("m.nff"), MenuText(c.Lines));
    TMenutree items;
    LoadItems(items, dir.file("m.nff"), 2);
    std::vector<int> levels;
    for (const TMTItem& item : items) levels.push_back(LevelOf(item));
    EXPECT_EQ(levels, c.Levels) << c.Name;
  }
  // Appended entries stand below the last one already there.
  WriteFile(dir.file("m.nff"), MenuText({"a|||1|3"}));
  TMenutree items{Entry("M", "", "", false), Entry("s", "", "", true, 2)};
  LoadItems(items, dir.file("m.nff"), 2);
  EXPECT_EQ(LevelOf(items.back()), 3);
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

// Three and four levels: saved again byte for byte, and a reader of four fields gets the
// same entries in two levels.
TEST(SaveItems, deeperMenus_resaveByteForByteAndReadInTwoLevelsWithFourFields) {
  const std::initializer_list<std::string> menus[] = {
      {"Produkte|p.htm||0", "M\xF6" "bel|m.htm|inhalt|1", "Regale|r.htm|inhalt|1|2", "Tische|t.htm||1|2",
       "Leuchten|l.htm||1", "Kontakt|k.htm||0"},
      {"A|a.htm||0", "B|b.htm||1", "C|c.htm||1|2", "D&para;|d.htm||1|3", "E|e.htm||1|3", "F|f.htm||1|2", "G|g.htm||0",
       "H|h.htm||1", "I|i.htm||1|2"},
  };
  TempDir dir;
  for (const auto& lines : menus) {
    const std::string text = MenuText(lines);
    WriteFile(dir.file("m.nff"), text);
    TMenutree items;
    LoadItems(items, dir.file("m.nff"), 2);
    SaveItems(items, dir.file("again.nff"));
    EXPECT_EQ(ReadFile(dir.file("again.nff")), text);
    TMenutree twoLevels = items;
    for (TMTItem& item : twoLevels) item.Depth = 1;
    ExpectEntries(FourFieldRead(dir.file("again.nff")), twoLevels);
  }
}

TEST(SaveItems, uncreatableFile_writesNothing) {
  TempDir dir;
  const std::string path = dir.file("missing/m.nff");
  EXPECT_THROW_MSG(SaveItems({Entry("a", "", "", false)}, path), EFCreateError, "Fehler beim Erstellen der Datei " + path);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace navforge
