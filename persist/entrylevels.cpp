#include "persist/entrylevels.h"

#include <algorithm>

namespace navforge {

void SetLevel(TMTItem& item, int level) {
  level = std::clamp(level, 0, kMaxLevel);
  item.IsSubItem = level > 0;
  item.Depth = std::max(level, 1);
}

void ClampLevels(TMenutree& items, std::size_t from) {
  int before = from > 0 && from <= items.size() ? LevelOf(items[from - 1]) : 0;
  for (std::size_t i = from; i < items.size(); ++i) {
    if (LevelOf(items[i]) > before + 1) SetLevel(items[i], before + 1);
    before = LevelOf(items[i]);
  }
}

std::size_t SubtreeEnd(const TMenutree& items, std::size_t index) {
  const int level = LevelOf(items.at(index));
  std::size_t end = index + 1;
  while (end < items.size() && LevelOf(items[end]) > level) ++end;
  return end;
}

void ShiftLevels(TMenutree& items, std::size_t begin, std::size_t end, int delta) {
  for (std::size_t i = begin; i < end && i < items.size(); ++i) SetLevel(items[i], LevelOf(items[i]) + delta);
}

std::string ListLine(const TMTItem& item) {
  std::string line;
  line.reserve(2 * static_cast<std::size_t>(LevelOf(item)) + item.Caption.size());
  for (int level = LevelOf(item); level > 0; --level) line += "- ";
  return line + item.Caption;
}

}  // namespace navforge
