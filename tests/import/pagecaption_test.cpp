#include "import/pagecaption.h"

#include <gtest/gtest.h>


namespace navforge::import {
namespace {

TEST(ReadPageCaption, titleElseH1EncodingsAndLostCharacters) {
  static const char kUtf16Page[] = "\xFF\xFE<\0t\0i\0t\0l\0e\0>\0\xC4\0<\0/\0t\0i\0t\0l\0e\0>\0";
  struct Case {
    std::string page;
    std::string caption;  // Windows-1252
    bool unmappable;
    bool note;
  };
  const Case cases[] = {
      {"<title> A  &amp;\n\tB </title><h1>H</h1>", "A & B", false, false},
      {"<title> </title><h1>\xC3\x9C""ber <b>uns</b><script>x()</script></h1>", "\xDC""ber uns", false, false},
      {"<p>kein Titel</p>", "", false, false},
      {"<!-- </title> --><title>Echt</title>", "Echt", false, false},  // a cut inside a comment: parsed whole
      {"<h1>Kopf</h1><p>f\xFCr</p><title>Sp\xE4t</title>", "Sp\xE4t", false, false},
      {"<title>f\xFCr</title>", "f\xFCr", false, false},  // not UTF-8: Windows-1252
      {"<meta charset=\"windows-1252\"><title>\xC3\xBC</title>", "\xC3\xBC", false, false},  // declared wins
      {"<meta http-equiv=\"content-type\" content=\"text/html; charset=UTF-8\"><title>f\xFCr</title>", "f\xFCr",
       false, true},
      {"<meta charset=\"koi8-r\"><title>\xE2\x82\xAC</title>", "\x80", false, true},
      {"\xEF\xBB\xBF<title>\xE2\x80\x9EZitat\xE2\x80\x9C</title>", "\x84Zitat\x93", false, false},
      {std::string(kUtf16Page, sizeof kUtf16Page - 1), "\xC4", false, false},
      {"<title>Gr\xC3\xBC\xC3\x9F""e \xF0\x9F\x98\x80 \xE2\x84\xA2\xCE\xA9</title>", "Gr\xFC\xDF""e ? \x99?", true,
       false},
  };
  for (const Case& c : cases) {
    const PageCaption r = ReadPageCaption(c.page);
    EXPECT_EQ(r.Caption, c.caption) << c.page;
    EXPECT_EQ(r.Unmappable, c.unmappable) << c.page;
    EXPECT_EQ(!r.EncodingNote.empty(), c.note) << c.page;
  }
}

// A caption is shown and edited as the text it stands for, and stored escaped again.
TEST(PlainText, readsBackExactlyWhatHtmlTextWrote) {
  const std::pair<std::string, std::string> cases[] = {
      {"A & B", "A &amp; B"},
      {"<b>\"x\"</b>", "&lt;b&gt;&quot;x&quot;&lt;/b&gt;"},
      {"&lt; bleibt", "&amp;lt; bleibt"},
      {"&nbsp;&", "&amp;nbsp;&amp;"},
      {"\xDC""ber", "\xDC""ber"},
  };
  for (const auto& [plain, html] : cases) {
    EXPECT_EQ(HtmlText(plain), html);
    EXPECT_EQ(PlainText(html), plain);
  }
  EXPECT_EQ(PlainText("&copy; &amp"), "&copy; &amp");  // other entities, and an unfinished one, stay
}

}  // namespace
}  // namespace navforge::import
