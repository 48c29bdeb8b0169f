#pragma once
// The levels of a menu's entries: a main entry is level 0, a sub-entry level 1 below
// it, and a deeper one 2 to kMaxLevel below another sub-entry. Every entry stands at
// most one level below the entry before it; the first at most at level 1, since a
// sub-entry may open a menu.
#include <cstddef>
#include <string>

#include "persist/menuitems.h"

namespace navforge {

// Makes item a main entry (level 0) or a sub-entry of that level, limited to kMaxLevel.
void SetLevel(TMTItem& item, int level);

// Lifts every entry from index from on that stands more than one level below the entry
// before it to one level below it.
void ClampLevels(TMenutree& items, std::size_t from = 0);

// One past the last entry below the entry at index (its sub-entries, theirs, ...).
std::size_t SubtreeEnd(const TMenutree& items, std::size_t index);

// The entries [begin, end) delta levels deeper (higher for a negative delta), each kept
// between level 0 and kMaxLevel.
void ShiftLevels(TMenutree& items, std::size_t begin, std::size_t end, int delta);

// The entry's line in the entry list and in "show": "- " per level, then the caption.
std::string ListLine(const TMTItem& item);

// The commands on the entry at index, each with the entries below it, which keep their
// place relative to it; false when nothing changes. One level deeper: not deeper than
// one below the entry before it, nor any of its entries below kMaxLevel.
bool LevelDeeper(TMenutree& items, std::size_t index);
bool LevelHigher(TMenutree& items, std::size_t index);
// Main entry, or sub-entry (level 1) for a main entry; an entry below it past kMaxLevel
// stays at kMaxLevel. The entries after them are lifted as ClampLevels lifts them.
bool MakeMainEntry(TMenutree& items, std::size_t index);
bool MakeSubEntry(TMenutree& items, std::size_t index);

}  // namespace navforge
