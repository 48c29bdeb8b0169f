#include "core/menumarkers.h"

namespace navforge {

MarkedPart FindMarkedPart(std::string_view text) {
  MarkedPart part;
  const std::size_t begin = text.find(kMenuBegin), end = text.find(kMenuEnd);
  if (begin == std::string_view::npos && end == std::string_view::npos) return part;
  if (begin == std::string_view::npos || end == std::string_view::npos || end < begin) {
    part.Is = MarkedPart::Unbalanced;
    return part;
  }
  if (text.find(kMenuBegin, begin + 1) != std::string_view::npos ||
      text.find(kMenuEnd, end + 1) != std::string_view::npos) {
    part.Is = MarkedPart::Repeated;
    return part;
  }
  part.Is = MarkedPart::Found;
  part.Begin = begin + kMenuBegin.size();
  part.End = end;
  return part;
}

bool HoldsMarkers(std::string_view text) {
  return text.find(kMenuBegin) != std::string_view::npos && text.find(kMenuEnd) != std::string_view::npos;
}

}  // namespace navforge
