#pragma once
// Where an entry dragged within the entry list lands.
#include "persist/menuitems.h"

namespace navforge {

// Moves the entry at from with the entries below it into gap (0 .. size: the place
// before the entry of that index, as the list showed it before the move); they keep
// their place relative to it. Dropped before a sub-entry, the entry takes that entry's
// level; at the very top it becomes a main entry; elsewhere it keeps its level, at most
// one below the entry before it. A main entry with sub-entries dropped among another
// group's sub-entries lands after that group. Returns the moved entry's new index, -1
// when the drop moves nothing.
int DropEntry(TMenutree& items, int from, int gap);

}  // namespace navforge
