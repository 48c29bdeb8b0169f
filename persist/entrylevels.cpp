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

bool LevelDeeper(TMenutree& items, std::size_t index) {
  const int level = LevelOf(items.at(index));
  const int before = index > 0 ? LevelOf(items[index - 1]) : 0;
  const std::size_t end = SubtreeEnd(items, index);
  int deepest = level;
  for (std::size_t i = index; i < end; ++i) deepest = std::max(deepest, LevelOf(items[i]));
  if (level > before || deepest >= kMaxLevel) return false;
  ShiftLevels(items, index, end, 1);
  return true;
}

bool LevelHigher(TMenutree& items, std::size_t index) {
  if (LevelOf(items.at(index)) == 0) return false;
  ShiftLevels(items, index, SubtreeEnd(items, index), -1);
  return true;
}

bool MakeMainEntry(TMenutree& items, std::size_t index) {
  const int level = LevelOf(items.at(index));
  if (level == 0) return false;
  ShiftLevels(items, index, SubtreeEnd(items, index), -level);
  ClampLevels(items, index);
  return true;
}

bool MakeSubEntry(TMenutree& items, std::size_t index) {
  if (LevelOf(items.at(index)) > 0) return false;
  ShiftLevels(items, index, SubtreeEnd(items, index), 1);
  ClampLevels(items, index);
  return true;
}

std::string ListLine(const TMTItem& item) {
  std::string line;
  line.reserve(2 * static_cast<std::size_t>(LevelOf(item)) + item.Caption.size());
  for (int level = LevelOf(item); level > 0; --level) line += "- ";
  return line + item.Caption;
}

}  // namespace navforge
