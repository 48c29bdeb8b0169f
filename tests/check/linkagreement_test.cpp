// Which file a link names, asked of the check, the import and setting the menu in: for
// tricky links all three must name the same page, or none.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "apply/siteapply.h"
#include "check/menucheck.h"
#include "import/keepinstep.h"
#include "import/menuimport.h"
#include "import/sitelinks.h"
#include "support/fsname.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::MakeDir;
using test::WriteFile;

// The pages of the site; all carry the markers, so setting the menu in reaches each.
const char* const kPages[] = {"seite.htm", "\xC3\xBC.htm", "b.htm", "ordner/index.htm", "ordner/a.htm"};

struct LinkCase {
  const char* link;
  const char* page;  // the page it names (file-system name from the site folder), nullptr for none
  bool missing;      // a local link that names no file
};

const LinkCase kLinks[] = {
    {"seite.htm ?a=1", nullptr, true},  // the browser asks for "seite.htm%20"
    {"seite.htm#x", "seite.htm", false},
    {"seite.htm   ", "seite.htm", false},
    {" \tseite.htm", "seite.htm", false},
    {"%C3%BC.htm", "\xC3\xBC.htm", false},
    {"\xFC.htm", "\xC3\xBC.htm", false},  // Windows-1252 in the menu, UTF-8 on disk
    {"ordner/", "ordner/index.htm", false},
    {"ordner", "ordner/index.htm", false},
    {"./a/../b.htm", "b.htm", false},
    {"ordner\\a.htm", "ordner/a.htm", false},
    {"\\\\a.htm", nullptr, false},  // "//a.htm": another host
    {"\\b.htm", nullptr, false},    // from the server's root
    {"fehlt.htm", nullptr, true},
};

void PrintTo(const LinkCase& c, std::ostream* os) { *os << '"' << c.link << '"'; }

class LinkAgreement : public ::testing::TestWithParam<LinkCase> {
protected:
  void SetUp() override {
    test::WriteTemplateSet(dir.file("T/S"),
                           {{"template.ini", "[Main]\r\nall_in_one=1\r\ncharset=utf-8\r\n"},
                            {"header.txt", "<nav>\n<!-- navforge -->\n"},
                            {"footer.txt", "<!-- /navforge -->\n</nav>\n"},
                            {"menupoint.txt", "<a href=\"$Link$\"$Current$>$Linkname$</a>\n"}});
    MakeDir(site("ordner"));
    for (const char* page : kPages) WriteFile(site(page), "<title>x</title>\n<!-- navforge -->\n<!-- /navforge -->\n");
    doc.TemplateRoot = dir.file("T");
    doc.Template = "S";
    doc.MenuFile = dir.file("menu.nff");
    doc.VariablesFile = dir.file("v.nfv");
    doc.Filename = site("menu.htm");
    doc.Items = {{"E", GetParam().link, "", "", false}};
  }
  std::string site(const std::string& name) const { return dir.file("site/" + name); }

  test::TempDir dir;
  TovHTML doc;
};

TEST_P(LinkAgreement, checkImportAndApply_nameTheSamePage) {
  const LinkCase& c = GetParam();
  SCOPED_TRACE(c.link);

  const check::Findings findings = check::CheckMenu(doc, {doc.MenuFile, ""});
  const bool checkMissing = std::any_of(findings.begin(), findings.end(),
                                        [](const check::Finding& f) { return f.code == "link-ziel-fehlt"; });
  EXPECT_EQ(checkMissing, c.missing);

  // The import counts as linked every page it does not add.
  const import::ImportOptions options = import::OptionsForMenu(doc, doc.MenuFile, site(""));
  TMenutree items = doc.Items;
  const import::StepResult step =
      import::KeepInStep(items, import::ProposeMenu(options).Entries, site(""), doc.Variables, "");
  std::set<std::string> linked;
  for (const char* page : kPages) linked.insert(import::AbsolutePath(site(FromFsName(page))));
  for (const import::ProposedEntry& added : step.Added) linked.erase(added.Page);
  EXPECT_EQ(linked, c.page ? std::set<std::string>{import::AbsolutePath(site(FromFsName(c.page)))}
                           : std::set<std::string>{});
  EXPECT_EQ(step.Missing.size(), c.missing ? 1u : 0u);

  // Setting the menu in marks the page the entry names as the current one.
  for (const char* page : kPages) {
    std::string problem;
    const std::optional<std::string> withMenu = apply::PageWithMenu(doc, site(page), problem);
    ASSERT_TRUE(withMenu) << page << ": " << problem;
    const bool current = withMenu->find("aria-current") != std::string::npos;
    EXPECT_EQ(current, c.page && std::string(c.page) == page) << page;
  }
}

INSTANTIATE_TEST_SUITE_P(TrickyLinks, LinkAgreement, ::testing::ValuesIn(kLinks));

}  // namespace
}  // namespace navforge
