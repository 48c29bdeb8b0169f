#include "ui/relpath.h"

#include <gtest/gtest.h>

namespace navforge {
namespace {

std::string Link(const std::string& base, const std::string& file) { return MakeRelativePath(base, file); }

TEST(MakeRelativePath, outputFolderExamples) {
  EXPECT_EQ(Link("C:\\web\\menu\\", "C:\\web\\pages\\a.htm"), "..\\pages\\a.htm");
  EXPECT_EQ(Link("C:\\web\\menu\\", "C:\\web\\menu\\a.htm"), "a.htm");
  EXPECT_EQ(Link("C:\\web\\menu\\", "C:\\web\\menu\\sub\\a.htm"), "sub\\a.htm");
  EXPECT_EQ(Link("C:\\web\\menu\\", "D:\\x\\a.htm"), "D:\\x\\a.htm");
}

TEST(MakeRelativePath, baseWithoutDrive_keepsWindowsPathAbsolute) {
  EXPECT_EQ(Link("", "C:\\web\\pages\\a.htm"), "C:\\web\\pages\\a.htm");
}

TEST(MakeRelativePath, driveAndFolderNames_ignoreLetterCase) {
  EXPECT_EQ(Link("c:\\WEB\\Menu\\", "C:\\web\\menu\\x\\b.htm"), "x\\b.htm");
}

TEST(MakeRelativePath, severalLevelsUpAndDown) {
  EXPECT_EQ(Link("C:\\a\\b\\c\\", "C:\\a\\x\\y\\f.gif"), "..\\..\\x\\y\\f.gif");
  // A common prefix of letters is no common folder.
  EXPECT_EQ(Link("C:\\web\\men\\", "C:\\web\\menu\\f.gif"), "..\\menu\\f.gif");
}

TEST(MakeRelativePath, forwardSlashes_separateFolders) {
  EXPECT_EQ(Link("/home/u/web/menu/", "/home/u/web/pages/a.htm"), "..\\pages\\a.htm");
  EXPECT_EQ(Link("/home/u/web/menu/", "/home/u/web/menu/sub/a.htm"), "sub\\a.htm");
  EXPECT_EQ(Link("C:/web/menu/", "C:\\web\\pages\\a.htm"), "..\\pages\\a.htm");
}

TEST(MakeRelativePath, rootedFileSeenFromRelativeBase_staysAbsolute) {
  EXPECT_EQ(Link("", "/srv/www/a.htm"), "/srv/www/a.htm");
  EXPECT_EQ(Link("menu/", "/srv/www/a.htm"), "/srv/www/a.htm");
}

TEST(MakeRelativePath, colon_isPartOfANameExceptInADrive) {
  EXPECT_EQ(Link("/home/u/", "/home/u/a:b.htm"), "a:b.htm");
  EXPECT_EQ(Link("/home/u/x:y/", "/home/u/x:y/a.htm"), "a.htm");
  EXPECT_EQ(Link("C:", "C:a.htm"), "a.htm");
}

TEST(MakeRelativePath, networkShares_compareServerAndShare) {
  EXPECT_EQ(Link("\\\\srv\\web\\menu\\", "\\\\srv\\web\\pages\\a.htm"), "..\\pages\\a.htm");
  EXPECT_EQ(Link("\\\\srv\\web\\menu\\", "\\\\srv\\other\\pages\\a.htm"), "\\\\srv\\other\\pages\\a.htm");
  EXPECT_EQ(Link("C:\\web\\", "\\\\srv\\web\\a.htm"), "\\\\srv\\web\\a.htm");
}

}  // namespace
}  // namespace navforge
