// The markers of the site's pages that the menu links to: a page where apply would
// fail is worth knowing before the menu goes live.
#include <fstream>
#include <set>

#include "check/checkrun.h"
#include "core/locallink.h"
#include "core/menumarkers.h"
#include "support/cp1252literal.h"
#include "support/fsname.h"
#include "support/strutil.h"

namespace navforge::check {
namespace {

namespace fs = std::filesystem;

bool IsPageFile(const fs::path& file) {
  const std::string ext = LowerAscii(file.extension().string());
  return ext == ".htm" || ext == ".html" || ext == ".shtml" || ext == ".xhtml" || ext == ".php";
}

// A page up to 64 MB, as apply reads it; nothing for larger ones or unreadable ones.
std::optional<std::string> ReadPage(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) > (std::uintmax_t{64} << 20) || ec) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) return std::nullopt;
  return bytes;
}

}  // namespace

void CheckMarkers(CheckRun& run) {
  if (run.pageFolder.empty() || !run.set || !run.set->Includable) return;
  std::set<fs::path> seen;
  for (int i = 0; i < static_cast<int>(run.doc.Items.size()); ++i) {
    const TMTItem& item = run.doc.Items[static_cast<std::size_t>(i)];
    const std::optional<std::string> file =
        LocalLinkPath(LinkWithVariables(item.Link, run.doc.Variables), run.pageFolder.string());
    if (!file) continue;
    const fs::path target(*file);
    if (!IsPageFile(target) || !seen.insert(target).second) continue;
    const std::optional<std::string> page = ReadPage(target);
    if (!page) continue;
    const MarkedPart marked = FindMarkedPart(*page);
    if (marked.Is != MarkedPart::Unbalanced && marked.Is != MarkedPart::Repeated) continue;
    run.Add(Level::Warnung, "markierung-kaputt", i,
            "Die Seite " + Quoted(FromFsName(target.string())) +
                (marked.Is == MarkedPart::Repeated ? " enthält die Markierungen mehr als einmal"
                                                   : " enthält nur eine der Markierungen oder beide in falscher Reihenfolge") +
                " (<!-- navforge --> … <!-- /navforge -->); beim Einsetzen des Menüs bleibt sie, wie sie ist."_cp1252);
  }
}

}  // namespace navforge::check
