// The markers of the site's pages that the menu links to: a page where apply would
// fail is worth knowing before the menu goes live.
#include <set>

#include "check/checkrun.h"
#include "core/locallink.h"
#include "core/menumarkers.h"
#include "core/sitepage.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/fsname.h"

namespace navforge::check {

namespace fs = std::filesystem;

void CheckMarkers(CheckRun& run) {
  if (run.pageFolder.empty() || !run.set || !run.set->Includable) return;
  std::set<fs::path> seen;
  for (int i = 0; i < static_cast<int>(run.doc.Items.size()); ++i) {
    const TMTItem& item = run.doc.Items[static_cast<std::size_t>(i)];
    const std::optional<std::string> file =
        LocalLinkPath(LinkWithVariables(item.Link, run.doc.Variables), run.pageFolder.string());
    if (!file) continue;
    const fs::path target(*file);
    if (!IsSitePageName(target.filename().string()) || !seen.insert(target).second) continue;
    std::string page;
    try {
      page = ReadSitePage(target.string());
    } catch (const ENavforgeError&) {
      continue;  // missing or unreadable: the link rules say so; too large: no page to set the menu into
    }
    // The menu's pair and the trail's: either broken, or the two inside each other.
    const MarkedPart menu = FindMarkedPart(page), path = FindMarkedPart(page, kPathBegin, kPathEnd);
    std::string why;
    for (const auto& [marked, pair] : {std::pair{menu, "(<!-- navforge --> … <!-- /navforge -->)"_cp1252},
                                       std::pair{path, "(<!-- navforge-pfad --> … <!-- /navforge-pfad -->)"_cp1252}}) {
      if (!why.empty() || (marked.Is != MarkedPart::Unbalanced && marked.Is != MarkedPart::Repeated)) continue;
      why = (marked.Is == MarkedPart::Repeated ? " enthält die Markierungen mehr als einmal "
                                               : " enthält nur eine der Markierungen oder beide in falscher Reihenfolge ") +
            pair;
    }
    if (why.empty() && menu.Is == MarkedPart::Found && path.Is == MarkedPart::Found &&
        menu.Begin - kMenuBegin.size() < path.End && path.Begin - kPathBegin.size() < menu.End)
      why = " enthält die Markierungen für Menü und Pfad ineinander"_cp1252;
    if (why.empty()) continue;
    run.Add(Level::Warnung, "markierung-kaputt", i,
            "Die Seite " + Quoted(FromFsName(target.string())) + why +
                "; beim Einsetzen des Menüs bleibt sie, wie sie ist."_cp1252);
  }
}

}  // namespace navforge::check
