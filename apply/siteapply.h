#pragma once
// Setting the menu into the pages of its site: every page under the site folder that
// holds the two markers gets, between them, the menu for that page; the rest of each
// page stays byte for byte, and a page that would not change is not written.
#include <optional>
#include <string>
#include <vector>

#include "core/menudocument.h"

namespace navforge::apply {

enum class ApplyMode {
  Write,   // write the pages that change
  DryRun,  // write nothing, say what would change
  Check,   // write nothing; a page that would change fails the run
};

struct ApplyOptions {
  std::string SiteFolder;  // file-system name; empty: the output file's folder
  ApplyMode Mode = ApplyMode::Write;
};

struct PageResult {
  enum State { Changed, Unchanged, Failed } Is = Unchanged;
  std::string Page;     // the page's path from the site folder (file-system name)
  std::string Problem;  // Failed: why (Windows-1252)
};

struct ApplyReport {
  std::string Problem;  // Windows-1252: why nothing could be done (no set, no folder ...)
  std::vector<PageResult> Pages;        // every page with markers, in path order
  std::vector<std::string> Unmarked;    // pages the menu links to without markers
  std::size_t Changed = 0, Failed = 0;
  bool Ok() const { return Problem.empty() && Failed == 0; }
};

// Runs over the site of doc (its output file and menu file as the generate command
// takes them; the set loaded as generation loads it).
ApplyReport ApplyToSite(const TovHTML& doc, const ApplyOptions& options);

// The bytes of the site page page (a file-system name) with the menu set in, as the
// run over the site would write them. Nothing when the page has no markers, or when it
// cannot take the menu: problem then says why (Windows-1252; empty without markers).
std::optional<std::string> PageWithMenu(const TovHTML& doc, const std::string& page, std::string& problem);

// The German lines of a report as navforge-cli and the window show them (Windows-1252
// texts, paths converted from file-system names).
std::vector<std::string> ReportLines(const ApplyReport& report, ApplyMode mode);

}  // namespace navforge::apply
