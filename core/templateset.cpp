// Loading a template set: "template.ini" and the seven fragments.
#include "core/templateset.h"

#include "core/menumarkers.h"
#include "support/cp1252literal.h"
#include "support/folders.h"
#include "support/fsname.h"
#include "support/locations.h"
#include "support/profile.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {

std::optional<std::string> FindTemplateSetFolder(const std::string& root, const std::string& name,
                                                 std::string& message, const std::string& userRoot) {
  if (name.empty()) {
    message = "Sie haben keine Menütemplate ausgewählt."_cp1252;
    return std::nullopt;
  }
  // A set is a folder directly inside a template folder, never a path to elsewhere.
  if (name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos) {
    message = "Das Menütemplate ist nicht vorhanden."_cp1252;
    return std::nullopt;
  }
  // Sets copied from a case-insensitive file system may spell the root, the set and
  // the file names in other letter cases; an exact name always wins.
  const std::string set = FindTemplateSet(root, userRoot, StoredPathToFs(name));
  if (!DirectoryExists(set)) {
    message = "Das Menütemplate ist nicht vorhanden."_cp1252;
    return std::nullopt;
  }
  return AddTrailingBackslash(set);
}

void ReadTemplateSetFiles(const std::string& folder, TTemplateSet& set) {
  const std::string& dir = folder;  // ends with "/"
  set.Folder = dir;
  const TProfileFile ini = TProfileFile::Load(FindChildPath(dir, "template.ini"));
  const std::optional<std::int32_t> allInOne = ParseInteger(ini.ReadString("Main", "all_in_one", ""));
  set.AllInOne = allInOne.value_or(0) != 0;
  set.Utf8 = SameTextAscii(ini.ReadString("Main", "charset", ""), "utf-8");
  const std::optional<std::int32_t> levels = ParseInteger(ini.ReadString("Main", "levels", ""));
  set.Nests = levels && *levels >= 2 && *levels <= 6;
  set.Levels = set.Nests ? *levels : 2;

  const auto fragment = [&](const char* name) { return ReadFragmentFile(FindChildPath(dir, name), set.Utf8); };
  set.Header = fragment("header.txt");
  set.Footer = fragment("footer.txt");
  set.Menupoint = fragment("menupoint.txt");
  set.ActiveMenupoint = fragment("activemenupoint.txt");
  set.BetweenMenupoints = fragment("BetweenMenupoints.txt");
  set.SubmenuPoint = fragment("SubmenuPoint.txt");
  set.BetweenSubmenuPoints = fragment("BetweenSubmenuPoints.txt");
  set.SubmenuGroupPoint = fragment("SubmenuGroupPoint.txt");
  set.PathHeader = fragment("PathHeader.txt");
  set.PathPoint = fragment("PathPoint.txt");
  set.PathCurrentPoint = fragment("PathCurrentPoint.txt");
  set.PathFooter = fragment("PathFooter.txt");
  set.Includable = HoldsMarkers(set);
}

bool HoldsMarkers(const TTemplateSet& set) {
  return HoldsMarkers(set.Header + set.Menupoint + set.ActiveMenupoint + set.BetweenMenupoints + set.SubmenuPoint +
                      set.SubmenuGroupPoint + set.BetweenSubmenuPoints + set.Footer);
}

std::optional<TTemplateSet> LoadTemplateSet(const std::string& root, const std::string& name, std::string& message,
                                            const std::string& userRoot) {
  const std::optional<std::string> folder = FindTemplateSetFolder(root, name, message, userRoot);
  if (!folder) return std::nullopt;
  TTemplateSet set;
  ReadTemplateSetFiles(*folder, set);
  return set;
}

std::string ReadFragmentFile(const std::string& path, bool utf8) {
  if (!FileExists(path)) return std::string();
  std::string bytes = ReadWholeFile(path);
  // Editors may start a UTF-8 file with a byte order mark; inside a page it would be
  // a stray character.
  if (utf8 && bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  return NormalizeLines(bytes);
}

}  // namespace navforge
