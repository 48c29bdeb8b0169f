#include "savelock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "errors.h"

namespace navforge {

TSaveLock::TSaveLock(const std::string& menuPath, int waitMs) {
  const std::string& path = menuPath;
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  fd_ = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
    if (std::chrono::steady_clock::now() >= until) {
      ::close(fd_);
      fd_ = -1;
      throw EMenuInUse(menuPath);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

TSaveLock::~TSaveLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace navforge
