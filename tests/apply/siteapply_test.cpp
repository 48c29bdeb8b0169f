// The menu set into the pages of a small site: UTF-8 and Windows-1252 pages, a
// sub-folder, a page the menu does not name, a page without markers, pages to pass by.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "apply/siteapply.h"
#include "core/menumarkers.h"
#include "support/cp1252.h"
#include "testsupport/tempdir.h"

namespace navforge::apply {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

std::string Marked(const std::string& before, const std::string& after, const std::string& lineBreak = "\n") {
  return before + "<!-- navforge -->" + lineBreak + "alt" + lineBreak + "<!-- /navforge -->" + after;
}

class SiteApply : public ::testing::Test {
protected:
  void SetUp() override {
    // A set with a page per group; its nav holds a style sheet link, an image in a
    // style and a character Windows-1252 lacks.
    test::WriteTemplateSet(dir.file("T/S"),
                           {{"template.ini", "[Main]\r\nall_in_one=0\r\ncharset=utf-8\r\n"},
                            {"header.txt", "<html><body>\n<!-- navforge -->\n<nav><link rel=\"stylesheet\" href=\"nav.css\">"
                                           "<p style=\"background:url(bild.png)\">\xE2\x86\x92</p><ul>"},
                            {"footer.txt", "</ul></nav>\n<!-- /navforge -->\n</body></html>"},
                            {"menupoint.txt", "<li><a href=\"$Link$\"$Current$>$Linkname$</a></li>"},
                            {"activemenupoint.txt", "<li class=\"offen\"><a href=\"$Link$\"$Current$>$Linkname$</a><ul>$submenu$</ul></li>"},
                            {"SubmenuPoint.txt", "<li><a href=\"$Link$\" target=\"$LinkTarget$\"$Current$>$Linkname$</a></li>"}});
    test::MakeDir(site("produkte"));
    test::MakeDir(site("alt"));
    pages = {
        {"index.html", Marked("<!DOCTYPE html>\n<meta charset=\"utf-8\"><p>Grüße</p>\n", "\n<p>Ende</p>\n")},
        {"produkte/regale.html",
         Marked("<meta charset=\"windows-1252\">\r\n<p>Gr\xFC\xDF" "e</p>\r\n", "\r\n", "\r\n")},
        {"produkte/tische.html", Marked("<p>Tische</p>\n", "\n")},
        {"impressum.htm", Marked("<p>Impressum</p>\n", "\n")},  // named by no entry
        {"kontakt.html", "<p>Kontakt, ohne Markierung</p>\n"},
        {".entwurf.html", Marked("", "")},
        {"alt/alt.html", Marked("", "")},
        {"notiz.txt", Marked("", "")},
    };
    for (const auto& [name, bytes] : pages) WriteFile(site(name), bytes);
    WriteFile(site(".navforgeignore"), "alt/\n");
    WriteFile(site("nav.css"), "");
    WriteFile(site("bild.png"), "");

    doc.TemplateRoot = dir.file("T");
    doc.Template = "S";
    doc.MenuFile = site("menu.nff");
    doc.VariablesFile = dir.file("v.nfv");
    doc.Filename = "nav.htm";
    doc.InsertItem(-1, "Start", "index.html", "inhalt", false);
    doc.InsertItem(-1, "Produkte", "", "", false);
    doc.InsertItem(-1, "Regale", "produkte/regale.html", "inhalt", true);
    doc.InsertItem(-1, "Tische", "produkte/tische.html", "_blank", true);
    doc.InsertItem(-1, "Kontakt", "kontakt.html", "", false);
    doc.InsertItem(-1, "\xDC" "ber uns", "index.html", "", false);  // names the start page again, later
    WriteFile(site("nav.htm"), Marked("<p>generated</p>", ""));      // the menu's own page
  }
  std::string site(const std::string& name = "") const { return dir.file("site") + "/" + name; }
  ApplyReport Run(ApplyMode mode) { return ApplyToSite(doc, {"", mode}); }

