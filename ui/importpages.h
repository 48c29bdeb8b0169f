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

// The warnings the dialog lists: those of the proposal, its notes, and a note when the
// menu names no page yet, so links start from the site folder.
std::vector<std::string> ImportWarningLines(const import::ImportProposal& proposal, bool menuHasPage);

// What the review shows for one set: the proposal, the lines under "Hinweise", and the
// answers it starts with.
struct TImportReview {
  import::ImportProposal Proposal;
  std::vector<std::string> Warnings;
  std::vector<bool> Checked;  // all on except captions with lost characters
  std::string Target;         // the frame suggested for the new entries
  std::string TargetSource;   // German: where that frame was found; "" when taken from the menu
};

// The user's answers (Windows-1252).
struct TImportChoices {
  std::vector<bool> Checked;          // per proposed entry
  std::vector<std::string> Captions;  // per proposed entry, as HTML (typed text escaped as titles are)
  std::string Set;                    // the menu's set
  std::string Target;                 // the frame every new entry opens in
};

// The review for another set, asked for when the user picks one.
using TProposeForSet = std::function<TImportReview(const std::string& set)>;

// The steps of the command with the user's answers behind functions, so tests can give
// them: the folder (Windows-1252; "" cancels), then the review. A menu without entries
// takes its set in the review: sets lists those to choose from (empty: the menu keeps
// its set), and propose gives the review for the one picked. Review fills choices
// (starting as the review suggests, with the menu's set) and returns false to cancel.
struct TImportPagesSteps {
  std::function<std::string()> ChooseFolder;
  std::function<bool(const TImportReview& review, const std::vector<std::string>& sets, const TProposeForSet& propose,
                     TImportChoices& choices)>
      Review;
};

// Runs the command on doc (whose formatting values are current), saved as menuFile
// (Windows-1252; "" for an unsaved menu). Returns the index to select, -1 when nothing
// was added; a set chosen in the review becomes doc's. A folder without pages is said
// through the notifier; a site folder that cannot be read raises ENavforgeError.
int ImportPages(TovHTML& doc, const std::string& menuFile, int selected, const TImportPagesSteps& steps);

}  // namespace navforge
