#pragma once
// The entry stage of a generation: a main entry in its fragment, with its sub-entries
// in "$submenu$", and the values filled into fragments, converted for a UTF-8 set.
#include <string>
#include <string_view>

#include "core/menudocument.h"
#include "core/pageplan.h"
#include "core/templateset.h"

namespace navforge {

class EntryRenderer {
public:
  // doc, set and plan must outlive the renderer.
  EntryRenderer(const TovHTML& doc, const TTemplateSet& set, const PagePlan& plan);

  // Every value filled into a fragment passes here: a UTF-8 set gets it in UTF-8.
  std::string Value(std::string_view text) const;
  std::string RenderMainItem(int active, int ordinal, int entryIndex, int count) const;
  std::string RenderSubItems(int entryIndex) const;

private:
  const TovHTML& doc_;
  const TTemplateSet& set_;
  const PagePlan& plan_;
};

}  // namespace navforge
