#pragma once
// Makes writes beyond a file size fail (EFBIG) for as long as the object lives. Unlike
// a write-protected file or folder this also holds for root, so a failed save can be
// tested anywhere.
#include <csignal>
#include <cstddef>
#include <sys/resource.h>

namespace navforge::test {

class ScopedFileSizeLimit {
public:
  explicit ScopedFileSizeLimit(std::size_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~ScopedFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, handler_);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
  rlimit saved_{};
  void (*handler_)(int) = nullptr;
};

}  // namespace navforge::test
