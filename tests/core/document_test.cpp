#include <gtest/gtest.h>

#include "core/menudocument.h"
#include "persist/formatfields.h"

namespace navforge {
namespace {

std::vector<std::string> Captions(const TovHTML& d) {
  std::vector<std::string> out;
  for (const TMTItem& it : d.Items) out.push_back(it.Caption + (it.IsSubItem ? "*" : ""));
  return out;
}
using V = std::vector<std::string>;

TEST(Document, newDocument_isEmptyAndReset) {
  TovHTML d;
  EXPECT_TRUE(d.Items.empty());
  EXPECT_EQ(d.MainItemCount(), 0);
  for (const FormatField& field : FormatFields)
    EXPECT_EQ(FieldText(d, field), field.Kind == FieldKind::Color ? "clNone" : field.Key == "hr" ? "<hr>" : "")
        << field.Key;
  EXPECT_TRUE(d.AllInOne);
  TStringVector lines;
  lines.Add("stale");
  d.FillItemList(lines);
  EXPECT_TRUE(lines.Lines.empty());
  lines.Add("stale");
  d.DumpItems(lines);
  EXPECT_TRUE(lines.Lines.empty());
}

TEST(Document, resetFormatting_leavesEntriesVariablesAndFragments) {
  TovHTML d;
  d.InsertItem(-1, "A", "", "", false);
  d.Variables.AddVariable("v", "1");
  d.Header = "<h>";
  d.TextColor = 1;
  d.hr = "";
  d.fileext = "php";
  d.Filename = "x";
  d.AllInOne = false;
  d.ResetFormatting();
  EXPECT_EQ(d.TextColor, clNone);
  EXPECT_EQ(d.hr, "<hr>");
  EXPECT_EQ(d.fileext, "");
  EXPECT_EQ(d.Filename, "");
  EXPECT_TRUE(d.AllInOne);
  EXPECT_EQ(d.Items.size(), 1u);
  EXPECT_EQ(d.Variables.Vars.size(), 1u);
  EXPECT_EQ(d.Header, "<h>");
  d.ClearItems();
  EXPECT_TRUE(d.Items.empty());
}

TEST(Document, insert_appendsOrFollowsTheGivenEntry) {
  TovHTML d;
  d.InsertItem(-5, "A", "", "", false);
  EXPECT_EQ(Captions(d), (V{"A"}));
  d.InsertItem(0, "C", "", "", true);  // last index: appends
  EXPECT_EQ(Captions(d), (V{"A", "C*"}));
  d.InsertItem(0, "B", "b", "t", false);
  EXPECT_EQ(Captions(d), (V{"A", "B", "C*"}));
  d.InsertItem(0, "X", "", "", true);
  EXPECT_EQ(Captions(d), (V{"A", "X*", "B", "C*"}));
  EXPECT_EQ(d.Items[2].Link, "b");
  EXPECT_EQ(d.Items[2].Target, "t");
}

TEST(Document, insertedSlot_keepsLinkIdAppendedEntryHasNone) {
  TovHTML d;
  d.InsertItem(-1, "A", "", "", false);
  d.InsertItem(-1, "B", "", "", false);
  d.Items[0].LinkID = "a";
  d.Items[1].LinkID = "b";
  d.InsertItem(-1, "C", "", "", false);
  EXPECT_EQ(d.Items[2].LinkID, "");
  d.InsertItem(0, "X", "", "", false);
  // X lands in the slot that held B; its LinkID stays until the next generation.
  EXPECT_EQ(Captions(d), (V{"A", "X", "B", "C"}));
  EXPECT_EQ(d.Items[2].LinkID, "b");
}

TEST(Document, deleteMoveAndSetSubItem_changeOnlyTheirEntry) {
  TovHTML d;
  for (const char* c : {"A", "B", "C"}) d.InsertItem(-1, c, "", "", false);
  d.SetSubItem(1, true);
  d.MoveItemUp(0);
  d.MoveItemDown(2);
  EXPECT_EQ(Captions(d), (V{"A", "B*", "C"}));
  d.MoveItemDown(0);
  EXPECT_EQ(Captions(d), (V{"B*", "A", "C"}));
  d.MoveItemUp(2);
  EXPECT_EQ(Captions(d), (V{"B*", "C", "A"}));
  d.DeleteItem(1);
  EXPECT_EQ(Captions(d), (V{"B*", "A"}));
  d.DeleteItem(1);
  d.DeleteItem(0);
  EXPECT_TRUE(d.Items.empty());
}

TEST(Document, getAndSet_keepFlagAndLinkId) {
  TovHTML d;
  d.InsertItem(-1, "A", "a", "t", true);
  d.Items[0].LinkID = "id";
  d.SetItem(0, "B", "b", "");
  std::string c, l, t = "x";
  d.GetItem(0, c, l, t);
  EXPECT_EQ(c, "B");
  EXPECT_EQ(l, "b");
  EXPECT_EQ(t, "");
  EXPECT_TRUE(d.Items[0].IsSubItem);
  EXPECT_EQ(d.Items[0].LinkID, "id");
}

TEST(Document, structureQueries_countMainAndSubEntries) {
  TovHTML d;
  d.InsertItem(-1, "M0", "", "", false);
  d.InsertItem(-1, "S1", "", "", true);
  d.InsertItem(-1, "S2", "", "", true);
  EXPECT_EQ(d.NextMainIndex(0), 2);
  EXPECT_TRUE(d.HasSubItems(0));
  EXPECT_FALSE(d.HasSubItems(2));
  EXPECT_FALSE(d.IsLastSubItem(1));
  EXPECT_TRUE(d.IsLastSubItem(2));
  EXPECT_EQ(d.MainItemCount(), 1);
  d.InsertItem(-1, "M3", "", "", false);
  d.InsertItem(-1, "M4", "", "", false);
  EXPECT_EQ(d.NextMainIndex(0), 3);
  EXPECT_EQ(d.NextMainIndex(3), 4);
  EXPECT_EQ(d.NextMainIndex(4), 4);
  EXPECT_TRUE(d.IsLastSubItem(2));
  EXPECT_FALSE(d.IsLastSubItem(3));  // a main entry that is not the last one
  EXPECT_TRUE(d.IsLastSubItem(4));
  EXPECT_FALSE(d.HasSubItems(3));
  EXPECT_EQ(d.MainItemCount(), 3);

  TovHTML one;
  one.InsertItem(-1, "Home", "", "", false);
  EXPECT_TRUE(one.IsLastSubItem(0));
  EXPECT_FALSE(one.HasSubItems(0));
  EXPECT_EQ(one.NextMainIndex(0), 0);
}

TEST(Document, dumpAndFillItemList_giveOneLinePerEntry) {
  TovHTML d;
  d.InsertItem(-1, "Home", "index.htm", "main", false);
  d.InsertItem(-1, "Software", "s$w.htm", "", true);
  d.Items[1].LinkID = "software";
  TStringVector dump, list;
  d.DumpItems(dump);
  d.FillItemList(list);
  EXPECT_EQ(dump.Lines, (V{"Home$index.htm$main$$0", "Software$s$w.htm$$software$1"}));
  EXPECT_EQ(list.Lines, (V{"Home", "- Software"}));
}

}  // namespace
}  // namespace navforge
