#pragma once
// One finding of a menu check: how bad, which rule (a stable code for scripts), which
// entry, and the German text. Texts are Windows-1252 like every text inside.
#include <string>
#include <vector>

namespace navforge::check {

// Hinweis: worth a look, but nothing breaks; --strict does not count it.
enum class Level { Fehler, Warnung, Hinweis };

struct Finding {
  Level level = Level::Warnung;
  std::string code;     // stable, ASCII, e.g. "leere-beschriftung"
  int entry = -1;       // index into the menu's entries (from 0), -1 when about no entry
  std::string caption;  // the entry's caption, when entry >= 0
  std::string message;
};

using Findings = std::vector<Finding>;

// "Fehler" / "Warnung" / "Hinweis".
const char* LevelName(Level level);
bool HasErrors(const Findings& findings);
bool HasWarnings(const Findings& findings);

}  // namespace navforge::check
