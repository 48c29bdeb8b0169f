#include "ui/importpages.h"

#include "core/menudocument.h"
#include "import/keepinstep.h"
#include "import/menuimport.h"
#include "support/cp1252literal.h"
#include "support/notifier.h"

namespace navforge {

int InsertImportedEntries(TovHTML& doc, int selected, const std::vector<import::ProposedEntry>& entries,
                          const std::vector<bool>& checked, const std::string& target) {
  int at = doc.LastIndex();
  if (selected >= 0) {
    at = selected;
    while (at < doc.LastIndex() && doc.Items[static_cast<std::size_t>(at + 1)].IsSubItem) ++at;
  }
  const int first = at + 1;
  bool mainChecked = false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const import::ProposedEntry& e = entries[i];
    if (!e.IsSubItem) mainChecked = checked[i];
    if (!checked[i]) continue;
    doc.InsertItem(at, e.Caption, e.Link, target, e.IsSubItem && mainChecked);
    ++at;
  }
  return at >= first ? first : -1;
}

std::vector<std::string> ImportWarningLines(const import::ImportProposal& proposal, bool menuHasPage) {
  std::vector<std::string> lines;
  if (!menuHasPage)
    lines.push_back("Das Menü hat noch keinen Dateinamen: die Verweise gehen vom Ordner der Seiten aus."_cp1252);
  for (const import::ImportWarning& w : proposal.Warnings) lines.push_back(w.Page + ": " + w.Text);
  return lines;
}

int ImportPages(TovHTML& doc, const std::string& menuFile, int selected, const TImportPagesSteps& steps) {
  const std::string folder = steps.ChooseFolder();
  if (folder.empty()) return -1;
  const import::ImportProposal proposal = import::ProposeMenu(import::OptionsForMenu(doc, menuFile, folder));
  if (proposal.Entries.empty()) {
    ShowMessage("In diesem Ordner gibt es keine Seiten.");
    return -1;
  }
  std::vector<bool> checked;
  for (const import::ProposedEntry& e : proposal.Entries) checked.push_back(!e.Unmappable);
  if (!steps.Review(proposal, ImportWarningLines(proposal, !doc.Filename.empty()), checked)) return -1;
  return InsertImportedEntries(doc, selected, proposal.Entries, checked, import::CommonTarget(doc.Items));
}

}  // namespace navforge
