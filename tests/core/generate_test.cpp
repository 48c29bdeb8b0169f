// Page generation: identifiers, rendering, page placeholders and the files written.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "core/generatememory.h"
#include "core/pagefiller.h"
#include "core/menudocument.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "testsupport/expectthrow.h"
#include "testsupport/filelimit.h"
#include "testsupport/generateshown.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;
using test::MakeDir;
using test::ReadFile;
using test::RecordingNotifier;
using test::TempDir;
using test::WriteFile;

const std::string kData = NAVFORGE_SOURCE_DIR "/tests/core/data/worked/";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t p = text.find(from); p != std::string::npos; p = text.find(from, p + to.size()))
    text.replace(p, from.size(), to);
  return text;
}

// Run options that collect the pages written into written.
RunOptions Reporting(std::vector<std::string>& written) {
  RunOptions run;
  run.OnPageWritten = [&written](const std::string& page) { written.push_back(page); };
  return run;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A document whose template root is a temporary folder holding the set "T", and whose
// pages go to the folder "site" beside it.
class Gen : public ::testing::Test {
protected:
  void SetUp() override {
    test::WriteTemplateSet(dir.file("Templates/T"), {});
    MakeDir(dir.file("site"));
    doc.TemplateRoot = dir.file("Templates");
    doc.Template = "T";
    doc.Filename = site() + "nav.htm";
  }
  std::string site() const { return dir.file("site") + "/"; }
  // Writes the set's files; an entry with the key "template.ini" etc.
  void Set(const test::SetFiles& files) { test::WriteTemplateSet(dir.file("Templates/T"), files); }
  void Split() { Set({{"template.ini", "[Main]\r\nall_in_one=0\r\n"}}); }
  void Add(const std::string& caption, const std::string& link, const std::string& target, bool sub) {
    doc.InsertItem(-1, caption, link, target, sub);
  }
  std::string Page(const std::string& name) const { return ReadFile(site() + name); }

  TempDir dir;
  TovHTML doc;
  RecordingNotifier notes;
  ScopedNotifier scoped{notes};
};

// The worked example, with its set, menu and expected pages kept as files.
class WorkedExample : public Gen {
protected:
  void SetUp() override {
    Gen::SetUp();
    fs::copy(kData + "Example", dir.file("Templates/T"), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    doc.LoadItems(kData + "menu.nff", TovHTML::ReadFileVersion(kData + "menu.nff"));
    doc.Title = "Start";
    doc.BackgroundColor = 0x0000FF;
  }
  std::string Expected(const std::string& name) const {
    return Replaced(ReadFile(kData + "expected/" + name), "@SITE@", site());
  }
};

TEST_F(WorkedExample, oneFilePerEntry_writesMainPageAndTheProduktePage) {
  ASSERT_EQ(doc.Items.size(), 4u);
  std::vector<std::string> written;
  doc.Generate(Reporting(written));
  EXPECT_TRUE(notes.Messages.empty());
  EXPECT_EQ(written, (std::vector<std::string>{site() + "nav.htm", site() + "Produkte.htm"}));
  EXPECT_EQ(FilesIn(dir.file("site")), (std::vector<std::string>{"Produkte.htm", "nav.htm"}));
  EXPECT_EQ(Page("nav.htm"), Expected("split/nav.htm"));
  EXPECT_EQ(Page("Produkte.htm"), Expected("split/Produkte.htm"));
  EXPECT_EQ(doc.Items[2].LinkID, "Software");
}

TEST_F(WorkedExample, allInOne_writesOnePageWithEveryEntryWithSubEntriesActive) {
  Set({{"template.ini", "[Main]\r\nall_in_one=1\r\n"}});
  doc.Generate();
  EXPECT_EQ(FilesIn(dir.file("site")), (std::vector<std::string>{"nav.htm"}));
  EXPECT_EQ(Page("nav.htm"), Expected("single/nav.htm"));
}

// Everything generation may change in the document, as one comparable value.
std::vector<std::string> DocumentState(const TovHTML& doc) {
  std::vector<std::string> state{std::to_string(doc.AllInOne), doc.Header, doc.Footer, doc.Menupoint,
                                 doc.ActiveMenupoint, doc.SubmenuPoint, doc.BetweenMenupoints,
                                 doc.BetweenSubmenuPoints};
  for (const TMTItem& it : doc.Items)
    state.push_back(it.Caption + "|" + it.Link + "|" + it.Target + "|" + it.LinkID + "|" + BoolToText(it.IsSubItem));
  return state;
}

TEST_F(WorkedExample, memoryGeneration_givesTheDiskPagesAndLeavesTheDocumentAsItWas) {
  for (const char* allInOne : {"0", "1"}) {
    Set({{"template.ini", std::string("[Main]\nall_in_one=") + allInOne + "\n"}});
    for (TMTItem& it : doc.Items) it.LinkID = "old";
    const std::vector<std::string> before = DocumentState(doc);
    const GenerationResult r = GenerateToMemory(doc);
    ASSERT_TRUE(r.Ok) << r.Message;
    EXPECT_EQ(r.Message, "");
    EXPECT_EQ(DocumentState(doc), before);
    EXPECT_TRUE(FilesIn(dir.file("site")).empty());

    std::vector<GeneratedPage> onDisk;
    RunOptions run;
    run.OnPageWritten = [&](const std::string& f) { onDisk.push_back(GeneratedPage{f, ReadFile(f)}); };
    doc.Generate(run);
    EXPECT_EQ(r.Pages, onDisk) << allInOne;
    EXPECT_EQ(r.Pages.size(), allInOne[0] == '1' ? 1u : 2u);
    for (std::size_t i = 0; i < doc.Items.size(); ++i) EXPECT_EQ(r.LinkIDs[i], doc.Items[i].LinkID);
    ASSERT_TRUE(r.Set);
    EXPECT_EQ(r.Set->AllInOne, doc.AllInOne);
    EXPECT_EQ(r.Set->ActiveMenupoint, doc.ActiveMenupoint);
    for (const std::string& f : FilesIn(dir.file("site"))) fs::remove(site() + f);
  }
  EXPECT_TRUE(notes.Messages.empty());
}

// Whatever stops Generate, memory generation reports the same text, shows nothing,
// and leaves the document untouched (Generate has replaced fragments read before an
// unreadable one).
TEST_F(Gen, memoryGeneration_failsWithTheTextGenerateShowsOrThrows) {
  Set({{"header.txt", "new"}});
  std::filesystem::create_symlink("/proc/self/mem", dir.file("Templates/T/footer.txt"));
  test::WriteTemplateSet(dir.file("Templates/Ok"), {});
  const std::string nav = site() + "nav.htm";
  const std::vector<std::tuple<std::string, std::string, std::string>> cases{
      {"", "T", "Kein Dateiname zum Speichern angegeben"},
      {nav, "", "Sie haben keine Menütemplate ausgewählt."_cp1252},
      {nav, "Nope", "Das Menütemplate ist nicht vorhanden."_cp1252},
      {nav, "T", "Kann Datei " + dir.file("Templates/T/") + "footer.txt nicht öffnen"_cp1252},
      {dir.file("none/nav.htm"), "Ok", "Fehler beim Erstellen der Datei " + dir.file("none/nav.htm")}};
  Add("Home", "h.htm", "", false);
  for (const auto& [file, set, expected] : cases) {
    doc.Filename = file;
    doc.Template = set;
    doc.Items[0].LinkID = "old";
    const std::vector<std::string> before = DocumentState(doc);
    const GenerationResult r = GenerateToMemory(doc);
    EXPECT_EQ(DocumentState(doc), before) << expected;
    EXPECT_TRUE(notes.Messages.empty());
    const std::string shown = test::GenerateShown(doc, notes);
    notes.Messages.clear();
    // A page memory generation never writes cannot fail to be created.
    const bool diskOnly = expected.starts_with("Fehler");
    EXPECT_EQ(r.Ok, diskOnly) << expected;
    EXPECT_EQ(r.Message, diskOnly ? "" : expected);
    EXPECT_EQ(shown, expected);
  }
}

TEST_F(Gen, emptyMenu_givesHeaderAndFooterWithPagePlaceholdersFilled) {
  Split();
  Set({{"header.txt", "<h>$Title$|$TextColor$</h>"}, {"footer.txt", "<f>$FileName$\n\n\n"},
       {"menupoint.txt", "M"}, {"activemenupoint.txt", "A"}, {"BetweenMenupoints.txt", "B"}});
  doc.Title = "T1";
  doc.TextColor = 0x102030;
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "<h>T1|#302010</h>\r\n<f>" + site() + "nav.htm\r\n");
  EXPECT_EQ(FilesIn(dir.file("site")).size(), 1u);
}

TEST_F(Gen, mainEntriesOnly_giveTheMainPageAloneWithOwnLinksAndTargets) {
  Split();
  Set({{"menupoint.txt", "M $Linkname$ $Link$ $LinkTarget$ [$submenu$]"},
       {"activemenupoint.txt", "ACTIVE $Linkname$"},
       {"BetweenMenupoints.txt", "--"}});
  Add("Eins", "1.htm", "f1", false);
  Add("Zwei", "2.htm", "", false);
  doc.Generate();
  // Without header.txt the page starts with the empty header's own line.
  EXPECT_EQ(Page("nav.htm"), "\r\nM Eins 1.htm f1 []\r\n--\r\nM Zwei 2.htm  []\r\n");
  EXPECT_EQ(FilesIn(dir.file("site")).size(), 1u);
}

TEST_F(Gen, setWithoutFiles_givesPagesOfOneEmptyLine) {
  Add("Eins", "1.htm", "", false);
  Add("Sub", "s.htm", "", true);
  doc.Generate();  // no template.ini: one file per entry
  EXPECT_EQ(Page("nav.htm"), "\r\n");
  EXPECT_EQ(Page("Eins.htm"), "\r\n");
}

TEST_F(Gen, oneLineFragmentsWithoutLineBreak_stillMakeSeparateLines) {
  Split();
  Set({{"header.txt", "H"}, {"footer.txt", "F"}, {"menupoint.txt", "M$Linkname$"},
       {"activemenupoint.txt", "A$Linkname$$submenu$"}, {"BetweenMenupoints.txt", "B"},
       {"SubmenuPoint.txt", "S$Linkname$"}, {"BetweenSubmenuPoints.txt", "b"}});
  Add("x", "", "", false);
  Add("y", "", "", false);
  Add("y1", "", "", true);
  Add("y2", "", "", true);
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "H\r\nMx\r\nB\r\nMy\r\nF\r\n");
  // $submenu$ carries CR LF after each sub-entry and separator.
  EXPECT_EQ(Page("y.htm"), "H\r\nMx\r\nB\r\nAySy1\r\nb\r\nSy2\r\nF\r\n");
}

