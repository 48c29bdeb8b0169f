#include "ui/entrydrop.h"

#include <iterator>

namespace navforge {

int DropEntry(TMenutree& items, int from, int gap) {
  const int size = static_cast<int>(items.size());
  if (from < 0 || from >= size || gap < 0 || gap > size) return -1;
  int end = from + 1;  // one past the dragged run
  if (!items[static_cast<std::size_t>(from)].IsSubItem)
    while (end < size && items[static_cast<std::size_t>(end)].IsSubItem) ++end;
  if (gap >= from && gap <= end) return -1;  // into itself, or where it already stands

  const bool group = end - from > 1;
  TMenutree run(std::make_move_iterator(items.begin() + from), std::make_move_iterator(items.begin() + end));
  items.erase(items.begin() + from, items.begin() + end);
  if (gap > from) gap -= end - from;
  const int rest = static_cast<int>(items.size());
  const bool beforeSub = gap < rest && items[static_cast<std::size_t>(gap)].IsSubItem;
  if (group) {
    // Splitting another group would hand it this group's main entry.
    while (gap < rest && items[static_cast<std::size_t>(gap)].IsSubItem) ++gap;
  } else if (beforeSub) {
    run.front().IsSubItem = true;
  } else if (gap == 0) {
    run.front().IsSubItem = false;
  }
  items.insert(items.begin() + gap, std::make_move_iterator(run.begin()), std::make_move_iterator(run.end()));
  return gap;
}

}  // namespace navforge
