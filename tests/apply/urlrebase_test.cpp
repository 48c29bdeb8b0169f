// Links written for the menu's folder, read from another folder of the site.
#include <gtest/gtest.h>

#include "apply/urlrebase.h"

namespace navforge::apply {
namespace {

TEST(UrlRebase, relativeUrlsFollowThePageAndOthersStay) {
  struct Case {
    const char* from;
    const char* to;
    const char* url;
    const char* expected;
  } const cases[] = {
      {"/s", "/s/produkte", "index.html", "../index.html"},
      {"/s", "/s/produkte", "produkte/regale.html", "regale.html"},
      {"/s", "/s/produkte", "produkte/", "./"},
      {"/s", "/s/a/b", "c/d.htm?x=1#t", "../../c/d.htm?x=1#t"},
      {"/s/menu", "/s", "../index.html", "index.html"},
      {"/s/menu", "/s", "bild.png", "menu/bild.png"},
      {"/s", "/s/a", "./x.htm", "../x.htm"},
      {"/s", "/s", "x.htm", "x.htm"},
      {"/s", "/s/a", "#oben", "#oben"},
      {"/s", "/s/a", "?q", "?q"},
      {"/s", "/s/a", "/abs.htm", "/abs.htm"},
      {"/s", "/s/a", "//host/x", "//host/x"},
      {"/s", "/s/a", "https://x.de/a", "https://x.de/a"},
      {"/s", "/s/a", "mailto:a@b.de", "mailto:a@b.de"},
      {"/s", "/s/a", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlRebase(c.from, c.to).Url(c.url), c.expected) << c.url << " to " << c.to;
}

TEST(UrlRebase, everyUrlPlaceOfTheMarkupIsRebased) {
  const UrlRebase rebase("/s", "/s/a");
  EXPECT_EQ(rebase.Html("<a class=x href=\"i.htm\">href=\"i.htm\"</a><img src='b.png' srcset=\"b.png 1x, c.png 2x\">"
                        "<form action=f.php><p style=\"background:url( 'h.svg' )\">"
                        "<span data-x=\"i.htm\" title=\"url\">"),
            "<a class=x href=\"../i.htm\">href=\"i.htm\"</a><img src='../b.png' srcset=\"../b.png 1x, ../c.png 2x\">"
            "<form action=../f.php><p style=\"background:url( '../h.svg' )\">"
            "<span data-x=\"i.htm\" title=\"url\">");
}

}  // namespace
}  // namespace navforge::apply