TEST_F(Gen, submenuExtension_comesFromFileextOrTheOutputFile) {
  const std::vector<std::tuple<std::string, std::string, std::string>> cases{
      {"html", "C:\\site\\nav.htm", ".html"}, {".php", "C:\\site\\nav.htm", ".php"},
      {" \thtm \r", "nav.htm", ".htm"},       {"", "C:\\site\\menu.html", ".html"},
      {"", "menu", ""},                      {"", "dir.d/menu", ""},
      {"   ", "a.b.shtml", ".shtml"}};
  for (const auto& [ext, file, expected] : cases) {
    doc.fileext = ext;
    doc.Filename = file;
    EXPECT_EQ(doc.SubmenuExt(), expected) << '"' << ext << "\" " << file;
  }
}

TEST_F(Gen, filenameWithoutDot_givesBareIdentifiersForPagesAndLinks) {
  Split();
  Set({{"menupoint.txt", "$Link$"}, {"activemenupoint.txt", "A $Link$"}});
  doc.Filename = site() + "menu";
  Add("Home", "index.htm", "", false);
  Add("Sub", "s.htm", "", true);
  doc.Generate();
  EXPECT_EQ(FilesIn(dir.file("site")), (std::vector<std::string>{"Home", "menu"}));
  EXPECT_EQ(Page("menu"), "\r\nHome\r\n");
  EXPECT_EQ(Page("Home"), "\r\nA Home\r\n");
}

