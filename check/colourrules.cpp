// Colour pairs a visitor has to read.
#include <cmath>
#include <cstdio>

#include "check/checkrun.h"
#include "check/contrast.h"

namespace navforge::check {

void CheckContrast(CheckRun& run) {
  const TovHTML& d = run.doc;
  if (d.BackgroundColor == clNone) return;
  const std::pair<const char*, std::int32_t> foreground[] = {
      {"Textfarbe", d.TextColor},
      {"Linkfarbe", d.LinkColor},
      {"Farbe besuchter Links", d.VLinkColor},
      {"Farbe des ersten Buchstabens", d.FirstLetterColor}};
  for (const auto& [name, colour] : foreground) {
    if (colour == clNone) continue;
    const double ratio = ContrastRatio(colour, d.BackgroundColor);
    if (ratio >= kMinimumContrast) continue;
    char figure[16];
    // Cut, not rounded: 4.499 must not read as 4,50.
    std::snprintf(figure, sizeof figure, "%.2f", std::floor(ratio * 100) / 100);
    std::string shown(figure);
    shown[shown.find('.')] = ',';
    run.Add(Level::Warnung, "kontrast-zu-gering", -1,
            std::string(name) + " " + ColorToHTML(colour, true) + " auf der Hintergrundfarbe " +
                ColorToHTML(d.BackgroundColor, true) + ": Kontrast " + shown + ":1, weniger als 4,5:1.");
  }
}

}  // namespace navforge::check
