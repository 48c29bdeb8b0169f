#include "sparetemp.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace navforge {

int SpareTemp::SystemExchange(const char* a, const char* b) {
  return ::renameat2(AT_FDCWD, a, AT_FDCWD, b, RENAME_EXCHANGE);
}

namespace {

// A reader that has the old page open (a web server, a backup) would otherwise read the
// next page's bytes as they are written into it. Linux grants a write lease only while
// no other descriptor has the file open, so the lease is the test; a file system
// without leases gets no recycling.
bool NoOneElseHasItOpen(const std::string& name) {
  const int probe = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK);
  if (probe < 0) return false;
  const bool alone = ::fcntl(probe, F_SETLEASE, F_WRLCK) == 0;
  if (alone) ::fcntl(probe, F_SETLEASE, F_UNLCK);
  ::close(probe);
  return alone;
}

}  // namespace

SpareTemp::~SpareTemp() { Remove(); }

void SpareTemp::Remove() {
  if (!name_.empty()) ::unlink(name_.c_str());
  name_.clear();
  dir_.clear();
}

int SpareTemp::Take(const std::string& dir, std::string& name, struct stat& st) {
  if (name_.empty()) return -1;
  if (dir != dir_ || !NoOneElseHasItOpen(name_)) {
    Remove();
    return -1;
  }
  const int fd = ::open(name_.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK);
  // Only the file we left there will do: one name, a plain file, and ours unless we
  // may give it any owner, so a page never passes to the owner of another.
  if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 ||
      (st.st_uid != ::geteuid() && ::geteuid() != 0)) {
    if (fd >= 0) ::close(fd);
    Remove();
    return -1;
  }
  name = std::move(name_);
  name_.clear();
  dir_.clear();
  return fd;
}

bool SpareTemp::Exchange(const std::string& dir, const std::string& tmp, const std::string& target) {
  if (exchange_(tmp.c_str(), target.c_str()) != 0) {
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EXDEV) noExchangeDir_ = dir;
    return false;
  }
  Remove();
  name_ = tmp;
  dir_ = dir;
  // The old file's time would make it look like a forgotten temporary to a write of
  // another process, which would remove it.
  ::utimensat(AT_FDCWD, name_.c_str(), nullptr, AT_SYMLINK_NOFOLLOW);
  return true;
}

}  // namespace navforge
