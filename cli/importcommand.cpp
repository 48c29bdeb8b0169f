#include "cli/importcommand.h"

#include <algorithm>
#include <ostream>
#include <utility>

#include "core/menudocument.h"
#include "import/keepinstep.h"
#include "import/menuimport.h"
#include "import/siteimport.h"
#include "import/sitelinks.h"
#include "support/cp1252.h"
#include "support/cp1252literal.h"
#include "support/folders.h"
#include "support/fsname.h"
#include "support/notifier.h"
#include "support/paths.h"
#include "support/textfile.h"

namespace navforge::cli {
namespace {

using import::ProposedEntry;

// The set a new menu starts with: the first shipped set by name.
std::string FirstTemplateSet(const std::string& root) {
  std::vector<std::string> sets;
  ListDirectory(FindFolderCaseless(root), sets, true);
  return sets.empty() ? std::string() : *std::min_element(sets.begin(), sets.end());
}

void PrintEntry(std::ostream& out, const char* label, const std::string& caption, const std::string& link,
                bool isSub) {
  out << label << (isSub ? "  - " : " ") << Cp1252ToUtf8(caption) << " -> " << Cp1252ToUtf8(link) << '\n';
}

}  // namespace

void RunImport(TovHTML& doc, const CliOptions& o, std::ostream& out, std::ostream& err) {
  const bool into = !o.menuFile.empty();
  if (into) {
    doc.LoadFromFile(o.menuFile);
  } else {
    if (FileExists(o.newMenuFile)) {
      ShowMessage("Die Menüdatei "_cp1252 + o.newMenuFile + " gibt es schon; ergänzt wird sie mit --into."_cp1252);
      return;
    }
    doc.Variables.LoadFromFile(doc.VariablesFile);  // saved again with the menu
    doc.Template = FirstTemplateSet(doc.TemplateRoot);
    if (doc.Template.empty()) err << "Warnung: keine Vorlage gefunden; das Menü hat noch keine.\n";
  }
  // The import works on stored texts (Windows-1252), as the links and the output page
  // it makes are; the folders named on the command line are file-system names.
  std::string siteFolder, outputPage;
  for (const auto& [fsName, text] : {std::pair{&o.siteFolder, &siteFolder}, std::pair{&o.outputPage, &outputPage}}) {
    if (StoredPathFromFs(*fsName, *text)) continue;
    ShowMessage("Der Pfad " + FromFsName(*fsName) +
                " enthält Zeichen, die Windows-1252 nicht kennt; ein Menü kann ihn nicht speichern."_cp1252);
    return;
  }
  // Stored absolute: the page then lies where it was asked for, whatever folder the
  // menu is generated from.
  if (!outputPage.empty()) doc.Filename = import::AbsolutePath(outputPage);
  else if (doc.Filename.empty()) doc.Filename = import::AbsolutePath(siteFolder + "/navigation.htm");

  const import::ImportOptions options = import::OptionsForMenu(doc, FromFsName(o.newMenuFile), siteFolder);
  const import::ImportProposal proposal = import::ProposeMenu(options);
  for (const import::ImportWarning& w : proposal.Warnings)
    err << "Warnung: " << Cp1252ToUtf8(w.Page) << ": " << Cp1252ToUtf8(w.Text) << '\n';

  TMenutree items = doc.Items;
  std::vector<ProposedEntry> added;
  std::vector<int> missing;
  if (into) {
    import::StepResult step = import::KeepInStep(items, proposal.Entries, ExtractFilePath(options.MenuPage), doc.Variables);
    added = std::move(step.Added);
    missing = std::move(step.Missing);
  } else {
    if (proposal.Entries.empty()) {
      ShowMessage("Im Ordner " + siteFolder + " gibt es keine Seiten.");
      return;
    }
    added = proposal.Entries;
    for (const ProposedEntry& e : added) items.push_back({e.Caption, e.Link, "", "", e.IsSubItem});
  }

  std::string unmappable;
  for (const ProposedEntry& e : added)
    if (e.Unmappable) unmappable += "\n  " + e.Link + ": " + e.Caption;
  if (!unmappable.empty() && !o.replaceUnmappable) {
    ShowMessage("Diese Seitentitel enthalten Zeichen, die Windows-1252 nicht kennt:" + unmappable +
                "\nMit --replace-unmappable werden sie mit \"?\" an ihrer Stelle übernommen."_cp1252);
    return;
  }

  for (int i : missing)
    PrintEntry(out, "Seite fehlt:", doc.Items[static_cast<std::size_t>(i)].Caption,
               doc.Items[static_cast<std::size_t>(i)].Link, doc.Items[static_cast<std::size_t>(i)].IsSubItem);
  doc.Items = std::move(items);
  doc.SaveToFile(o.newMenuFile);
  for (const ProposedEntry& e : added) PrintEntry(out, "Hinzugefügt:", e.Caption, e.Link, e.IsSubItem);
}

}  // namespace navforge::cli
