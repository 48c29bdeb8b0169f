#include "apply/siteapply.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "apply/hostencoding.h"
#include "apply/hostmenu.h"
#include "apply/urlrebase.h"
#include "core/generationrun.h"
#include "core/locallink.h"
#include "core/menumarkers.h"
#include "core/pagefiles.h"
#include "core/pageplan.h"
#include "import/ignorerules.h"
#include "import/sitelinks.h"
#include "support/cp1252.h"
#include "support/cp1252literal.h"
#include "support/errors.h"
#include "support/fsname.h"
#include "support/paths.h"
#include "support/sparetemp.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge::apply {
namespace {

namespace fs = std::filesystem;

bool IsPageName(const std::string& name) {
  const std::string ext = LowerAscii(ExtractFileExt(name));
  for (const char* e : {".htm", ".html", ".shtml", ".xhtml", ".php"})
    if (ext == e) return true;
  return false;
}

std::string RealPath(const std::string& path) {
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(fs::path(path), ec);
  return ec ? import::AbsolutePath(path) : real.string();
}

// The pages under the site folder, as real paths and as paths from the folder: hidden
// names, ignored names and links that leave the folder passed over, each file once.
class SiteWalk {
public:
  SiteWalk(std::string realSite, const std::set<std::string>& skipped)
      : site_(std::move(realSite)), skipped_(skipped), rules_(import::IgnoreRules::ForSite(site_)) {}
  std::map<std::string, std::string> Pages() {  // relative path -> real path
    Walk(site_, "");
    return pages_;
  }

private:
  void Walk(const std::string& folder, const std::string& rel) {
    if (!folders_.insert(folder).second) return;  // a link back into a folder already walked
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (name.empty() || name[0] == '.') continue;
      const std::string childRel = rel.empty() ? name : rel + "/" + name;
      const std::string real = RealPath(it->path().string());
      if (real != site_ && !import::IsBelowFolder(real, site_)) continue;
      std::error_code sec;
      const bool isFolder = fs::is_directory(real, sec);
      if (rules_.Ignores(childRel, isFolder)) continue;
      if (isFolder) {
        Walk(real, childRel);
      } else if (IsPageName(name) && fs::is_regular_file(real, sec) && !skipped_.count(real) &&
                 std::none_of(pages_.begin(), pages_.end(), [&](const auto& p) { return p.second == real; })) {
        pages_.emplace(childRel, real);
      }
    }
  }

  std::string site_;
  const std::set<std::string>& skipped_;
  import::IgnoreRules rules_;
  std::set<std::string> folders_;
  std::map<std::string, std::string> pages_;
};

// The entry each page is, by real path: the deepest entry that names it, and of those
// the last. A folder's link names its index page.
std::map<std::string, int> EntriesByPage(const TovHTML& doc, const std::string& outputFolder) {
  std::map<std::string, std::pair<int, int>> best;  // page -> depth, entry
  int leading = 0;
  while (leading < static_cast<int>(doc.Items.size()) && doc.Items[static_cast<std::size_t>(leading)].IsSubItem)
    ++leading;
  for (int i = 0; i < static_cast<int>(doc.Items.size()); ++i) {
    const TMTItem& item = doc.Items[static_cast<std::size_t>(i)];
    const std::optional<std::string> file = LocalLinkFile(LinkWithVariables(item.Link, doc.Variables));
    if (!file) continue;
    std::string real = RealPath(outputFolder + "/" + *file);
    std::error_code ec;
    if (fs::is_directory(real, ec))
      for (const char* index : {"index.html", "index.htm", "index.shtml", "index.php", "index.xhtml"})
        if (fs::is_regular_file(real + "/" + index, ec)) {
          real += std::string("/") + index;
          break;
        }
    const int depth = item.IsSubItem && i >= leading ? 1 : 0;
    auto [it, fresh] = best.emplace(real, std::pair(depth, i));
    if (!fresh && depth >= it->second.first) it->second = {depth, i};
  }
  std::map<std::string, int> entries;
  for (const auto& [page, found] : best) entries.emplace(page, found.second);
  return entries;
}

// Line breaks of the inserted text as the page has them.
std::string WithPageLineBreaks(std::string text, std::string_view page) {
  const std::size_t lf = page.find('\n');
  if (lf == std::string_view::npos || (lf > 0 && page[lf - 1] == '\r')) return text;
  std::erase(text, '\r');
  return text;
}

std::string PathText(const std::string& fsName) { return FromFsName(fsName); }

std::string FolderOf(const std::string& path) { return fs::path(path).parent_path().string(); }

}  // namespace

