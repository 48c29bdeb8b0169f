// Template sets: finding the set, template.ini and the fragment texts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/menudocument.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "testsupport/expectthrow.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::MakeDir;
using test::RecordingNotifier;
using test::TempDir;
using test::WriteFile;

const std::string kNoSet = "Sie haben keine Menütemplate ausgewählt."_cp1252;
const std::string kMissingSet = "Das Menütemplate ist nicht vorhanden."_cp1252;

class Load : public ::testing::Test {
protected:
  void SetUp() override {
    MakeDir(dir.file("Templates"));
    doc.TemplateRoot = dir.file("Templates");
    // Values a refused load must leave alone.
    doc.AllInOne = true;
    doc.Header = doc.Footer = doc.Menupoint = doc.ActiveMenupoint = "old";
    doc.BetweenMenupoints = doc.SubmenuPoint = doc.BetweenSubmenuPoints = "old";
  }
  // Writes the set into the template root; returns its folder with a trailing "/".
  std::string Set(const std::string& name, const test::SetFiles& files = {}) {
    test::WriteTemplateSet(dir.file("Templates/" + name), files);
    return dir.file("Templates/" + name) + "/";
  }
  bool Untouched() const {
    return doc.AllInOne && doc.Header == "old" && doc.Footer == "old" && doc.Menupoint == "old" &&
           doc.ActiveMenupoint == "old" && doc.BetweenMenupoints == "old" && doc.SubmenuPoint == "old" &&
           doc.BetweenSubmenuPoints == "old";
  }
  bool AllInOneFor(const std::string& ini) {
    Set("S", {{"template.ini", ini}});
    doc.Template = "S";
    EXPECT_TRUE(doc.LoadTemplate());
    return doc.AllInOne;
  }

  TempDir dir;
  TovHTML doc;
  RecordingNotifier notes;
  ScopedNotifier scoped{notes};
};

TEST_F(Load, noSetChosen_showsTheFirstMessageOnly) {
  Set("A");
  doc.Template = "";
  doc.Filename = dir.file("out.htm");
  EXPECT_FALSE(doc.LoadTemplate());
  EXPECT_EQ(notes.Messages, std::vector<std::string>{kNoSet});
  EXPECT_TRUE(Untouched());
  doc.Generate();
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.htm")));
}

TEST_F(Load, setNamesThatLeaveTheTemplateFolder_areNotFound) {
  Set("A");
  test::WriteTemplateSet(dir.file("outside"), {{"header.txt", "fremd"}});
  for (const char* name : {"../outside", "A/../A", "A\\..\\A", "..", ".", "/"}) {
    notes.Messages.clear();
    doc.Template = name;
    EXPECT_FALSE(doc.LoadTemplate()) << name;
    EXPECT_EQ(notes.Messages, std::vector<std::string>{kMissingSet}) << name;
  }
}

TEST_F(Load, missingSetOrAFileInItsPlace_showsTheSecondMessage) {
  WriteFile(dir.file("Templates/file"), "x");
  for (const char* name : {"missing", "file", " A"}) {
    notes.Messages.clear();
    doc.Template = name;
    EXPECT_FALSE(doc.LoadTemplate()) << name;
    EXPECT_EQ(notes.Messages, std::vector<std::string>{kMissingSet}) << name;
    EXPECT_TRUE(Untouched()) << name;
  }
  Set("A");
  doc.TemplateRoot = dir.file("nowhere");
  doc.Template = "A";
  EXPECT_FALSE(doc.LoadTemplate());
}

TEST_F(Load, setWithoutFiles_loadsEmptyFragmentsAndOneFilePerEntry) {
  Set("Empty");
  doc.Template = "Empty";
  EXPECT_TRUE(doc.LoadTemplate());
  EXPECT_TRUE(notes.Messages.empty());
  EXPECT_FALSE(doc.AllInOne);
  for (const std::string* f : {&doc.Header, &doc.Footer, &doc.Menupoint, &doc.ActiveMenupoint,
                               &doc.BetweenMenupoints, &doc.SubmenuPoint, &doc.BetweenSubmenuPoints})
    EXPECT_EQ(*f, "");
}

TEST_F(Load, allInOne_isAnIntegerOtherThanZeroUnderMain) {
  EXPECT_TRUE(AllInOneFor("[Main]\r\nall_in_one=1\r\n"));
  EXPECT_FALSE(AllInOneFor("[Main]\r\nall_in_one=0\r\n"));
  EXPECT_FALSE(AllInOneFor("[Main]\r\nall_in_one=yes\r\n"));
  EXPECT_TRUE(AllInOneFor("[Main]\r\nall_in_one=0x1\r\n"));
  EXPECT_TRUE(AllInOneFor("[Main]\r\nall_in_one=$10\r\n"));
  EXPECT_TRUE(AllInOneFor("[Main]\r\nall_in_one=-3\r\n"));
  EXPECT_FALSE(AllInOneFor("[Main]\r\nall_in_one=\r\n"));
  EXPECT_FALSE(AllInOneFor("[Other]\r\nall_in_one=1\r\n"));
  EXPECT_FALSE(AllInOneFor("[Main]\r\nsomething=1\r\n"));
  EXPECT_TRUE(AllInOneFor("[main]\nALL_IN_ONE=1\n"));  // INI names ignore letter case
}

