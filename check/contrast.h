#pragma once
// Contrast of two colours after WCAG 2: (L1 + 0.05) / (L2 + 0.05) of their relative
// luminances, from 1 (same) to 21 (black on white).
#include <cstdint>

namespace navforge::check {

inline constexpr double kMinimumContrast = 4.5;  // WCAG level AA for normal text

// Colours as the document holds them (red in bits 0-7, green 8-15, blue 16-23).
double ContrastRatio(std::int32_t a, std::int32_t b);

}  // namespace navforge::check
