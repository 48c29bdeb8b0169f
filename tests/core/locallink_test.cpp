// Which file a link names: the rule the check, the import and the preview share.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "core/locallink.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

TEST(LocalLinkFile, linkText_givesTheFileABrowserWouldAskFor) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"seite.htm", "seite.htm"},
      {"  a/b.htm?x=1#top ", "a/b.htm"},
      {"..\\ordner\\c.htm", "../ordner/c.htm"},
      {"%C3%BCber%20uns.htm", "\xC3\xBC" "ber uns.htm"},
      {"\xDC" "ber uns.htm", "\xC3\x9C" "ber uns.htm"},  // Windows-1252 link, UTF-8 file name
      {"100%.htm", "100%.htm"},
      {"", std::nullopt},
      {"#oben", std::nullopt},
      {"?seite=2", std::nullopt},
      {"http://example.org/", std::nullopt},
      {"MAILTO:a@b.de", std::nullopt},
      {"tel:+49", std::nullopt},
      {"javascript:void(0)", std::nullopt},
      {"//cdn.example.org/x.js", std::nullopt},
      {"/wurzel.htm", std::nullopt},
      {"\\wurzel.htm", std::nullopt},
      {"C:\\seiten\\a.htm", std::nullopt},
      // A blank before the query stays in the name, as a browser asks for "seite.htm%20".
      {"seite.htm ?a=1", "seite.htm "},
      {"\tseite.htm\r\n", "seite.htm"},
      {"sei\tte\n.htm", "seite.htm"},  // tabs and line breaks inside are dropped as well
  };
  for (const auto& [link, expected] : cases) EXPECT_EQ(LocalLinkFile(link), expected) << link;
}

// Folders stand for their index page, found in the server's order and spelling.
TEST(LocalLinkPath, linkFromAFolder_givesTheAbsoluteFileAndFolderIndexPages) {
  test::TempDir dir;
  for (const char* folder : {"beide", "gross", "ohne"}) test::MakeDir(dir.file(folder));
  test::WriteFile(dir.file("beide/index.htm"), "");
  test::WriteFile(dir.file("beide/index.html"), "");
  test::WriteFile(dir.file("gross/Index.htm"), "");
  const std::string d = dir.path();
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"seite.htm#x", d + "/seite.htm"},
      {"./a/../b.htm", d + "/b.htm"},
      {"../x.htm", std::filesystem::path(d).parent_path().string() + "/x.htm"},
      {"beide/", d + "/beide/index.html"},
      {"beide", d + "/beide/index.html"},
      {"./beide/?x", d + "/beide/index.html"},
      {"gross/", d + "/gross"},  // "Index.htm" is not what the server asks for
      {"ohne/", d + "/ohne"},
      {"fehlt/", d + "/fehlt"},
      {"/wurzel.htm", std::nullopt},
  };
  for (const auto& [link, expected] : cases) EXPECT_EQ(LocalLinkPath(link, d), expected) << link;
  EXPECT_EQ(IndexPageIn(d + "/beide"), d + "/beide/index.html");
  EXPECT_EQ(IndexPageIn(d + "/gross"), std::nullopt);
}

TEST(LinkWithVariables, variables_areFilledAsInThePage) {
  TParseList vars;
  vars.AddVariable("Basis", "ordner/");
  vars.AddVariable("leer", "");
  EXPECT_EQ(LinkWithVariables("$basis$seite.htm", vars), "ordner/seite.htm");
  EXPECT_EQ(LinkWithVariables("$leer$x.htm$", vars), "x.htm$");
  EXPECT_EQ(LinkWithVariables("$fremd$x.htm", vars), "$fremd$x.htm");
}

}  // namespace
}  // namespace navforge
