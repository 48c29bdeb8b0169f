#include "import/siteimport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <tuple>


#include "import/germanorder.h"
#include "import/ignorerules.h"
#include "import/keepinstep.h"
#include "import/sitelinks.h"
#include "import/titleaffixes.h"
#include "support/errors.h"
#include "testsupport/tempdir.h"

namespace navforge::import {
namespace {

using test::MakeDir;
using test::TempDir;
using test::WriteFile;

const std::string kSite = NAVFORGE_SOURCE_DIR "/tests/data/import/site";

std::string Page(const std::string& title) { return "<html><head><title>" + title + "</title></head></html>\n"; }

// "caption -> link", sub-entries with "- " per level in front, one per entry.
std::vector<std::string> Lines(const std::vector<ProposedEntry>& entries) {
  std::vector<std::string> lines;
  for (const ProposedEntry& e : entries) {
    std::string line;
    for (int level = LevelOf(e); level > 0; --level) line += "- ";
    lines.push_back(line + e.Caption + " -> " + e.Link);
  }
  return lines;
}

// Every pair of the list compares in the list's order, and only equal texts are equal.
void ExpectSorted(const std::vector<std::string>& sorted) {
  for (std::size_t i = 0; i < sorted.size(); ++i)
    for (std::size_t j = 0; j < sorted.size(); ++j) {
      const int c = CompareGerman(sorted[i], sorted[j]);
      EXPECT_EQ(c < 0, i < j) << sorted[i] << " / " << sorted[j];
      EXPECT_EQ(c == 0, i == j) << sorted[i] << " / " << sorted[j];
    }
}

TEST(GermanOrder, umlauts_besideTheirBaseLetters) {
  ExpectSorted({"ahnen", "\xE4hnlich", "Apfel", "\xC4pfel", "Arzt", "B\xE4r", "Bus", "Stra\xDF""e", "Strasze",
                "\xDC""ber", "Zebra"});
  EXPECT_LT(CompareGerman("apfel", "Apfel"), 0);  // small letters first on a tie
}

TEST(GermanOrder, numbers_compareAsNumbers) {
  ExpectSorted({"1. Einleitung", "1.2 Aufbau", "1.10 Anhang", "2. Grundlagen", "10. Pr\xFC""fung", "13. Ende",
                "Kapitel 2", "Kapitel 02b", "Kapitel 10", "Kapitel 9999999999999999999999", "seite"});
  EXPECT_LT(CompareGerman("a01", "a1"), 0);  // equal numbers: the leading zero decides, never a tie
  EXPECT_LT(CompareGerman("\xC4ra 3", "Ara 20"), 0);  // the number before the accent
}

TEST(GermanOrder, leadingNumber) {
  EXPECT_EQ(LeadingNumber("01-start.htm"), 1u);
  EXPECT_EQ(LeadingNumber("2_kontakt.htm"), 2u);
  EXPECT_EQ(LeadingNumber("10.htm"), 10u);
  EXPECT_EQ(LeadingNumber("start1.htm"), std::nullopt);
  EXPECT_EQ(LeadingNumber("99999999999999999999999-x.htm"), ~std::uint64_t{0});
}

TEST(IgnoreRules, namesPathsAndFolders) {
  const IgnoreRules rules("# Kommentar\r\n\r\nentwurf*.htm\nprivat/\n/oben.htm\nsub/*.php  \n");
  struct Case {
    const char* path;
    bool folder;
    bool ignored;
  };
  const Case cases[] = {
      {"entwurf1.htm", false, true}, {"a/b/entwurf.htm", false, true}, {"entwurf.html", false, false},
      {"privat", true, true},        {"a/privat", true, true},          {"privat", false, false},
      {"oben.htm", false, true},     {"x/oben.htm", false, false},      {"sub/a.php", false, true},
      {"x/sub/a.php", false, false}, {"sub/x/a.php", false, false},     {"# Kommentar", false, false},
  };
  for (const Case& c : cases) EXPECT_EQ(rules.Ignores(c.path, c.folder), c.ignored) << c.path;
}

TEST(SiteLinks, absoluteAndRelative) {
  EXPECT_EQ(AbsolutePath("/a/./b/../c//d/"), "/a/c/d");
  EXPECT_EQ(AbsolutePath("/.."), "/");
  EXPECT_EQ(AbsolutePath("x\\y"), AbsolutePath(".") + "/x/y");
  EXPECT_EQ(RelativeLink("/s", "/s/a b.htm"), "a b.htm");
  EXPECT_EQ(RelativeLink("/s/nav/", "/s/x/\xDC""ber.htm"), "../x/\xDC""ber.htm");
  EXPECT_EQ(RelativeLink("/s", "/s/100%#1?.htm"), "100%25%231%3F.htm");
  EXPECT_EQ(RelativeLink("/s/a", "/s/a.htm"), "../a.htm");
}

TEST(SiteLinks, localTargetsAndMissingPages) {
  for (const char* link : {"", "#oben", "http://x.de/a.htm", "mailto:a@b.de", "/von-der-wurzel.htm", "C:\\a.htm",
                           "//host/a.htm", "javascript:void(0)"})
    EXPECT_EQ(LocalLinkTarget(link, "/m"), std::nullopt) << link;
  EXPECT_EQ(LocalLinkTarget("sub/x.htm#a", "/m"), "/m/sub/x.htm");
  EXPECT_EQ(LocalLinkTarget(" a%20b.htm?x=1", "/m"), "/m/a b.htm");
  EXPECT_EQ(LocalLinkTarget("..\\up.htm", "/m/n"), "/m/up.htm");

  TempDir dir;
  WriteFile(dir.file("da.htm"), "x");
  WriteFile(dir.file("\xC3\x9C""ber uns.htm"), "x");  // the file system spells names in UTF-8
  MakeDir(dir.file("ordner"));
  for (const char* present : {"da.htm", "./da.htm#x", "\xDC""ber uns.htm", "%C3%9Cber%20uns.htm", "ordner/", "http://x"})
    EXPECT_FALSE(LinkNamesMissingPage(present, dir.path())) << present;
  for (const char* missing : {"weg.htm", "ordner/weg.htm", "../weg-auch.htm"})
    EXPECT_TRUE(LinkNamesMissingPage(missing, dir.path())) << missing;
}

// In either kind of set a main entry with sub-entries shows no link of its own: the
// folder's index page is its group's first sub-entry.
TEST(ProposeMenu, site_becomesLevelsInOrder) {
  for (const bool pagePerGroup : {false, true}) {
    SCOPED_TRACE(pagePerGroup);
    ImportOptions o;
    o.SiteFolder = kSite;
    o.MenuPage = kSite + "/navigation.htm";
    o.WritesSubmenuPages = pagePerGroup;
    const ImportProposal p = ProposeMenu(o);
    std::vector<std::string> expected{
      "Startseite -> index.htm",
      "Aktuelles &amp; Termine -> 01-aktuelles.htm",
      "Kontakt f\xFCr Sie -> 2_kontakt.html",
      "\xC4rzte -> \xC4rzte.htm",
      "ohne titel -> ohne_titel.htm",
      "Produkte -> produkte/index.html",
      "- Produkte -> produkte/index.html",
      "- Hardware f\xFCr B\xFCros -> produkte/hardware.htm",
      "- Software -> produkte/software.htm",
      "- Zubeh\xF6r -> produkte/zubehoer/index.htm",
      "- - Kabel &amp; Stecker -> produkte/zubehoer/kabel.htm",
      "Produkte (erzeugt) -> Produkte.htm",  // only a page that generation writes is left out
      "service -> service/1-anfahrt.htm",
      "- Anfahrt -> service/1-anfahrt.htm",
      "- H\xE4ufige Fragen -> service/fragen.htm",
      "\xDC""ber uns -> impressum.php",
      "Zebra -> zebra.shtml",
    };
    // The generated page of the group "Produkte" would replace it.
    if (pagePerGroup) std::erase(expected, "Produkte (erzeugt) -> Produkte.htm");
    EXPECT_EQ(Lines(p.Entries), expected);
    EXPECT_TRUE(p.Warnings.empty());
    EXPECT_TRUE(p.Notes.empty());
  }
}

// Folders inside folders are levels down to the sixth (level 5); the pages of folders
// below stand there, too. Without an index page a folder's entry is its name.
TEST(ProposeMenu, deeperFolders_becomeDeeperLevelsDownToTheSixth) {
  TempDir dir;
  std::string folder = dir.path();
  for (const char* name : {"a", "b", "c", "d", "e", "f", "g"}) {
    folder += std::string("/") + name;
    MakeDir(folder);
    WriteFile(folder + "/x.htm", Page(std::string(1, static_cast<char>(std::toupper(name[0]))) + "1"));
  }
  WriteFile(dir.file("a/b/c/index.htm"), Page("Index C"));
  ImportOptions o;
  o.SiteFolder = dir.path();
  o.MenuPage = dir.file("menu.htm");
  EXPECT_EQ(Lines(ProposeMenu(o).Entries),
            (std::vector<std::string>{"a -> a/x.htm", "- A1 -> a/x.htm", "- b -> a/b/x.htm", "- - B1 -> a/b/x.htm",
                                      "- - Index C -> a/b/c/index.htm", "- - - C1 -> a/b/c/x.htm",
                                      "- - - d -> a/b/c/d/x.htm", "- - - - D1 -> a/b/c/d/x.htm",
                                      "- - - - e -> a/b/c/d/e/x.htm", "- - - - - E1 -> a/b/c/d/e/x.htm",
                                      "- - - - - F1 -> a/b/c/d/e/f/x.htm", "- - - - - G1 -> a/b/c/d/e/f/g/x.htm"}));
}

// A folder opens with the first index page of the server's list, in its exact spelling.
TEST(ProposeMenu, indexPage_isTheOneTheServerOpens) {
  TempDir dir;
  for (const char* folder : {"a", "b"}) MakeDir(dir.file(folder));
  WriteFile(dir.file("a/index.htm"), Page("Zweite Wahl"));
  WriteFile(dir.file("a/index.html"), Page("Erste Wahl"));
  WriteFile(dir.file("b/Index.htm"), Page("Keine Startseite"));
  WriteFile(dir.file("b/x.htm"), Page("Aber"));
  ImportOptions o;
  o.SiteFolder = dir.path();
  o.MenuPage = dir.file("menu.htm");
  EXPECT_EQ(Lines(ProposeMenu(o).Entries),
            (std::vector<std::string>{"b -> b/x.htm", "- Aber -> b/x.htm", "- Keine Startseite -> b/Index.htm",
                                      "Erste Wahl -> a/index.html", "- Erste Wahl -> a/index.html",
                                      "- Zweite Wahl -> a/index.htm"}));
}

// A real manual: chapters numbered in their titles, each title ending in the manual's.
TEST(ProposeMenu, numberedTitles_sortAsNumbersAndLoseTheirSharedPart) {
  TempDir dir;
  const std::pair<const char*, const char*> pages[] = {
      {"einleitung.htm", "1. Einleitung - Handbuch"}, {"zehn.htm", "10. Pr\xC3\xBC""fung - Handbuch"},
      {"grund.htm", "2. Grundlagen - Handbuch"},      {"seite10.htm", ""},
      {"seite9.htm", ""},                              {"handbuch.htm", "Handbuch"}};
  for (const auto& [name, title] : pages) WriteFile(dir.file(name), *title ? Page(title) : "<p>");
  ImportOptions o;
  o.SiteFolder = dir.path();
  o.MenuPage = dir.file("menu.htm");
  const ImportProposal p = ProposeMenu(o);
  EXPECT_EQ(Lines(p.Entries), (std::vector<std::string>{"1. Einleitung -> einleitung.htm", "2. Grundlagen -> grund.htm",
                                                        "10. Pr\xFC""fung -> zehn.htm", "Handbuch -> handbuch.htm",
                                                        "seite9 -> seite9.htm", "seite10 -> seite10.htm"}));
  EXPECT_EQ(p.Notes, std::vector<std::string>{
                         "Den gemeinsamen Teil der Seitentitel \x84\x85 - Handbuch\x93 in 3 Beschriftungen weggelassen."});
}

TEST(DropSharedAffixes, sharedPartsAtSeparatorsGo_somethingAlwaysStays) {
  struct Case {
    std::vector<std::string> captions, expected;
    std::size_t notes;
  };
  const Case cases[] = {
      {{"Aktuelles - Beispiel GmbH", "Kontakt - Beispiel GmbH", "Beispiel GmbH"}, {"Aktuelles", "Kontakt", "Beispiel GmbH"}, 1},
      {{"Firma | Start", "Firma | Preise | Liste", "Firma | Preise | Karte"}, {"Start", "Liste", "Karte"}, 2},
      {{"A \x96 x", "A \x96 y", "B - x"}, {"x", "y", "B - x"}, 1},  // the en dash
      {{"Nur - eins", "Anderes - zwei"}, {"Nur - eins", "Anderes - zwei"}, 0},
      {{"Preis-Liste", "Preis-Karte"}, {"Preis-Liste", "Preis-Karte"}, 0},  // no blanks: no separator
      // Prefix and suffix would meet in the first: only the prefix goes there.
      {{"A - B", "A - C", "D - B"}, {"B", "C", "D"}, 2},
      // All of it is shared: it stays whole.
      {{"A - B", "A - B"}, {"B", "B"}, 1},
      {{"Start - A", "Start"}, {"Start - A", "Start"}, 0},
  };
  for (const Case& c : cases) {
    std::vector<std::string> notes;
    EXPECT_EQ(DropSharedAffixes(c.captions, notes), c.expected) << c.captions[0];
    EXPECT_EQ(notes.size(), c.notes) << c.captions[0];
  }
}

TEST(ProposeMenu, linksFromTheMenuFolderAndWarnings) {
  TempDir dir;
  MakeDir(dir.file("site"));
  MakeDir(dir.file("site/a"));
  MakeDir(dir.file("site/a/b"));
  MakeDir(dir.file("nav"));
  WriteFile(dir.file("site/a/b/tief.htm"), Page("Tief"));
  WriteFile(dir.file("site/gruss.htm"), Page("Gr\xC3\xBC\xC3\x9F""e \xE2\x98\xBA"));
  WriteFile(dir.file("site/\xE6\x97\xA5.htm"), Page("Name"));
  WriteFile(dir.file("site/bild.png"), "png");
  ImportOptions o;
  o.SiteFolder = dir.file("site");
  o.MenuPage = dir.file("nav/menu.htm");
  const ImportProposal p = ProposeMenu(o);
  const std::vector<std::string> expected{"a -> ../site/a/b/tief.htm", "- b -> ../site/a/b/tief.htm",
                                          "- - Tief -> ../site/a/b/tief.htm", "Gr\xFC\xDF""e ? -> ../site/gruss.htm"};
  EXPECT_EQ(Lines(p.Entries), expected);
  EXPECT_TRUE(p.Entries[3].Unmappable);
  ASSERT_EQ(p.Warnings.size(), 2u);
  EXPECT_EQ(p.Warnings[0].Page, "?.htm");  // a name Windows-1252 cannot spell is left out
  EXPECT_EQ(p.Warnings[1].Page, "gruss.htm");

  o.SiteFolder = dir.file("fehlt");
  EXPECT_THROW(ProposeMenu(o), ENavforgeError);
}

// A site from someone else: links out of the folder are not followed, names a menu
// line cannot hold are left out, and titles stay text in the menu's HTML captions.
TEST(ProposeMenu, strangersSite_staysInItsFolderAndItsTitlesStayText) {
  TempDir dir;
  MakeDir(dir.file("site"));
  MakeDir(dir.file("site/innen"));
  MakeDir(dir.file("fremd"));
  WriteFile(dir.file("fremd/geheim.htm"), Page("Geheim"));
  WriteFile(dir.file("site/innen/da.htm"), Page("Da"));
  WriteFile(dir.file("site/preise.htm"), Page("Preise &lt;img src=x onerror=alert(1)&gt; &amp; \"mehr\""));
  WriteFile(dir.file("site/zwei\nzeilen.htm"), Page("Zwei"));
  std::filesystem::create_symlink(dir.file("fremd"), dir.file("site/aussen"));
  std::filesystem::create_symlink("/", dir.file("site/wurzel"));
  std::filesystem::create_symlink(dir.file("fremd/geheim.htm"), dir.file("site/geheim.htm"));
  std::filesystem::create_symlink("innen/da.htm", dir.file("site/auch-da.htm"));  // stays inside: read
  ImportOptions o;
  o.SiteFolder = dir.file("site");
  o.MenuPage = dir.file("site/menu.htm");
  const ImportProposal p = ProposeMenu(o);
  EXPECT_EQ(Lines(p.Entries), (std::vector<std::string>{
                                  "Da -> auch-da.htm", "innen -> innen/da.htm", "- Da -> innen/da.htm",
                                  "Preise &lt;img src=x onerror=alert(1)&gt; &amp; &quot;mehr&quot; -> preise.htm"}));
  std::vector<std::string> warned;
  for (const ImportWarning& w : p.Warnings) warned.push_back(w.Page);
  EXPECT_EQ(warned, (std::vector<std::string>{"aussen", "geheim.htm", "wurzel", "zwei zeilen.htm"}));
}

TEST(KeepInStep, addsUnlinkedPagesToTheirMainEntryAndFindsMissingOnes) {
  TempDir dir;
  MakeDir(dir.file("p"));
  for (const char* f : {"index.htm", "neu.htm", "p/a.htm", "p/b.htm", "p/c.htm"}) WriteFile(dir.file(f), "x");
  TMenutree items{{"Start", "index.htm", "inhalt", "", false}, {"P", "p/a.htm", "inhalt", "", false},
                  {"A", "p/a.htm", "inhalt", "", true},         {"Alt", "alt.htm", "", "", false},
                  {"Extern", "http://x.de", "inhalt", "", false}, {"C", "$Basis$p/c.htm", "", "", false}};
  TParseList variables;
  variables.AddVariable("Basis", "./");
  const TMenutree before = items;
  const std::string p = dir.file("p");
  const std::vector<ProposedEntry> proposal{
      {"Start", "index.htm", false, false, dir.file("index.htm"), ""},
      {"Neu", "neu.htm", false, false, dir.file("neu.htm"), ""},
      {"P", "p/a.htm", false, false, dir.file("p/a.htm"), p},
      {"A", "p/a.htm", true, false, dir.file("p/a.htm"), p},
      {"B", "p/b.htm", true, false, dir.file("p/b.htm"), p},
      {"C", "p/c.htm", true, false, dir.file("p/c.htm"), p},
  };
  const StepResult r = KeepInStep(items, proposal, dir.path(), variables, "inhalt");
  EXPECT_EQ(r.Missing, std::vector<int>{3});
  EXPECT_EQ(Lines(r.Added), (std::vector<std::string>{"Neu -> neu.htm", "- B -> p/b.htm"}));
  ASSERT_EQ(items.size(), 8u);
  const auto same = [](const TMTItem& a, const TMTItem& b) {
    return a.Caption == b.Caption && a.Link == b.Link && a.Target == b.Target && a.IsSubItem == b.IsSubItem;
  };
  for (std::size_t i : {0, 1, 2}) EXPECT_TRUE(same(items[i], before[i])) << i;
  EXPECT_TRUE(same(items[3], {"B", "p/b.htm", "inhalt", "", true}));
  for (std::size_t i : {3, 4, 5}) EXPECT_TRUE(same(items[i + 1], before[i])) << i;
  EXPECT_TRUE(same(items[7], {"Neu", "neu.htm", "inhalt", "", false}));

  // A new folder keeps its levels; a known one's new pages join as sub-entries.
  MakeDir(dir.file("p/q"));
  MakeDir(dir.file("n"));
  MakeDir(dir.file("n/m"));
  for (const char* f : {"p/q/d.htm", "n/index.htm", "n/m/e.htm"}) WriteFile(dir.file(f), "x");
  std::vector<ProposedEntry> deeper = proposal;
  deeper.push_back({"Q", "p/q/d.htm", true, false, dir.file("p/q/d.htm"), p});
  deeper.push_back({"D", "p/q/d.htm", true, false, dir.file("p/q/d.htm"), p, 2});
  for (const auto& [caption, page, level] : {std::tuple{"N", "n/index.htm", 0}, {"M", "n/m/e.htm", 1}, {"E", "n/m/e.htm", 2}})
    deeper.push_back({caption, page, level > 0, false, dir.file(page), dir.file("n"), std::max(level, 1)});
  TMenutree grown = items;
  EXPECT_EQ(Lines(KeepInStep(grown, deeper, dir.path(), variables, "inhalt").Added),
            (std::vector<std::string>{"- Q -> p/q/d.htm", "- D -> p/q/d.htm", "N -> n/index.htm", "- M -> n/m/e.htm",
                                      "- - E -> n/m/e.htm"}));

  // Run again: nothing left to add.
  TMenutree again = items;
  EXPECT_TRUE(KeepInStep(again, proposal, dir.path(), variables, "inhalt").Added.empty());
  EXPECT_EQ(again.size(), items.size());
}

}  // namespace
}  // namespace navforge::import
