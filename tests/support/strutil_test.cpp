#include "support/strutil.h"

#include <gtest/gtest.h>

#include <random>

namespace navforge {
namespace {

// The rescanning rule taken literally: search from the start after every replacement.
std::string LiteralReplaceAll(std::string text, const std::string& pattern, const std::string& repl, bool cs,
                              int maxSteps) {
  if (pattern.empty()) return text;
  auto lower = [&](std::string s) { return cs ? s : LowerAscii(s); };
  const std::string p = lower(pattern);
  for (int step = 0; step < maxSteps; ++step) {
    std::size_t q = lower(text).find(p);
    if (q == std::string::npos) return text;
    text.replace(q, pattern.size(), repl);
    if (text.size() > 4096) break;  // growing without end (or far beyond this test's inputs)
  }
  return "<no end>";
}

std::string Replaced(std::string text, std::string_view p, std::string_view r, bool cs = false) {
  ReplaceAll(text, p, r, cs);
  return text;
}

TEST(ReplaceAll, caseInsensitive_foldsOnlyAsciiLetters) {
  EXPECT_EQ(Replaced("ABC abc", "b", "x"), "AxC axc");
  EXPECT_EQ(Replaced("ABC abc", "b", "x", true), "ABC axc");
  EXPECT_EQ(Replaced("\xC4 \xE4", "\xE4", "x"), "\xC4 x");  // Ä is not folded onto ä
}

TEST(ReplaceAll, emptyPatternOrText_changesNothing) {
  EXPECT_EQ(Replaced("abc", "", "x"), "abc");
  EXPECT_EQ(Replaced("", "a", "x"), "");
  EXPECT_EQ(Replaced("$a$b$", "$", ""), "ab");
}

TEST(ReplaceAll, textFormedWithNeighbours_isReplacedToo) {
  EXPECT_EQ(Replaced("aabb", "ab", "a"), "aa");
  EXPECT_EQ(Replaced("x\r\n\r\n\r\n\r\ny", "\r\n\r\n", "\r\n"), "x\r\ny");
  EXPECT_EQ(Replaced("\r\n\r\n\r\n\r\n\r\n", "\r\n\r\n", "\r\n"), "\r\n");
}

TEST(ReplaceAll, replacementHoldingPattern_endsWithOnePass) {
  EXPECT_EQ(Replaced("a $Title$ b $TITLE$", "$title$", "[$Title$]"), "a [$Title$] b [$Title$]");
  EXPECT_EQ(Replaced("aaa", "a", "aa"), "aaaaaa");
}

TEST(ReplaceAll, randomInput_matchesTheLiteralRule) {
  std::mt19937 rng(42);
  const std::string alphabet = "aAbB$\r\n";
  auto word = [&](int maxLen) {
    std::string s(rng() % (maxLen + 1), ' ');
    for (char& c : s) c = alphabet[rng() % alphabet.size()];
    return s;
  };
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string text = word(24), pattern = word(4), repl = word(5);
    bool cs = rng() % 2;
    std::string expected = LiteralReplaceAll(text, pattern, repl, cs, 2000);
    if (expected == "<no end>") continue;
    // Cases whose literal run ends must be matched exactly.
    ASSERT_EQ(Replaced(text, pattern, repl, cs), expected)
        << "text=" << text << " pattern=" << pattern << " repl=" << repl << " cs=" << cs;
    ++compared;
  }
  EXPECT_GT(compared, 15000);
}

TEST(GetField, fieldNumber_picksThatField) {
  const std::string t = "a\xB6" "b\xB6" "c";
  EXPECT_EQ(GetField(t, '\xB6', 1), "a");
  EXPECT_EQ(GetField(t, '\xB6', 2), "b");
  EXPECT_EQ(GetField(t, '\xB6', 3), "c");
  EXPECT_EQ(GetField(t, '\xB6', 4), "");
  EXPECT_EQ(GetField(t, '\xB6', 0), "");
  EXPECT_EQ(GetField("a\xB6" "b\xB6", '\xB6', 3), "");
  EXPECT_EQ(GetField("abc", '\xB6', 1), "abc");
  std::string longField(300, 'x');
  EXPECT_EQ(GetField(longField + ";rest", ';', 1), longField);
  EXPECT_EQ(GetField(longField + ";rest", ';', 2), "rest");
}

TEST(Flags, onlyOne_isTrue) {
  EXPECT_EQ(BoolToText(true), "1");
  EXPECT_EQ(BoolToText(false), "0");
  EXPECT_TRUE(TextToBool("1"));
  for (const char* t : {"", "0", " 1", "01", "true"}) EXPECT_FALSE(TextToBool(t)) << t;
}

TEST(Escaping, escaping_roundTripsAndUnescapesAnyCase) {
  EXPECT_EQ(EscapeField("a\xB6" "b"), "a&para;b");
  EXPECT_EQ(UnescapeField(EscapeField("x\xB6\xB6y")), "x\xB6\xB6y");
  EXPECT_EQ(UnescapeField("a&PARA;b&Para;"), "a\xB6" "b\xB6");
}

TEST(ParseInteger, decimalAndHexForms_areRead) {
  EXPECT_EQ(ParseInteger("2"), 2);
  EXPECT_EQ(ParseInteger("  -17"), -17);
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_EQ(ParseInteger("$FF"), 255);
  EXPECT_EQ(ParseInteger("0x10"), 16);
  EXPECT_EQ(ParseInteger("X1f"), 31);
  EXPECT_EQ(ParseInteger("$80000018"), static_cast<std::int32_t>(0x80000018u));
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
  for (const char* bad : {"", " ", "2.0", "2 x", "2 ", "2147483648", "$100000000", "$", "-", "--1", "-$1"})
    EXPECT_FALSE(ParseInteger(bad).has_value()) << bad;
}

}  // namespace
}  // namespace navforge
