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
#include "core/templateset.h"
#include "support/folders.h"
#include "support/fsname.h"
#include "support/locations.h"
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

// The set --set names, as it is stored (its name on disk may differ in letter case);
// false, with the sets there are, when there is none of that name.
bool ChooseSet(TovHTML& doc, const std::string& fsName) {
  std::string name, message;
  if (!StoredPathFromFs(fsName, name) || !FindTemplateSetFolder(doc.TemplateRoot, name, message, doc.UserTemplateRoot)) {
    std::string sets;
    for (const std::string& set : ListTemplateSets(doc.TemplateRoot, doc.UserTemplateRoot))
      sets += (sets.empty() ? "" : ", ") + FromFsName(set);
    ShowMessage("Das Menütemplate „"_cp1252 + FromFsName(fsName) + "“ gibt es nicht. Vorhanden: "_cp1252 +
                (sets.empty() ? "keines" : sets) + ".");
    return false;
  }
  doc.Template = name;
  return true;
}

// A sub-entry with "- " per level, as "show" lists it.
void PrintEntry(std::ostream& out, const char* label, const std::string& caption, const std::string& link,
                int level) {
  out << label << (level > 0 ? " " : "");
  for (int i = 0; i < level; ++i) out << " -";
  out << ' ' << Cp1252ToUtf8(caption) << " -> " << Cp1252ToUtf8(link) << '\n';
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
    if (o.templateSet.empty()) {
      doc.Template = FirstTemplateSet(doc.TemplateRoot);
      if (doc.Template.empty()) err << "Warnung: keine Vorlage gefunden; das Menü hat noch keine.\n";
    } else if (!ChooseSet(doc, o.templateSet)) {
      return;
    }
  }
  // The import works on stored texts (Windows-1252), as the links and the output page
  // it makes are; the folders named on the command line are file-system names.
  std::string siteFolder, outputPage, target;
  if (!o.target.empty() && !Utf8ToCp1252(o.target, target)) {
    ShowMessage("Der Name des Ziels enthält Zeichen, die Windows-1252 nicht kennt."_cp1252);
    return;
  }
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
  for (const std::string& note : proposal.Notes) err << "Hinweis: " << Cp1252ToUtf8(note) << '\n';
  if (o.target.empty()) {
    const import::TargetSuggestion suggestion = import::SuggestTarget(doc, options, proposal);
    target = suggestion.Target;
    if (!suggestion.FramePage.empty())
      err << Cp1252ToUtf8("Hinweis: neue Einträge öffnen im Frame „"_cp1252 + target + "“ neben dem Menü in "_cp1252 +
                          suggestion.FramePage + "; ein anderes Ziel mit --target.")
          << '\n';
  }
  if (target.empty() && import::SetUsesTargets(doc))
    err << Cp1252ToUtf8("Warnung: das Menütemplate „"_cp1252 + doc.Template +
                        "“ schreibt das Ziel jedes Links, die neuen Einträge haben aber keines; mit --target NAME "
                        "öffnen sie im Frame NAME."_cp1252)
        << '\n';

  TMenutree items = doc.Items;
  std::vector<ProposedEntry> added;
  std::vector<int> missing;
  if (into) {
    import::StepResult step =
        import::KeepInStep(items, proposal.Entries, ExtractFilePath(options.MenuPage), doc.Variables, target);
    added = std::move(step.Added);
    missing = std::move(step.Missing);
  } else {
    if (proposal.Entries.empty()) {
      ShowMessage("Im Ordner " + siteFolder + " gibt es keine Seiten.");
      return;
    }
    added = proposal.Entries;
    for (const ProposedEntry& e : added) items.push_back({e.Caption, e.Link, target, "", e.IsSubItem, e.Depth});
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
               doc.Items[static_cast<std::size_t>(i)].Link, LevelOf(doc.Items[static_cast<std::size_t>(i)]));
  doc.Items = std::move(items);
  doc.SaveToFile(o.newMenuFile);
  for (const ProposedEntry& e : added) PrintEntry(out, "Hinzugefügt:", e.Caption, e.Link, import::LevelOf(e));
}

}  // namespace navforge::cli
