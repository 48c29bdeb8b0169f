// Program texts written in UTF-8 against the Windows-1252 bytes they must become.
// What the code page cannot hold does not compile at all, e.g.
//   "Geprüft ✓"_cp1252   // U+2713 has no Windows-1252 byte
//   "Men\xFC"_cp1252     // a Windows-1252 byte is no UTF-8
// both stop with "call to non-'constexpr' function ... NotWindows1252OrMalformedUtf8()".
#include "support/cp1252literal.h"

#include <gtest/gtest.h>

namespace navforge {
namespace {

TEST(Cp1252Literal, textsBecomeTheirWindows1252Bytes) {
  const struct {
    std::string converted, bytes;
  } cases[] = {
      {"Das Menütemplate"_cp1252, "Das Men\xFCtemplate"},
      {"Größe, Ärger, Übel"_cp1252, "Gr\xF6\xDF" "e, \xC4rger, \xDC" "bel"},
      {"„Zitat“ ‚halb‘"_cp1252, "\x84Zitat\x93 \x82halb\x91"},
      {"5 € – … ™"_cp1252, "5 \x80 \x96 \x85 \x99"},
      {"Œuvre Šik Žen Ÿ"_cp1252, "\x8Cuvre \x8Aik \x8E" "en \x9F"},
      {"¶ é ÿ"_cp1252, "\xB6 \xE9 \xFF"},
      {"a\0b"_cp1252, std::string("a\0b", 3)},
      {""_cp1252, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.converted, c.bytes);
}

}  // namespace
}  // namespace navforge
