#pragma once
// "Seiten importieren...": the pages of a chosen folder, reviewed in a dialog, become
// entries of the open menu.
#include <functional>
#include <string>
#include <vector>

#include "import/siteimport.h"

namespace navforge {

class TovHTML;

// Inserts the checked entries (checked[i] for entries[i]) after the run of the entry
// at selected (the entry and its sub-entries, so no sub-entry changes its main entry),
// or at the end for -1. A checked sub-entry whose main entry is not checked becomes a
// main entry itself. New entries take target as their frame. Returns the index of the
// first entry inserted, -1 when none was checked.
int InsertImportedEntries(TovHTML& doc, int selected, const std::vector<import::ProposedEntry>& entries,
                          const std::vector<bool>& checked, const std::string& target);

// The warnings the dialog lists: those of the proposal, and a note when the menu names
// no page yet, so links start from the site folder.
std::vector<std::string> ImportWarningLines(const import::ImportProposal& proposal, bool menuHasPage);

// The steps of the command with the user's answers behind functions, so tests can give
// them: the folder (Windows-1252; "" cancels), then the review of the proposal, which
// fills checked (one flag per entry, all on except captions with lost characters) and
// returns false to cancel.
struct TImportPagesSteps {
  std::function<std::string()> ChooseFolder;
  std::function<bool(const import::ImportProposal&, const std::vector<std::string>& warnings,
                     std::vector<bool>& checked)>
      Review;
};

// Runs the command on doc (whose formatting values are current), saved as menuFile
// (Windows-1252; "" for an unsaved menu). Returns the index to select, -1 when nothing
// was added. A folder without pages is said through the notifier; a site folder that
// cannot be read raises ENavforgeError.
int ImportPages(TovHTML& doc, const std::string& menuFile, int selected, const TImportPagesSteps& steps);

}  // namespace navforge
