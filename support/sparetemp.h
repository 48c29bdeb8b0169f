#pragma once
// A temporary kept between the whole-file writes of one run (the pages of a
// generation). Replacing a file by exchanging it with the temporary, instead of
// renaming over it, leaves the old file behind under the temporary's name; writing the
// next file into that one means a run of replacements in a folder creates and deletes
// one file in all, not one per page. File systems pay dearly for each new file (ext4
// scans past every recently deleted inode when it creates one).
#include <sys/stat.h>

#include <string>

namespace navforge {

class SpareTemp {
public:
  // Swaps the files at two names in one step (renameat2 with RENAME_EXCHANGE); 0 or -1
  // with errno set. Tests put in one that fails as a file system without it does.
  using ExchangeNames = int (*)(const char* a, const char* b);
  static int SystemExchange(const char* a, const char* b);

  explicit SpareTemp(ExchangeNames exchange = SystemExchange) : exchange_(exchange) {}
  ~SpareTemp();  // the spare is removed
  SpareTemp(const SpareTemp&) = delete;
  SpareTemp& operator=(const SpareTemp&) = delete;

  // A descriptor of the spare, opened for writing, when there is one in the folder
  // 'dir' and no other descriptor has it open (a reader of the old page keeps reading
  // the old page: the spare is removed instead); its name goes to 'name' and what it is (size, owner, mode) to 'st'. -1
  // otherwise (a spare in another folder is removed). The spare is then the caller's,
  // to put in place or remove.
  int Take(const std::string& dir, std::string& name, struct stat& st);
  // Puts the written temporary 'tmp' in place of the existing file 'target', both in
  // the folder 'dir', in one atomic step and keeps the old file as the spare. False,
  // with errno set, where that failed: EINVAL and the like from a file system that
  // cannot exchange (remembered for its folder), ENOENT when either name is gone.
  bool Exchange(const std::string& dir, const std::string& tmp, const std::string& target);
  // Whether an exchange is worth trying in 'dir'.
  bool CanExchange(const std::string& dir) const { return dir != noExchangeDir_; }

private:
  void Remove();

  ExchangeNames exchange_;
  std::string dir_, name_;  // empty: no spare
  std::string noExchangeDir_;
};

}  // namespace navforge
