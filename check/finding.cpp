#include "check/finding.h"

#include <algorithm>

namespace navforge::check {

const char* LevelName(Level level) { return level == Level::Fehler ? "Fehler" : "Warnung"; }

bool HasErrors(const Findings& findings) {
  return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.level == Level::Fehler; });
}

}  // namespace navforge::check