TEST_F(Gen, linkIDs_areUniqueRegardlessOfLetterCase) {
  auto ids = [&](std::vector<std::string> captions) {
    doc.ClearItems();
    for (const auto& c : captions) Add(c, "", "", false);
    doc.AssignLinkIDs();
    std::vector<std::string> out;
    for (const auto& it : doc.Items) out.push_back(it.LinkID);
    return out;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(ids({"Home", "home", "Home"}), (V{"Home", "home2", "Home3"}));
  EXPECT_EQ(ids({"Home", "Home2", "Home"}), (V{"Home", "Home2", "Home3"}));
  EXPECT_EQ(ids({"Home", "Home", "Home2"}), (V{"Home", "Home2", "Home22"}));
  EXPECT_EQ(ids({"", "", "a b/c"}), (V{"", "2", "a b/c"}));
  // Accented capitals of Windows-1252 fold onto their small letters too.
  EXPECT_EQ(ids({"\xDC" "ber", "\xFC" "ber", "\xC4" "\xD6"}), (V{"\xDC" "ber", "\xFC" "ber2", "\xC4\xD6"}));
  EXPECT_EQ(ids({"\x8A", "\x9A", "\x9F", "\xFF"}), (V{"\x8A", "\x9A" "2", "\x9F", "\xFF" "2"}));
  // The multiplication and division signs are no letters.
  EXPECT_EQ(ids({"\xD7", "\xF7"}), (V{"\xD7", "\xF7"}));
  // Identifiers are recomputed from the captions at every generation.
  doc.Items[0].Caption = "neu";
  doc.AssignLinkIDs();
  EXPECT_EQ(doc.Items[0].LinkID, "neu");
}

TEST_F(Gen, renderingOperations_workOnTheirOwn) {
  EXPECT_EQ(TovHTML::SplitFirstLetter(""), (std::pair<std::string, std::string>{"", ""}));
  EXPECT_EQ(TovHTML::SplitFirstLetter("a"), (std::pair<std::string, std::string>{"a", ""}));
  EXPECT_EQ(TovHTML::SplitFirstLetter("\xC4rger"), (std::pair<std::string, std::string>{"\xC4", "rger"}));

  Add("M1", "m1.htm", "t1", false);
  Add("S1", "s1.htm", "ts1", true);
  Add("S2", "s2.htm", "ts2", true);
  Add("M2", "m2.htm", "t2", false);
  Add("S3", "s3.htm", "ts3", true);
  EXPECT_EQ(doc.LastSubItemIndex(1), 2);
  EXPECT_EQ(doc.LastSubItemIndex(2), 2);
  EXPECT_EQ(doc.LastSubItemIndex(4), 4);
  doc.AssignLinkIDs();
  doc.Menupoint = "m[$Linkname$|$Link$|$LinkTarget$|$submenu$]";
  doc.ActiveMenupoint = "a[$LinkID$|$submenu$]";
  doc.BetweenMenupoints = "~";
  doc.SubmenuPoint = "<$LinkTarget$ $Link$ $FirstLetter$.$RestLetter$>";
  doc.BetweenSubmenuPoints = "-";
  doc.Filename = "x.php";
  EXPECT_EQ(doc.RenderSubItems(0), "<ts1 s1.htm S.1>\r\n-\r\n<ts2 s2.htm S.2>\r\n");
  EXPECT_EQ(doc.RenderSubItems(1), "");
  EXPECT_EQ(doc.RenderSubItems(3), "<ts3 s3.htm S.3>\r\n");
  // Sub-entries go into $submenu$ whichever fragment is used; the separator follows all
  // but the last main entry.
  EXPECT_EQ(doc.RenderMainItem(0, 1, 0, 2), "m[M1|M1.php|_self|<ts1 s1.htm S.1>\r\n-\r\n<ts2 s2.htm S.2>\r\n]~");
  EXPECT_EQ(doc.RenderMainItem(2, 2, 3, 2), "a[M2|<ts3 s3.htm S.3>\r\n]");
  EXPECT_EQ(doc.RenderMainItem(-1, 2, 3, 2), "a[M2|<ts3 s3.htm S.3>\r\n]");
  doc.Items.pop_back();
  EXPECT_EQ(doc.RenderMainItem(-1, 2, 3, 2), "m[M2|m2.htm|t2|]");
}

TEST(ColorToHTML, colour_isWrittenRedGreenBlue) {
  EXPECT_EQ(ColorToHTML(0x1000FF, true), "#FF0010");
  EXPECT_EQ(ColorToHTML(0x1000FF, false), "FF0010");
  EXPECT_EQ(ColorToHTML(0x00ABCD, true), "#CDAB00");
  EXPECT_EQ(ColorToHTML(clNone, true), "");
  EXPECT_EQ(ColorToHTML(0x2FFFFFFF, true), "#FFFFFF");  // bits 24-31 ignored
  EXPECT_EQ(ColorToHTML(static_cast<std::int32_t>(0xFF000102u), true), "#020100");
  EXPECT_EQ(ColorToHTML(0, true), "#000000");
}

TEST_F(Gen, colourPlaceholders_holdHexTextsAndNothingForNone) {
  Split();
  Set({{"header.txt", "[$TextColor$][$backgroundcolor$][$LINKCOLOR$][$ALinkColor$][$VLinkColor$]"
                      "[$HoverColor$][$FirstLetterColor$]"}});
  doc.TextColor = 0x1000FF;
  doc.HoverColor = 0xFFFFFF;
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "[#FF0010][][][][][#FFFFFF][]\r\n");
}

