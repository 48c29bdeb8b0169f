// Loading the chosen template set: "template.ini" and the seven fragments.
#include <optional>

#include "core/ovhtml.h"
#include "support/folders.h"
#include "support/fsname.h"
#include "support/locations.h"
#include "support/notifier.h"
#include "support/profile.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {

bool TovHTML::LoadTemplate() {
  if (Template.empty()) {
    ShowMessage("Sie haben keine Men\xFCtemplate ausgew\xE4hlt.");
    return false;
  }
  // Sets copied from a case-insensitive file system may spell the root, the set and
  // the file names in other letter cases; an exact name always wins.
  const std::string set = FindTemplateSet(TemplateRoot, UserTemplateRoot, StoredPathToFs(Template));
  if (!DirectoryExists(set)) {
    ShowMessage("Das Men\xFCtemplate ist nicht vorhanden.");
    return false;
  }
  const std::string dir = AddTrailingBackslash(set);

  const std::optional<std::int32_t> allInOne =
      ParseInteger(GetProfileString(FindChildPath(dir, "template.ini"), "Main", "all_in_one", ""));
  AllInOne = allInOne.value_or(0) != 0;

  Header = ReadFragment(FindChildPath(dir, "header.txt"));
  Footer = ReadFragment(FindChildPath(dir, "footer.txt"));
  Menupoint = ReadFragment(FindChildPath(dir, "menupoint.txt"));
  ActiveMenupoint = ReadFragment(FindChildPath(dir, "activemenupoint.txt"));
  BetweenMenupoints = ReadFragment(FindChildPath(dir, "BetweenMenupoints.txt"));
  SubmenuPoint = ReadFragment(FindChildPath(dir, "SubmenuPoint.txt"));
  BetweenSubmenuPoints = ReadFragment(FindChildPath(dir, "BetweenSubmenuPoints.txt"));
  return true;
}

std::string TovHTML::ReadFragment(const std::string& path) {
  if (!FileExists(path)) return std::string();
  return NormalizeLines(ReadWholeFile(path));
}

}  // namespace navforge
