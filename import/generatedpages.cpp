#include "import/generatedpages.h"

#include "core/pageplan.h"
#include "import/sitelinks.h"

namespace navforge::import {

std::vector<std::string> GeneratedPages(const TMenutree& items, const std::string& mainPage,
                                        const std::string& fileext, bool submenuPages) {
  TMenuFormat format;
  format.Filename = mainPage;
  format.fileext = fileext;
  std::vector<std::string> pages;
  for (const PlannedPage& page : PlanPages(items, format, AssignLinkIDs(items), !submenuPages).Pages)
    pages.push_back(AbsolutePath(page.Path));
  return pages;
}

}  // namespace navforge::import
