#pragma once
// The check of a menu as it would be generated: what would break the pages, or break
// them for visitors, before a single file is written. The document is not changed.
//
// Error contract: never throws for a menu or a set, whatever they hold; a set that
// cannot be read becomes a finding. Only running out of memory escapes.
#include <string>

#include "check/finding.h"
#include "core/menudocument.h"

namespace navforge::check {

struct CheckOptions {
  // The menu file (file-system name) whose files no page may overwrite: the file, its
  // ".nfs" beside it and the document's variables file. Empty for a menu never saved.
  std::string menuFile;
  // The folder a relative output file name is taken against, as generation takes it;
  // empty: the current folder.
  std::string outputBase;
};

// Findings in a fixed order: Fehler, Warnungen, Hinweise; within each level, the
// findings about the whole menu first, then those about entries in menu order.
Findings CheckMenu(const TovHTML& doc, const CheckOptions& options);

}  // namespace navforge::check
