// Which file a link names: the rule the check, the import and the preview share.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "core/locallink.h"

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
  };
  for (const auto& [link, expected] : cases) EXPECT_EQ(LocalLinkFile(link), expected) << link;
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
