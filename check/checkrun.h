#pragma once
// What one check run works out once and every rule reads: the generation as it would
// run (identifiers, the set, the pages it would write), and where the pages land.
// Internal to the check library.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "check/finding.h"
#include "check/menucheck.h"
#include "core/menudocument.h"
#include "core/pageplan.h"
#include "core/templateset.h"

namespace navforge::check {

class CheckRun {
public:
  CheckRun(const TovHTML& doc, const CheckOptions& options);

  const TovHTML& doc;
  const CheckOptions& options;
  std::vector<std::string> linkIDs;  // per entry, as generation assigns them
  int leadingSubItems = 0;           // sub-entries before the first main entry
  std::optional<TTemplateSet> set;   // empty when no set could be read
  std::string setProblemCode, setProblem;  // why not, when set is empty
  std::vector<PlannedPage> pages;    // as generation writes them, in order; empty when it cannot run
  std::filesystem::path pageFolder;  // where the pages land, resolved; empty without a file name
  std::optional<Refusal> refusal;    // what generation itself would refuse (Page indexes pages)
  std::optional<std::pair<std::size_t, std::string>> unbuildable;  // the first page that cannot be made, and why

  // A page path (Windows-1252, maybe relative) as the file it names on disk.
  std::filesystem::path Resolve(const std::string& path) const;
  // The fragment that renders entry i's own link and target (main entries without
  // sub-entries, sub-entries, a nesting set's groups); nullptr without a set.
  const std::string* FragmentOf(int i) const;

  void Add(Level level, const char* code, int entry, std::string message);
  Findings findings;
};

// The rules; each adds its findings to the run (CheckMenu sorts them afterwards).
void CheckFileName(CheckRun& run);
void CheckTemplate(CheckRun& run);
void CheckPageCollisions(CheckRun& run);
void CheckMenuFilesOverwritten(CheckRun& run);
void CheckEntries(CheckRun& run);
void CheckPlaceholders(CheckRun& run);
void CheckVariables(CheckRun& run);
void CheckContrast(CheckRun& run);
// Pages the menu links to whose markers would make setting the menu in fail.
void CheckMarkers(CheckRun& run);
// Folders the menu links into whose index page no entry links to.
void CheckIndexPages(CheckRun& run);
// Runs last: generation's own refusal, where no rule before has reported that page, and
// a page generation could not make.
void CheckRefusal(CheckRun& run);

// "Eintrag 3" style reference to another entry (numbered from 1, as the window's list).
std::string EntryRef(int entry);
// Quotes a text in German quotation marks (Windows-1252 bytes).
std::string Quoted(const std::string& text);

}  // namespace navforge::check
