// Pages made from ready parts against pages filled whole, on menus built to defeat the
// parts: placeholder names split between values and fragments, "$" at part edges,
// values ending in CR or starting with LF, empty fragments, variables named like page
// placeholders or holding a line break, $CurrentFilename$ in some parts.
#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "core/generationrun.h"

namespace navforge {
namespace {

class Pick {
public:
  explicit Pick(unsigned seed) : rng_(seed) {}
  bool Chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(rng_) < percent; }
  template <class T, std::size_t N>
  std::string One(const T (&a)[N]) {
    return std::string(a[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng_)]);
  }
  template <class T, std::size_t N>
  std::string Some(const T (&a)[N], int most) {
    std::string s;
    for (int k = std::uniform_int_distribution<int>(0, most)(rng_); k > 0; --k) s += One(a);
    return s;
  }

private:
  std::mt19937 rng_;
};

// Values mostly without "$" (so the parts may be used), names of placeholders without
// their "$", line breaks at either end.
const char* const kValues[] = {"", "x", "Title", "hr", "CurrentFilename", "SubMenuFont", "v", "\r", "\n",
                               "\r\n", "\r\n\r\n", "a\r", "\nb", "\xE4", "Font", "$"};
// Views, so that the zero byte (which ends a page) is a piece too.
using namespace std::string_view_literals;
const std::string_view kPieces[] = {"$"sv,    "$$"sv,   "$Ti"sv,  "tle$"sv, "$hr$"sv, "$HR$"sv, "$SubMenuFont$"sv,
                                    "$v$"sv,  "$$v$"sv, "\r\n"sv, "\r"sv,   "\n"sv,   "\r\n\r\n"sv, "<p>"sv,
                                    "$CurrentFilename$"sv, "$current"sv, "filename$"sv, "$Title$"sv, "\0z"sv,
                                    "$a"sv,   "b$"sv};

std::string Value(Pick& p) { return p.Chance(97) ? p.Some(kValues, 2) : "$" + p.One(kValues); }
std::string Fragment(Pick& p) { return p.Chance(15) ? "" : p.Some(kPieces, 6); }

TEST(PageAssembler, pagesFromParts_equalPagesFilledWhole) {
  std::size_t fromParts = 0, pages = 0;
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    Pick p(seed);
    TovHTML doc;
    for (std::string* text : {&doc.Title, &doc.Font, &doc.FontSize, &doc.SubmenuFont, &doc.SubmenuFontSize,
                              &doc.SubmenuLeftMargin, &doc.BackgroundImage, &doc.hr})
      *text = Value(p);
    const char* const files[] = {"/s/nav.htm", "/s/hr", "/s/Title.htm", "/s/a$b.htm"};
    doc.Filename = p.One(files);
    const char* const names[] = {"v", "hr", "Title", "", "CurrentFilename", "SubMenuFont", "Ti", "a\r\nb"};
    for (int k = p.Chance(50) ? 3 : 0; k > 0; --k) doc.Variables.Vars.push_back(TVarItem{p.One(names), Value(p)});
    const char* const captions[] = {"Home", "hr", "Ti", "x", "\xDC"};
    for (int k = p.Chance(90) ? 6 : 0; k > 0; --k) doc.InsertItem(-1, p.One(captions), Value(p), Value(p), p.Chance(50));

    TTemplateSet set;
    set.AllInOne = p.Chance(30);
    set.Utf8 = p.Chance(20);
    for (std::string* f : {&set.Header, &set.Footer, &set.Menupoint, &set.ActiveMenupoint, &set.SubmenuPoint,
                           &set.BetweenMenupoints, &set.BetweenSubmenuPoints})
      *f = Fragment(p);

    GenerationRun run(doc, set);
    for (std::size_t i = 0; i < run.Plan().Pages.size(); ++i)
      ASSERT_EQ(run.Page(i), run.PageFilledWhole(i)) << "seed " << seed << " page " << i;
    fromParts += run.Assembler().PagesFromParts();
    pages += run.Plan().Pages.size();
  }
  // Most pages must come from parts, or the comparison proves little.
  EXPECT_GT(fromParts, pages / 3);
}

}  // namespace
}  // namespace navforge