TEST_F(Gen, placeholders_matchWithoutRegardToCaseOfAToZOnly) {
  Split();
  Set({{"header.txt", "$Linkname$ $Link$ $submenu$ $LinkID$ $TITLE$ $title$"},
       {"menupoint.txt", "$LINKNAME$|$linkname$|$lInKtArGeT$|$fIrStLeTtEr$$RESTLETTER$"},
       {"footer.txt", "$Title\xC4$"}});
  doc.Title = "Tt";
  Add("Haus", "h.htm", "tg", false);
  doc.Generate();
  // Entry placeholders in the header stay as written.
  EXPECT_EQ(Page("nav.htm"), "$Linkname$ $Link$ $submenu$ $LinkID$ Tt Tt\r\nHaus|Haus|tg|Haus\r\n$Title\xC4$\r\n");
}

TEST_F(Gen, valuesInsertedEarlier_areSearchedByLaterSteps) {
  Split();
  Set({{"header.txt", "$Title$"}, {"menupoint.txt", "$Linkname$ $Link$"}});
  doc.Title = "T:$Font$";
  doc.Font = "Arial";
  // The link is filled after the caption, so "$Link$" inside a caption is the link.
  Add("$Title$+$Link$", "l.htm", "", false);
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "T:Arial\r\nT:Arial+l.htm l.htm\r\n");
}

