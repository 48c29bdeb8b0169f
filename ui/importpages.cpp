#include "ui/importpages.h"

#include "core/menudocument.h"
#include "import/menuimport.h"
#include "persist/entrylevels.h"
#include "support/cp1252literal.h"
#include "support/fsname.h"
#include "support/locations.h"
#include "support/notifier.h"
#include "support/paths.h"

namespace navforge {
namespace {

// The review of folder's pages for doc as its set now stands.
TImportReview Propose(const TovHTML& doc, const std::string& menuFile, const std::string& folder) {
  TImportReview review;
  const import::ImportOptions options = import::OptionsForMenu(doc, menuFile, folder);
  review.Proposal = import::ProposeMenu(options);
  review.Warnings = ImportWarningLines(review.Proposal, !doc.Filename.empty());
  for (const import::ProposedEntry& e : review.Proposal.Entries) review.Checked.push_back(!e.Unmappable);
  const import::TargetSuggestion target = import::SuggestTarget(doc, options, review.Proposal);
  review.Target = target.Target;
  if (!target.FramePage.empty())
    review.TargetSource = "der Frame neben dem Menü in "_cp1252 + ExtractFileName(target.FramePage);
  else if (target.Target.empty() && import::SetUsesTargets(doc))
    review.Warnings.push_back("Das Menütemplate schreibt das Ziel jedes Links: ohne Ziel (Frame) öffnen die "
                              "Seiten dort, wo das Menü steht."_cp1252);
  return review;
}

}  // namespace

int InsertImportedEntries(TovHTML& doc, int selected, const std::vector<import::ProposedEntry>& entries,
                          const std::vector<bool>& checked, const std::string& target) {
  int at = doc.LastIndex();
  if (selected >= 0) {
    at = selected;
    while (at < doc.LastIndex() && doc.Items[static_cast<std::size_t>(at + 1)].IsSubItem) ++at;
  }
  const int first = at + 1;
  const std::vector<int> levels = import::KeptLevels(entries, checked);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!checked[i]) continue;
    doc.InsertItem(at, entries[i].Caption, entries[i].Link, target, levels[i] > 0);
    ++at;
    SetLevel(doc.Items[static_cast<std::size_t>(at)], levels[i]);
  }
  if (at >= first) ClampLevels(doc.Items, static_cast<std::size_t>(first));
  return at >= first ? first : -1;
}

std::vector<std::string> ImportWarningLines(const import::ImportProposal& proposal, bool menuHasPage) {
  std::vector<std::string> lines;
  if (!menuHasPage)
    lines.push_back("Das Menü hat noch keinen Dateinamen: die Verweise gehen vom Ordner der Seiten aus."_cp1252);
  for (const std::string& note : proposal.Notes) lines.push_back(note);
  for (const import::ImportWarning& w : proposal.Warnings) lines.push_back(w.Page + ": " + w.Text);
  return lines;
}

int ImportPages(TovHTML& doc, const std::string& menuFile, int selected, const TImportPagesSteps& steps) {
  const std::string folder = steps.ChooseFolder();
  if (folder.empty()) return -1;
  TImportReview current = Propose(doc, menuFile, folder);
  if (current.Proposal.Entries.empty()) {
    ShowMessage("In diesem Ordner gibt es keine Seiten.");
    return -1;
  }
  // Only a menu that is being made by this import takes its set here; a menu with
  // entries keeps the one it has, as navforge-cli import --into does.
  std::vector<std::string> sets;
  if (doc.Items.empty())
    for (const std::string& set : ListTemplateSets(doc.TemplateRoot, doc.UserTemplateRoot))
      sets.push_back(FromFsName(set));
  const std::string ownSet = doc.Template;
  const TProposeForSet propose = [&](const std::string& set) {
    doc.Template = set;
    current = Propose(doc, menuFile, folder);
    doc.Template = ownSet;
    return current;
  };
  TImportChoices choices{current.Checked, {}, ownSet, current.Target};
  for (const import::ProposedEntry& e : current.Proposal.Entries) choices.Captions.push_back(e.Caption);
  if (!steps.Review(current, sets, propose, choices)) return -1;

  std::vector<import::ProposedEntry> entries = current.Proposal.Entries;
  for (std::size_t i = 0; i < entries.size() && i < choices.Captions.size(); ++i)
    entries[i].Caption = choices.Captions[i];
  if (!sets.empty()) doc.Template = choices.Set;
  return InsertImportedEntries(doc, selected, entries, choices.Checked, choices.Target);
}

}  // namespace navforge
