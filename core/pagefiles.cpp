#include "core/pagefiles.h"

#include <sys/stat.h>

#include "support/fsname.h"
#include "support/paths.h"

namespace navforge {

std::string PageFile(const std::string& baseFolder, const std::string& pageName) {
  const std::string name = StoredPathToFs(pageName);
  if (name.empty() || name[0] == '/') return name;
  return baseFolder + name;
}

std::vector<std::string> MenuOwnFiles(const std::string& menuFile, const std::string& variablesFile) {
  std::vector<std::string> files;
  if (!menuFile.empty())
    for (const char* ext : {"", ".nfs", ".mmf", ".msf"})
      files.push_back(*ext ? ChangeFileExt(menuFile, ext) : menuFile);
  if (!variablesFile.empty()) files.push_back(variablesFile);
  return files;
}

std::optional<std::size_t> FirstPageOverOwnFile(const std::vector<std::string>& pageFiles,
                                                const std::vector<std::string>& ownFiles) {
  struct Id {
    dev_t dev;
    ino_t ino;
  };
  std::vector<Id> own;
  for (const std::string& f : ownFiles) {
    struct stat st;
    if (::stat(f.c_str(), &st) == 0) own.push_back({st.st_dev, st.st_ino});
  }
  if (own.empty()) return std::nullopt;
  for (std::size_t i = 0; i < pageFiles.size(); ++i) {
    struct stat st;
    if (::stat(pageFiles[i].c_str(), &st) != 0) continue;
    for (const Id& id : own)
      if (id.dev == st.st_dev && id.ino == st.st_ino) return i;
  }
  return std::nullopt;
}

}  // namespace navforge
