#include "import/generatedpages.h"

#include "core/ovhtml.h"
#include "import/sitelinks.h"
#include "support/paths.h"

namespace navforge::import {

std::vector<std::string> GeneratedPages(const TMenutree& items, const std::string& mainPage,
                                        const std::string& fileext, bool submenuPages) {
  std::vector<std::string> pages{AbsolutePath(mainPage)};
  if (!submenuPages) return pages;
  TovHTML doc;
  doc.Items = items;
  doc.Filename = mainPage;
  doc.fileext = fileext;
  doc.AssignLinkIDs();
  const std::string dir = ExtractFilePath(mainPage), ext = doc.SubmenuExt();
  for (int i = 0; i <= doc.LastIndex(); ++i)
    if (doc.HasSubItems(i)) pages.push_back(AbsolutePath(dir + doc.Items[static_cast<std::size_t>(i)].LinkID + ext));
  return pages;
}

}  // namespace navforge::import