  test::TempDir dir;
  TovHTML doc;
  std::map<std::string, std::string> pages;
};

TEST_F(SiteApply, eachMarkedPageGetsItsMenuAndKeepsTheRest) {
  const ApplyReport report = Run(ApplyMode::Write);
  ASSERT_EQ(report.Problem, "");
  EXPECT_EQ(report.Changed, 4u);
  EXPECT_EQ(report.Unmarked, std::vector<std::string>{"kontakt.html"});
  struct Expect {
    const char* page;
    const char* current;  // the caption marked current ("" for none)
  } const expected[] = {{"index.html", "\xDC" "ber uns"}, {"produkte/regale.html", "Regale"},
                        {"produkte/tische.html", "Tische"}, {"impressum.htm", ""}};
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.page);
    const std::string before = pages[e.page], after = ReadFile(site(e.page));
    const MarkedPart was = FindMarkedPart(before), is = FindMarkedPart(after);
    ASSERT_EQ(is.Is, MarkedPart::Found);
    EXPECT_EQ(after.substr(0, is.Begin), before.substr(0, was.Begin));
    EXPECT_EQ(after.substr(is.End), before.substr(was.End));
    const std::string menu = after.substr(is.Begin, is.End - is.Begin);
    const bool cp1252 = std::string(e.page) == "produkte/regale.html";
    // Encoding and line breaks of the page.
    EXPECT_NE(menu.find(cp1252 ? "&#8594;" : "\xE2\x86\x92"), std::string::npos);
    EXPECT_NE(menu.find(cp1252 ? "\r\n" : "\n"), std::string::npos);
    EXPECT_EQ(menu.find('\r') == std::string::npos, !cp1252);
    // Exactly the page itself is current, and every relative URL names an existing file.
    const std::string folder = fs::path(site(e.page)).parent_path().string();
    const std::regex current("<a href=\"([^\"]*)\"[^>]*aria-current=\"page\">([^<]*)</a>");
    std::smatch m;
    if (*e.current) {
      ASSERT_TRUE(std::regex_search(menu, m, current));
      EXPECT_EQ(fs::canonical(folder + "/" + m[1].str()), fs::canonical(site(e.page)));
      EXPECT_EQ(m[2].str(), cp1252 ? e.current : Cp1252ToUtf8(e.current));
      EXPECT_EQ(menu.find("aria-current", m.position(0) + m.length(0)), std::string::npos);
    } else {
      EXPECT_EQ(menu.find("aria-current"), std::string::npos);
    }
    const std::regex url("(?:href=\"|url\\()([^\")]+)");
    int urls = 0;
    for (auto it = std::sregex_iterator(menu.begin(), menu.end(), url); it != std::sregex_iterator(); ++it, ++urls)
      EXPECT_TRUE(fs::exists(folder + "/" + (*it)[1].str())) << (*it)[1].str();
    // nav.css, bild.png, the four main entries (the group's heading leads to its first
    // page), and the group's two entries where it is open.
    EXPECT_EQ(urls, std::string(e.page).rfind("produkte/", 0) == 0 ? 8 : 6);
    EXPECT_EQ(menu.find("inhalt"), std::string::npos);  // a frame name goes
  }
  EXPECT_NE(ReadFile(site("produkte/tische.html")).find("target=\"_blank\""), std::string::npos);
  for (const char* untouched : {"kontakt.html", ".entwurf.html", "alt/alt.html", "notiz.txt"})
    EXPECT_EQ(ReadFile(site(untouched)), pages[untouched]) << untouched;
  EXPECT_EQ(ReadFile(site("nav.htm")), Marked("<p>generated</p>", ""));
}

