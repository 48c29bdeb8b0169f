// UTF-8 template sets: recognised by template.ini, fragments taken as they are, and
// every value filled in converted from Windows-1252.
#include <gtest/gtest.h>

#include <tuple>

#include "core/generatememory.h"
#include "support/cp1252.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::MakeDir;
using test::TempDir;

class Utf8Set : public ::testing::Test {
protected:
  void SetUp() override {
    MakeDir(dir.file("Templates"));
    doc.TemplateRoot = dir.file("Templates");
    doc.Filename = dir.file("Men\xFC.htm");
  }
  void Set(const std::string& name, const test::SetFiles& files) {
    test::WriteTemplateSet(dir.file("Templates/" + name), files);
  }
  GenerationResult Generate(const std::string& set) {
    doc.Template = set;
    return GenerateToMemory(doc);
  }
  TempDir dir;
  TovHTML doc;
};

TEST_F(Utf8Set, charsetKeyInSectionMain_makesAUtf8Set) {
  const std::vector<std::pair<std::string, bool>> cases{
      {"[Main]\r\ncharset=utf-8\r\n", true},   {"[MAIN]\nCHARSET=UTF-8\n", true},
      {"[main]\nCharSet = Utf-8 \n", true},    {"[Main]\ncharset=utf8\n", false},
      {"[Main]\ncharset=windows-1252\n", false}, {"[Other]\ncharset=utf-8\n", false},
      {"[Main]\nall_in_one=1\n", false},       {"", false}};
  for (const auto& [ini, utf8] : cases) {
    Set("S", {{"template.ini", ini}});
    std::string message;
    const std::optional<TTemplateSet> set = LoadTemplateSet(doc.TemplateRoot, "S", message);
    ASSERT_TRUE(set) << message;
    EXPECT_EQ(set->Utf8, utf8) << ini;
  }
}

TEST_F(Utf8Set, fragments_areTakenAsTheyAreWithoutAByteOrderMark) {
  const std::string header = "\xEF\xBB\xBFMen\xC3\xBC $Title$";
  Set("U", {{"template.ini", "[Main]\ncharset=utf-8\n"}, {"header.txt", header}});
  Set("W", {{"header.txt", header}});
  doc.Title = "\xC4";
  EXPECT_EQ(Generate("U").Pages.at(0).Bytes, "Men\xC3\xBC \xC3\x84\r\n");
  EXPECT_EQ(Generate("W").Pages.at(0).Bytes, header.substr(0, header.size() - 7) + "\xC4\r\n");
}

// With fragments of plain ASCII, a UTF-8 set's pages are exactly the Windows-1252
// set's pages converted: every value passed through the conversion, the first letter
// included, and nothing else changed. The page paths stay Windows-1252 texts.
TEST_F(Utf8Set, everyFilledValue_isConvertedAndPathsStayAsTheyAre) {
  const test::SetFiles files{
      {"header.txt", "$Title$|$FontSize$|$Font$|$FileName$|$CurrentFilename$|$SubMenuFont$|$SubMenuFontSize$|"
                     "$SubMenuLeftMargin$|$BackgroundImage$|$hr$|$TextColor$|$V\xE4r$|$$"},
       {"menupoint.txt", "M $Linkname$ $LinkID$ $FirstLetter$/$RestLetter$ $LinkTarget$ $Link$ [$submenu$]"},
       {"activemenupoint.txt", "A $Linkname$ $Link$ [$submenu$]"},
       {"SubmenuPoint.txt", "S $Linkname$ $LinkID$ $FirstLetter$/$RestLetter$ $LinkTarget$ $Link$"},
       {"BetweenMenupoints.txt", "|"}, {"BetweenSubmenuPoints.txt", "-"}, {"footer.txt", "F $CurrentFilename$"}};
  Set("W", files);
  // The variable's name is Windows-1252 in the document, so its placeholder in a UTF-8
  // fragment is spelled in UTF-8.
  test::SetFiles utf8Files = files;
  utf8Files["header.txt"] = Cp1252ToUtf8(files.at("header.txt"));
  utf8Files["template.ini"] = "[Main]\ncharset=UTF-8\n";
  Set("U", utf8Files);

  for (std::string* text : {&doc.Title, &doc.FontSize, &doc.Font, &doc.SubmenuFont, &doc.SubmenuFontSize,
                            &doc.SubmenuLeftMargin, &doc.BackgroundImage, &doc.hr})
    *text = "\xE4\x80\xDF";
  doc.TextColor = 0x123456;
  doc.fileext = "\xF6";
  doc.Variables.AddVariable("V\xE4r", "w\xF6rt $Title$");
  doc.Variables.Vars.push_back(TVarItem{"", "\xDF"});
  doc.InsertItem(-1, "\xDC" "ber", "\xFC.htm", "Fenster\x80", false);
  doc.InsertItem(-1, "\xC4rger", "\xE4.htm", "\xE4", true);
  doc.InsertItem(-1, "\xC4rger", "\xE4" "2.htm", "", true);
  doc.InsertItem(-1, "\xD6l", "\xF6.htm", "", false);
  doc.InsertItem(-1, "\xC9t\xE9", "\xE9.htm", "", true);

  const GenerationResult w = Generate("W");
  const GenerationResult u = Generate("U");
  ASSERT_TRUE(w.Ok && u.Ok) << w.Message << u.Message;
  ASSERT_EQ(u.Pages.size(), 3u);
  ASSERT_EQ(w.Pages.size(), u.Pages.size());
  for (std::size_t i = 0; i < u.Pages.size(); ++i) {
    EXPECT_EQ(u.Pages[i].Path, w.Pages[i].Path);
    EXPECT_EQ(u.Pages[i].Bytes, Cp1252ToUtf8(w.Pages[i].Bytes)) << w.Pages[i].Path;
  }
  EXPECT_EQ(u.Pages[1].Path, dir.file("\xDC" "ber.\xF6"));
  EXPECT_NE(u.Pages[1].Bytes.find("\xC3\x84/rger"), std::string::npos);  // one letter, two bytes
}

}  // namespace
}  // namespace navforge
