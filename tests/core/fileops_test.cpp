#include <gtest/gtest.h>

#include "core/menudocument.h"
#include "support/errors.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class MenuFiles : public ::testing::Test {
protected:
  void SetUp() override { doc.VariablesFile = dir.file("navforge.nfv"); }
  TempDir dir;
  TovHTML doc;
};

TEST_F(MenuFiles, save_writesMenuSettingsAndVariables) {
  doc.InsertItem(-1, "Home", "index.htm", "", false);
  doc.InsertItem(-1, "News", "news.htm", "main", true);
  doc.TextColor = 0xFF;
  doc.Variables.AddVariable("v", "1");
  doc.SaveToFile(dir.file("site.nff"));
  EXPECT_EQ(ReadFile(dir.file("site.nff")), "NFF 2\r\nHome\xB6index.htm\xB6\xB6" "0\r\nNews\xB6news.htm\xB6main\xB6" "1\r\n");
  EXPECT_NE(ReadFile(dir.file("site.nfs")).find("TextColor=clRed\r\n"), std::string::npos);
  EXPECT_EQ(ReadFile(dir.file("navforge.nfv")), "v\xB6" "1\r\n");

  TovHTML back;
  back.VariablesFile = doc.VariablesFile;
  back.LoadFromFile(dir.file("site.nff"));
  ASSERT_EQ(back.Items.size(), 2u);
  EXPECT_EQ(back.Items[1].Target, "main");
  EXPECT_TRUE(back.Items[1].IsSubItem);
  EXPECT_EQ(back.TextColor, 0xFF);
  ASSERT_EQ(back.Variables.Vars.size(), 1u);
}

TEST_F(MenuFiles, load_appendsToWhatTheDocumentHolds) {
  WriteFile(dir.file("m.nff"), "NFF 2\r\nB\xB6\xB6\xB6" "0\r\n");
  WriteFile(dir.file("navforge.nfv"), "x\xB6y\r\n");
  doc.InsertItem(-1, "A", "", "", false);
  doc.LoadFromFile(dir.file("m.nff"));
  doc.LoadFromFile(dir.file("m.nff"));
  ASSERT_EQ(doc.Items.size(), 3u);
  EXPECT_EQ(doc.Items[2].Caption, "B");
  EXPECT_EQ(doc.Variables.Vars.size(), 2u);
}

TEST_F(MenuFiles, missingOrEmptyMenu_changesNothing) {
  WriteFile(dir.file("navforge.nfv"), "x\xB6y\r\n");
  doc.Title = "kept";
  EXPECT_THROW(doc.LoadFromFile(dir.file("none.nff")), EFOpenError);
  WriteFile(dir.file("empty.nff"), "");
  WriteFile(dir.file("empty.nfs"), "[Main]\r\nTitle=new\r\n");
  EXPECT_THROW(doc.LoadFromFile(dir.file("empty.nff")), EListError);
  EXPECT_EQ(doc.Title, "kept");
  EXPECT_TRUE(doc.Items.empty());
  EXPECT_TRUE(doc.Variables.Vars.empty());
}

TEST_F(MenuFiles, unknownVersion_readsOnlyVariables) {
  WriteFile(dir.file("m.nff"), "NFF 3\r\nA\xB6\xB6\xB6" "0\r\n");
  WriteFile(dir.file("m.nfs"), "[Main]\r\nTitle=new\r\n");
  WriteFile(dir.file("navforge.nfv"), "x\xB6y\r\n");
  doc.Title = "kept";
  doc.LoadFromFile(dir.file("m.nff"));
  EXPECT_TRUE(doc.Items.empty());
  EXPECT_EQ(doc.Title, "kept");
  EXPECT_EQ(doc.Variables.Vars.size(), 1u);
}

