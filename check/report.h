#pragma once
// Findings as text lines (as the window's list and navforge-cli show them) and as JSON
// for build scripts.
#include <string>

#include "check/finding.h"

namespace navforge::check {

// `Fehler: Eintrag 12 "Über uns": text`, or `Warnung: text` for the whole menu; entries
// numbered from 1 as the window's entry list shows them. Windows-1252, no line break.
std::string FindingLine(const Finding& finding);

// A JSON array with one object per finding: level, code, entry (from 1, or null),
// caption (or null), message. UTF-8, ends with a line break.
std::string FindingsJson(const Findings& findings);

}  // namespace navforge::check
