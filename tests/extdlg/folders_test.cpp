// The folder routines the module loader and the shared-folder lookup rely on.
#include "support/folders.h"

#include <gtest/gtest.h>

#include "testsupport/tempdir.h"

namespace navforge {
namespace {

TEST(AddTrailingBackslash, addsOneSeparatorOnlyWhereNoneIs) {
  EXPECT_EQ(AddTrailingBackslash(""), "");
  EXPECT_EQ(AddTrailingBackslash("/"), "/");
  EXPECT_EQ(AddTrailingBackslash("/srv/x"), "/srv/x/");
  EXPECT_EQ(AddTrailingBackslash("/srv/x/"), "/srv/x/");
  EXPECT_EQ(AddTrailingBackslash("C:\\"), "C:\\");  // a value written the other platform's way
}

TEST(ListDirectory, takesOnlyVisibleSubFolders_andAppends) {
  test::TempDir dir;
  test::MakeDir(dir.file("Blue"));
  test::MakeDir(dir.file(".svn"));
  test::MakeDir(dir.file(".hidden"));
  test::WriteFile(dir.file("a.txt"), "x");
  test::WriteFile(dir.file("b"), "");
  std::vector<std::string> list{"kept"};
  ListDirectory(dir.path(), list, true);
  EXPECT_EQ(list, (std::vector<std::string>{"kept", "Blue"}));
  list.clear();
  ListDirectory(dir.path() + "/", list, false);
  EXPECT_EQ(list, (std::vector<std::string>{dir.path() + "/Blue"}));
  list.clear();
  ListDirectory(dir.file("missing"), list, true);
  ListDirectory(dir.file("a.txt"), list, true);
  EXPECT_TRUE(list.empty());
}

TEST(DirectoryExists, isTrueForFoldersOnly) {
  test::TempDir dir;
  test::WriteFile(dir.file("f"), "x");
  EXPECT_TRUE(DirectoryExists(dir.path()));
  EXPECT_FALSE(DirectoryExists(dir.file("f")));
  EXPECT_FALSE(DirectoryExists(dir.file("missing")));
}

}  // namespace
}  // namespace navforge
