#pragma once
// An advisory lock that makes the files of one save (menu, settings, variables) the
// work of one program at a time. It is taken on the folder of the menu file, so it
// leaves nothing behind; programs that do not take it are not held back.
#include <string>

namespace navforge {

class TSaveLock {
public:
  // Locks the folder of menuPath (a Windows-1252 path), waiting up to waitMs while
  // another program holds it; then throws EMenuInUse. A folder that cannot be opened
  // or locked (some network file systems) is saved without the lock.
  explicit TSaveLock(const std::string& menuPath, int waitMs = kSaveLockWaitMs);
  ~TSaveLock();
  TSaveLock(const TSaveLock&) = delete;
  TSaveLock& operator=(const TSaveLock&) = delete;

  static constexpr int kSaveLockWaitMs = 3000;

private:
  int fd_ = -1;
};

}  // namespace navforge
