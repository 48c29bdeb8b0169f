#include "core/menumarkers.h"

#include <cstring>

namespace navforge {

namespace {

// memmem: a page holds a "<" every few bytes, which a search by the first character
// stops at each time.
std::size_t Find(std::string_view text, std::string_view what, std::size_t from = 0) {
  if (from > text.size()) return std::string_view::npos;
  const void* at = ::memmem(text.data() + from, text.size() - from, what.data(), what.size());
  return at ? static_cast<std::size_t>(static_cast<const char*>(at) - text.data()) : std::string_view::npos;
}

}  // namespace

MarkedPart FindMarkedPart(std::string_view text) { return FindMarkedPart(text, kMenuBegin, kMenuEnd); }

MarkedPart FindMarkedPart(std::string_view text, std::string_view beginMarker, std::string_view endMarker) {
  MarkedPart part;
  const std::size_t begin = Find(text, beginMarker), end = Find(text, endMarker);
  if (begin == std::string_view::npos && end == std::string_view::npos) return part;
  if (begin == std::string_view::npos || end == std::string_view::npos || end < begin) {
    part.Is = MarkedPart::Unbalanced;
    return part;
  }
  if (Find(text, beginMarker, begin + 1) != std::string_view::npos ||
      Find(text, endMarker, end + 1) != std::string_view::npos) {
    part.Is = MarkedPart::Repeated;
    return part;
  }
  part.Is = MarkedPart::Found;
  part.Begin = begin + beginMarker.size();
  part.End = end;
  return part;
}

bool HoldsMarkers(std::string_view text) {
  return Find(text, kMenuBegin) != std::string_view::npos && Find(text, kMenuEnd) != std::string_view::npos;
}

}  // namespace navforge
