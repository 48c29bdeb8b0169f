#include "ui/entrydrop.h"

#include <algorithm>
#include <iterator>

#include "persist/entrylevels.h"

namespace navforge {

int DropEntry(TMenutree& items, int from, int gap) {
  const int size = static_cast<int>(items.size());
  if (from < 0 || from >= size || gap < 0 || gap > size) return -1;
  const int end = static_cast<int>(SubtreeEnd(items, static_cast<std::size_t>(from)));  // one past the dragged run
  if (gap >= from && gap <= end) return -1;  // into itself, or where it already stands

  const int level = LevelOf(items[static_cast<std::size_t>(from)]);
  const bool mainGroup = level == 0 && end - from > 1;
  TMenutree run(std::make_move_iterator(items.begin() + from), std::make_move_iterator(items.begin() + end));
  items.erase(items.begin() + from, items.begin() + end);
  if (gap > from) gap -= end - from;
  const int rest = static_cast<int>(items.size());
  auto levelAt = [&](int i) { return LevelOf(items[static_cast<std::size_t>(i)]); };
  const int next = gap < rest ? levelAt(gap) : 0;
  int target;
  if (gap == 0) {
    target = 0;
  } else if (next > 0 && !mainGroup) {
    target = next;  // beside the sub-entry it is dropped before
  } else {
    target = std::min(level, levelAt(gap - 1) + 1);
    // Entries below the run's level after the gap would become its own.
    while (gap < rest && levelAt(gap) > target) ++gap;
  }
  ShiftLevels(run, 0, run.size(), target - level);
  items.insert(items.begin() + gap, std::make_move_iterator(run.begin()), std::make_move_iterator(run.end()));
  ClampLevels(items, static_cast<std::size_t>(gap));
  return gap;
}

}  // namespace navforge
