// Reading a template set: "template.ini" and the seven fragment files of one folder
// under the template root.
#include "core/ovhtml.h"
#include "support/folders.h"
#include "support/notifier.h"
#include "support/paths.h"
#include "support/profile.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {
namespace {

// Sets made on a case-insensitive file system spell their names freely, so every
// name is looked up exactly first and then without regard to letter case.
std::string ResolveRoot(const std::string& root) {
  if (root.empty() || DirectoryExists(root)) return root;
  std::string trimmed = root;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  return FindChildPath(ExtractFilePath(trimmed), ExtractFileName(trimmed));
}

}  // namespace

std::string TovHTML::ReadFragment(const std::string& path) {
  if (!FileExists(path)) return std::string();
  return JoinLines(ReadTextLines(path));
}

bool TovHTML::LoadTemplate() {
  if (Template.empty()) {
    ShowMessage("Sie haben keine Men\xFCtemplate ausgew\xE4hlt.");
    return false;
  }
  const std::string root = AddTrailingBackslash(ResolveRoot(TemplateRoot));
  const std::string setPath = FindChildPath(root, Template);
  if (!DirectoryExists(setPath)) {
    ShowMessage("Das Men\xFCtemplate ist nicht vorhanden.");
    return false;
  }
  const std::string set = AddTrailingBackslash(setPath);
  auto file = [&](const char* name) { return FindChildPath(set, name); };

  const std::optional<std::int32_t> allInOne =
      ParseInteger(GetProfileString(file("template.ini"), "Main", "all_in_one", ""));
  AllInOne = allInOne.has_value() && *allInOne != 0;

  Header = ReadFragment(file("header.txt"));
  Footer = ReadFragment(file("footer.txt"));
  Menupoint = ReadFragment(file("menupoint.txt"));
  ActiveMenupoint = ReadFragment(file("activemenupoint.txt"));
  BetweenMenupoints = ReadFragment(file("BetweenMenupoints.txt"));
  SubmenuPoint = ReadFragment(file("SubmenuPoint.txt"));
  BetweenSubmenuPoints = ReadFragment(file("BetweenSubmenuPoints.txt"));
  return true;
}

}  // namespace navforge
