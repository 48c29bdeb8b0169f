#include "apply/siteapply.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <set>

#include "apply/hostencoding.h"
#include "apply/hostmenu.h"
#include "apply/hosttrail.h"
#include "apply/urlrebase.h"
#include "core/generationrun.h"
#include "core/locallink.h"
#include "core/menumarkers.h"
#include "core/pagefiles.h"
#include "core/pageplan.h"
#include "core/pagewriter.h"
#include "core/sitepage.h"
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

std::string RealPath(const std::string& path) {
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(fs::path(path), ec);
  return ec ? import::AbsolutePath(path) : real.string();
}

// Changed pages are written on a second thread while the next are made, each on its
// own: a page that cannot be written fails alone, as a page with broken markers does.
class PageWrites {
public:
  PageWrites() {
    try {
      writer_.emplace([this](const std::string& file, std::string_view bytes) { WriteOne(file, bytes); });
    } catch (const std::system_error&) {
      // No second thread: each page is written as it comes.
    }
  }
  void Write(std::size_t result, const std::string& file, std::string bytes) {
    results_.emplace(file, result);
    // The writer refuses a page only after it failed outside a write (out of memory),
    // which Finish then throws for the whole run.
    if (writer_)
      writer_->Start(file, std::move(bytes));
    else
      WriteOne(file, bytes);
  }
  // Once every page is written: each failed page's result index and why.
  std::vector<std::pair<std::size_t, std::string>> Finish() {
    if (writer_)
      if (const std::exception_ptr failure = writer_->Wait()) std::rethrow_exception(failure);
    std::vector<std::pair<std::size_t, std::string>> failed;
    const std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [file, why] : failures_) failed.emplace_back(results_.at(file), why);
    return failed;
  }

private:
  void WriteOne(const std::string& file, std::string_view bytes) {
    try {
      WriteWholeFile(file, bytes, Durable::No, &spare_);
    } catch (const ENavforgeError& e) {
      const std::lock_guard<std::mutex> lock(mutex_);
      failures_.emplace_back(file, e.what());
    }
  }

  SpareTemp spare_;  // outlives the writer, which uses it
  std::mutex mutex_;
  std::vector<std::pair<std::string, std::string>> failures_;  // file, why
  std::map<std::string, std::size_t> results_;                 // file -> index of its result
  std::optional<PageWriter> writer_;
};

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
      } else if (IsSitePageName(name) && fs::is_regular_file(real, sec) && !skipped_.count(real) &&
                 files_.insert(real).second) {
        pages_.emplace(childRel, real);
      }
    }
  }

  std::string site_;
  const std::set<std::string>& skipped_;
  import::IgnoreRules rules_;
  std::set<std::string> folders_;
  std::map<std::string, std::string> pages_;
  std::set<std::string> files_;  // real paths taken: a page reached twice is set in once
};

// The entry each page is, by real path: the deepest entry that names it, and of those
// the last. Which file a link names is the check's and the import's rule.
std::map<std::string, int> EntriesByPage(const TovHTML& doc, const std::string& outputFolder) {
  std::map<std::string, std::pair<int, int>> best;  // page -> depth, entry
  int leading = 0;
  while (leading < static_cast<int>(doc.Items.size()) && doc.Items[static_cast<std::size_t>(leading)].IsSubItem)
    ++leading;
  for (int i = 0; i < static_cast<int>(doc.Items.size()); ++i) {
    const TMTItem& item = doc.Items[static_cast<std::size_t>(i)];
    const std::optional<std::string> file = LocalLinkPath(LinkWithVariables(item.Link, doc.Variables), outputFolder);
    if (!file) continue;
    const std::string real = RealPath(*file);
    const int depth = item.IsSubItem && i >= leading ? 1 : 0;
    auto [it, fresh] = best.emplace(real, std::pair(depth, i));
    if (!fresh && depth >= it->second.first) it->second = {depth, i};
  }
  std::map<std::string, int> entries;
  for (const auto& [page, found] : best) entries.emplace(page, found.second);
  return entries;
}

