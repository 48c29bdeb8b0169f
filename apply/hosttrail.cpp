#include "apply/hosttrail.h"

#include <algorithm>
#include <vector>

#include "support/strutil.h"

namespace navforge::apply {
namespace {

// The plain trail of a set that words none: a list in a row, the separators hidden from
// screen readers (the list says what they say).
constexpr char kHeader[] =
    "<nav class=\"navforge-pfad\" aria-label=\"Sie sind hier\">\r\n"
    "<ol style=\"list-style: none; margin: 0; padding: 0; display: flex; flex-wrap: wrap; gap: 0.25em;\">";
constexpr char kPoint[] = "<li><a href=\"$Link$\">$Linkname$</a><span aria-hidden=\"true\"> &rsaquo;</span></li>";
constexpr char kCurrentPoint[] = "<li><a href=\"$Link$\" aria-current=\"page\">$Linkname$</a></li>";
constexpr char kFooter[] = "</ol>\r\n</nav>";

const std::string& Or(const std::string& fragment, const std::string& plain) { return fragment.empty() ? plain : fragment; }

}  // namespace

HostTrail::HostTrail(const TovHTML& doc, const TTemplateSet& set)
    : doc_(doc),
      set_(set),
      plan_(PlanPages(doc.Items, doc, AssignLinkIDs(doc.Items), set.AllInOne)),
      renderer_(doc, set_, plan_),
      filler_(doc, renderer_) {}

std::string HostTrail::Step(int entry, const std::string& fragment) const {
  const auto i = static_cast<std::size_t>(entry);
  const TMTItem& item = doc_.Items[i];
  std::string s = fragment;
  ReplaceAll(s, "$Level$", std::to_string(LevelOf(item)), false);
  const auto [first, rest] = TovHTML::SplitFirstLetter(item.Caption);
  ReplaceAll(s, "$Linkname$", renderer_.Value(item.Caption), false);
  ReplaceAll(s, "$LinkID$", renderer_.Value(plan_.LinkIDs[i]), false);
  ReplaceAll(s, "$FirstLetter$", renderer_.Value(first), false);
  ReplaceAll(s, "$RestLetter$", renderer_.Value(rest), false);
  ReplaceAll(s, "$Link$", renderer_.Value(SiteLink(doc_.Items, entry)), false);
  return s;
}

void HostTrail::For(int current, const HostForm& form, std::string& text) const {
  if (current < 0 || current >= static_cast<int>(doc_.Items.size())) return;
  // The steps: each entry above the page's, nearest first, then reversed.
  std::vector<int> steps{current};
  for (int i = current - 1, level = LevelOf(doc_.Items[static_cast<std::size_t>(current)]); i >= 0 && level > 0; --i) {
    const int above = LevelOf(doc_.Items[static_cast<std::size_t>(i)]);
    if (above < level) {
      steps.push_back(i);
      level = above;
    }
  }
  std::reverse(steps.begin(), steps.end());
  const std::string plainHeader = kHeader, plainPoint = kPoint, plainCurrent = kCurrentPoint, plainFooter = kFooter;
  // A set that words a trail words all of it.
  const bool worded = !set_.PathPoint.empty();
  std::string trail = worded ? set_.PathHeader : plainHeader;
  for (const int step : steps) {
    trail += "\r\n";
    trail += Step(step, step == current ? (worded ? Or(set_.PathCurrentPoint, set_.PathPoint) : plainCurrent)
                                        : (worded ? set_.PathPoint : plainPoint));
  }
  trail += "\r\n";
  trail += worded ? set_.PathFooter : plainFooter;
  filler_.FillFixed(trail);
  trail = form.Rebase.Html(filler_.WholePage(std::move(trail), doc_.Filename));
  ToHostEncoding(trail, set_.Utf8, form.Encoding);
  if (form.LineFeeds) std::erase(trail, '\r');
  text += trail;
}

}  // namespace navforge::apply
