// The index pages of the folders the menu links into: the page a folder opens with is
// usually meant to be in the menu, and an import of old may have left it out.
#include <fstream>
#include <map>
#include <set>

#include "check/checkrun.h"
#include "core/locallink.h"
#include "support/cp1252literal.h"
#include "support/fsname.h"
#include "support/paths.h"
#include "support/strutil.h"

namespace navforge::check {
namespace {

namespace fs = std::filesystem;

// Whether the page shows the menu page in a frame: such a page frames the site, the
// menu need not link to it. Its start is enough to tell.
bool ShowsMenuInFrame(const std::string& page, const std::string& menuName) {
  std::ifstream in(page, std::ios::binary);
  std::string head(64 * 1024, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  head = LowerAscii(head);
  return head.find("<frame") != std::string::npos ||
         (head.find("<iframe") != std::string::npos && head.find(LowerAscii(menuName)) != std::string::npos);
}

}  // namespace

void CheckIndexPages(CheckRun& run) {
  std::error_code ec;
  if (run.pageFolder.empty() || !fs::is_directory(run.pageFolder, ec)) return;
  std::set<std::string> linked, generated;
  std::map<std::string, int> folders;  // folder -> the first entry that links into it
  for (const PlannedPage& page : run.pages) generated.insert(run.Resolve(page.Path).string());
  for (int i = 0; i <= run.doc.LastIndex(); ++i) {
    // Only links that reach a page count: a main entry with sub-entries shows its group.
    if (run.doc.HasSubItems(i)) continue;
    const std::optional<std::string> file = LocalLinkPath(
        LinkWithVariables(run.doc.Items[static_cast<std::size_t>(i)].Link, run.doc.Variables), run.pageFolder.string());
    if (!file) continue;
    linked.insert(*file);
    folders.emplace(fs::is_directory(*file, ec) ? *file : fs::path(*file).parent_path().string(), i);
  }
  std::multimap<int, std::string> unlinked;  // in menu order
  for (const auto& [folder, entry] : folders) {
    const std::optional<std::string> index = IndexPageIn(folder);
    if (index && !linked.count(*index) && !generated.count(*index) &&
        !ShowsMenuInFrame(*index, StoredPathToFs(ExtractFileName(run.doc.Filename))))
      unlinked.emplace(entry, *index);
  }
  for (const auto& [entry, index] : unlinked) {
    const fs::path shown = fs::path(index).lexically_relative(run.pageFolder);
    const std::string name = shown.empty() || *shown.begin() == ".." ? index : shown.generic_string();
    run.Add(
        Level::Hinweis, "ordnerseite-unverlinkt", entry,
        "Die Seite " + Quoted(FromFsName(name)) +
            ", mit der sich ihr Ordner öffnet, verlinkt kein Eintrag: aus dem Menü ist sie nicht zu erreichen."_cp1252);
  }
}

}  // namespace navforge::check