// Whether the page breaks its lines with LF alone: the menu then does too.
bool LineFeeds(std::string_view page) {
  const std::size_t lf = page.find('\n');
  return lf != std::string_view::npos && (lf == 0 || page[lf - 1] != '\r');
}

std::string PathText(const std::string& fsName) { return FromFsName(fsName); }

std::string FolderOf(const std::string& path) { return fs::path(path).parent_path().string(); }

// Where a page's two pairs of markers stand: the menu's and the trail's.
struct PageMarks {
  explicit PageMarks(std::string_view bytes)
      : Menu(FindMarkedPart(bytes)), Path(FindMarkedPart(bytes, kPathBegin, kPathEnd)) {}
  bool None() const { return Menu.Is == MarkedPart::None && Path.Is == MarkedPart::None; }
  MarkedPart Menu, Path;
};

// A pair of markers the page cannot take: the page stays as it is.
void RefuseBroken(const MarkedPart& marked, std::string_view begin, std::string_view end) {
  const std::string pair = std::string(begin) + " und " + std::string(end);
  if (marked.Is == MarkedPart::Repeated)
    throw ENavforgeError("Die Markierungen " + pair + " stehen mehr als einmal in der Seite; sie bleibt, wie sie ist.");
  if (marked.Is == MarkedPart::Unbalanced)
    throw ENavforgeError("Zu " + std::string(begin) + " fehlt " + std::string(end) +
                         " (oder sie stehen in falscher Reihenfolge); die Seite bleibt, wie sie ist.");
}

// What the run over a site shares between its pages: the set, the menu, which entry
// each page is.
class Applier {
public:
  explicit Applier(const TovHTML& doc) : doc_(doc) {
    std::string message;
    set_ = LoadSetForRun(doc, message);
    if (!set_) {
      problem_ = message;
      return;
    }
    if (!set_->Includable) {
      problem_ = "Das Menütemplate „"_cp1252 + doc.Template +
                 "“ markiert kein Menü zum Einsetzen (<!-- navforge --> … <!-- /navforge -->). Wählen Sie ein anderes Menütemplate."_cp1252;
      return;
    }
    const std::string mainPage = import::AbsolutePath(PageFile(ExtractFilePath(doc.MenuFile), doc.Filename));
    output_ = RealPath(FolderOf(mainPage));
    entries_ = EntriesByPage(doc, output_);
    menu_.emplace(doc, *set_);
    trail_.emplace(doc, *set_);
  }
  const std::string& Problem() const { return problem_; }
  const std::string& OutputFolder() const { return output_; }
  // The menu's own pages are the generate command's; apply leaves them alone.
  std::set<std::string> MenuPages() const {
    std::set<std::string> pages;
    const PagePlan plan = PlanPages(doc_.Items, doc_, AssignLinkIDs(doc_.Items), set_->AllInOne);
    for (const PlannedPage& page : plan.Pages) pages.insert(RealPath(PageFile(ExtractFilePath(doc_.MenuFile), page.Path)));
    return pages;
  }
  bool Linked(const std::string& real) const { return entries_.count(real) > 0; }

