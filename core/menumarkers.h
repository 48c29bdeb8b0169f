#pragma once
// The two comment lines that mark the part of a page the menu stands in: in a set's
// page, what another page can take in; in a page of the site, where the menu goes.
#include <cstddef>
#include <string_view>

namespace navforge {

inline constexpr std::string_view kMenuBegin = "<!-- navforge -->";
inline constexpr std::string_view kMenuEnd = "<!-- /navforge -->";
// In a page of the site: where the trail from the top of the menu to the page goes.
inline constexpr std::string_view kPathBegin = "<!-- navforge-pfad -->";
inline constexpr std::string_view kPathEnd = "<!-- /navforge-pfad -->";

struct MarkedPart {
  enum State {
    Found,        // one begin marker, then one end marker
    None,         // neither marker
    Unbalanced,   // one without the other, or the end before the begin
    Repeated,     // a marker more than once
  };
  State Is = None;
  std::size_t Begin = 0, End = 0;  // Found: the text between the markers
};

// Where the part between the menu's markers (or begin and end) lies in text.
MarkedPart FindMarkedPart(std::string_view text);
MarkedPart FindMarkedPart(std::string_view text, std::string_view begin, std::string_view end);

// Whether text holds both markers (a set whose fragments mark a part).
bool HoldsMarkers(std::string_view text);

}  // namespace navforge
