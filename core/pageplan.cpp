#include "core/pageplan.h"

#include <unordered_map>
#include <unordered_set>

#include "core/pagefiles.h"
#include "support/cp1252.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/fsname.h"
#include "support/paths.h"
#include "support/strutil.h"

namespace navforge {
namespace {

// True when name (identifier + extension) names a file directly inside the main page's
// folder: no "/" or "\" (so neither a sub-folder, a parent nor an absolute path), no
// zero byte, which the system would take as the name's end, and neither "", "." nor
// "..", which name folders, not pages.
bool IsPageNameInFolder(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

constexpr std::size_t kMaxPageNameBytes = 255;

}  // namespace

std::vector<std::string> AssignLinkIDs(const TMenutree& items) {
  std::vector<std::string> ids;
  ids.reserve(items.size());
  std::unordered_set<std::string> taken;  // identifiers in lower case
  taken.reserve(items.size() * 2);
  // Per lower-cased caption, the number to try next: every number tried before for the
  // same caption is still taken, so a search never has to start below it.
  std::unordered_map<std::string, unsigned long> nextNumber;
  for (const TMTItem& item : items) {
    const std::string base = LowerCp1252(item.Caption);
    auto hint = nextNumber.find(base);
    unsigned long n = hint == nextNumber.end() ? 1 : hint->second;
    std::string candidate = n == 1 ? base : base + std::to_string(n);
    while (taken.count(candidate)) {
      ++n;
      candidate = base + std::to_string(n);
    }
    ids.push_back(n == 1 ? item.Caption : item.Caption + std::to_string(n));
    taken.insert(std::move(candidate));
    nextNumber[base] = n + 1;
  }
  return ids;
}

std::string SubmenuExt(const TMenuFormat& format) {
  const std::string ext = TrimControl(format.fileext);
  if (ext.empty()) return ExtractFileExt(format.Filename);
  return ext[0] == '.' ? ext : "." + ext;
}

PagePlan PlanPages(const TMenutree& items, const TMenuFormat& format, std::vector<std::string> linkIDs,
                   bool allInOne) {
  PagePlan plan;
  plan.LinkIDs = std::move(linkIDs);
  plan.SubmenuExt = SubmenuExt(format);
  const int last = static_cast<int>(items.size()) - 1;
  int leading = 0;
  while (leading <= last && items[static_cast<std::size_t>(leading)].IsSubItem) ++leading;
  plan.Count = leading;
  for (const TMTItem& item : items) plan.Count += !item.IsSubItem;

  // Every page walks the whole menu: where each walk step leads is worked out once.
  plan.NextRendered.resize(items.size());
  int nextMain = last;  // the first main entry after i, else the last entry
  for (int i = last; i >= 0; --i) {
    const bool sub = items[static_cast<std::size_t>(i)].IsSubItem;
    plan.NextRendered[static_cast<std::size_t>(i)] = sub ? i + 1 : i == last ? i : nextMain;
    if (!sub) nextMain = i;
  }

  if (allInOne) {
    plan.Pages.push_back({format.Filename, -1, -1});
    return plan;
  }
  plan.Pages.push_back({format.Filename, 0, -1});
  const std::string dir = ExtractFilePath(format.Filename);
  int entry = 0;
  for (int ordinal = 1; ordinal <= plan.Count; ++ordinal) {
    if (HasSubItems(items, entry))
      plan.Pages.push_back({dir + plan.LinkIDs[static_cast<std::size_t>(entry)] + plan.SubmenuExt, ordinal, entry});
    entry = plan.NextRendered[static_cast<std::size_t>(entry)];
  }
  return plan;
}

std::size_t PagePlan::PageOfEntry(const TMenutree& items, int index) const {
  if (index < 0 || index >= static_cast<int>(items.size())) return 0;
  int main = index;
  while (main >= 0 && items[static_cast<std::size_t>(main)].IsSubItem) --main;
  for (std::size_t p = 1; p < Pages.size(); ++p)
    if (Pages[p].Entry == main) return p;
  return 0;
}

std::optional<Refusal> MenuFileRefusal(const TovHTML& doc, const PagePlan& plan) {
  // A page named like the menu file (the output file browse proposes its name after a
  // Save As) would replace the menu.
  const std::string base = ExtractFilePath(doc.MenuFile);
  std::vector<std::string> files;
  files.reserve(plan.Pages.size());
  for (const PlannedPage& page : plan.Pages) files.push_back(PageFile(base, page.Path));
  const std::optional<std::size_t> hit = FirstPageOverOwnFile(files, MenuOwnFiles(doc.MenuFile, doc.VariablesFile));
  if (!hit) return std::nullopt;
  return Refusal{*hit, Refusal::OverMenuFile,
                 "Die HTML-Seite " + plan.Pages[*hit].Path +
                     " würde eine Datei des Menüs überschreiben. Es wurde nichts geschrieben."_cp1252};
}

std::optional<Refusal> ForeignFileRefusal(const TovHTML& doc, const PagePlan& plan) {
  const std::string base = ExtractFilePath(doc.MenuFile);
  for (std::size_t page = 0; page < plan.Pages.size(); ++page) {
    if (FolderRefusal(doc, plan, page)) continue;
    const std::string& path = plan.Pages[page].Path;
    if (path.size() > ExtractFilePath(path).size() && path[ExtractFilePath(path).size()] == '.')
      return Refusal{page, Refusal::HiddenFile,
                     "Die HTML-Seite " + path +
                         " hätte einen versteckten Dateinamen (mit einem Punkt am Anfang). Es wurde nichts geschrieben."_cp1252};
    if (IsForeignFile(PageFile(base, path)))
      return Refusal{page, Refusal::ForeignFile,
                     "Die Datei " + path +
                         " gibt es schon, und sie ist keine HTML-Seite. Sie wird nicht überschrieben; es wurde nichts geschrieben."_cp1252};
  }
  return std::nullopt;
}

std::optional<Refusal> FolderRefusal(const TovHTML& doc, const PagePlan& plan, std::size_t page) {
  // The names of sub-menu pages are user text: one that leaves the folder could name
  // any file the user may write.
  const std::string& path = plan.Pages[page].Path;
  const std::string_view name = std::string_view(path).substr(ExtractFilePath(doc.Filename).size());
  if (!IsPageNameInFolder(name)) return Refusal{page, Refusal::OutsideFolder, EFCreateError(path).what()};
  // The file system's limit on one name, which the name reaches in UTF-8.
  if (StoredPathToFs(std::string(name)).size() > kMaxPageNameBytes)
    return Refusal{page, Refusal::NameTooLong, EFCreateError(path).what()};
  return std::nullopt;
}

std::optional<Refusal> FirstRefusal(const TovHTML& doc, const PagePlan& plan) {
  if (std::optional<Refusal> own = MenuFileRefusal(doc, plan)) return own;
  if (std::optional<Refusal> foreign = ForeignFileRefusal(doc, plan)) return foreign;
  for (std::size_t page = 0; page < plan.Pages.size(); ++page)
    if (std::optional<Refusal> out = FolderRefusal(doc, plan, page)) return out;
  return std::nullopt;
}

}  // namespace navforge
