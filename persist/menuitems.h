#pragma once
// A menu entry and the entry array, in menu order. A sub-entry belongs to the
// nearest main entry above it.
#include <cstddef>
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

// Whether the entry at index is a main entry followed by a sub-entry.
inline bool HasSubItems(const TMenutree& items, int index) {
  return index >= 0 && index + 1 < static_cast<int>(items.size()) && !items[static_cast<std::size_t>(index)].IsSubItem &&
         items[static_cast<std::size_t>(index) + 1].IsSubItem;
}

}  // namespace navforge
