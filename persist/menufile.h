#pragma once
// The menu file: version 2 ("NFF 2" header, one 0xB6-separated line per entry: caption,
// link, target, "1" for a sub-entry, and a fifth field with the depth 2 to 5 of an entry
// below another sub-entry) and the read-only legacy format (headerless, TAB marks a
// sub-entry, texts in ".mmf").
#include <cstdint>
#include <string>

#include "persist/menuitems.h"

namespace navforge {

// 2 for the current format, -1 for legacy, any other number for an unknown format.
// Throws EFOpenError when the file cannot be read and EListError(0) when it has no line.
std::int32_t ReadFileVersion(const std::string& path);
// Appends the entries of the menu file at path, read in the given format. A depth
// counts only as "2" to "5" after a "1"; an entry deeper than one below the entry
// before it (the last one already there, for the first) is lifted to one below it.
void LoadItems(TMenutree& items, const std::string& path, std::int32_t version);
// Writes all entries in version 2 format, atomically; a menu of two levels has four
// fields on every line.
void SaveItems(const TMenutree& items, const std::string& path);

}  // namespace navforge
