// The frame beside the menu: found in the site page that shows the menu page in a
// frame, and suggested for new entries only for a set that writes targets.
#include "import/contentframe.h"

#include <gtest/gtest.h>

#include "core/menudocument.h"
#include "import/menuimport.h"
#include "testsupport/tempdir.h"

namespace navforge::import {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(FindContentFrame, theOtherNamedFrameOfAPageThatLoadsTheMenu) {
  struct Case {
    const char* page;
    const char* frame;  // nullptr: none found
  };
  const Case cases[] = {
      {"<frameset><frame src=\"navigation.htm\" name=\"menue\"><frame src=\"start.htm\" name=\"inhalt\"></frameset>",
       "inhalt"},
      {"<iframe name=\"haupt\" src=\"start.htm\"></iframe><IFRAME SRC=\"./navigation.htm#oben\"></IFRAME>", "haupt"},
      {"<iframe src=\"navigation.htm\" name=\"menue\"></iframe><iframe src=\"a.htm\" name=\" \"></iframe>", nullptr},
      {"<iframe src=\"andere.htm\" name=\"menue\"></iframe><iframe src=\"a.htm\" name=\"inhalt\"></iframe>", nullptr},
      {"<meta charset=\"windows-1252\"><iframe src=\"navigation.htm\"></iframe><iframe name=\"R\xE4hmchen\"></iframe>",
       "R\xE4hmchen"},
      {"<p>Keine Frames, nur navigation.htm als Text</p>", nullptr},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteFile(dir.file("rahmen.htm"), c.page);
    const std::optional<ContentFrame> found =
        FindContentFrame({dir.file("fehlt.htm"), dir.file("rahmen.htm")}, dir.file("navigation.htm"));
    ASSERT_EQ(found.has_value(), c.frame != nullptr) << c.page;
    if (!found) continue;
    EXPECT_EQ(found->Name, c.frame);
    EXPECT_EQ(found->Page, dir.file("rahmen.htm"));
  }
}

TEST(SuggestTarget, frameOnlyForASetThatWritesTargets_elseTheMenusMostCommon) {
  TempDir dir;
  test::WriteTemplateSet(dir.file("T/Rahmen"), {{"SubmenuPoint.txt", "<a href=\"$Link$\" target=\"$LINKTARGET$\">"}});
  test::WriteTemplateSet(dir.file("T/Liste"), {{"SubmenuPoint.txt", "<a href=\"$Link$\">"}});
  test::MakeDir(dir.file("site"));
  WriteFile(dir.file("site/rahmen.htm"), "<iframe src=\"../nav.htm\"></iframe><iframe name=\"inhalt\"></iframe>");
  TovHTML doc;
  doc.TemplateRoot = dir.file("T");
  doc.Items = {{"A", "a.htm", "alt", "", false}};
  ImportOptions options;
  options.MenuPage = dir.file("nav.htm");
  const ImportProposal proposal{{{"Rahmen", "site/rahmen.htm", false, false, dir.file("site/rahmen.htm"), ""}}, {}, {}};
  struct Case {
    const char* set;
    const char* target;
    const char* page;
  };
  const std::string framePage = dir.file("site/rahmen.htm");
  const Case cases[] = {{"Rahmen", "inhalt", framePage.c_str()}, {"Liste", "alt", ""}, {"Fehlt", "alt", ""}};
  for (const Case& c : cases) {
    doc.Template = c.set;
    const TargetSuggestion s = SuggestTarget(doc, options, proposal);
    EXPECT_EQ(s.Target, c.target) << c.set;
    EXPECT_EQ(s.FramePage, c.page) << c.set;
  }
}

}  // namespace
}  // namespace navforge::import
