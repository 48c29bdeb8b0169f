#include "check/finding.h"

#include <algorithm>

namespace navforge::check {

const char* LevelName(Level level) {
  switch (level) {
    case Level::Fehler:
      return "Fehler";
    case Level::Warnung:
      return "Warnung";
    default:
      return "Hinweis";
  }
}

bool HasErrors(const Findings& findings) {
  return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.level == Level::Fehler; });
}

bool HasWarnings(const Findings& findings) {
  return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.level == Level::Warnung; });
}

}  // namespace navforge::check
