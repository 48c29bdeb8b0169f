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
  // How deep a sub-entry sits: 1 below its main entry, 2 to 5 below another sub-entry.
  // Main entries ignore it; a menu of two levels has 1 throughout.
  int Depth = 1;
};

// The deepest level an entry may have (main entries are level 0).
inline constexpr int kMaxLevel = 5;

// An entry's level: 0 for a main entry, its depth for a sub-entry.
inline int LevelOf(const TMTItem& item) { return item.IsSubItem ? item.Depth : 0; }

using TMenutree = std::vector<TMTItem>;

// Whether the entry at index is a main entry followed by a sub-entry.
inline bool HasSubItems(const TMenutree& items, int index) {
  return index >= 0 && index + 1 < static_cast<int>(items.size()) && !items[static_cast<std::size_t>(index)].IsSubItem &&
         items[static_cast<std::size_t>(index) + 1].IsSubItem;
}

}  // namespace navforge