TEST_F(MenuFiles, legacyMenu_readsCompanionAndLegacySettings) {
  WriteFile(dir.file("old.txt"), "Home\r\n\tNews\r\n");
  WriteFile(dir.file("old.mmf"), "Home;index.htm;\r\nNews;news.htm;main\r\n");
  WriteFile(dir.file("old.msf"), "[Main]\r\npanel4=clRed\r\ntitlename=Alt\r\n");
  WriteFile(dir.file("old.nfs"), "[Main]\r\nTitle=not this\r\n");
  doc.Template = "Mine";
  doc.LoadFromFile(dir.file("old.txt"));
  ASSERT_EQ(doc.Items.size(), 2u);
  EXPECT_EQ(doc.Items[1].Link, "news.htm");
  EXPECT_TRUE(doc.Items[1].IsSubItem);
  EXPECT_EQ(doc.VLinkColor, 0xFF);
  EXPECT_EQ(doc.Title, "Alt");
  EXPECT_EQ(doc.Template, "Mine");

  // Saved under its own path: version 2 replaces it, the companions stay.
  doc.SaveToFile(dir.file("old.txt"));
  EXPECT_EQ(ReadFile(dir.file("old.txt")).substr(0, 7), "NFF 2\r\n");
  EXPECT_EQ(ReadFile(dir.file("old.mmf")), "Home;index.htm;\r\nNews;news.htm;main\r\n");
  EXPECT_EQ(ReadFile(dir.file("old.msf")), "[Main]\r\npanel4=clRed\r\ntitlename=Alt\r\n");
}

TEST_F(MenuFiles, failures_endTheLoadEarly) {
  WriteFile(dir.file("navforge.nfv"), "x\xB6y\r\n");
  WriteFile(dir.file("old"), "A\r\n\tB\r\n");
  WriteFile(dir.file("old.msf"), "[Main]\r\ntitlename=Alt\r\n");
  EXPECT_THROW(doc.LoadFromFile(dir.file("old")), EFOpenError);  // no companion
  EXPECT_EQ(doc.Items.size(), 2u);
  EXPECT_EQ(doc.Title, "");
  EXPECT_TRUE(doc.Variables.Vars.empty());

  TovHTML bad;
  bad.VariablesFile = doc.VariablesFile;
  WriteFile(dir.file("m.nff"), "NFF 2\r\n");
  WriteFile(dir.file("m.nfs"), "[Main]\r\nTextColor=rot\r\n");
  EXPECT_THROW(bad.LoadFromFile(dir.file("m.nff")), EConvertError);
  EXPECT_TRUE(bad.Variables.Vars.empty());
}

// An installed copy: the shipped variables file beside the program is read until the
// user's own exists; saving writes the user's and leaves the shipped one alone.
TEST_F(MenuFiles, shippedVariables_standInUntilTheUsersFileExists) {
  WriteFile(dir.file("shipped.nfv"), "s\xB6" "1\r\n");
  WriteFile(dir.file("m.nff"), "NFF 2\r\n");
  doc.ShippedVariables = dir.file("shipped.nfv");
  doc.LoadFromFile(dir.file("m.nff"));
  ASSERT_EQ(doc.Variables.Vars.size(), 1u);
  doc.Variables.AddVariable("u", "2");
  doc.SaveToFile(dir.file("m.nff"));
  EXPECT_EQ(ReadFile(dir.file("navforge.nfv")), "s\xB6" "1\r\nu\xB6" "2\r\n");
  EXPECT_EQ(ReadFile(dir.file("shipped.nfv")), "s\xB6" "1\r\n");
  TovHTML back;
  back.VariablesFile = doc.VariablesFile;
  back.ShippedVariables = doc.ShippedVariables;
  back.LoadFromFile(dir.file("m.nff"));
  EXPECT_EQ(back.Variables.Vars.size(), 2u);
}

TEST_F(MenuFiles, failures_endTheSaveEarly) {
  doc.Variables.AddVariable("v", "1");
  EXPECT_THROW(doc.SaveToFile(dir.file("gone/m.nff")), EFCreateError);

  // Settings file cannot be written: the menu file is, the variables file is not.
  test::MakeDir(dir.file("m.nfs"));
  EXPECT_THROW(doc.SaveToFile(dir.file("m.nff")), EWriteError);
  EXPECT_EQ(ReadFile(dir.file("m.nff")), "NFF 2\r\n");
  EXPECT_EQ(ReadFile(dir.file("navforge.nfv")), "");

  doc.VariablesFile = dir.file("gone/navforge.nfv");
  EXPECT_THROW(doc.SaveToFile(dir.file("n.nff")), EFCreateError);
  EXPECT_EQ(ReadFile(dir.file("n.nff")), "NFF 2\r\n");
  EXPECT_NE(ReadFile(dir.file("n.nfs")), "");
}

}  // namespace
}  // namespace navforge
