// Which changes of a page can be set into the live page, and where they go.
#include <gtest/gtest.h>

#include <string>

#include "ui/preview/pagediff.h"

namespace navforge::preview {
namespace {

constexpr char kPage[] =
    "<!DOCTYPE html>\r\n<html><head><title>Menü</title><style>a { color: red; }</style></head>\r\n"
    "<body data-hg=\"bild.png\"><!-- navforge --><ul><li><a href=\"a.htm\">Start</a><li>Text <b>fett</b> Rest</ul>"
    "<img src=\"x.png\" alt=\"\"><p>Ende</p><script>var n = 1;</script></body></html>";

std::string Changed(const std::string& from, const std::string& to) {
  std::string page = kPage;
  page.replace(page.find(from), from.size(), to);
  return page;
}

TEST(DiffPages, findsEachChangedTextAndAttribute) {
  struct Case {
    const char* from;
    const char* to;
    PageEdit edit;  // Before/After nullopt: the attribute is absent
  };
  const Case cases[] = {
      {">Start<", ">Anfang &amp; Ende&#x21;<", {"a", 0, 0, "", "Start", "Anfang & Ende!"}},
      // The second list item ends the first: its text is the second li's first child.
      {"<li>Text ", "<li>Neu\r\n", {"li", 1, 0, "", "Text ", "Neu\n"}},
      {"</b> Rest", "</b> Schluss", {"li", 1, 2, "", " Rest", " Schluss"}},
      {"a { color: red; }", "a { color: #00f &amp; }", {"style", 0, 0, "", "a { color: red; }", "a { color: #00f &amp; }"}},
      {"<title>Menü", "<title>Menü &lt;2&gt;", {"title", 0, 0, "", "Menü", "Menü <2>"}},
      {"navforge -->", "anders -->", {"body", 0, 0, "", " navforge ", " anders "}},
      {"href=\"a.htm\"", "href='b.htm?x=1&amp;y=2'", {"a", 0, -1, "href", "a.htm", "b.htm?x=1&y=2"}},
      {"data-hg=\"bild.png\"", "", {"body", 0, -1, "data-hg", "bild.png", std::nullopt}},
      {"alt=\"\"", "alt=\"\" title=\"Bild\"", {"img", 0, -1, "title", std::nullopt, "Bild"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    const std::optional<PageDiff> diff = DiffPages(kPage, Changed(c.from, c.to));
    ASSERT_TRUE(diff);
    ASSERT_EQ(diff->Edits.size(), 1u);
    const PageEdit& e = diff->Edits[0];
    EXPECT_EQ(e.Tag, c.edit.Tag);
    EXPECT_EQ(e.Index, c.edit.Index);
    EXPECT_EQ(e.Child, c.edit.Child);
    EXPECT_EQ(e.Name, c.edit.Name);
    EXPECT_EQ(e.Before, c.edit.Before);
    EXPECT_EQ(e.After, c.edit.After);
    EXPECT_EQ(diff->TagCounts.at(e.Tag), c.edit.Tag == "li" ? 2 : 1);
  }
  EXPECT_TRUE(DiffPages(kPage, kPage)->Edits.empty());
}

TEST(DiffPages, anythingMoreLoadsThePageAnew) {
  const std::pair<const char*, const char*> cases[] = {
      {"<b>fett</b>", "<i>fett</i>"},               // another element
      {"<p>Ende</p>", "<p>Ende</p><p>mehr</p>"},    // one more
      {"Rest", "Rest<br>"},                         // a void one
      {"var n = 1;", "var n = 2;"},                 // a script's text
      {"src=\"x.png\"", "src=\"x.png\" onerror=\"f()\""},  // an event handler
      {">Start<", ">Start&copy;<"},                 // a reference this reader does not know
      {"<!DOCTYPE html>", "<!DOCTYPE html PUBLIC \"x\">"},
  };
  for (const auto& [from, to] : cases) {
    SCOPED_TRACE(to);
    EXPECT_FALSE(DiffPages(kPage, Changed(from, to)));
  }
  const std::string large = Changed("<p>Ende</p>", "<p>" + std::string(std::size_t{4} << 20, 'x') + "</p>");
  EXPECT_FALSE(DiffPages(large, large));  // too large to hold twice over
}

}  // namespace
}  // namespace navforge::preview