TEST_F(Gen, everyPagePlaceholder_hasItsValue) {
  Split();
  Set({{"header.txt", "$Title$|$FontSize$|$Font$|$FileName$|$CurrentFilename$|$SubMenuFont$|"
                      "$SubMenuFontSize$|$SubMenuLeftMargin$|$BackgroundImage$|$hr$"}});
  doc.Title = "ti";
  doc.FontSize = "2";
  doc.Font = "Fo";
  doc.SubmenuFont = "SF";
  doc.SubmenuFontSize = "1";
  doc.SubmenuLeftMargin = "10";
  doc.BackgroundImage = "b.gif";
  doc.hr = "<hr size=1>";
  doc.Generate();
  const std::string f = site() + "nav.htm";
  EXPECT_EQ(Page("nav.htm"), "ti|2|Fo|" + f + "|" + f + "|SF|1|10|b.gif|<hr size=1>\r\n");
}

TEST_F(Gen, variables_comeAfterTheLineBreakRule) {
  Split();
  Set({{"header.txt", "a\r\n\r\n\r\nb\n\n$v$\r\n\r\n$Title$ $$ $w$"}});
  doc.Title = "Titel";
  doc.Variables.AddVariable("v", "1\r\n\r\n2");
  doc.Variables.AddVariable("Title", "never");
  doc.Variables.AddVariable("w", "$Font$");
  doc.Variables.Vars.push_back(TVarItem{"", "EMPTY"});
  doc.Font = "Arial";
  doc.Generate();
  // The empty line inside the variable's value reaches the page; the inserted
  // "$Font$" is not searched again.
  EXPECT_EQ(Page("nav.htm"), "a\r\nb\r\n1\r\n\r\n2\r\nTitel EMPTY $Font$\r\n");
}

TEST_F(Gen, variables_applyInListOrder) {
  Split();
  Set({{"header.txt", "$a$ $b$"}});
  doc.Variables.AddVariable("a", "$b$");
  doc.Variables.AddVariable("b", "B");
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "B B\r\n");
}

TEST_F(Gen, subPageAtTheMainPagesPath_replacesIt) {
  Split();
  Set({{"menupoint.txt", "M $Linkname$"}, {"activemenupoint.txt", "A $Linkname$"}});
  doc.Filename = site() + "Produkte.htm";
  Add("Home", "", "", false);
  Add("Produkte", "", "", false);
  Add("Sub", "", "", true);
  std::vector<std::string> written;
  doc.Generate(Reporting(written));
  EXPECT_EQ(written.size(), 2u);
  EXPECT_EQ(Page("Produkte.htm"), "\r\nM Home\r\nA Produkte\r\n");
  EXPECT_EQ(FilesIn(dir.file("site")).size(), 1u);
}

TEST_F(Gen, allInOneLink_namesTheSubPageThatIsNotWritten) {
  Set({{"template.ini", "[Main]\nall_in_one=1\n"}, {"activemenupoint.txt", "$Link$ $LinkTarget$"}});
  doc.fileext = "php";
  Add("Prod", "p.htm", "main", false);
  Add("Sub", "s.htm", "x", true);
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "\r\nProd.php _self\r\n");
  EXPECT_EQ(FilesIn(dir.file("site")), (std::vector<std::string>{"nav.htm"}));
}

TEST_F(Gen, subEntriesBeforeTheFirstMainEntry_showLikeMainEntriesWithoutSubEntries) {
  Set({{"template.ini", "[Main]\nall_in_one=0\n"},
       {"menupoint.txt", "M $Linkname$ $Link$ $LinkTarget$ $LinkID$ [$submenu$]"},
       {"activemenupoint.txt", "A $Linkname$ $Link$ [$submenu$]"},
       {"BetweenMenupoints.txt", "|"}, {"SubmenuPoint.txt", "s $Linkname$"}});
  Add("Lead", "lead.htm", "lt", true);
  Add("Lead", "lead2.htm", "", true);
  Add("Main", "main.htm", "mt", false);
  Add("Kid", "kid.htm", "", true);
  Add("Last", "last.htm", "", false);
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"),
            "\r\nM Lead lead.htm lt Lead []\r\n|\r\nM Lead lead2.htm  Lead2 []\r\n|\r\n"
            "M Main Main.htm _self Main [s Kid\r\n]\r\n|\r\nM Last last.htm  Last []\r\n");
  EXPECT_EQ(Page("Main.htm"),
            "\r\nM Lead lead.htm lt Lead []\r\n|\r\nM Lead lead2.htm  Lead2 []\r\n|\r\n"
            "A Main Main.htm [s Kid\r\n]\r\n|\r\nM Last last.htm  Last []\r\n");
  EXPECT_EQ(FilesIn(dir.file("site")), (std::vector<std::string>{"Main.htm", "nav.htm"}));
}

