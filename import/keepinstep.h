#pragma once
// Keeps an existing menu in step with its site: adds the pages no entry links to yet
// and finds the entries whose page is gone. Existing entries are never changed.
#include <string>
#include <vector>

#include "import/siteimport.h"
#include "persist/menuitems.h"
#include "persist/vars.h"

namespace navforge::import {

struct StepResult {
  std::vector<ProposedEntry> Added;  // in proposal order
  std::vector<int> Missing;          // indexes (in the old menu) of entries whose local link names a missing page
};

// The target frame most entries of a menu use (the earliest of equally common ones).
std::string CommonTarget(const TMenutree& items);

// Adds to items every proposed page that no entry links to (links taken from
// menuFolder, the menu page's folder, and read with the menu's variables filled in, as
// generation writes them). A new page of a folder goes after the last sub-entry of the
// main entry under which that folder's pages already stand, as a sub-entry; a folder
// the menu does not know yet, with the levels of its proposal, and a new top-level page,
// go to the end. New entries open in target.
StepResult KeepInStep(TMenutree& items, const std::vector<ProposedEntry>& proposal, const std::string& menuFolder,
                      const TParseList& variables, const std::string& target);

}  // namespace navforge::import
