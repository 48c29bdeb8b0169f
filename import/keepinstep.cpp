#include "import/keepinstep.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "core/locallink.h"
#include "import/sitelinks.h"

namespace navforge::import {

std::string CommonTarget(const TMenutree& items) {
  std::unordered_map<std::string, int> counts;
  std::string best;
  int bestCount = 0;
  for (const TMTItem& item : items)
    if (int n = ++counts[item.Target]; n > bestCount) {
      bestCount = n;
      best = item.Target;
    }
  return best;
}

StepResult KeepInStep(TMenutree& items, const std::vector<ProposedEntry>& proposal, const std::string& menuFolder,
                      const TParseList& variables, const std::string& target) {
  StepResult result;
  const std::string folder = AbsolutePath(menuFolder);

  // What the menu links to, and the main entry each entry stands under (-1 for
  // sub-entries before the first main entry).
  std::unordered_set<std::string> linked;
  std::vector<std::optional<std::string>> targets;
  std::vector<int> mainOf;
  int currentMain = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!items[i].IsSubItem) currentMain = static_cast<int>(i);
    mainOf.push_back(currentMain);
    const std::string link = LinkWithVariables(items[i].Link, variables);
    targets.push_back(LocalLinkTarget(link, folder));
    if (targets.back()) linked.insert(*targets.back());
    if (LinkNamesMissingPage(link, folder)) result.Missing.push_back(static_cast<int>(i));
  }
  const auto mainForFolder = [&](const std::string& topFolder) {
    for (std::size_t i = 0; i < items.size(); ++i)
      if (targets[i] && mainOf[i] >= 0 && IsBelowFolder(*targets[i], topFolder)) return mainOf[i];
    return -1;
  };

  // New pages, per main entry they join (in menu order) or for the end.
  std::map<int, std::vector<TMTItem>> joining;
  std::vector<TMTItem> atEnd;
  const auto add = [&](const ProposedEntry& e, int level, std::vector<TMTItem>& into) {
    into.push_back({e.Caption, e.Link, target, "", level > 0, std::max(level, 1)});
    result.Added.push_back(e);
    result.Added.back().IsSubItem = level > 0;
    result.Added.back().Depth = std::max(level, 1);
  };
  for (std::size_t g = 0; g < proposal.size();) {
    std::size_t end = g + 1;
    while (end < proposal.size() && proposal[end].IsSubItem) ++end;
    const ProposedEntry& head = proposal[g];
    const int main = head.Folder.empty() ? -1 : mainForFolder(head.Folder);
    if (main >= 0) {
      // Joining a main entry's sub-entries, they stand below it in one level.
      for (std::size_t k = g + 1; k < end; ++k)
        if (!linked.contains(proposal[k].Page)) add(proposal[k], 1, joining[main]);
    } else {
      std::vector<TMTItem> group;
      std::size_t addedBefore = result.Added.size();
      // The head stays; an entry below one already linked rises a level.
      const std::vector<ProposedEntry> run(proposal.begin() + static_cast<std::ptrdiff_t>(g),
                                           proposal.begin() + static_cast<std::ptrdiff_t>(end));
      std::vector<bool> fresh{true};
      for (std::size_t k = g + 1; k < end; ++k) fresh.push_back(!linked.contains(proposal[k].Page));
      const std::vector<int> levels = KeptLevels(run, fresh);
      for (std::size_t k = g + 1; k < end; ++k)
        if (fresh[k - g]) add(proposal[k], std::max(levels[k - g], 1), group);
      // The head comes along when it is new itself, or to carry new sub-entries.
      if (!linked.contains(head.Page) || !group.empty()) {
        atEnd.push_back({head.Caption, head.Link, target, "", false});
        result.Added.insert(result.Added.begin() + static_cast<std::ptrdiff_t>(addedBefore), head);
      }
      atEnd.insert(atEnd.end(), group.begin(), group.end());
    }
    g = end;
  }

  // New sub-entries go after the last entry of their main entry's run.
  TMenutree merged;
  merged.reserve(items.size() + result.Added.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    merged.push_back(items[i]);
    const bool runEnds = i + 1 == items.size() || !items[i + 1].IsSubItem;
    if (const auto it = joining.find(mainOf[i]); runEnds && mainOf[i] >= 0 && it != joining.end())
      merged.insert(merged.end(), it->second.begin(), it->second.end());
  }
  merged.insert(merged.end(), atEnd.begin(), atEnd.end());
  items = std::move(merged);
  return result;
}

}  // namespace navforge::import
