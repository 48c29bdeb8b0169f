#include "import/menuimport.h"

#include <optional>
#include <unordered_set>

#include "core/menudocument.h"
#include "core/templateset.h"
#include "import/contentframe.h"
#include "import/generatedpages.h"
#include "import/keepinstep.h"
#include "import/sitelinks.h"
#include "support/folders.h"
#include "support/paths.h"
#include "support/profile.h"
#include "support/errors.h"
#include "support/strutil.h"

namespace navforge::import {

std::string MenuPagePath(const TovHTML& doc, const std::string& menuFile) {
  const std::string& page = doc.Filename;
  if (page.empty()) return {};
  if (page[0] == '/' || page[0] == '\\') return AbsolutePath(page);
  const std::string base = menuFile.empty() ? AbsolutePath(".") + "/" : ExtractFilePath(AbsolutePath(menuFile));
  return AbsolutePath(base + page);
}

bool WritesSubmenuPages(const TovHTML& doc) {
  std::string message;
  const std::optional<std::string> set =
      doc.Template.empty() ? std::nullopt : FindTemplateSetFolder(doc.TemplateRoot, doc.Template, message);
  if (!set) return true;
  const std::optional<std::int32_t> allInOne =
      ParseInteger(GetProfileString(FindChildPath(*set, "template.ini"), "Main", "all_in_one", ""));
  return allInOne.value_or(0) == 0;
}

ImportOptions OptionsForMenu(const TovHTML& doc, const std::string& menuFile, const std::string& siteFolder) {
  ImportOptions o;
  o.SiteFolder = siteFolder;
  o.MenuPage = MenuPagePath(doc, menuFile);
  if (o.MenuPage.empty()) o.MenuPage = AbsolutePath(siteFolder + "/navigation.htm");
  o.SubmenuFileExt = doc.fileext;
  o.WritesSubmenuPages = WritesSubmenuPages(doc);
  if (!doc.TemplateRoot.empty()) o.TemplateFolderName = ExtractFileName(AbsolutePath(doc.TemplateRoot));
  o.SkippedPages = GeneratedPages(doc.Items, o.MenuPage, doc.fileext, o.WritesSubmenuPages);
  return o;
}

bool SetUsesTargets(const TovHTML& doc) {
  std::string message;
  try {
    const std::optional<TTemplateSet> set =
        LoadTemplateSet(doc.TemplateRoot, doc.Template, message, doc.UserTemplateRoot);
    return set && ContainsTextAscii(set->Menupoint + set->ActiveMenupoint + set->SubmenuPoint, "$LinkTarget$");
  } catch (const ENavforgeError&) {
    return false;
  }
}

TargetSuggestion SuggestTarget(const TovHTML& doc, const ImportOptions& options, const ImportProposal& proposal) {
  if (SetUsesTargets(doc)) {
    std::vector<std::string> pages;
    std::unordered_set<std::string> seen;
    for (const ProposedEntry& e : proposal.Entries)
      if (seen.insert(e.Page).second) pages.push_back(e.Page);
    if (const std::optional<ContentFrame> frame = FindContentFrame(pages, options.MenuPage))
      return {frame->Name, frame->Page};
  }
  return {CommonTarget(doc.Items), ""};
}

}  // namespace navforge::import
