#include "core/pagefiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

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

bool IsForeignFile(const std::string& file) {
  // Without blocking, so a pipe with no writer cannot hold the run.
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  bool foreign = false;
  if (::fstat(fd, &st) == 0) {
    if (S_ISREG(st.st_mode)) {
      char head[1024];
      ssize_t got;
      do got = ::pread(fd, head, sizeof head, 0);
      while (got < 0 && errno == EINTR);
      if (got > 0) foreign = !std::memchr(head, '<', static_cast<std::size_t>(got)) ||
                             std::memchr(head, '\0', static_cast<std::size_t>(got));
    } else {
      foreign = !S_ISDIR(st.st_mode);
    }
  }
  ::close(fd);
  return foreign;
}

}  // namespace navforge
