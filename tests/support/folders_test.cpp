// Folder routines as the template loader, the set list and the module loader use them.
#include "support/folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;
using test::MakeDir;
using test::TempDir;
using test::WriteFile;

TEST(ListDirectory, listing_passesOverDotFoldersFilesAndLinksToFiles) {
  TempDir dir;
  MakeDir(dir.file("Blue"));
  MakeDir(dir.file("Red"));
  MakeDir(dir.file(".svn"));
  MakeDir(dir.file("..x"));
  WriteFile(dir.file("a.txt"), "x");
  WriteFile(dir.file("b"), "");
  fs::create_directory_symlink(dir.file("Blue"), dir.file("Link"));
  fs::create_symlink(dir.file("a.txt"), dir.file("FileLink"));
  fs::create_symlink(dir.file("gone"), dir.file("Dangling"));
  std::vector<std::string> list;
  ListDirectory(dir.path(), list, true);
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (std::vector<std::string>{"Blue", "Link", "Red"}));

  std::vector<std::string> full{"first"};
  ListDirectory(dir.path(), full, false);
  ASSERT_EQ(full.size(), 4u);
  EXPECT_EQ(full[0], "first");
  for (std::size_t i = 1; i < full.size(); ++i) EXPECT_EQ(full[i].rfind(dir.path() + "/", 0), 0u) << full[i];

  std::vector<std::string> none;
  ListDirectory(dir.file("missing"), none, true);
  ListDirectory(dir.file("a.txt"), none, true);
  EXPECT_TRUE(none.empty());
}

TEST(DirectoryExists, links_areFollowedAndFilesAndEmptyPathsRefused) {
  TempDir dir;
  MakeDir(dir.file("d"));
  WriteFile(dir.file("f"), "x");
  fs::create_directory_symlink(dir.file("d"), dir.file("ld"));
  EXPECT_TRUE(DirectoryExists(dir.file("d")));
  EXPECT_TRUE(DirectoryExists(dir.file("d") + "/"));
  EXPECT_TRUE(DirectoryExists(dir.file("ld")));
  EXPECT_FALSE(DirectoryExists(dir.file("f")));
  EXPECT_FALSE(DirectoryExists(dir.file("f") + "/"));
  EXPECT_FALSE(DirectoryExists(dir.file("missing")));
  EXPECT_FALSE(DirectoryExists(""));
}

TEST(AddTrailingBackslash, anyPath_endsWithOneSeparator) {
  EXPECT_EQ(AddTrailingBackslash(""), "");
  EXPECT_EQ(AddTrailingBackslash("/"), "/");
  EXPECT_EQ(AddTrailingBackslash("a"), "a/");
  EXPECT_EQ(AddTrailingBackslash("a//"), "a//");
  EXPECT_EQ(AddTrailingBackslash("C:\\x"), "C:\\x/");
  EXPECT_EQ(AddTrailingBackslash("C:\\x\\"), "C:\\x\\");
}

TEST(FindChild, lookup_triesExactNameFirstThenAnyLetterCaseOfAToZ) {
  TempDir dir;
  const std::string folder = dir.path() + "/";
  WriteFile(dir.file("Header.TXT"), "");
  MakeDir(dir.file("Set"));
  MakeDir(dir.file("set"));
  WriteFile(dir.file("\xDC" "ber"), "");
  EXPECT_EQ(FindChildPath(folder, "header.txt"), folder + "Header.TXT");
  EXPECT_EQ(FindChildPath(folder, "HEADER.txt"), folder + "Header.TXT");
  EXPECT_EQ(FindChildPath(folder, "Set"), folder + "Set");
  EXPECT_EQ(FindChildPath(folder, "set"), folder + "set");
  // Of several matches the smallest name in byte order.
  EXPECT_EQ(FindChildPath(folder, "SET"), folder + "Set");
  EXPECT_EQ(FindChildPath(dir.path(), "header.txt"), folder + "Header.TXT");
  // No match: the name as asked for; umlauts are not folded.
  EXPECT_EQ(FindChildPath(folder, "footer.txt"), folder + "footer.txt");
  EXPECT_EQ(FindChildPath(folder, "\xFC" "ber"), folder + "\xFC" "ber");
  EXPECT_EQ(FindChildPath(folder, "header.tx"), folder + "header.tx");
  EXPECT_EQ(FindChildPath(dir.file("missing") + "/", "x"), dir.file("missing") + "/x");
}

TEST(FindChild, danglingLinkOfTheExactName_isTaken) {
  TempDir dir;
  const std::string folder = dir.path() + "/";
  fs::create_symlink(dir.file("gone"), dir.file("a"));
  WriteFile(dir.file("A"), "");
  EXPECT_EQ(FindChildPath(folder, "a"), folder + "a");
}

TEST(FindFolderCaseless, lookup_foldsTheLastComponentOnly) {
  TempDir dir;
  MakeDir(dir.file("templates"));
  MakeDir(dir.file("templates/X"));
  EXPECT_EQ(FindFolderCaseless(dir.file("Templates")), dir.file("templates"));
  EXPECT_EQ(FindFolderCaseless(dir.file("TEMPLATES") + "/"), dir.file("templates"));
  EXPECT_EQ(FindFolderCaseless(dir.file("templates")), dir.file("templates"));
  EXPECT_EQ(FindFolderCaseless(dir.file("Other")), dir.file("Other"));
  EXPECT_EQ(FindFolderCaseless(""), "");
}

}  // namespace
}  // namespace navforge
