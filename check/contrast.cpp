#include "check/contrast.h"

#include <algorithm>
#include <cmath>

namespace navforge::check {
namespace {

double Channel(std::uint32_t value) {
  const double c = static_cast<double>(value & 0xFF) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::int32_t colour) {
  const auto c = static_cast<std::uint32_t>(colour);
  return 0.2126 * Channel(c) + 0.7152 * Channel(c >> 8) + 0.0722 * Channel(c >> 16);
}

}  // namespace

double ContrastRatio(std::int32_t a, std::int32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace navforge::check
