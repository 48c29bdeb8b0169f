#pragma once
// Where an entry dragged within the entry list lands.
#include "persist/menuitems.h"

namespace navforge {

// Moves the entry at from into gap (0 .. size: the place before the entry of that
// index, as the list showed it before the move). A main entry carries its sub-entries.
// A single entry dropped before a sub-entry becomes a sub-entry, one dropped at the
// very top a main entry; elsewhere it keeps its kind. A main entry with sub-entries
// dropped among another group's sub-entries lands after that group. Returns the
// moved entry's new index, -1 when the drop moves nothing.
int DropEntry(TMenutree& items, int from, int gap);

}  // namespace navforge
