#include "core/entryrenderer.h"

#include <algorithm>
#include <string>

#include "support/cp1252.h"
#include "support/strutil.h"

namespace navforge {
namespace {

// What "$Current$" of an include-ready set becomes.
std::string_view Current(bool current) { return current ? " aria-current=\"page\"" : ""; }

}  // namespace

const std::string& SiteLink(const TMenutree& items, int index) {
  const auto i = static_cast<std::size_t>(index);
  const bool heads = i + 1 < items.size() && LevelOf(items[i + 1]) > LevelOf(items[i]);
  return items[i].Link.empty() && heads ? items[i + 1].Link : items[i].Link;
}

EntryRenderer::EntryRenderer(const TovHTML& doc, const TTemplateSet& set, const PagePlan& plan, const HostPage* host)
    : doc_(doc), set_(set), plan_(plan), host_(host) {}


std::string EntryRenderer::Target(const std::string& target) const {
  if (!host_) return Value(target);
  const std::string t = TrimControl(target);
  for (const char* kept : {"_blank", "_self", "_parent", "_top"})
    if (SameTextAscii(t, kept)) return Value(target);
  return "";
}

std::string EntryRenderer::Value(std::string_view text) const {
  return set_.Utf8 ? Cp1252ToUtf8(text) : std::string(text);
}

std::string EntryRenderer::RenderMainItem(int active, int ordinal, int entryIndex, int count) const {
  const bool hasSub = doc_.HasSubItems(entryIndex);
  const bool activeForm = active == -1 ? hasSub : active == ordinal;
  std::string s = activeForm ? set_.ActiveMenupoint : set_.Menupoint;
  const auto i = static_cast<std::size_t>(entryIndex);
  const TMTItem& item = doc_.Items[i];
  const std::string& id = plan_.LinkIDs[i];
  // First, so no value filled in below can form it. A menu page is its active entry's.
  if (set_.Includable)
    ReplaceAll(s, "$Current$", Current(host_ ? host_->Current == entryIndex : active != -1 && activeForm), false);
  // A Windows-1252 character is one byte: split first, then convert each part.
  const auto [First, Rest] = TovHTML::SplitFirstLetter(item.Caption);
  ReplaceAll(s, "$Linkname$", Value(item.Caption), false);
  ReplaceAll(s, "$LinkID$", Value(id), false);
  ReplaceAll(s, "$FirstLetter$", Value(First), false);
  ReplaceAll(s, "$RestLetter$", Value(Rest), false);
  if (host_) {
    ReplaceAll(s, "$LinkTarget$", Target(item.Target), false);
    ReplaceAll(s, "$Link$", Value(SiteLink(doc_.Items, entryIndex)), false);
  } else {
    ReplaceAll(s, "$LinkTarget$", hasSub ? std::string("_self") : Value(item.Target), false);
    ReplaceAll(s, "$Link$", Value(hasSub ? id + plan_.SubmenuExt : item.Link), false);
  }
  if (set_.Nests) ReplaceAll(s, "$Level$", "0", false);
  // Most entries are rendered without their sub-menu: it is made only where it goes.
  if (ContainsTextAscii(s, "$submenu$")) ReplaceAll(s, "$submenu$", RenderSubItems(entryIndex), false);
  if (ordinal < count) s += set_.BetweenMenupoints;
  return s;
}

std::string EntryRenderer::RenderSubItems(int entryIndex) const {
  std::string result;
  if (!doc_.HasSubItems(entryIndex)) return result;
  const int First = entryIndex + 1;
  const int Last = doc_.LastSubItemIndex(First);
  if (set_.Nests) return RenderLevel(First, Last + 1, 1);
  for (int i = First; i <= Last; ++i) {
    const TMTItem& item = doc_.Items[static_cast<std::size_t>(i)];
    const auto [FirstLetter, Rest] = TovHTML::SplitFirstLetter(item.Caption);
    std::string s = set_.SubmenuPoint;
    if (set_.Includable) ReplaceAll(s, "$Current$", Current(host_ && host_->Current == i), false);
    ReplaceAll(s, "$Linkname$", Value(item.Caption), false);
    ReplaceAll(s, "$LinkTarget$", Target(item.Target), false);
    ReplaceAll(s, "$LinkID$", Value(plan_.LinkIDs[static_cast<std::size_t>(i)]), false);
    ReplaceAll(s, "$FirstLetter$", Value(FirstLetter), false);
    ReplaceAll(s, "$RestLetter$", Value(Rest), false);
    ReplaceAll(s, "$Link$", Value(item.Link), false);
    result += s;
    result += "\r\n";
    if (i < Last) {
      result += set_.BetweenSubmenuPoints;
      result += "\r\n";
    }
  }
  return result;
}

int EntryRenderer::ShownLevel(int index) const {
  return std::min(LevelOf(doc_.Items[static_cast<std::size_t>(index)]), set_.Levels - 1);
}

int EntryRenderer::BelowEnd(int index, int end) const {
  const int level = ShownLevel(index);
  int next = index + 1;
  while (next < end && ShownLevel(next) > level) ++next;
  return next;
}

std::string EntryRenderer::RenderLevel(int first, int end, int level) const {
  std::string result;
  for (int i = first; i < end;) {
    const int below = BelowEnd(i, end);
    result += RenderNestedItem(i, below, level);
    result += "\r\n";
    if (below < end) {
      result += set_.BetweenSubmenuPoints;
      result += "\r\n";
    }
    i = below;
  }
  return result;
}

std::string EntryRenderer::RenderNestedItem(int index, int end, int level) const {
  const TMTItem& item = doc_.Items[static_cast<std::size_t>(index)];
  const bool group = end > index + 1;
  std::string s = group && !set_.SubmenuGroupPoint.empty() ? set_.SubmenuGroupPoint : set_.SubmenuPoint;
  // The group that holds the page's own entry (or is it) stands open.
  const bool open = group && host_ && host_->Current >= index && host_->Current < end;
  // The program's own values first, so no value filled in below can form them.
  if (set_.Includable) ReplaceAll(s, "$Current$", Current(host_ && host_->Current == index), false);
  ReplaceAll(s, "$Level$", std::to_string(level), false);
  ReplaceAll(s, "$Open$", open ? " open" : "", false);
  ReplaceAll(s, "$Expanded$", open ? "true" : "false", false);
  const auto [FirstLetter, Rest] = TovHTML::SplitFirstLetter(item.Caption);
  ReplaceAll(s, "$Linkname$", Value(item.Caption), false);
  ReplaceAll(s, "$LinkTarget$", Target(item.Target), false);
  ReplaceAll(s, "$LinkID$", Value(plan_.LinkIDs[static_cast<std::size_t>(index)]), false);
  ReplaceAll(s, "$FirstLetter$", Value(FirstLetter), false);
  ReplaceAll(s, "$RestLetter$", Value(Rest), false);
  ReplaceAll(s, "$Link$", Value(host_ ? SiteLink(doc_.Items, index) : item.Link), false);
  if (ContainsTextAscii(s, "$submenu$"))
    ReplaceAll(s, "$submenu$", group ? RenderLevel(index + 1, end, level + 1) : std::string(), false);
  return s;
}

}  // namespace navforge
