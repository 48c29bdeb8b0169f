#include "folders.h"

#include <dirent.h>
#include <sys/stat.h>

#include "strutil.h"

namespace navforge {

std::string AddTrailingBackslash(const std::string& Path) {
  if (Path.empty()) return Path;
  char last = Path.back();
  if (last == '/' || last == '\\') return Path;
  return Path + "/";
}

bool DirectoryExists(const std::string& Path) {
  struct stat st;
  return !Path.empty() && ::stat(Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void ListDirectory(const std::string& Folder, std::vector<std::string>& List, bool NamesOnly) {
  const std::string base = AddTrailingBackslash(Folder);
  DIR* dir = ::opendir(base.empty() ? "." : base.c_str());
  if (!dir) return;
  while (const dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (!DirectoryExists(base + name)) continue;
    List.push_back(NamesOnly ? name : base + name);
  }
  ::closedir(dir);
}

std::string FindChildPath(const std::string& Folder, const std::string& Name) {
  const std::string exact = Folder + Name;
  struct stat st;
  if (Name.empty() || ::lstat(exact.c_str(), &st) == 0) return exact;
  DIR* dir = ::opendir(Folder.empty() ? "." : Folder.c_str());
  if (!dir) return exact;
  std::string found = exact;
  while (const dirent* e = ::readdir(dir)) {
    if (SameTextAscii(e->d_name, Name)) {
      found = Folder + e->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace navforge
