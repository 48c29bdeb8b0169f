#include "ui/preview/sitefolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport/tempdir.h"

namespace navforge::preview {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteFile;

TEST(SiteFile, servesFilesInsideTheFolderOnly) {
  TempDir dir;
  test::MakeDir(dir.file("site"));
  test::MakeDir(dir.file("site/bilder"));
  WriteFile(dir.file("site/start.htm"), "x");
  WriteFile(dir.file("site/bilder/bg.png"), "x");
  WriteFile(dir.file("site/\xC3\x9C" "ber uns.htm"), "x");
  WriteFile(dir.file("geheim.txt"), "x");
  fs::create_symlink("../geheim.txt", dir.file("site/verweis.txt"));
  fs::create_symlink("bilder/bg.png", dir.file("site/innen.png"));
  const fs::path root = dir.file("site");
  struct Case {
    const char* url;
    const char* expected;  // relative to the folder; nullptr: refused
  } cases[] = {
      {"/start.htm", "start.htm"},
      {"/bilder/bg.png", "bilder/bg.png"},
      {"/./bilder//bg.png", "bilder/bg.png"},
      {"/\xC3\x9C" "ber uns.htm", "\xC3\x9C" "ber uns.htm"},
      {"/innen.png", "bilder/bg.png"},
      {"/../geheim.txt", nullptr},
      {"/bilder/../../geheim.txt", nullptr},
      {"/verweis.txt", nullptr},
      {"/bilder", nullptr},
      {"/fehlt.htm", nullptr},
      {"/", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const auto file = SiteFile(root, c.url);
    if (!c.expected) {
      EXPECT_FALSE(file.has_value());
    } else {
      ASSERT_TRUE(file.has_value());
      EXPECT_EQ(*file, fs::canonical(root / c.expected));
    }
  }
}

TEST(IsServableSiteFolder, rootSystemFoldersAndHome_areNotServed) {
  TempDir dir;
  test::MakeDir(dir.file("site"));
  const fs::path home = dir.path();
  const struct {
    fs::path folder;
    bool served;
  } cases[] = {{"/", false}, {"/etc", false}, {"/usr/", false}, {"/usr/../var", false}, {home, false},
               {home / "site", true}, {"/usr/share", true}};
  for (const auto& c : cases) EXPECT_EQ(IsServableSiteFolder(c.folder, home), c.served) << c.folder;
}

TEST(OutputFolder, relativeNames_areTakenAgainstTheMenuFolder) {
  TempDir dir;
  test::MakeDir(dir.file("site"));
  const fs::path base = fs::canonical(dir.path());
  const std::string menu = base.string() + "/site.nff";
  EXPECT_EQ(OutputFolder("site/menu.htm", menu), base / "site");
  EXPECT_EQ(OutputFolder("menu.htm", menu), base);
  EXPECT_EQ(OutputFolder(base.string() + "/site/menu.htm", "/anderswo/site.nff"), base / "site");
  EXPECT_EQ(OutputFolder("menu.htm", ""), fs::current_path());
  // Windows-1252 text, a UTF-8 folder name.
  EXPECT_EQ(OutputFolder("\xDC" "ber/menu.htm", menu), base / "\xC3\x9C" "ber");
}

}  // namespace
}  // namespace navforge::preview
