#include "support/fsname.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/folders.h"
#include "support/textfile.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

// A page named after the caption "Über uns" must be the file a browser opens for the
// link "Über uns.htm": the file system holds the name in UTF-8.
TEST(FsName, cp1252Paths_nameUtf8Files) {
  test::TempDir dir;
  const std::string page = dir.path() + "/\xDC" "ber uns.htm";  // Windows-1252 Ü
  WriteTextLines(page, {"x"});
  struct stat st;
  EXPECT_EQ(::stat((dir.path() + "/\xC3\x9C" "ber uns.htm").c_str(), &st), 0);
  EXPECT_TRUE(FileExists(page));
  EXPECT_EQ(ReadTextLines(page), std::vector<std::string>{"x"});
}

TEST(FsName, listedFolderNames_comeBackAsCp1252) {
  test::TempDir dir;
  test::MakeDir(dir.path() + "/Gr\xC3\xBC" "n");  // UTF-8 "Grün" on disk
  std::vector<std::string> names;
  ListDirectory(dir.path(), names, true);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0], "Gr\xFCn");
  EXPECT_TRUE(DirectoryExists(dir.path() + "/Gr\xFCn"));
}

TEST(FsName, namesTheCodePageCannotHold_stayAsTheyAre) {
  EXPECT_EQ(FromFsName("\xE4\xB8\xAD"), "\xE4\xB8\xAD");  // a CJK character in UTF-8
  EXPECT_EQ(FromFsName("\xFF"), "\xFF");                  // not UTF-8
  EXPECT_EQ(FromFsName(ToFsName("\x80\xFC")), "\x80\xFC");
}

}  // namespace
}  // namespace navforge
