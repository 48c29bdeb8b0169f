#include "folders.h"

#include <dirent.h>
#include <sys/stat.h>

#include "strutil.h"
#include "uniquehandle.h"

namespace navforge {

std::string AddTrailingBackslash(const std::string& path) {
  if (path.empty() || path.back() == '/' || path.back() == '\\') return path;
  return path + "/";
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void ListDirectory(const std::string& folder, std::vector<std::string>& list, bool namesOnly) {
  const std::string prefix = AddTrailingBackslash(folder);
  const UniqueDir dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return;
  while (const dirent* e = ::readdir(dir.Get())) {
    const std::string name = e->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (!DirectoryExists(prefix + name)) continue;
    list.push_back(namesOnly ? name : prefix + name);
  }
}

std::string FindChildPath(const std::string& folder, const std::string& name) {
  const std::string prefix = AddTrailingBackslash(folder);
  const std::string exact = prefix + name;
  struct stat st;
  if (name.empty() || ::lstat(exact.c_str(), &st) == 0) return exact;
  const UniqueDir dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return exact;
  std::string best;
  bool found = false;
  while (const dirent* e = ::readdir(dir.Get())) {
    const std::string entry = e->d_name;
    if (SameTextAscii(entry, name) && (!found || entry < best)) {
      best = entry;
      found = true;
    }
  }
  return found ? prefix + best : exact;
}

std::string FindFolderCaseless(const std::string& path) {
  if (path.empty() || DirectoryExists(path)) return path;
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::size_t slash = trimmed.find_last_of('/');
  if (slash == std::string::npos) return FindChildPath("", trimmed);
  return FindChildPath(trimmed.substr(0, slash + 1), trimmed.substr(slash + 1));
}

}  // namespace navforge
