#pragma once
// Which pages one generation writes, in its order, and for which entry: the one rule
// that the generate command, generation into memory, the preview, the check and the
// import all follow.
//
// Sub-entries before the first main entry (the editor allows a sub-entry at index 0)
// are rendered as main entries of their own, each with its own link and target and no
// page of its own. The walks over the main entries take them first and then every main
// entry once, so nothing of the menu is lost; for a menu that starts with a main entry
// nothing changes.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/menudocument.h"

namespace navforge {

struct PlannedPage {
  std::string Path;  // as derived from Filename (Windows-1252, maybe relative)
  int Active = 0;    // -1: the single page; 0: the main page; n: the n-th walked entry's page
  int Entry = -1;    // the index of the entry whose sub-menu page this is; -1 for the main page
};

struct PagePlan {
  std::vector<std::string> LinkIDs;  // per entry of the document's Items
  std::string SubmenuExt;
  int Count = 0;                   // the entries every page walks over
  std::vector<int> NextRendered;   // per entry: where the walk goes next
  std::vector<PlannedPage> Pages;  // the main page first

  // The page that shows entry index: its group's sub-menu page where there is one,
  // otherwise the main page (0). Any index outside the menu gives the main page.
  std::size_t PageOfEntry(const TMenutree& items, int index) const;
};

// The identifiers generation gives the entries: the caption, or the caption with the
// first number from 2 on that makes it unique without regard to letter case.
std::vector<std::string> AssignLinkIDs(const TMenutree& items);

// The extension of the sub-menu pages: fileext (trimmed, with a leading dot), else the
// extension of Filename.
std::string SubmenuExt(const TMenuFormat& format);

// The pages of a menu with the given identifiers, for a set that writes one page
// (allInOne) or a page per main entry with sub-entries; format gives Filename and
// fileext.
PagePlan PlanPages(const TMenutree& items, const TMenuFormat& format, std::vector<std::string> linkIDs,
                   bool allInOne);

// The guards every generation passes before it writes a page: a page never replaces
// one of the menu's own files (the menu file, its companions, the variables file), nor
// is hidden or replaces a file that no menu wrote, and every page stays in the main
// page's folder.
struct Refusal {
  enum Kind { OverMenuFile, OutsideFolder, NameTooLong, HiddenFile, ForeignFile };
  std::size_t Page = 0;  // index into the plan's pages
  Kind Why = OverMenuFile;
  std::string Message;  // Windows-1252, as the generate command shows or throws it
};
std::optional<Refusal> MenuFileRefusal(const TovHTML& doc, const PagePlan& plan);
// A menu from someone else must not plant a hidden file (".bashrc", ".htaccess") or
// replace a file of the user's that is not a page; pages that leave the folder are
// the folder guard's.
std::optional<Refusal> ForeignFileRefusal(const TovHTML& doc, const PagePlan& plan);
std::optional<Refusal> FolderRefusal(const TovHTML& doc, const PagePlan& plan, std::size_t page);
// The first refusal over the whole plan, in the order a run meets them.
std::optional<Refusal> FirstRefusal(const TovHTML& doc, const PagePlan& plan);

}  // namespace navforge
