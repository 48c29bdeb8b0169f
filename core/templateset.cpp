// Loading a template set: "template.ini" and the seven fragments.
#include "core/templateset.h"

#include "support/cp1252literal.h"
#include "support/folders.h"
#include "support/fsname.h"
#include "support/locations.h"
#include "support/profile.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {

std::optional<std::string> FindTemplateSetFolder(const std::string& Root, const std::string& Name,
                                                 std::string& Message, const std::string& UserRoot) {
  if (Name.empty()) {
    Message = "Sie haben keine Menütemplate ausgewählt."_cp1252;
    return std::nullopt;
  }
  // Sets copied from a case-insensitive file system may spell the root, the set and
  // the file names in other letter cases; an exact name always wins.
  const std::string set = FindTemplateSet(Root, UserRoot, StoredPathToFs(Name));
  if (!DirectoryExists(set)) {
    Message = "Das Menütemplate ist nicht vorhanden."_cp1252;
    return std::nullopt;
  }
  return AddTrailingBackslash(set);
}

void ReadTemplateSetFiles(const std::string& Folder, TTemplateSet& Set) {
  const std::string& dir = Folder;  // ends with "/"
  Set.Folder = dir;
  const TProfileFile ini = TProfileFile::Load(FindChildPath(dir, "template.ini"));
  const std::optional<std::int32_t> allInOne = ParseInteger(ini.ReadString("Main", "all_in_one", ""));
  Set.AllInOne = allInOne.value_or(0) != 0;
  Set.Utf8 = SameTextAscii(ini.ReadString("Main", "charset", ""), "utf-8");

  const auto fragment = [&](const char* name) { return ReadFragmentFile(FindChildPath(dir, name), Set.Utf8); };
  Set.Header = fragment("header.txt");
  Set.Footer = fragment("footer.txt");
  Set.Menupoint = fragment("menupoint.txt");
  Set.ActiveMenupoint = fragment("activemenupoint.txt");
  Set.BetweenMenupoints = fragment("BetweenMenupoints.txt");
  Set.SubmenuPoint = fragment("SubmenuPoint.txt");
  Set.BetweenSubmenuPoints = fragment("BetweenSubmenuPoints.txt");
}

std::optional<TTemplateSet> LoadTemplateSet(const std::string& Root, const std::string& Name, std::string& Message,
                                            const std::string& UserRoot) {
  const std::optional<std::string> folder = FindTemplateSetFolder(Root, Name, Message, UserRoot);
  if (!folder) return std::nullopt;
  TTemplateSet set;
  ReadTemplateSetFiles(*folder, set);
  return set;
}

std::string ReadFragmentFile(const std::string& path, bool Utf8) {
  if (!FileExists(path)) return std::string();
  std::string bytes = ReadWholeFile(path);
  // Editors may start a UTF-8 file with a byte order mark; inside a page it would be
  // a stray character.
  if (Utf8 && bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  return NormalizeLines(bytes);
}

}  // namespace navforge