TEST_F(SiteApply, aSiteInStepIsNotWrittenAndOnlyWriteModeWrites) {
  for (const ApplyMode mode : {ApplyMode::DryRun, ApplyMode::Check}) {
    EXPECT_EQ(Run(mode).Changed, 4u);
    for (const auto& [name, bytes] : pages) EXPECT_EQ(ReadFile(site(name)), bytes) << name;
  }
  Run(ApplyMode::Write);
  struct stat before {};
  ASSERT_EQ(::stat(site("index.html").c_str(), &before), 0);
  const std::string written = ReadFile(site("index.html"));
  const ApplyReport again = Run(ApplyMode::Write);
  EXPECT_EQ(again.Changed, 0u);
  EXPECT_EQ(again.Pages.size(), 4u);
  struct stat after {};
  ASSERT_EQ(::stat(site("index.html").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // not even replaced by the same bytes
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(ReadFile(site("index.html")), written);
}

TEST_F(SiteApply, aBrokenPageFailsAloneAndTheOthersAreWritten) {
  struct Case {
    const char* bytes;
    const char* why;
  } const cases[] = {
      {"<!-- navforge --> x", "fehlt"},
      {"<!-- /navforge --> x <!-- navforge -->", "fehlt"},
      {"<!-- navforge --><!-- /navforge --><!-- navforge --><!-- /navforge -->", "mehr als einmal"},
      {"<meta charset=\"shift_jis\"><!-- navforge --><!-- /navforge -->", "Kodierung"},
      {"<!-- navforge-pfad --> x", "fehlt <!-- /navforge-pfad -->"},
      {"<!-- navforge --><!-- navforge-pfad --><!-- /navforge --><!-- /navforge-pfad -->", "ineinander"},
  };
  for (const Case& c : cases) {
    WriteFile(site("kaputt.htm"), c.bytes);
    for (const auto& [name, bytes] : pages) WriteFile(site(name), bytes);
    const ApplyReport report = Run(ApplyMode::Write);
    EXPECT_EQ(report.Failed, 1u) << c.bytes;
    EXPECT_EQ(report.Changed, 4u) << c.bytes;
    EXPECT_EQ(ReadFile(site("kaputt.htm")), c.bytes);
    const auto failed = std::find_if(report.Pages.begin(), report.Pages.end(),
                                     [](const PageResult& p) { return p.Is == PageResult::Failed; });
    ASSERT_NE(failed, report.Pages.end());
    EXPECT_EQ(failed->Page, "kaputt.htm");
    EXPECT_NE(failed->Problem.find(c.why), std::string::npos) << failed->Problem;
  }
}

// A set that nests opens the groups on the page's path; the trail's markers get the
// steps from the top to the page (the set's own wording or the plain one), each link
// leading from the page's folder, the page itself current, nothing for a page no entry
// names; a page may hold the trail alone.
TEST_F(SiteApply, aDeeperMenuOpensThePagesPathAndTheTrailLeadsToIt) {
  test::WriteTemplateSet(dir.file("T/S"),
                         {{"template.ini", "[Main]\r\nall_in_one=0\r\ncharset=utf-8\r\nlevels=3\r\n"},
                          {"SubmenuGroupPoint.txt", "<li><button aria-expanded=\"$Expanded$\">$Linkname$</button><ul>$submenu$</ul></li>"}});
  doc.InsertItem(2, "Holz", "produkte/holz.html", "", true);  // after Regale
  doc.Items[3].Depth = 2;
  const std::string trail = "<!-- navforge-pfad -->alt<!-- /navforge-pfad -->";
  WriteFile(site("produkte/holz.html"), Marked(trail, ""));
  WriteFile(site("produkte/tische.html"), Marked("", trail));
  WriteFile(site("impressum.htm"), trail);
  struct Case {
    const char* page;
    const char* path;  // what the trail holds
    const char* expanded;  // the group Regale, in the menu
  } const cases[] = {
      {"produkte/holz.html", "Produkte regale.html|Regale regale.html|Holz holz.html!", "true"},
      {"produkte/tische.html", "Produkte regale.html|Tische tische.html!", "false"},
      {"impressum.htm", "", nullptr},
  };
  const auto steps = [](const std::string& part) {
    const std::regex step("<a href=\"([^\"]*)\"( aria-current=\"page\")?>([^<]*)</a>");
    std::string found;
    for (auto it = std::sregex_iterator(part.begin(), part.end(), step); it != std::sregex_iterator(); ++it)
      found += (found.empty() ? "" : "|") + (*it)[3].str() + " " + (*it)[1].str() + ((*it)[2].matched ? "!" : "");
    return found;
  };
  ASSERT_EQ(Run(ApplyMode::Write).Failed, 0u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    const std::string after = ReadFile(site(c.page));
    const MarkedPart path = FindMarkedPart(after, kPathBegin, kPathEnd);
    ASSERT_EQ(path.Is, MarkedPart::Found);
    const std::string part = after.substr(path.Begin, path.End - path.Begin);
    EXPECT_EQ(steps(part), c.path);
    EXPECT_EQ(part.find("aria-label=\"Sie sind hier\"") != std::string::npos, *c.path != 0);
    if (c.expanded) {
      EXPECT_NE(after.find(std::string("aria-expanded=\"") + c.expanded + "\">Regale"), std::string::npos);
    }
  }
  // A set's own wording of the trail.
  test::WriteTemplateSet(dir.file("T/S"), {{"PathHeader.txt", "<nav aria-label=\"Pfad\"><ol>"},
                                           {"PathPoint.txt", "<li>$Level$ <a href=\"$Link$\">$Linkname$</a></li>"},
                                           {"PathFooter.txt", "</ol></nav>"}});
  ASSERT_EQ(Run(ApplyMode::Write).Failed, 0u);
  const std::string worded = ReadFile(site("produkte/holz.html"));
  EXPECT_NE(worded.find("<nav aria-label=\"Pfad\"><ol>\n<li>0 <a href=\"regale.html\">Produkte</a></li>\n<li>1 <a "
                        "href=\"regale.html\">Regale</a></li>\n<li>2 <a href=\"holz.html\">Holz</a></li>\n</ol></nav>"),
            std::string::npos)
      << worded;
}

TEST_F(SiteApply, aPageThatCannotBeWrittenFailsAlone) {
  fs::permissions(site("impressum.htm"), fs::perms::owner_read);
  const ApplyReport report = Run(ApplyMode::Write);
  EXPECT_EQ(report.Failed, 1u);
  EXPECT_EQ(report.Changed, 3u);
  EXPECT_EQ(ReadFile(site("impressum.htm")), pages["impressum.htm"]);
  EXPECT_NE(ReadFile(site("index.html")), pages["index.html"]);
  const auto failed = std::find_if(report.Pages.begin(), report.Pages.end(),
                                   [](const PageResult& p) { return p.Is == PageResult::Failed; });
  ASSERT_NE(failed, report.Pages.end());
  EXPECT_EQ(failed->Page, "impressum.htm");
}

TEST_F(SiteApply, aSetWithoutMarkersOrAMissingSiteDoesNothing) {
  test::WriteTemplateSet(dir.file("T/Alt"), {{"header.txt", "<nav>"}, {"footer.txt", "</nav>"}});
  doc.Template = "Alt";
  EXPECT_NE(Run(ApplyMode::Write).Problem.find("markiert kein Men\xFC"), std::string::npos);
  doc.Template = "S";
  EXPECT_NE(ApplyToSite(doc, {dir.file("fehlt"), ApplyMode::Write}).Problem.find("gibt es nicht"), std::string::npos);
  for (const auto& [name, bytes] : pages) EXPECT_EQ(ReadFile(site(name)), bytes) << name;
}

}  // namespace
}  // namespace navforge::apply