ApplyReport ApplyToSite(const TovHTML& doc, const ApplyOptions& options) {
  ApplyReport report;
  std::string message;
  const std::optional<TTemplateSet> set = LoadSetForRun(doc, message);
  if (!set) {
    report.Problem = message;
    return report;
  }
  if (!set->Includable) {
    report.Problem = "Das Menütemplate "_cp1252 + "„"_cp1252 + doc.Template + "“"_cp1252 +
                     " markiert kein Menü zum Einsetzen (<!-- navforge --> … <!-- /navforge -->). Wählen Sie ein anderes Menütemplate."_cp1252;
    return report;
  }
  const std::string mainPage = import::AbsolutePath(PageFile(ExtractFilePath(doc.MenuFile), doc.Filename));
  const std::string outputFolder = FolderOf(mainPage);
  const std::string site = RealPath(options.SiteFolder.empty() ? outputFolder : import::AbsolutePath(options.SiteFolder));
  std::error_code ec;
  if (!fs::is_directory(site, ec)) {
    report.Problem = "Den Ordner "_cp1252 + "„"_cp1252 + PathText(site) + "“"_cp1252 + " der Website gibt es nicht."_cp1252;
    return report;
  }

  // The menu's own pages are the generate command's; apply leaves them alone.
  std::set<std::string> menuPages;
  const PagePlan plan = PlanPages(doc.Items, doc, AssignLinkIDs(doc.Items), set->AllInOne);
  for (const PlannedPage& page : plan.Pages)
    menuPages.insert(RealPath(PageFile(ExtractFilePath(doc.MenuFile), page.Path)));

  const std::map<std::string, int> entries = EntriesByPage(doc, RealPath(outputFolder));
  HostMenu menu(doc, *set);
  const std::string realOutput = RealPath(outputFolder);
  const auto asUrlPath = [&](const std::string& folder) { return set->Utf8 ? folder : PathText(folder); };
  SpareTemp spare;
  for (const auto& [rel, real] : SiteWalk(site, menuPages).Pages()) {
    const std::string bytes = ReadWholeFile(real);
    const MarkedPart marked = FindMarkedPart(bytes);
    const auto entry = entries.find(real);
    if (marked.Is == MarkedPart::None) {
      if (entry != entries.end()) report.Unmarked.push_back(rel);
      continue;
    }
    PageResult result{PageResult::Unchanged, rel, {}};
    const auto fail = [&](std::string why) {
      result.Is = PageResult::Failed;
      result.Problem = std::move(why);
      ++report.Failed;
    };
    const std::optional<HostEncoding> encoding = DetectHostEncoding(bytes);
    if (marked.Is != MarkedPart::Found) {
      fail(marked.Is == MarkedPart::Repeated
               ? "Die Markierungen <!-- navforge --> und <!-- /navforge --> stehen mehr als einmal in der Seite; sie bleibt, wie sie ist."_cp1252
               : "Zu <!-- navforge --> fehlt <!-- /navforge --> (oder sie stehen in falscher Reihenfolge); die Seite bleibt, wie sie ist."_cp1252);
    } else if (!encoding) {
      fail("Die Seite ist in einer Kodierung geschrieben, die Navforge nicht kennt (nur UTF-8 und Windows-1252); sie bleibt, wie sie ist."_cp1252);
    } else {
      try {
        const std::optional<std::string> text = menu.For(entry == entries.end() ? -1 : entry->second);
        if (!text) throw ENavforgeError("Die Menüseite enthält die Markierungen nicht genau einmal (ein Wert enthält eine davon)."_cp1252);
        const std::string pageFolder = FolderOf(real);
        const UrlRebase rebase(asUrlPath(realOutput), asUrlPath(pageFolder));
        const std::string inserted = WithPageLineBreaks(ToHostEncoding(rebase.Html(*text), set->Utf8, *encoding), bytes);
        if (std::string_view(bytes).substr(marked.Begin, marked.End - marked.Begin) != inserted) {
          result.Is = PageResult::Changed;
          ++report.Changed;
          if (options.Mode == ApplyMode::Write)
            WriteWholeFile(real, bytes.substr(0, marked.Begin) + inserted + bytes.substr(marked.End), Durable::No,
                           &spare);
        }
      } catch (const ENavforgeError& e) {
        if (result.Is == PageResult::Changed) --report.Changed;
        fail(e.what());
      }
    }
    report.Pages.push_back(std::move(result));
  }
  return report;
}

std::vector<std::string> ReportLines(const ApplyReport& report, ApplyMode mode) {
  std::vector<std::string> lines;
  if (!report.Problem.empty()) {
    lines.push_back(report.Problem);
    return lines;
  }
  const std::string changed = mode == ApplyMode::Write ? "Menü eingesetzt: "_cp1252 : "Würde geändert: "_cp1252;
  for (const PageResult& page : report.Pages) {
    if (page.Is == PageResult::Changed) lines.push_back(changed + PathText(page.Page));
    if (page.Is == PageResult::Failed) lines.push_back("Fehler: " + PathText(page.Page) + ": " + page.Problem);
  }
  for (const std::string& page : report.Unmarked) lines.push_back("ohne Markierung: " + PathText(page));
  const std::size_t unchanged = report.Pages.size() - report.Changed - report.Failed;
  lines.push_back(std::to_string(report.Pages.size()) + " Seiten mit Markierung: " + std::to_string(report.Changed) +
                  (mode == ApplyMode::Write ? " geändert, "_cp1252 : " zu ändern, "_cp1252) + std::to_string(unchanged) +
                  " unverändert, "_cp1252 + std::to_string(report.Failed) + " mit Fehler.");
  return lines;
}

}  // namespace navforge::apply