TEST_F(Load, fragments_endEveryLineWithCRLF) {
  const std::string set = Set("F", {{"header.txt", "abc"},
                                    {"footer.txt", "a\nb\n"},
                                    {"menupoint.txt", "a\rb\r\rc"},
                                    {"activemenupoint.txt", std::string("a\r\nb\0c\r\n", 8)},
                                    {"BetweenMenupoints.txt", ""},
                                    {"SubmenuPoint.txt", "\n"},
                                    {"BetweenSubmenuPoints.txt", "x\r\n\r\n"}});
  doc.Template = "F";
  ASSERT_TRUE(doc.LoadTemplate());
  EXPECT_EQ(doc.Header, "abc\r\n");
  EXPECT_EQ(doc.Footer, "a\r\nb\r\n");
  EXPECT_EQ(doc.Menupoint, "a\r\nb\r\n\r\nc\r\n");
  EXPECT_EQ(doc.ActiveMenupoint, "a\r\nb\r\n");
  EXPECT_EQ(doc.BetweenMenupoints, "");
  EXPECT_EQ(doc.SubmenuPoint, "\r\n");
  EXPECT_EQ(doc.BetweenSubmenuPoints, "x\r\n\r\n");
  EXPECT_EQ(TovHTML::ReadFragment(set + "missing.txt"), "");
  EXPECT_EQ(TovHTML::ReadFragment(dir.path()), "");  // a folder is no file
}

TEST_F(Load, eachFragment_goesIntoItsOwnField) {
  const std::vector<std::pair<std::string, std::string*>> files{
      {"header.txt", &doc.Header},
      {"footer.txt", &doc.Footer},
      {"menupoint.txt", &doc.Menupoint},
      {"activemenupoint.txt", &doc.ActiveMenupoint},
      {"BetweenMenupoints.txt", &doc.BetweenMenupoints},
      {"SubmenuPoint.txt", &doc.SubmenuPoint},
      {"BetweenSubmenuPoints.txt", &doc.BetweenSubmenuPoints}};
  test::SetFiles named;
  for (const auto& [name, field] : files) named[name] = name;
  Set("F", named);
  doc.Template = "F";
  ASSERT_TRUE(doc.LoadTemplate());
  for (const auto& [name, field] : files) EXPECT_EQ(*field, name + "\r\n");
}

TEST_F(Load, names_matchExactlyFirstThenWithoutRegardToCase) {
  Set("blue",
      {{"HEADER.TXT", "upper header"}, {"submenupoint.txt", "sub"}, {"Template.INI", "[Main]\nall_in_one=1\n"}});
  doc.Template = "Blue";
  ASSERT_TRUE(doc.LoadTemplate());
  EXPECT_EQ(doc.Header, "upper header\r\n");
  EXPECT_EQ(doc.SubmenuPoint, "sub\r\n");
  EXPECT_TRUE(doc.AllInOne);

  // With both spellings present the exact one wins.
  Set("blue", {{"header.txt", "exact header"}});
  Set("Blue", {{"footer.txt", "exact set"}});
  ASSERT_TRUE(doc.LoadTemplate());
  EXPECT_EQ(doc.Footer, "exact set\r\n");
  EXPECT_EQ(doc.Header, "");
  doc.Template = "blue";
  ASSERT_TRUE(doc.LoadTemplate());
  EXPECT_EQ(doc.Header, "exact header\r\n");

  // Umlauts are not folded.
  Set("\xFC" "ber");
  doc.Template = "\xDC" "ber";
  EXPECT_FALSE(doc.LoadTemplate());
}

TEST_F(Load, templateRoot_isFoundInAnyLetterCase) {
  test::WriteTemplateSet(dir.file("prog/templates/S"), {{"header.txt", "h"}});
  doc.Template = "S";
  for (const std::string& root : {dir.file("prog/Templates"), dir.file("prog/Templates/"), dir.file("prog/TEMPLATES")}) {
    doc.Header.clear();
    doc.TemplateRoot = root;
    EXPECT_TRUE(doc.LoadTemplate()) << root;
    EXPECT_EQ(doc.Header, "h\r\n") << root;
  }
}

TEST_F(Load, unreadableFragment_raisesTheOpenErrorAfterEarlierFragments) {
  const std::string set = Set("S", {{"template.ini", "[Main]\nall_in_one=1\n"}, {"header.txt", "new header"}});
  // A file that exists but whose reading fails, for root as well.
  std::filesystem::create_symlink("/proc/self/mem", set + "footer.txt");
  doc.AllInOne = false;
  doc.Template = "S";
  EXPECT_THROW_MSG(doc.LoadTemplate(), EFOpenError, "Kann Datei " + set + "footer.txt nicht öffnen"_cp1252);
  EXPECT_TRUE(doc.AllInOne);
  EXPECT_EQ(doc.Header, "new header\r\n");
  EXPECT_EQ(doc.Menupoint, "old");

  doc.Filename = dir.file("out.htm");
  EXPECT_THROW(doc.Generate(), EFOpenError);
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.htm")));
}

TEST_F(Load, readProtectedFragment_raisesTheOpenError) {
  if (::geteuid() == 0) GTEST_SKIP() << "read protection does not hold for root";
  const std::string set = Set("S", {{"menupoint.txt", "m"}});
  std::filesystem::permissions(set + "menupoint.txt", std::filesystem::perms::none);
  doc.Template = "S";
  EXPECT_THROW(doc.LoadTemplate(), EFOpenError);
}

}  // namespace
}  // namespace navforge