TEST_F(Gen, menuOfSubEntriesOnly_showsThemAll) {
  Set({{"menupoint.txt", "M $Linkname$"}, {"BetweenMenupoints.txt", "|"}});
  Add("a", "", "", true);
  Add("b", "", "", true);
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "\r\nM a\r\n|\r\nM b\r\n");
}

TEST_F(Gen, emptyFilename_isRefusedBeforeIdentifiersChange) {
  Split();
  Add("Home", "", "", false);
  doc.Items[0].LinkID = "old";
  doc.Filename = "";
  doc.Generate();
  EXPECT_EQ(notes.Messages, (std::vector<std::string>{"Kein Dateiname zum Speichern angegeben"}));
  EXPECT_EQ(doc.Items[0].LinkID, "old");
  doc.Filename = " ";  // blanks pass the test
  notes.Messages.clear();
  doc.Template = "";
  doc.Generate();
  EXPECT_EQ(doc.Items[0].LinkID, "Home");
  EXPECT_EQ(notes.Messages, (std::vector<std::string>{"Sie haben keine Menütemplate ausgewählt."_cp1252}));
}

// The pages of these tests: nav.htm, then A.htm, then the page of "x/y", whose folder
// does not exist, then Z.htm; written with and without a page written while the next
// is made.
class FailingPage : public Gen, public ::testing::WithParamInterface<Overlap> {
protected:
  void SetUp() override {
    Gen::SetUp();
    run.WriteOverlap = GetParam();
    run.OnPageWritten = [this](const std::string& page) { reported.push_back(page); };
    Split();
    Set({{"menupoint.txt", "M $Linkname$"}, {"activemenupoint.txt", "A $Linkname$"}});
    for (const char* caption : {"A", "x/y", "Z"}) {
      Add(caption, "", "", false);
      Add("sub", "", "", true);
    }
    WriteFile(site() + "Z.htm", "<p>old Z");
  }
  std::vector<std::string> reported;
  RunOptions run;
};

INSTANTIATE_TEST_SUITE_P(WriteOverlap, FailingPage, ::testing::Values(Overlap::On, Overlap::Off),
                         [](const auto& info) { return info.param == Overlap::On ? "overlapping" : "oneByOne"; });

TEST_P(FailingPage, uncreatablePage_stopsThereKeepingEarlierPagesAndWritingNoLaterOne) {
  EXPECT_THROW_MSG(doc.Generate(run), EFCreateError, "Fehler beim Erstellen der Datei " + site() + "x/y.htm");
  EXPECT_NE(Page("nav.htm"), "");
  EXPECT_NE(Page("A.htm"), "");
  EXPECT_EQ(Page("Z.htm"), "<p>old Z");
  EXPECT_EQ(reported, (std::vector<std::string>{site() + "nav.htm", site() + "A.htm"}));
}

TEST_P(FailingPage, writeProtectedPage_staysAsItWas) {
  WriteFile(site() + "A.htm", "<p>old A");
  fs::permissions(site() + "A.htm", fs::perms::owner_read);
  EXPECT_THROW(doc.Generate(run), EFCreateError);
  EXPECT_EQ(Page("A.htm"), "<p>old A");
  EXPECT_NE(Page("nav.htm"), "");
  EXPECT_EQ(reported, std::vector<std::string>{site() + "nav.htm"});
}

TEST_P(FailingPage, failedWrite_leavesTheOldPageWhole) {
  WriteFile(site() + "nav.htm", "<p>old main page");
  {
    test::ScopedFileSizeLimit limit(4);
    EXPECT_THROW(doc.Generate(run), EWriteError);
  }
  EXPECT_EQ(Page("nav.htm"), "<p>old main page");
  EXPECT_EQ(Page("A.htm"), "");
  EXPECT_EQ(reported, std::vector<std::string>{});
  EXPECT_EQ(FilesIn(dir.file("site")), (std::vector<std::string>{"Z.htm", "nav.htm"}));  // no temporary left
}

TEST_F(Gen, lastPageFailingWhileWrittenBesideGeneration_isReported) {
  Split();
  Add("A", "", "", false);
  Add("sub", "", "", true);
  fs::create_directory(site() + "A.htm");
  EXPECT_THROW(doc.Generate(RunOptions{{}, Overlap::On}), EFCreateError);
  EXPECT_NE(Page("nav.htm"), "");
}

TEST_F(Gen, editedHeader_takesEffectAtTheNextGeneration) {
  Split();
  Set({{"header.txt", "<p>first"}});
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "<p>first\r\n");
  Set({{"header.txt", "<p>second\n"}, {"template.ini", "[Main]\nall_in_one=1\n"}});
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "<p>second\r\n");
  EXPECT_TRUE(doc.AllInOne);
}

