// One check run: the generation as it would run (its plan, its guards, each page made
// and dropped), then the rules.
#include "check/menucheck.h"

#include <algorithm>
#include <exception>

#include "check/checkrun.h"
#include "core/generationrun.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/fsname.h"

namespace navforge::check {

namespace fs = std::filesystem;

CheckRun::CheckRun(const TovHTML& d, const CheckOptions& o) : doc(d), options(o) {
  linkIDs = AssignLinkIDs(d.Items);
  while (leadingSubItems <= d.LastIndex() && d.Items[static_cast<std::size_t>(leadingSubItems)].IsSubItem)
    ++leadingSubItems;

  // The set as generation would load it; a menu without a file name is checked with
  // its set all the same.
  std::string message;
  try {
    set = d.Filename.empty() ? LoadTemplateSet(d.TemplateRoot, d.Template, message, d.UserTemplateRoot)
                             : LoadSetForRun(d, message);
  } catch (const std::exception& e) {
    message = e.what();
  }
  if (!set) {
    std::string unused;
    if (d.Template.empty()) {
      setProblemCode = "kein-template";
    } else if (!FindTemplateSetFolder(d.TemplateRoot, d.Template, unused, d.UserTemplateRoot)) {
      setProblemCode = "template-fehlt";
      message = "Das Menütemplate "_cp1252 + Quoted(d.Template) + " ist nicht vorhanden.";
    } else {
      setProblemCode = "template-unlesbar";
    }
    setProblem = message;
  }

  if (d.Filename.empty()) return;
  pageFolder = Resolve(d.Filename).parent_path();
  if (!set) return;
  // The run's plan and guards, and each page made once and dropped (so memory stays
  // that of one page): a page that cannot be made is a Fehler as well.
  GenerationRun run(d, *set, linkIDs);
  pages = run.Plan().Pages;
  refusal = run.FirstRefusal();
  for (std::size_t i = 0; !refusal && i < pages.size(); ++i) {
    try {
      run.Page(i);
    } catch (const ENavforgeError& e) {
      unbuildable = {i, e.what()};
    }
    if (unbuildable) break;
  }
}

fs::path CheckRun::Resolve(const std::string& path) const {
  fs::path p(StoredPathToFs(path));
  std::error_code ec;
  if (p.is_relative()) p = (options.outputBase.empty() ? fs::current_path(ec) : fs::path(options.outputBase)) / p;
  fs::path canonical = fs::weakly_canonical(p, ec);
  return ec ? p.lexically_normal() : canonical;
}

const std::string* CheckRun::FragmentOf(int i) const {
  if (!set) return nullptr;
  // Sub-entries before the first main entry are rendered like main entries.
  if (!doc.Items[static_cast<std::size_t>(i)].IsSubItem || i < leadingSubItems) return &set->Menupoint;
  // In a set with "levels", a sub-entry with entries below it (at the levels the set
  // shows) may have a fragment of its own.
  const auto shown = [&](int k) { return std::min(LevelOf(doc.Items[static_cast<std::size_t>(k)]), set->Levels - 1); };
  const bool group = i < doc.LastIndex() && shown(i + 1) > shown(i);
  return set->Nests && group && !set->SubmenuGroupPoint.empty() ? &set->SubmenuGroupPoint : &set->SubmenuPoint;
}

void CheckRun::Add(Level level, const char* code, int entry, std::string message) {
  Finding f{level, code, entry, {}, std::move(message)};
  if (entry >= 0) f.caption = doc.Items[static_cast<std::size_t>(entry)].Caption;
  findings.push_back(std::move(f));
}

std::string EntryRef(int entry) { return "Eintrag " + std::to_string(entry + 1); }

std::string Quoted(const std::string& text) { return "„"_cp1252 + text + "“"_cp1252; }

Findings CheckMenu(const TovHTML& doc, const CheckOptions& options) {
  CheckRun run(doc, options);
  for (void (*rule)(CheckRun&) : {CheckFileName, CheckTemplate, CheckPageCollisions, CheckMenuFilesOverwritten,
                                  CheckEntries, CheckPlaceholders, CheckVariables, CheckContrast, CheckMarkers,
                                  CheckIndexPages, CheckRefusal})
    rule(run);
  // Fehler, then Warnungen, then Hinweise; within each, the whole menu first, then the
  // entries in menu order.
  std::stable_sort(run.findings.begin(), run.findings.end(), [](const Finding& a, const Finding& b) {
    if (a.level != b.level) return a.level < b.level;
    return a.entry < b.entry;
  });
  return std::move(run.findings);
}

}  // namespace navforge::check
