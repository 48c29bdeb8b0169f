#include "folders.h"

#include <dirent.h>
#include <sys/stat.h>

#include "strutil.h"
#include "uniquehandle.h"

namespace navforge {

std::string AddTrailingBackslash(const std::string& Path) {
  if (Path.empty() || Path.back() == '/' || Path.back() == '\\') return Path;
  return Path + "/";
}

bool DirectoryExists(const std::string& Path) {
  struct stat st;
  return !Path.empty() && ::stat(Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void ListDirectory(const std::string& Folder, std::vector<std::string>& List, bool NamesOnly) {
  const std::string prefix = AddTrailingBackslash(Folder);
  const UniqueDir dir(::opendir(Folder.empty() ? "." : Folder.c_str()));
  if (!dir) return;
  while (const dirent* e = ::readdir(dir.Get())) {
    const std::string name = e->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (!DirectoryExists(prefix + name)) continue;
    List.push_back(NamesOnly ? name : prefix + name);
  }
}

std::string FindChildPath(const std::string& Folder, const std::string& Name) {
  const std::string prefix = AddTrailingBackslash(Folder);
  const std::string exact = prefix + Name;
  struct stat st;
  if (Name.empty() || ::lstat(exact.c_str(), &st) == 0) return exact;
  const UniqueDir dir(::opendir(Folder.empty() ? "." : Folder.c_str()));
  if (!dir) return exact;
  std::string best;
  bool found = false;
  while (const dirent* e = ::readdir(dir.Get())) {
    const std::string name = e->d_name;
    if (SameTextAscii(name, Name) && (!found || name < best)) {
      best = name;
      found = true;
    }
  }
  return found ? prefix + best : exact;
}

std::string FindFolderCaseless(const std::string& Path) {
  if (Path.empty() || DirectoryExists(Path)) return Path;
  std::string trimmed = Path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::size_t slash = trimmed.find_last_of('/');
  if (slash == std::string::npos) return FindChildPath("", trimmed);
  return FindChildPath(trimmed.substr(0, slash + 1), trimmed.substr(slash + 1));
}

}  // namespace navforge
