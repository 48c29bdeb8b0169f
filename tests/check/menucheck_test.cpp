#include "check/menucheck.h"

#include <gtest/gtest.h>

#include <functional>

#include "check/contrast.h"
#include "check/report.h"
#include "testsupport/tempdir.h"

namespace navforge::check {
namespace {

using test::MakeDir;
using test::TempDir;
using test::WriteFile;

// A small menu that checks clean: Home, and Produkte with the sub-entry Software,
// generated one page per entry into site/ with the set "T".
struct Menu {
  TempDir dir;
  TovHTML doc;
  CheckOptions options;

  Menu() {
    test::WriteTemplateSet(dir.file("Templates/T"),
                           {{"template.ini", "[Main]\r\nall_in_one=0\r\n"},
                            {"header.txt", "<title>$Title$</title><body style=\"color:$TextColor$\">\r\n"},
                            {"footer.txt", "</body>\r\n"},
                            {"menupoint.txt", "<a href=\"$Link$\" target=\"$LinkTarget$\">$Linkname$</a>\r\n"},
                            {"activemenupoint.txt", "<a href=\"$Link$\">$Linkname$</a>$submenu$\r\n"},
                            {"SubmenuPoint.txt", "<a href=\"$Link$\" target=\"$LinkTarget$\">$Linkname$</a>\r\n"}});
    MakeDir(dir.file("site"));
    WriteFile(dir.file("site/home.htm"), "");
    WriteFile(dir.file("site/soft.htm"), "");
    doc.TemplateRoot = dir.file("Templates");
    doc.VariablesFile = dir.file("navforge.nfv");
    doc.Template = "T";
    doc.Filename = dir.file("site/menu.htm");
    doc.InsertItem(-1, "Home", "home.htm", "inhalt", false);
    doc.InsertItem(-1, "Produkte", "produkte.htm", "", false);
    doc.InsertItem(-1, "Software", "soft.htm", "inhalt", true);
    options.menuFile = dir.file("site.nff");
  }
  void Fragment(const std::string& name, const std::string& text) {
    test::WriteTemplateSet(dir.file("Templates/T"), {{name, text}});
  }
  void Var(const std::string& name, const std::string& value) { doc.Variables.AddVariable(name, value); }
  // The set nests levels in all.
  void Levels(int levels) { Fragment("template.ini", "[Main]\r\nall_in_one=0\r\nlevels=" + std::to_string(levels) + "\r\n"); }
  // Sub-entries without a target attribute, groups of a nesting set with one.
  void GroupFragments() {
    Fragment("SubmenuPoint.txt", "<a href=\"$Link$\">$Linkname$</a>\r\n");
    Fragment("SubmenuGroupPoint.txt",
             "<details><summary><a href=\"$Link$\" target=\"$LinkTarget$\">$Linkname$</a></summary>$submenu$</details>\r\n");
  }
  // An entry at the end, level below the main entry before it (0: a main entry).
  void Add(const std::string& caption, int level) {
    doc.InsertItem(-1, caption, "soft.htm", "inhalt", level > 0);
    doc.Items.back().Depth = std::max(level, 1);
  }
  // Variables each holding the next twice, in the page of Produkte: 2^links copies.
  void VariableChain(int links) {
    Fragment("activemenupoint.txt", "<a href=\"$Link$\">$Linkname$</a>$V0$$submenu$\r\n");
    for (int i = 0; i < links; ++i)
      Var("V" + std::to_string(i), "$V" + std::to_string(i + 1) + "$$V" + std::to_string(i + 1) + "$");
  }
  // The set marks its menu for setting into the site's pages.
  void Includable() {
    Fragment("header.txt", "<title>$Title$</title><body style=\"color:$TextColor$\">\r\n<!-- navforge -->\r\n");
    Fragment("footer.txt", "<!-- /navforge -->\r\n</body>\r\n");
  }
  // A folder of the site with an index page and one more page.
  void Folder(const std::string& name) {
    MakeDir(dir.file("site/" + name));
    WriteFile(dir.file("site/" + name + "/index.htm"), "<title>" + name + "</title>");
    WriteFile(dir.file("site/" + name + "/a.htm"), "");
  }
  // The first part of the temporary folder's path ("tmp"): a folder this machine has.
  std::string MachineFolder() const { return dir.path().substr(1, dir.path().find('/', 1) - 1); }
  std::string& Caption(int i) { return doc.Items[static_cast<std::size_t>(i)].Caption; }
  std::string& Link(int i) { return doc.Items[static_cast<std::size_t>(i)].Link; }
  Findings Check() { return CheckMenu(doc, options); }
};

std::string Lines(const Findings& findings) {
  std::string s;
  for (const Finding& f : findings) s += FindingLine(f) + "\n";
  return s;
}

TEST(CheckMenu, smallMenu_checksClean) {
  Menu m;
  EXPECT_EQ(Lines(m.Check()), "");
}

struct RuleCase {
  const char* code;
  Level level;
  int entry;  // the entry the finding names, -1 for the whole menu
  std::function<void(Menu&)> trigger;
  std::function<void(Menu&)> clean;  // a near miss that must not trigger the rule
};

const RuleCase kRules[] = {
    {"kein-dateiname", Level::Fehler, -1, [](Menu& m) { m.doc.Filename.clear(); },
     [](Menu& m) { m.doc.Filename = m.dir.file("site/x.htm"); }},
    {"ausgabeordner-fehlt", Level::Fehler, -1, [](Menu& m) { m.doc.Filename = m.dir.file("fehlt/menu.htm"); },
     [](Menu& m) { m.doc.Filename = m.dir.file("site/../site/menu.htm"); }},
    {"kein-template", Level::Fehler, -1, [](Menu& m) { m.doc.Template.clear(); }, [](Menu&) {}},
    {"template-fehlt", Level::Fehler, -1, [](Menu& m) { m.doc.Template = "U"; },
     [](Menu& m) { m.doc.Template = "t"; }},  // found in any letter case
    {"seite-ueberschreibt-seite", Level::Fehler, 1, [](Menu& m) { m.doc.Filename = m.dir.file("site/Produkte.htm"); },
     [](Menu& m) { m.Fragment("template.ini", "[Main]\r\nall_in_one=1\r\n"), m.doc.Filename = m.dir.file("site/Produkte.htm"); }},
    {"seite-ueberschreibt-seite", Level::Fehler, 1, [](Menu& m) { m.doc.Filename = m.dir.file("site/PRODUKTE.htm"); },
     [](Menu& m) { m.doc.Filename = m.dir.file("site/PRODUKTE.html"), m.doc.fileext = "htm"; }},
    {"seite-ueberschreibt-menue", Level::Fehler, 1, [](Menu& m) { m.doc.VariablesFile = m.dir.file("site/produkte.htm"); },
     [](Menu& m) { m.doc.VariablesFile = m.dir.file("produkte.htm"); }},
    {"seite-ueberschreibt-menue", Level::Fehler, -1, [](Menu& m) { m.doc.Filename = m.dir.file("site/../site.nfs"); },
     [](Menu& m) { m.doc.Filename = m.dir.file("site.nfs.htm"); }},
    {"seite-nicht-erzeugbar", Level::Fehler, 1, [](Menu& m) { m.VariableChain(40); },
     [](Menu& m) { m.VariableChain(4); }},  // a page of 16 copies
    {"seite-versteckt", Level::Fehler, 1, [](Menu& m) { m.Caption(1) = ".Produkte"; },
     [](Menu& m) { m.Caption(1) = "Produkte."; }},
    {"seite-ueberschreibt-fremde-datei", Level::Fehler, 1, [](Menu& m) { WriteFile(m.dir.file("site/Produkte.htm"), "text"); },
     [](Menu& m) { WriteFile(m.dir.file("site/Produkte.htm"), "<p>alt"); }},
    {"markierung-kaputt", Level::Warnung, 0,
     [](Menu& m) { m.Includable(), WriteFile(m.dir.file("site/home.htm"), "<!-- /navforge --><!-- navforge -->"); },
     [](Menu& m) { m.Includable(), WriteFile(m.dir.file("site/home.htm"), "<!-- navforge -->\n<!-- /navforge -->"); }},
    {"markierung-kaputt", Level::Warnung, 0,
     [](Menu& m) { m.Includable(), WriteFile(m.dir.file("site/home.htm"), "<!-- navforge --><!-- navforge-pfad --><!-- /navforge --><!-- /navforge-pfad -->"); },
     [](Menu& m) { m.Includable(), WriteFile(m.dir.file("site/home.htm"), "<!-- navforge-pfad --><!-- /navforge-pfad --><!-- navforge --><!-- /navforge -->"); }},
    {"kennung-mit-pfadzeichen", Level::Fehler, 1, [](Menu& m) { m.Caption(1) = "Produkte/Neu"; },
     [](Menu& m) { m.Caption(2) = "Soft\\ware"; }},  // a sub-entry names no page
    {"leere-beschriftung", Level::Fehler, 0, [](Menu& m) { m.Caption(0).clear(); }, [](Menu& m) { m.Caption(0) = " "; }},
    {"link-ziel-fehlt", Level::Warnung, 0, [](Menu& m) { m.Link(0) = "fehlt.htm#oben"; },
     [](Menu& m) { m.Link(0) = "Produkte.htm?x#y"; m.Link(2) = "so%66t.htm"; }},  // a page of this generation; percent-decoded
    {"link-ziel-fehlt", Level::Warnung, 2, [](Menu& m) { m.Link(2) = "..\\site\\Soft.htm"; },
     [](Menu& m) {
       m.Var("Basis", "https://example.org/");
       m.Link(0) = "$basis$x.htm";  // filled like every placeholder of the page
       m.Link(2) = "..\\site\\soft.htm";
     }},
    {"pfad-auf-diesem-rechner", Level::Warnung, 0, [](Menu& m) { m.Link(0) = m.dir.file("site/home.htm"); },
     [](Menu& m) {  // from the site's root: it names a folder of the site
       m.Link(0) = "/" + m.MachineFolder() + "/";
       MakeDir(m.dir.file("site/" + m.MachineFolder()));
       m.Link(2) = "/";
     }},
    {"pfad-auf-diesem-rechner", Level::Warnung, 2, [](Menu& m) { m.Link(2) = "FILE:///nirgends/soft.htm"; },
     [](Menu& m) { m.Link(2) = "/nirgends/soft.htm"; }},  // nothing of that name here: left to the server
    {"ziel-leer", Level::Warnung, 0, [](Menu& m) { m.doc.Items[0].Target = " "; },
     [](Menu& m) {
       m.doc.Items[0].Target = "";
       m.Fragment("menupoint.txt", "<a href=\"$Link$\" data-target=\"$LinkTarget$\">$Linkname$</a>\r\n");
       m.doc.Items[1].Target = "";  // a group's heading gets "_self"
     }},
    {"ziel-leer", Level::Warnung, 2, [](Menu& m) { m.doc.Items[2].Target = "$Rahmen$"; m.Var("Rahmen", ""); },
     [](Menu& m) { m.doc.Items[2].Target = "$Rahmen$"; m.Var("Rahmen", "inhalt"); }},
    {"gleiche-beschriftung", Level::Warnung, 3, [](Menu& m) { m.doc.InsertItem(-1, " HOME ", "home.htm", "", false); },
     [](Menu& m) {
       m.doc.InsertItem(-1, "Mehr", "home.htm", "inhalt", false);
       m.doc.InsertItem(-1, "Software", "soft.htm", "inhalt", true);  // another group
       m.doc.InsertItem(-1, "Mehr", "soft.htm", "inhalt", true);      // another level
       m.Caption(1) = "HOME";  // its numbered page name is reported, not this
     }},
    {"gleiche-beschriftung", Level::Warnung, 3, [](Menu& m) { m.doc.InsertItem(-1, "software", "home.htm", "", true); },
     [](Menu& m) { m.doc.InsertItem(-1, "Software 2", "home.htm", "inhalt", true); }},
    {"gleiche-beschriftung", Level::Warnung, 3, [](Menu& m) { m.Add("software", 2); },  // shown beside its parent
     [](Menu& m) { m.Levels(3), m.Add("software", 2); }},
    {"gleiche-beschriftung", Level::Warnung, 4, [](Menu& m) { m.Levels(3), m.Add("Mehr", 2), m.Add("MEHR", 2); },
     [](Menu& m) { m.Levels(3), m.Add("Mehr", 2), m.Add("Hardware", 1), m.Add("Mehr", 2); }},  // another parent
    {"ebene-tiefer-als-template", Level::Hinweis, 3, [](Menu& m) { m.Add("Linux", 2), m.Add("Mac", 0), m.Add("Neu", 1), m.Add("Alt", 2); },
     [](Menu& m) { m.Levels(3), m.Add("Linux", 2); }},
    {"ordnerseite-unverlinkt", Level::Hinweis, 2,
     [](Menu& m) { m.Folder("produkte"), m.Link(1) = "produkte/index.htm", m.Link(2) = "produkte/a.htm"; },
     [](Menu& m) { m.Folder("produkte"), m.Link(0) = "produkte/", m.Link(2) = "produkte/a.htm"; }},
    {"ordnerseite-unverlinkt", Level::Hinweis, 0, [](Menu& m) { WriteFile(m.dir.file("site/index.html"), "<p>"); },
     [](Menu& m) {  // the page that frames the menu
       WriteFile(m.dir.file("site/index.html"), "<IFRAME src=\"menu.htm\"></iframe>");
     }},
    {"untereintraege-vor-haupteintrag", Level::Warnung, 0, [](Menu& m) { m.doc.SetSubItem(0, true); },
     [](Menu& m) { m.doc.SetSubItem(1, false); }},
    {"doppelte-beschriftung", Level::Warnung, 1, [](Menu& m) { m.Caption(1) = "HOME"; },  // names a page
     [](Menu& m) {  // a sub-entry whose identifier no fragment shows
       m.doc.InsertItem(-1, "Mehr", "home.htm", "", false);
       m.doc.InsertItem(-1, "Software", "soft.htm", "", true);
     }},
    {"doppelte-beschriftung", Level::Warnung, 3,
     [](Menu& m) {
       m.Fragment("SubmenuPoint.txt", "<a id=\"$LinkID$\" href=\"$Link$\">$Linkname$</a>\r\n");
       m.doc.InsertItem(-1, "software", "soft.htm", "", true);
     },
     [](Menu& m) { m.Fragment("SubmenuPoint.txt", "<a id=\"$LinkID$\" href=\"$Link$\">$Linkname$</a>\r\n"); }},
    {"seitenname-mit-sonderzeichen", Level::Warnung, 1, [](Menu& m) { m.Caption(1) = "Neue Produkte"; },
     [](Menu& m) { m.Caption(1) = "Produkt\xFC" "bersicht"; m.Caption(0) = "Neu #1"; }},  // umlauts go in UTF-8; no page
    {"blank-ohne-noopener", Level::Warnung, 2, [](Menu& m) { m.doc.Items[2].Target = "_Blank"; },
     [](Menu& m) {
       m.doc.Items[2].Target = "_blank";
       m.Fragment("SubmenuPoint.txt", "<a href=\"$Link$\" target=\"$LinkTarget$\" rel=\"noopener\">$Linkname$</a>\r\n");
     }},
    {"kontrast-zu-gering", Level::Warnung, -1,
     [](Menu& m) { m.doc.TextColor = 0x00888888; m.doc.BackgroundColor = 0x00FFFFFF; },
     [](Menu& m) { m.doc.TextColor = 0x00767676; m.doc.BackgroundColor = 0x00FFFFFF; }},  // 4.54:1
    {"kontrast-zu-gering", Level::Warnung, -1,
     [](Menu& m) { m.doc.LinkColor = 0x00FF0000; m.doc.BackgroundColor = 0x00000000; },  // blue on black
     [](Menu& m) { m.doc.LinkColor = 0x00FF0000; m.doc.HoverColor = 0x00000001; }},  // no background set
    {"platzhalter-ungefuellt", Level::Warnung, -1,
     [](Menu& m) { m.Fragment("footer.txt", "$Tilte$</body>\r\n"); },
     [](Menu& m) {
       m.Var("Firma", "Beispiel");
       m.Fragment("footer.txt", "$FIRMA$ $hr$ kostet 5 $ und 6 $, $$ </body>\r\n");
     }},
    {"platzhalter-ungefuellt", Level::Warnung, -1,
     [](Menu& m) { m.Fragment("header.txt", "<title>$Linkname$</title>\r\n"); },  // entry placeholder outside an entry
     [](Menu& m) { m.Fragment("activemenupoint.txt", "<a href=\"$LINK$\" id=\"$LinkID$\">$Linkname$</a>$submenu$\r\n"); }},
    {"platzhalter-ungefuellt", Level::Warnung, -1,  // a set without levels leaves it alone
     [](Menu& m) { m.Fragment("SubmenuPoint.txt", "<a href=\"$Link$\" class=\"e$Level$\">$Linkname$</a>\r\n"); },
     [](Menu& m) {
       m.Levels(2);
       m.Fragment("SubmenuPoint.txt", "<a href=\"$Link$\" class=\"e$Level$\">$Linkname$</a>\r\n");
     }},
    {"platzhalter-ungefuellt", Level::Warnung, -1,  // only a nested entry opens
     [](Menu& m) { m.Levels(3), m.Fragment("menupoint.txt", "<a href=\"$Link$\" target=\"$LinkTarget$\"$Open$>$Linkname$</a>\r\n"); },
     [](Menu& m) {
       m.Levels(3);
       m.Fragment("menupoint.txt", "<a href=\"$Link$\" target=\"$LinkTarget$\" class=\"e$level$\">$Linkname$</a>\r\n");
       m.Fragment("SubmenuPoint.txt", "<a href=\"$Link$\" class=\"e$Level$\">$Linkname$</a>$submenu$\r\n");
       m.Fragment("SubmenuGroupPoint.txt", "<details$Open$><summary aria-expanded=\"$Expanded$\">$Linkname$</summary>"
                                          "$submenu$</details>\r\n");
     }},
    {"platzhalter-ungefuellt", Level::Warnung, -1,  // the group fragment counts in a set with levels only
     [](Menu& m) { m.Levels(3), m.Fragment("SubmenuGroupPoint.txt", "$Tilte$\r\n"); },
     [](Menu& m) { m.Fragment("SubmenuGroupPoint.txt", "$Tilte$\r\n"); }},
    {"ziel-leer", Level::Warnung, 2,  // a group's own fragment
     [](Menu& m) { m.Levels(3), m.Add("Linux", 2), m.doc.Items[2].Target = "", m.GroupFragments(); },
     [](Menu& m) { m.Add("Linux", 2), m.doc.Items[2].Target = "", m.GroupFragments(); }},
    {"variable-unbenutzt", Level::Warnung, -1, [](Menu& m) { m.Var("Firma", "Beispiel"); },
     [](Menu& m) { m.Var("Firma", "Beispiel in $ort$"); m.Var("Ort", "Bonn"); m.Caption(0) = "$Firma$"; }},
    {"variable-ohne-wirkung", Level::Warnung, -1, [](Menu& m) { m.Var("title", "x"); },
     [](Menu& m) { m.Var("Titel", "x"); m.Fragment("footer.txt", "$Titel$\r\n"); }},
    {"variable-enthaelt-sich", Level::Warnung, -1, [](Menu& m) { m.Var("Firma", "die $FIRMA$"); m.Caption(0) = "$Firma$"; },
     [](Menu& m) { m.Var("Firma", "die $Firma"); m.Caption(0) = "$Firma$"; }},
};

TEST(CheckMenu, eachRule_triggersOnItsMenuAndNotOnTheNearMiss) {
  for (const RuleCase& c : kRules) {
    SCOPED_TRACE(c.code);
    {
      Menu m;
      c.trigger(m);
      const Findings found = m.Check();
      int hits = 0;
      for (const Finding& f : found) {
        if (f.code != c.code) continue;
        ++hits;
        EXPECT_EQ(f.level, c.level);
        EXPECT_EQ(f.entry, c.entry) << f.message;
        if (f.entry >= 0) {
          EXPECT_EQ(f.caption, m.doc.Items[static_cast<std::size_t>(f.entry)].Caption);
        }
        EXPECT_FALSE(f.message.empty());
      }
      EXPECT_EQ(hits, 1) << Lines(found);
    }
    Menu m;
    c.clean(m);
    const Findings found = m.Check();
    for (const Finding& f : found) EXPECT_NE(f.code, c.code) << Lines(found);
  }
}

TEST(CheckMenu, pathOnThisMachine_namesTheLinkFromTheMenuPage) {
  Menu m;
  m.Link(0) = "file://" + m.dir.file("site/home.htm");
  const Findings found = m.Check();
  ASSERT_EQ(found.size(), 1u) << Lines(found);
  EXPECT_NE(found[0].message.find("(von der Men\xFCseite aus: \x84home.htm\x93)"), std::string::npos) << found[0].message;
}

TEST(CheckMenu, documentStaysUnchanged_andErrorsComeFirst) {
  Menu m;
  m.doc.Items[0].LinkID = "alt";
  m.Link(0) = "fehlt.htm";
  m.Caption(2).clear();
  m.Folder("ordner");
  m.doc.InsertItem(-1, "Ordner", "ordner/a.htm", "inhalt", false);
  const Findings found = m.Check();
  EXPECT_EQ(m.doc.Items[0].LinkID, "alt");
  EXPECT_TRUE(m.doc.Header.empty());  // the set is read into a copy
  ASSERT_EQ(found.size(), 3u) << Lines(found);
  EXPECT_EQ(found[0].code, "leere-beschriftung");
  EXPECT_EQ(found[1].code, "link-ziel-fehlt");
  EXPECT_EQ(found[2].code, "ordnerseite-unverlinkt");
}

TEST(ContrastRatio, wcagExamples_giveTheirFigures) {
  EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(0xFFFFFF, 0xFFFFFF), 1.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);
  EXPECT_NEAR(ContrastRatio(0x0000FF, 0xFFFFFF), 4.0, 0.01);  // pure red: red sits in the low byte
  EXPECT_NEAR(ContrastRatio(0xFF0000, 0xFFFFFF), 8.59, 0.01);  // pure blue
}

TEST(FindingLine, controlCharacters_areWrittenAsEscapes) {
  const Finding f{Level::Warnung, "c", 0, "A\x1B[2Jb", "Link \"x\x07\x9D\"\tweg"};
  EXPECT_EQ(FindingLine(f), "Warnung: Eintrag 1 \"A\\x1B[2Jb\": Link \"x\\x07\\x9D\"\\x09weg");
}

TEST(FindingsJson, findings_areEscapedAndNumberedFromOne) {
  const Findings f{{Level::Fehler, "c", 11, "\xDC" "ber \"uns\"", "a\\b\tc"}, {Level::Warnung, "d", -1, "", "x"},
                  {Level::Hinweis, "e", 0, "A", "y"}};
  EXPECT_EQ(FindingsJson(f),
            "[\n {\"level\": \"Fehler\", \"code\": \"c\", \"entry\": 12, \"caption\": \"\xC3\x9C" "ber \\\"uns\\\"\", "
            "\"message\": \"a\\\\b\\u0009c\"},\n"
            " {\"level\": \"Warnung\", \"code\": \"d\", \"entry\": null, \"caption\": null, \"message\": \"x\"},\n"
            " {\"level\": \"Hinweis\", \"code\": \"e\", \"entry\": 1, \"caption\": \"A\", \"message\": \"y\"}\n]\n");
  EXPECT_EQ(FindingLine(f[2]), "Hinweis: Eintrag 1 \"A\": y");
  EXPECT_EQ(FindingsJson({}), "[]\n");
}

}  // namespace
}  // namespace navforge::check