// "$Current$" marks the page's own entry in a set that marks its menu for the site's
// pages: the active entry of its sub-menu page, nothing on the main page or in a one-page
// set; a set without the markers leaves it as it stands.
TEST_F(Gen, currentEntry_isMarkedOnItsOwnPageOnlyInASetWithMarkers) {
  struct Case {
    const char *ini, *header;
    const char* page;
    const char* expected;
  } const cases[] = {
      {"all_in_one=0", "<!-- navforge -->", "A.htm", "<!-- navforge -->\r\nA A! S a1\r\nM B\r\n<!-- /navforge -->\r\n"},
      {"all_in_one=0", "<!-- navforge -->", "nav.htm", "<!-- navforge -->\r\nM A\r\nM B\r\n<!-- /navforge -->\r\n"},
      {"all_in_one=1", "<!-- navforge -->", "nav.htm", "<!-- navforge -->\r\nA A S a1\r\nM B\r\n<!-- /navforge -->\r\n"},
      {"all_in_one=0", "<nav>", "A.htm", "<nav>\r\nA A$Current$ S a1$Current$\r\nM B$Current$\r\n<!-- /navforge -->\r\n"},
  };
  Add("A", "", "", false);
  Add("a1", "a1.htm", "", true);
  Add("B", "b.htm", "", false);
  for (const Case& c : cases) {
    Set({{"template.ini", std::string("[Main]\r\n") + c.ini + "\r\n"},
         {"header.txt", c.header},
         {"footer.txt", "<!-- /navforge -->"},
         {"menupoint.txt", "M $Linkname$$Current$"},
         {"activemenupoint.txt", "A $Linkname$$Current$ $submenu$"},
         {"SubmenuPoint.txt", "S $Linkname$$Current$"}});
    doc.Generate();
    std::string page = Page(c.page);
    ReplaceAll(page, " aria-current=\"page\"", "!", true);
    EXPECT_EQ(page, c.expected) << c.ini << " " << c.header << " " << c.page;
  }
}

// A set that says how many levels it nests renders each entry's own entries inside it
// ("$submenu$" of a sub-entry, "$Level$"), a group in its own fragment where it has one,
// and entries deeper than it nests at its deepest level; a set without the key shows
// every entry below a main entry as its sub-entry and leaves the new placeholders alone.
TEST_F(Gen, deeperEntries_nestAsFarAsTheSetSays) {
  struct Case {
    const char* levels;
    const char* group;
    const char* expected;  // the page without its line breaks
  } const cases[] = {
      {"levels=4", "G $Linkname$$Level$$Open$($submenu$)", "A A0(G a11(G a112(S a1113()))S a21())M B0"},
      {"levels=3", "G $Linkname$$Level$$Open$($submenu$)", "A A0(G a11(S a112()S a1112())S a21())M B0"},
      {"levels=4", "", "A A0(S a11(S a112(S a1113()))S a21())M B0"},
      {"levels=9", "G", "A A$Level$(S a1$Level$($submenu$)S a11$Level$($submenu$)S a111$Level$($submenu$)"
                        "S a2$Level$($submenu$))M B$Level$"},
  };
  Add("A", "a.htm", "", false);
  Add("a1", "a1.htm", "", true);
  Add("a11", "a11.htm", "", true);
  Add("a111", "a111.htm", "", true);
  Add("a2", "a2.htm", "", true);
  Add("B", "b.htm", "", false);
  doc.Items[2].Depth = 2;
  doc.Items[3].Depth = 3;
  for (const Case& c : cases) {
    Set({{"template.ini", std::string("[Main]\r\nall_in_one=1\r\n") + c.levels + "\r\n"},
         {"header.txt", "<p>"},
         {"menupoint.txt", "M $Linkname$$Level$"},
         {"activemenupoint.txt", "A $Linkname$$Level$($submenu$)"},
         {"SubmenuPoint.txt", "S $Linkname$$Level$($submenu$)"},
         {"SubmenuGroupPoint.txt", c.group}});
    doc.Generate();
    std::string page = Page("nav.htm");
    ReplaceAll(page, "\r\n", "", true);
    EXPECT_EQ(page, std::string("<p>") + c.expected) << c.levels << " " << c.group;
  }
}

TEST_F(Gen, pageText_isSplitAgainAtLoneCRAndEndsAtNul) {
  Split();
  Set({{"header.txt", "a$v$"}});
  doc.Variables.AddVariable("v", std::string("1\r2\n3\r\n\0rest", 12));
  doc.Generate();
  EXPECT_EQ(Page("nav.htm"), "a1\r\n2\r\n3\r\n");
}