  // The page at real with the menu and the trail set in where it marks them, into page
  // (its memory kept from page to page). False when the page is as it would be. Throws
  // ENavforgeError with the page's problem.
  bool Apply(const std::string& bytes, const PageMarks& marks, const std::string& real, std::string& page) {
    RefuseBroken(marks.Menu, kMenuBegin, kMenuEnd);
    RefuseBroken(marks.Path, kPathBegin, kPathEnd);
    const bool menu = marks.Menu.Is == MarkedPart::Found, path = marks.Path.Is == MarkedPart::Found;
    if (menu && path && marks.Menu.Begin - kMenuBegin.size() < marks.Path.End &&
        marks.Path.Begin - kPathBegin.size() < marks.Menu.End)
      throw ENavforgeError("Die Markierungen für Menü und Pfad stehen ineinander; die Seite bleibt, wie sie ist."_cp1252);
    const std::optional<HostEncoding> encoding = DetectHostEncoding(bytes);
    if (!encoding)
      throw ENavforgeError("Die Seite ist in einer Kodierung geschrieben, die Navforge nicht kennt (nur UTF-8 und Windows-1252); sie bleibt, wie sie ist."_cp1252);
    const auto entry = entries_.find(real);
    const int current = entry == entries_.end() ? -1 : entry->second;
    const auto asUrlPath = [&](const std::string& folder) { return set_->Utf8 ? folder : PathText(folder); };
    const std::string folder = FolderOf(real);
    const HostForm form{folder, UrlRebase(asUrlPath(output_), asUrlPath(folder)), *encoding, LineFeeds(bytes)};
    // The page is made in place: its text up to each marked part, the part, the rest.
    const bool menuFirst = menu && (!path || marks.Menu.Begin < marks.Path.Begin);
    page.clear();
    std::size_t done = 0;
    for (const bool isMenu : {menuFirst, !menuFirst}) {
      const MarkedPart& marked = isMenu ? marks.Menu : marks.Path;
      if (marked.Is != MarkedPart::Found) continue;
      page.append(bytes, done, marked.Begin - done);
      if (!isMenu) {
        trail_->For(current, form, page);
      } else if (!menu_->For(current, form, page)) {
        throw ENavforgeError("Die Menüseite enthält die Markierungen nicht genau einmal (ein Wert enthält eine davon)."_cp1252);
      }
      done = marked.End;
    }
    page.append(bytes, done);
    return page != bytes;
  }

private:
  const TovHTML& doc_;
  std::optional<TTemplateSet> set_;
  std::string problem_, output_;
  std::map<std::string, int> entries_;
  std::optional<HostMenu> menu_;
  std::optional<HostTrail> trail_;
};

}  // namespace

ApplyReport ApplyToSite(const TovHTML& doc, const ApplyOptions& options) {
  ApplyReport report;
  Applier applier(doc);
  if (!applier.Problem().empty()) {
    report.Problem = applier.Problem();
    return report;
  }
  const std::string site =
      RealPath(options.SiteFolder.empty() ? applier.OutputFolder() : import::AbsolutePath(options.SiteFolder));
  std::error_code ec;
  if (!fs::is_directory(site, ec)) {
    report.Problem = "Den Ordner „"_cp1252 + PathText(site) + "“ der Website gibt es nicht."_cp1252;
    return report;
  }
  PageWrites writes;
  std::string page;
  for (const auto& [rel, real] : SiteWalk(site, applier.MenuPages()).Pages()) {
    std::string bytes;
    try {
      bytes = ReadSitePage(real);
    } catch (const ENavforgeError& e) {
      report.Pages.push_back({PageResult::Failed, rel, e.what()});
      ++report.Failed;
      continue;
    }
    const PageMarks marks(bytes);
    if (marks.None()) {
      if (applier.Linked(real)) report.Unmarked.push_back(rel);
      continue;
    }
    PageResult result{PageResult::Unchanged, rel, {}};
    try {
      if (applier.Apply(bytes, marks, real, page)) {
        if (options.Mode == ApplyMode::Write) writes.Write(report.Pages.size(), real, std::move(page));
        result.Is = PageResult::Changed;
        ++report.Changed;
      }
    } catch (const ENavforgeError& e) {
      result.Is = PageResult::Failed;
      result.Problem = e.what();
      ++report.Failed;
    }
    report.Pages.push_back(std::move(result));
  }
  for (const auto& [index, why] : writes.Finish()) {
    report.Pages[index].Is = PageResult::Failed;
    report.Pages[index].Problem = why;
    --report.Changed;
    ++report.Failed;
  }
  return report;
}

std::optional<std::string> PageWithMenu(const TovHTML& doc, const std::string& page, std::string& problem) {
  try {
    Applier applier(doc);
    problem = applier.Problem();
    if (!problem.empty()) return std::nullopt;
    const std::string bytes = ReadSitePage(page);
    const PageMarks marks(bytes);
    if (marks.None()) return std::nullopt;
    std::string withMenu;
    return applier.Apply(bytes, marks, RealPath(page), withMenu) ? withMenu : bytes;
  } catch (const ENavforgeError& e) {
    problem = e.what();
    return std::nullopt;
  }
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
