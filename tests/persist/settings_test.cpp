#include "persist/settings.h"

#include <gtest/gtest.h>

#include "persist/formatfields.h"
#include "support/errors.h"
#include "testsupport/expectthrow.h"
#include "testsupport/filelimit.h"
#include "testsupport/tempdir.h"

namespace navforge {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr std::int32_t kRed = 0x000000FF;

TEST(ColorText, writing_givesNameOrHex) {
  EXPECT_EQ(ColorToString(kRed), "clRed");
  EXPECT_EQ(ColorToString(clNone), "clNone");
  EXPECT_EQ(ColorToString(0x00EFCDAB), "$00EFCDAB");
  EXPECT_EQ(ColorToString(static_cast<std::int32_t>(0x80000000u)), "clScrollBar");
  EXPECT_EQ(ColorToString(static_cast<std::int32_t>(0x80000018u)), "clInfoBk");
  EXPECT_EQ(ColorToString(static_cast<std::int32_t>(0x80000019u)), "$80000019");
  EXPECT_EQ(ColorToString(-1), "$FFFFFFFF");
  EXPECT_EQ(ColorToString(0x00C0C0C0), "clSilver");
}

TEST(ColorText, reading_ignoresCaseAndTakesIntegers) {
  for (const char* t : {"clred", "CLRED", "clRed", "255", "$FF", "0xff", "xFF", " 255"})
    EXPECT_EQ(StringToColor(t), kRed) << t;
  EXPECT_EQ(StringToColor("$80000018"), static_cast<std::int32_t>(0x80000018u));
  EXPECT_EQ(StringToColor("cl3ddkshadow"), static_cast<std::int32_t>(0x80000015u));
  EXPECT_EQ(StringToColor("-1"), -1);
}

TEST(ColorText, everyNameAndHexText_readsBack) {
  // 42 names: 16 basic colours, clNone and 25 system colours.
  int named = 0;
  for (std::uint32_t v = 0x80000000u; v < 0x80000020u; ++v) {
    const std::string t = ColorToString(static_cast<std::int32_t>(v));
    if (t[0] != '$') ++named;
    EXPECT_EQ(static_cast<std::uint32_t>(StringToColor(t)), v) << t;
  }
  EXPECT_EQ(named, 25);
  for (std::uint32_t v : {0x0u, 0x80u, 0x8000u, 0x8080u, 0x800000u, 0x800080u, 0x808000u, 0x808080u, 0xC0C0C0u,
                          0xFFu, 0xFF00u, 0xFFFFu, 0xFF0000u, 0xFF00FFu, 0xFFFF00u, 0xFFFFFFu, 0x1FFFFFFFu}) {
    const std::string t = ColorToString(static_cast<std::int32_t>(v));
    EXPECT_EQ(t.substr(0, 2), "cl") << v;
    EXPECT_EQ(static_cast<std::uint32_t>(StringToColor(t)), v) << t;
  }
  for (std::uint32_t v : {0x1u, 0x00EFCDABu, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x1FFFFFFEu})
    EXPECT_EQ(static_cast<std::uint32_t>(StringToColor(ColorToString(static_cast<std::int32_t>(v)))), v);
}

TEST(ColorText, badText_raisesConvertError) {
  for (const char* bad : {"", "red", "clRedd", "#FF0000", "2147483648", "$100000000"})
    EXPECT_THROW_MSG(StringToColor(bad), EConvertError, std::string("'") + bad + "' is not a valid integer value");
}

TEST(LoadSettings, missingFile_givesEveryDefault) {
  TempDir dir;
  TMenuFormat f;
  f.TextColor = kRed;
  f.Title = "t";
  f.hr = "";
  f.fileext = "php";
  f.Template = "x";
  LoadSettings(f, dir.file("menu"), 2);
  EXPECT_EQ(f.TextColor, clNone);
  EXPECT_EQ(f.Title, "");
  EXPECT_EQ(f.Template, "");
  EXPECT_EQ(f.hr, "<hr>");
  EXPECT_EQ(f.fileext, "");
}

TEST(LoadSettings, presentKeys_readTrimmedAndEmptyIsNotDefault) {
  TempDir dir;
  WriteFile(dir.file("m.nfs"),
            "[main]\r\ntextcolor=clred\r\nHoverColor=$00EFCDAB\r\nTitle=  Men\xFC  \r\nhr=\r\n"
            "Font=\"Arial, Helvetica\"\r\nfileext=php\r\n");
  TMenuFormat f;
  LoadSettings(f, dir.file("m"), 2);
  EXPECT_EQ(f.TextColor, kRed);
  EXPECT_EQ(f.HoverColor, 0x00EFCDAB);
  EXPECT_EQ(f.LinkColor, clNone);
  EXPECT_EQ(f.Title, "Men\xFC");
  EXPECT_EQ(f.hr, "");
  EXPECT_EQ(f.Font, "Arial, Helvetica");
  EXPECT_EQ(f.fileext, "php");
}

TEST(LoadSettings, badColour_endsLoadWithEarlierFieldsSet) {
  TempDir dir;
  WriteFile(dir.file("m.nfs"), "[Main]\r\nTextColor=clRed\r\nLinkColor=\r\nHoverColor=clBlue\r\nTitle=T\r\n");
  TMenuFormat f;
  f.HoverColor = 7;
  f.Title = "before";
  f.BackgroundColor = 5;
  EXPECT_THROW_MSG(LoadSettings(f, dir.file("m"), 2), EConvertError, "'' is not a valid integer value");
  EXPECT_EQ(f.TextColor, kRed);
  EXPECT_EQ(f.BackgroundColor, clNone);  // missing key: its default
  EXPECT_EQ(f.HoverColor, 7);
  EXPECT_EQ(f.Title, "before");
}

TEST(LoadSettings, legacyKeys_swapPanelsAndLeaveFourFields) {
  TempDir dir;
  WriteFile(dir.file("old.msf"),
            "[Main]\r\npanel1=clBlack\r\npanel3=clBlue\r\npanel4=clRed\r\npanel5=clLime\r\ntitlename=Alt\r\n"
            "cbfont=Verdana\r\nfontsize=2\r\ncbfont2=Arial\r\nleftmar=10px\r\npicfile=bg.gif\r\nfilename=nav.htm\r\n"
            "TextColor=clWhite\r\nhr=<br>\r\n");
  TMenuFormat f;
  f.SubmenuFontSize = "1";
  f.Template = "Classic";
  f.hr = "<hr noshade>";
  f.fileext = "shtml";
  f.FirstLetterColor = 3;
  LoadSettings(f, dir.file("old"), -1);
  EXPECT_EQ(f.TextColor, 0);
  EXPECT_EQ(f.BackgroundColor, clNone);
  EXPECT_EQ(f.LinkColor, 0x00FF0000);
  EXPECT_EQ(f.VLinkColor, kRed);
  EXPECT_EQ(f.ALinkColor, 0x0000FF00);
  EXPECT_EQ(f.FirstLetterColor, clNone);
  EXPECT_EQ(f.Title, "Alt");
  EXPECT_EQ(f.Font, "Verdana");
  EXPECT_EQ(f.FontSize, "2");
  EXPECT_EQ(f.SubmenuFont, "Arial");
  EXPECT_EQ(f.SubmenuLeftMargin, "10px");
  EXPECT_EQ(f.BackgroundImage, "bg.gif");
  EXPECT_EQ(f.Filename, "nav.htm");
  EXPECT_EQ(f.SubmenuFontSize, "1");
  EXPECT_EQ(f.Template, "Classic");
  EXPECT_EQ(f.hr, "<hr noshade>");
  EXPECT_EQ(f.fileext, "shtml");
}

TEST(LoadSettings, badLegacyColour_endsLoadInSwatchOrder) {
  TempDir dir;
  WriteFile(dir.file("old.msf"), "[Main]\r\npanel3=clRed\r\npanel4=rot\r\npanel5=clLime\r\n");
  TMenuFormat f;
  f.ALinkColor = 7;
  EXPECT_THROW_MSG(LoadSettings(f, dir.file("old"), -1), EConvertError, "'rot' is not a valid integer value");
  EXPECT_EQ(f.LinkColor, kRed);
  EXPECT_EQ(f.ALinkColor, 7);  // "panel5" comes after the bad "panel4"
}

TEST(LoadSettings, otherVersions_readNothing) {
  TempDir dir;
  WriteFile(dir.file("m.nfs"), "[Main]\r\nTitle=x\r\n");
  WriteFile(dir.file("m.msf"), "[Main]\r\ntitlename=x\r\n");
  TMenuFormat f;
  f.Title = "kept";
  LoadSettings(f, dir.file("m"), 3);
  LoadSettings(f, dir.file("m"), 0);
  EXPECT_EQ(f.Title, "kept");
}

TMenuFormat Sample() {
  TMenuFormat f;
  f.TextColor = kRed;
  f.BackgroundColor = 0x00EFCDAB;
  f.LinkColor = static_cast<std::int32_t>(0x80000018u);
  f.ALinkColor = 0;
  f.VLinkColor = -1;
  f.HoverColor = clNone;
  f.FirstLetterColor = 0x00FFFFFF;
  f.Title = "Men\xFC \xB6 $Title$ &para;";
  f.Font = "Verdana, Arial";
  f.FontSize = "12px";
  f.SubmenuFont = "Times";
  f.SubmenuFontSize = "10px";
  f.SubmenuLeftMargin = "1em";
  f.BackgroundImage = "img/bg.gif";
  f.Template = "Klassisch";
  f.Filename = "C:\\Web\\nav.htm";
  f.hr = "";
  f.fileext = "php";
  return f;
}

void ExpectSame(const TMenuFormat& a, const TMenuFormat& b) {
  for (const FormatField& field : FormatFields) EXPECT_EQ(FieldText(a, field), FieldText(b, field)) << field.Key;
}

TEST(SaveSettings, save_writesEighteenKeysInOrder) {
  TempDir dir;
  SaveSettings(TMenuFormat{}, dir.file("m.nfs"));
  EXPECT_EQ(ReadFile(dir.file("m.nfs")),
            "[Main]\r\nTextColor=clNone\r\nBackgroundColor=clNone\r\nLinkColor=clNone\r\nALinkColor=clNone\r\n"
            "VLinkColor=clNone\r\nHoverColor=clNone\r\nFirstLetterColor=clNone\r\nTitle=\r\nFont=\r\nFontSize=\r\n"
            "SubmenuFont=\r\nSubmenuFontSize=\r\nSubmenuLeftMargin=\r\nBackgroundImage=\r\nTemplate=\r\n"
            "Filename=\r\nhr=<hr>\r\nfileext=\r\n");
}

TEST(SaveSettings, roundTrip_restoresEveryValue) {
  TempDir dir;
  const TMenuFormat saved = Sample();
  SaveSettings(saved, dir.file("m.nfs"));
  TMenuFormat loaded;
  LoadSettings(loaded, dir.file("m"), 2);
  ExpectSame(loaded, saved);
}

TEST(SaveSettings, roundTrip_losesBlanksQuotesAndOverlongText) {
  TempDir dir;
  TMenuFormat f;
  f.Title = " Titel ";
  f.Font = "\"Arial\"";
  f.FontSize = "'x' and 'y'";  // first and last character are quotes, so they go
  f.Filename = std::string(3000, 'f');
  SaveSettings(f, dir.file("m.nfs"));
  TMenuFormat g;
  LoadSettings(g, dir.file("m"), 2);
  EXPECT_EQ(g.Title, "Titel");
  EXPECT_EQ(g.Font, "Arial");
  EXPECT_EQ(g.FontSize, "x' and 'y");
  EXPECT_EQ(g.Filename, std::string(2047, 'f'));
}

TEST(SaveSettings, existingFile_keepsOtherSectionsAndKeys) {
  TempDir dir;
  const std::string path = dir.file("m.nfs");
  WriteFile(path, "[Mine]\r\nTitle=foreign\r\n[MAIN]\r\ntitle=old\r\nExtra=kept\r\n");
  SaveSettings(Sample(), path);
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.rfind("[Mine]\r\nTitle=foreign\r\n[MAIN]\r\nTitle=Men\xFC", 0), 0u) << text;
  EXPECT_NE(text.find("\r\nExtra=kept\r\nTextColor=clRed\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("old"), std::string::npos);
}

TEST(SaveSettings, failedSave_raisesWriteErrorAndKeepsOldFile) {
  TempDir dir;
  const std::string missing = dir.file("gone/m.nfs");
  EXPECT_THROW_MSG(SaveSettings(Sample(), missing), EWriteError, "Fehler beim Schreiben nach " + missing);

  const std::string path = dir.file("m.nfs");
  const std::string old = "[Main]\r\nTitle=old\r\n";
  WriteFile(path, old);
  {
    test::ScopedFileSizeLimit limit(64);
    EXPECT_THROW(SaveSettings(Sample(), path), EWriteError);
  }
  EXPECT_EQ(ReadFile(path), old);
}

}  // namespace
}  // namespace navforge