TEST_F(Gen, valueHoldingItsOwnPlaceholder_ends) {
  Split();
  Set({{"header.txt", "$Title$ $Title$"}, {"menupoint.txt", "$Linkname$"}});
  doc.Title = "<$title$>";
  Add("$Linkname$", "", "", false);
  doc.Generate();
  const std::string page = Page("nav.htm");
  EXPECT_NE(page.find("<$title$>"), std::string::npos) << page;
}

// Variables that each hold the next one twice double the page per variable: the page
// that would grow past its bound stops the generation there, and the pages before it stay.
TEST_F(Gen, variableChain_stopsAtThePageItWouldBlowUp) {
  Split();
  Set({{"menupoint.txt", "M $Linkname$"}, {"activemenupoint.txt", "A $Linkname$ $V0$"}});
  Add("Home", "", "", false);
  Add("Produkte", "", "", false);
  Add("Sub", "", "", true);
  constexpr int kLinks = 40;  // 2^40 copies of the last value without the bound
  for (int i = 0; i < kLinks; ++i)
    doc.Variables.AddVariable("V" + std::to_string(i),
                              "$V" + std::to_string(i + 1) + "$$V" + std::to_string(i + 1) + "$");
  const std::string subPage = site() + "Produkte.htm";
  EXPECT_THROW_MSG(doc.Generate(), EPageTooLarge, EPageTooLarge(subPage, PageFiller::SizeLimit(0)).what());
  EXPECT_EQ(Page("nav.htm"), "\r\nM Home\r\nM Produkte\r\n");
  EXPECT_FALSE(fs::exists(subPage));
}

// Values that re-form their own placeholder with the text around them: generation ends
// with a page of bounded size.
TEST_F(Gen, selfFeedingPlaceholders_end) {
  const struct {
    const char* set;  // empty: the shipped set "Liste"
    const char *caption, *title, *var, *value;
  } cases[] = {
      {"", "X$Title$$", "Title$$Title", "", ""},
      {"$a$$", "Home", "", "a", "a$$a"},
  };
  for (const auto& c : cases) {
    TovHTML d;
    d.Filename = site() + "nav.htm";
    d.TemplateRoot = *c.set ? dir.file("Templates") : std::string(NAVFORGE_SOURCE_DIR "/templates");
    d.Template = *c.set ? "T" : "Liste";
    Split();
    Set({{"header.txt", c.set}});
    d.InsertItem(-1, c.caption, "", "", false);
    d.Title = c.title;
    if (*c.var) d.Variables.AddVariable(c.var, c.value);
    d.Generate();
    const std::size_t size = Page("nav.htm").size();
    EXPECT_GT(size, 1000u) << c.caption;
    EXPECT_LT(size, 8 * kReplaceAllWorkLimit) << c.caption;
  }
}

// A sub-menu page named by an identifier that leaves the main page's folder is refused
// before anything is written to it; the pages before it stay.
TEST_F(Gen, subPageOutsideTheMainPagesFolder_isRefused) {
  struct Case {
    std::string filename, caption, fileext, outside;  // outside: where it would land
  };
  MakeDir(dir.file("site/a/b"));
  MakeDir(dir.file("escape"));
  MakeDir(site() + "First.");
  const Case cases[] = {
      {site() + "a/b/nav.htm", "../../escape/pwned", "", dir.file("escape/pwned.htm")},
      {"menu", dir.file("escape/abs2"), "", dir.file("escape/abs2")},
      {site() + "menu", "..", "", ""},
      {site() + "nav.htm", "First", "/../../escape/x", dir.file("escape/x")},  // refused at once
      {site() + "nav.htm", "a\\b", "", ""},
  };
  Split();
  Set({{"menupoint.txt", "<li>$Linkname$"}});  // pages of earlier cases stay replaceable
  const std::string cwd = fs::current_path();
  fs::current_path(site());  // "menu" without a folder lands here
  for (const Case& c : cases) {
    TovHTML d;
    d.TemplateRoot = doc.TemplateRoot;
    d.Template = "T";
    d.Filename = c.filename;
    d.fileext = c.fileext;
    d.InsertItem(-1, "First", "", "", false);
    d.InsertItem(-1, "sub", "", "", true);
    d.InsertItem(-1, c.caption, "", "", false);
    d.InsertItem(-1, "sub", "", "", true);
    std::vector<std::string> written;
    try {
      d.Generate(Reporting(written));
      ADD_FAILURE() << c.caption << ": no error";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(std::string(e.what()),
                "Fehler beim Erstellen der Datei " + ExtractFilePath(c.filename) + c.caption + d.SubmenuExt());
    }
    // The main page, and First's page unless First is the refused one.
    EXPECT_EQ(written.size(), c.caption == "First" ? 1u : 2u) << c.caption;
    if (!c.outside.empty()) {
      EXPECT_FALSE(fs::is_regular_file(c.outside)) << c.caption;
    }
  }
  fs::current_path(cwd);
}

}  // namespace
}  // namespace navforge
