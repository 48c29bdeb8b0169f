#pragma once
// A menu entry and the entry array, in menu order. A sub-entry belongs to the
// nearest main entry above it.
#include <string>
#include <vector>

namespace navforge {

struct TMTItem {
  std::string Caption;
  std::string Link;
  std::string Target;
  std::string LinkID;  // derived from the caption at every generation; never stored
  bool IsSubItem = false;
};

using TMenutree = std::vector<TMTItem>;

}  // namespace navforge
