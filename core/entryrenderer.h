#pragma once
// The entry stage of a generation: a main entry in its fragment, with its sub-entries
// in "$submenu$", and the values filled into fragments, converted for a UTF-8 set.
#include <string>
#include <string_view>

#include "core/menudocument.h"
#include "core/pageplan.h"
#include "core/templateset.h"

namespace navforge {

// The menu set into a page of the site instead of its own pages: entries link to their
// own links, frame names as targets go (the page has no frames), and current is the
// entry the page is (-1: none).
struct HostPage {
  int Current = -1;
};

// The link entry index leads to in a page of the site: its own, or, for a heading
// without one, the link of the entry right below it.
const std::string& SiteLink(const TMenutree& items, int index);

class EntryRenderer {
public:
  // doc, set, plan and host (when given) must outlive the renderer.
  EntryRenderer(const TovHTML& doc, const TTemplateSet& set, const PagePlan& plan, const HostPage* host = nullptr);

  // Every value filled into a fragment passes here: a UTF-8 set gets it in UTF-8.
  std::string Value(std::string_view text) const;
  std::string RenderMainItem(int active, int ordinal, int entryIndex, int count) const;
  std::string RenderSubItems(int entryIndex) const;

private:
  // A target as filled in: in a host page, frame names are left out.
  std::string Target(const std::string& target) const;
  // A set that nests: the entries from first to before end (the descendants of one
  // entry) at level, each with its own below it.
  std::string RenderLevel(int first, int end, int level) const;
  std::string RenderNestedItem(int index, int end, int level) const;
  // The level entry index shows at: its own, no deeper than the set nests.
  int ShownLevel(int index) const;
  // Just past the entries below index, up to end.
  int BelowEnd(int index, int end) const;

  const TovHTML& doc_;
  const TTemplateSet& set_;
  const PagePlan& plan_;
  const HostPage* host_;
};

}  // namespace navforge
