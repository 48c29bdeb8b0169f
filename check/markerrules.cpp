// The markers of the site's pages that the menu links to: a page where apply would
// fail is worth knowing before the menu goes live.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// A page up to 64 MB, as apply reads it; nothing for larger ones, unreadable ones and
// anything but a plain file (opened without waiting, so a pipe cannot hold the check).
std::optional<std::string> ReadPage(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> bytes;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= (off_t{64} << 20)) {
    std::string text(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
      const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    bytes = std::move(text);
  }
  ::close(fd);
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
