#include "tempfiles.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace navforge {
namespace {

constexpr std::string_view kPrefix = ".navforge-";
constexpr std::string_view kSuffix = ".tmp";

// The process id in a name of ours (".navforge-<pid>-XXXXXX.tmp"), or 0 for any other name.
pid_t OwnerOf(std::string_view name) {
  if (name.size() < kPrefix.size() + 1 + 1 + 6 + kSuffix.size() || name.substr(0, kPrefix.size()) != kPrefix ||
      name.substr(name.size() - kSuffix.size()) != kSuffix)
    return 0;
  name.remove_prefix(kPrefix.size());
  name.remove_suffix(kSuffix.size());
  if (name.size() < 8 || name[name.size() - 7] != '-') return 0;
  const std::string_view digits = name.substr(0, name.size() - 7);
  long pid = 0;
  for (char c : digits) {
    if (c < '0' || c > '9' || pid > 10000000) return 0;
    pid = pid * 10 + (c - '0');
  }
  return static_cast<pid_t>(pid);
}

bool ProcessGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Earlier versions named their temporaries ".nf-write-XXXXXX", without the process.
bool EarlierName(std::string_view name) { return name.size() == 16 && name.substr(0, 10) == ".nf-write-"; }

}  // namespace

int RemoveStaleSaveTemps(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return 0;
  const std::time_t now = std::time(nullptr);
  int removed = 0;
  while (const dirent* e = ::readdir(d)) {
    const pid_t owner = OwnerOf(e->d_name);
    if (owner <= 0 && !EarlierName(e->d_name)) continue;
    const std::string path = dir + "/" + e->d_name;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
    const bool old = now - st.st_mtime > kStaleTempAge;
    if ((old || (owner > 0 && owner != ::getpid() && ProcessGone(owner))) && ::unlink(path.c_str()) == 0) ++removed;
  }
  ::closedir(d);
  return removed;
}

int CreateSaveTemp(const std::string& dir, std::string& name) {
  // Once per folder and kStaleTempAge: a generation writes many pages into one folder.
  static std::mutex mutex;
  static std::map<std::string, std::time_t> cleaned;
  {
    const std::time_t now = std::time(nullptr);
    std::lock_guard<std::mutex> lock(mutex);
    auto [it, fresh] = cleaned.try_emplace(dir, now);
    if (fresh || now - it->second > kStaleTempAge) {
      it->second = now;
      RemoveStaleSaveTemps(dir);
    }
  }
  std::string tmpl = dir + "/" + std::string(kPrefix) + std::to_string(::getpid()) + "-XXXXXX" + std::string(kSuffix);
  const int fd = ::mkostemps(tmpl.data(), static_cast<int>(kSuffix.size()), O_CLOEXEC);
  if (fd >= 0) name = tmpl;
  return fd;
}

}  // namespace navforge
