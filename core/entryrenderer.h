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
  // Doc, Set and Plan must outlive the renderer.
  EntryRenderer(const TovHTML& Doc, const TTemplateSet& Set, const PagePlan& Plan);

  // Every value filled into a fragment passes here: a UTF-8 set gets it in UTF-8.
  std::string Value(std::string_view Text) const;
  std::string RenderMainItem(int Active, int Ordinal, int EntryIndex, int Count) const;
  std::string RenderSubItems(int EntryIndex) const;

private:
  const TovHTML& doc_;
  const TTemplateSet& set_;
  const PagePlan& plan_;
};

}  // namespace navforge
