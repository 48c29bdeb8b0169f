// Pages made from ready parts against pages filled whole, on menus built to defeat the
// parts: placeholder names split between values and fragments, "$" at part edges,
// values ending in CR or starting with LF, empty fragments, variables named like page
// placeholders or holding a line break, $CurrentFilename$ in some parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "core/generationrun.h"
#include "testsupport/randommenu.h"

namespace navforge {
namespace {

using test::Random;

// Values: names of placeholders without their "$", line breaks at either end, and a
// "$" in a third of them: a price, a script line, halves of placeholders, values that
// re-form their own placeholder or double it (the parts must then still be exact, or
// give way to the whole page where rescanning would reach its bound).
const char* const kValues[] = {"", "x", "Title", "hr", "CurrentFilename", "SubMenuFont", "v", "\r", "\n",
                               "\r\n", "\r\n\r\n", "a\r", "\nb", "\xE4", "Font", "$"};
const char* const kDollarValues[] = {"ab 5 $", "$(function(){ $('#x') })", "$v", "v$", "$hr", "Title$", "$$",
                                     "$v$$v$", "$w$$w$", "$Ti", "$a", "b$", "$\r\n", "v$$v"};
// Views, so that the zero byte (which ends a page) is a piece too.
using namespace std::string_view_literals;
const std::string_view kPieces[] = {"$"sv,    "$$"sv,   "$Ti"sv,  "tle$"sv, "$hr$"sv, "$HR$"sv, "$SubMenuFont$"sv,
                                    "$v$"sv,  "$$v$"sv, "\r\n"sv, "\r"sv,   "\n"sv,   "\r\n\r\n"sv, "<p>"sv,
                                    "$CurrentFilename$"sv, "$current"sv, "filename$"sv, "$Title$"sv, "\0z"sv,
                                    "$a"sv,   "b$"sv};

std::string Value(Random& r) {
  if (r.Chance(67)) return r.Some(kValues, 2);
  return r.Chance(50) ? std::string(r.Pick(kDollarValues)) : "$" + std::string(r.Pick(kValues)) + r.Pick(kDollarValues);
}
std::string Fragment(Random& r) { return r.Chance(15) ? "" : r.Some(kPieces, 6); }

// Every value from Value; page names and variable names that are placeholder names too,
// variable names with a line break that a placeholder could only match across a join.
test::MenuKnobs Menus() {
  test::MenuKnobs k;
  k.SubPercent = 50;
  k.Caption = [](Random& r) {
    const char* const captions[] = {"Home", "hr", "Ti", "x", "\xDC"};
    return std::string(r.Pick(captions));
  };
  k.Link = k.Target = k.VarValue = Value;
  k.Text = [](Random& r, const FormatField& field) -> std::optional<std::string> {
    if (field.Text == &TMenuFormat::Template || field.Text == &TMenuFormat::fileext) return std::nullopt;
    if (field.Text != &TMenuFormat::Filename) return Value(r);
    const char* const files[] = {"/s/nav.htm", "/s/hr", "/s/Title.htm", "/s/a$b.htm"};
    return std::string(r.Pick(files));
  };
  k.VarName = [](Random& r) {
    const char* const names[] = {"v",           "v",  "w",      "hr",  "Title", "Font", "", "CurrentFilename",
                                 "SubMenuFont", "Ti", "a\r\nb", "\r\n"};
    return std::string(r.Pick(names));
  };
  return k;
}

TEST(PageAssembler, pagesFromParts_equalPagesFilledWhole) {
  test::MenuKnobs knobs = Menus();
  std::size_t fromParts = 0, pages = 0, dollarValues = 0;
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    Random r(seed);
    // A whole menu or none; three variables or none.
    knobs.FewestEntries = knobs.MostEntries = r.Chance(90) ? 6 : 0;
    knobs.FewestVars = knobs.MostVars = r.Chance(50) ? 3 : 0;
    const test::MenuModel menu = test::RandomMenu(r, knobs);
    TovHTML doc;
    static_cast<TMenuFormat&>(doc) = menu.Format;
    for (const test::ModelEntry& e : menu.Items) doc.InsertItem(-1, e.Caption, e.Link, e.Target, e.Sub);
    for (const auto& [name, value] : menu.Vars) doc.Variables.Vars.push_back(TVarItem{name, value});

    TTemplateSet set;
    set.AllInOne = r.Chance(30);
    set.Utf8 = r.Chance(20);
    for (std::string* f : {&set.Header, &set.Footer, &set.Menupoint, &set.ActiveMenupoint, &set.SubmenuPoint,
                           &set.BetweenMenupoints, &set.BetweenSubmenuPoints})
      *f = Fragment(r);

    GenerationRun run(doc, set);
    for (std::size_t i = 0; i < run.Plan().Pages.size(); ++i)
      ASSERT_EQ(run.Page(i), run.PageFilledWhole(i)) << "seed " << seed << " page " << i;
    fromParts += run.Assembler().PagesFromParts();
    dollarValues += std::any_of(menu.Vars.begin(), menu.Vars.end(), [](const auto& v) {
      return v.second.find('$') != std::string::npos;
    });
    pages += run.Plan().Pages.size();
  }
  // Most pages must come from parts, or the comparison proves little.
  EXPECT_GT(fromParts, pages / 2);
  EXPECT_GT(dollarValues, 200u);
}

// A variable that re-forms its own placeholder for ever in a small part, beside a large
// part: the rescanning bound of the whole page lies far beyond the small part's own.
TEST(PageAssembler, runawayVariableInASmallPart_givesThePageFilledWhole) {
  TovHTML doc;
  doc.Filename = "/s/nav.htm";
  doc.Variables.Vars.push_back(TVarItem{"v", "v$$v"});
  doc.InsertItem(-1, "Home", "", "", false);
  TTemplateSet set;
  set.AllInOne = true;
  set.Header = "$v$$";
  set.Footer = std::string(512 * 1024, 'x');
  GenerationRun run(doc, set);
  const std::string whole = run.PageFilledWhole(0);
  EXPECT_EQ(run.Page(0), whole);
  EXPECT_GT(whole.size(), set.Footer.size() + (std::size_t{1} << 17));  // the rescan went on past the part's bound
}

}  // namespace
}  // namespace navforge
