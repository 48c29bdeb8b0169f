#include "persist/vars.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support/errors.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::vector<std::pair<std::string, std::string>> Pairs(const TParseList& l) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const TVarItem& v : l.Vars) out.emplace_back(v.Name, v.Value);
  return out;
}
using P = std::vector<std::pair<std::string, std::string>>;

class RecordingGrid : public IGrid {
public:
  void SetRowCount(int rows) override { Rows = rows; }
  void SetCell(int column, int row, const std::string& text) override { Cells[{column, row}] = text; }
  int Rows = -1;
  std::map<std::pair<int, int>, std::string> Cells;
};

TEST(Variables, add_removesDollarsAndIgnoresEmptyName) {
  TParseList l;
  l.AddVariable("$Title$", "x");
  l.AddVariable("", "ignored");
  l.AddVariable("$$", "empty name");
  l.AddVariable("a$b", "");
  EXPECT_EQ(Pairs(l), (P{{"Title", "x"}, {"", "empty name"}, {"ab", ""}}));
}

TEST(Variables, set_keepsEntryForEmptyNameOrBadIndex) {
  TParseList l;
  l.SetVariable(0, "x", "on empty list");
  EXPECT_TRUE(l.Vars.empty());
  l.AddVariable("a", "1");
  l.SetVariable(0, "", "2");
  l.SetVariable(1, "b", "3");
  l.SetVariable(-1, "b", "3");
  EXPECT_EQ(Pairs(l), (P{{"a", "1"}}));
  l.SetVariable(0, "$n$", "4");
  EXPECT_EQ(Pairs(l), (P{{"n", "4"}}));
}

TEST(Variables, deleteAndMove_changeOnlyValidPositions) {
  TParseList l;
  EXPECT_THROW(l.DeleteVariable(0), ERangeError);
  for (const char* n : {"a", "b", "c"}) l.AddVariable(n, n);
  l.MoveVariableUp(0);
  l.MoveVariableDown(2);
  EXPECT_EQ(Pairs(l), (P{{"a", "a"}, {"b", "b"}, {"c", "c"}}));
  l.MoveVariableDown(0);
  l.MoveVariableUp(2);
  EXPECT_EQ(Pairs(l), (P{{"b", "b"}, {"c", "c"}, {"a", "a"}}));
  l.DeleteVariable(2);
  l.DeleteVariable(0);
  EXPECT_EQ(Pairs(l), (P{{"c", "c"}}));
  l.DeleteVariable(0);
  EXPECT_TRUE(l.Vars.empty());
}

TEST(Variables, fillGrid_givesOneRowPerVariable) {
  TParseList l;
  RecordingGrid g;
  l.FillGrid(g);
  EXPECT_EQ(g.Rows, 2);
  EXPECT_EQ(g.Cells, (std::map<std::pair<int, int>, std::string>{{{0, 1}, ""}, {{1, 1}, ""}}));
  for (const char* n : {"a", "b", "c"}) l.AddVariable(n, std::string("v") + n);
  RecordingGrid h;
  l.FillGrid(h);
  EXPECT_EQ(h.Rows, 4);
  EXPECT_EQ(h.Cells.count({0, 0}), 0u);  // the header row is the window's
  EXPECT_EQ(h.Cells[std::make_pair(0, 3)], "c");
  EXPECT_EQ(h.Cells[std::make_pair(1, 1)], "va");
}

TEST(VariablesFile, save_writesNameValueLinesEscaped) {
  TempDir dir;
  TParseList l;
  l.SaveToFile(dir.file("e.nfv"));
  EXPECT_EQ(ReadFile(dir.file("e.nfv")), "");
  l.AddVariable("n\xB6", "v\xB6&para;");
  l.AddVariable("$$", "");
  l.SaveToFile(dir.file("v.nfv"));
  EXPECT_EQ(ReadFile(dir.file("v.nfv")), "n&para;\xB6v&para;&para;\r\n\xB6\r\n");
}

TEST(VariablesFile, load_followsTheLineRules) {
  TempDir dir;
  WriteFile(dir.file("v.nfv"),
            "Title\xB6Men\xFC\r\n"
            "\r\n"
            "whole line\n"
            "\xB6no name\r"
            "$a$\xB6" "x&PARA;y\xB6" "extra\r\n"
            "&Para;\xB6\r\n" +
                std::string("z\xB6" "after\0ignored\r\nq\xB6q\r\n", 23));
  TParseList l;
  l.AddVariable("pre", "1");
  l.LoadFromFile(dir.file("v.nfv"));
  EXPECT_EQ(Pairs(l), (P{{"pre", "1"},
                         {"Title", "Men\xFC"},
                         {"whole line", ""},
                         {"a", "x\xB6y"},
                         {"\xB6", ""},
                         {"z", "after"}}));
}

TEST(VariablesFile, missingFileAddsNothing_unreadableRaises) {
  TempDir dir;
  TParseList l;
  l.AddVariable("keep", "");
  l.LoadFromFile(dir.file("none.nfv"));
  EXPECT_EQ(l.Vars.size(), 1u);
  // A folder named like the file is "no file": nothing happens either.
  test::MakeDir(dir.file("folder.nfv"));
  l.LoadFromFile(dir.file("folder.nfv"));
  EXPECT_EQ(l.Vars.size(), 1u);
}

TEST(VariablesFile, loadTwice_doublesAndLineBreakSplits) {
  TempDir dir;
  TParseList l;
  l.AddVariable("a", "1\r\nb\xB6" "2");
  l.SaveToFile(dir.file("v.nfv"));
  TParseList m;
  m.LoadFromFile(dir.file("v.nfv"));
  m.LoadFromFile(dir.file("v.nfv"));
  EXPECT_EQ(Pairs(m), (P{{"a", "1"}, {"b\xB6" "2", ""}, {"a", "1"}, {"b\xB6" "2", ""}}));
}

TEST(VariablesFile, uncreatableFile_raisesCreateError) {
  TempDir dir;
  TParseList l;
  l.AddVariable("a", "b");
  EXPECT_THROW(l.SaveToFile(dir.file("missing/v.nfv")), EFCreateError);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace navforge
