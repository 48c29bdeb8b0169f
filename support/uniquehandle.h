#pragma once
// A handle of the system (a file descriptor, a directory stream, a loaded library)
// owned by one object: released on every path, moved but never copied.
#include <dirent.h>
#include <unistd.h>

#include <utility>

namespace navforge {

template <class Handle, Handle Invalid, auto Release>
class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Invalid);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  // Releases the handle now and tells whether that worked (a close can report a
  // failed write); the object is empty afterwards.
  bool Reset() { return handle_ == Invalid || Release(std::exchange(handle_, Invalid)) == 0; }

private:
  Handle handle_ = Invalid;
};

using UniqueFd = UniqueHandle<int, -1, ::close>;
using UniqueDir = UniqueHandle<DIR*, nullptr, ::closedir>;

}  // namespace navforge
