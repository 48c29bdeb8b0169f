// Loading a template set: "template.ini" and the seven fragments.
#include "core/templateset.h"

#include "support/folders.h"
#include "support/profile.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {

std::optional<std::string> FindTemplateSetFolder(const std::string& Root, const std::string& Name,
                                                 std::string& Message) {
  if (Name.empty()) {
    Message = "Sie haben keine Men\xFCtemplate ausgew\xE4hlt.";
    return std::nullopt;
  }
  // Sets copied from a case-insensitive file system may spell the root, the set and
  // the file names in other letter cases; an exact name always wins.
  const std::string set = FindChildPath(FindFolderCaseless(Root), Name);
  if (!DirectoryExists(set)) {
    Message = "Das Men\xFCtemplate ist nicht vorhanden.";
    return std::nullopt;
  }
  return AddTrailingBackslash(set);
}

void ReadTemplateSetFiles(const std::string& Folder, TTemplateSet& Set) {
  const std::string& dir = Folder;
  Set.Folder = dir;
  const std::optional<std::int32_t> allInOne =
      ParseInteger(GetProfileString(FindChildPath(dir, "template.ini"), "Main", "all_in_one", ""));
  Set.AllInOne = allInOne.value_or(0) != 0;

  Set.Header = ReadFragmentFile(FindChildPath(dir, "header.txt"));
  Set.Footer = ReadFragmentFile(FindChildPath(dir, "footer.txt"));
  Set.Menupoint = ReadFragmentFile(FindChildPath(dir, "menupoint.txt"));
  Set.ActiveMenupoint = ReadFragmentFile(FindChildPath(dir, "activemenupoint.txt"));
  Set.BetweenMenupoints = ReadFragmentFile(FindChildPath(dir, "BetweenMenupoints.txt"));
  Set.SubmenuPoint = ReadFragmentFile(FindChildPath(dir, "SubmenuPoint.txt"));
  Set.BetweenSubmenuPoints = ReadFragmentFile(FindChildPath(dir, "BetweenSubmenuPoints.txt"));
}

std::optional<TTemplateSet> LoadTemplateSet(const std::string& Root, const std::string& Name, std::string& Message) {
  const std::optional<std::string> folder = FindTemplateSetFolder(Root, Name, Message);
  if (!folder) return std::nullopt;
  TTemplateSet set;
  ReadTemplateSetFiles(*folder, set);
  return set;
}

std::string ReadFragmentFile(const std::string& path) {
  if (!FileExists(path)) return std::string();
  return NormalizeLines(ReadWholeFile(path));
}

}  // namespace navforge
