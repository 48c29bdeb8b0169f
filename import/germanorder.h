#pragma once
// The order of imported entries: German dictionary order for captions, and the
// number a file name may start with.
#include <cstdint>
#include <optional>
#include <string_view>

namespace navforge::import {

// Compares two Windows-1252 captions or names: letters with umlauts and accents sort
// beside their base letters ("ä" as "a", "ß" as "ss"), letter case is ignored at first,
// and numbers inside compare as numbers ("2." before "10."); ties are broken by the
// accents (the plain letter first) and leading zeros, then by case (small first), then
// by the bytes. Negative, zero or positive like strcmp.
int CompareGerman(std::string_view a, std::string_view b);

// The decimal number a file name starts with ("01-start.htm" gives 1); very long
// numbers saturate.
std::optional<std::uint64_t> LeadingNumber(std::string_view fileName);

}  // namespace navforge::import
