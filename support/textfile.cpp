#include "textfile.h"

#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "errors.h"
#include "tempfiles.h"
#include "sparetemp.h"
#include "uniquehandle.h"

namespace navforge {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text.substr(0, text.find('\0')), [&](TextLine line) { lines.emplace_back(line.Text); });
  return lines;
}

std::string NormalizeLines(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::string out;
  out.reserve(text.size() + 2);
  ForEachLine(text, [&](TextLine line) {
    out.append(line.Text);
    out += "\r\n";
  });
  return out;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string ReadWholeFile(const std::string& path) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
  const UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!file) throw EFOpenError(path);
  const int fd = file.Get();
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > kReadLimit)
    throw EFOpenError(path);
  std::string data;
  if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
  char buf[65536];
  while (true) {
    ssize_t got = ::read(fd, buf, sizeof buf);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw EFOpenError(path);
    }
    if (got == 0) break;
    data.append(buf, static_cast<std::size_t>(got));
    if (data.size() > kReadLimit) throw EFOpenError(path);  // grew while being read
  }
  return data;
}

std::vector<std::string> ReadTextLines(const std::string& path) { return SplitLines(ReadWholeFile(path)); }

namespace {

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Where a write to 'path' lands: the last file of a chain of symbolic links, also when
// that file does not exist yet (a dangling link creates its target).
std::string FollowLinks(const std::string& path) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat lst;
    if (::lstat(p.c_str(), &lst) != 0 || !S_ISLNK(lst.st_mode)) return p;
    std::vector<char> buf(static_cast<std::size_t>(lst.st_size > 0 ? lst.st_size : PATH_MAX) + 1);
    const ssize_t n = ::readlink(p.c_str(), buf.data(), buf.size());
    if (n < 0 || static_cast<std::size_t>(n) >= buf.size()) return p;
    std::string next(buf.data(), static_cast<std::size_t>(n));
    if (!next.empty() && next[0] != '/') next = DirectoryOf(p) + "/" + next;
    p = std::move(next);
  }
  return p;
}

// Writes into an existing file or device without replacing it.
void WriteInPlace(const std::string& path, const std::string& fsPath, std::string_view bytes, bool truncate,
                  bool durable) {
  // O_NONBLOCK: a FIFO nobody reads fails at once instead of blocking for ever.
  const int fd = ::open(fsPath.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK | (truncate ? O_TRUNC : 0));
  if (fd < 0) throw EFCreateError(path);
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  bool ok = WriteAll(fd, bytes) && (!durable || ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS);
  ok = ::close(fd) == 0 && ok;
  if (!ok) throw EWriteError(path);
}

}  // namespace

namespace {

// How a whole-file write goes, decided from what the path names now.
struct WriteWay {
  enum Kind { Replace, InPlace } kind = Replace;
  std::string target;  // the file written or replaced: symbolic links followed
  bool exists = false;
  bool truncate = true;  // InPlace: false for a device, FIFO or socket
  struct stat st {};     // of target, when it exists
};

WriteWay DecideWrite(const std::string& path) {
  if (path.empty() || path.back() == '/') throw EFCreateError(path);
  WriteWay way;
  struct stat& st = way.st;
  way.exists = ::lstat(path.c_str(), &st) == 0;
  // A name longer than the file system takes cannot be created (not a failed write).
  if (!way.exists && errno == ENAMETOOLONG) throw EFCreateError(path);
  const bool link = way.exists && S_ISLNK(st.st_mode);
  if (link) way.exists = ::stat(path.c_str(), &st) == 0;  // what it names; dangling: none
  if (way.exists && S_ISDIR(st.st_mode)) throw EFCreateError(path);
  if (way.exists && !S_ISREG(st.st_mode)) {
    // A device, FIFO or socket (also behind a link, such as /dev/stdout): written into.
    way.kind = WriteWay::InPlace;
    way.target = path;
    way.truncate = false;
    return way;
  }
  // A symbolic link stays; the file it names is what gets replaced.
  way.target = way.exists ? path : FollowLinks(path);
  if (!way.exists) return way;
  char resolved[PATH_MAX];
  if (link && ::realpath(path.c_str(), resolved)) way.target = resolved;
  // No write permission is a write-protected file, for root as well.
  if ((st.st_mode & 0222) == 0 || ::access(way.target.c_str(), W_OK) != 0) throw EFCreateError(path);
  // Replacing the file would split its hard links: rewrite it where it is.
  if (st.st_nlink > 1) way.kind = WriteWay::InPlace;
  return way;
}

// Writes a temporary beside the target and puts it in place of the target.
void ReplaceFile(const std::string& path, const WriteWay& way, std::string_view bytes, Durable durable,
                 SpareTemp* spare) {
  const std::string& target = way.target;
  const struct stat& st = way.st;
  const std::string dir = DirectoryOf(target);
  std::string tmp;
  // A spare is the file an earlier write replaced: it still holds that file's bytes,
  // owner and mode. A new file gets a new temporary, so it is the writer's as before.
  struct stat was {};
  int fd = spare && way.exists ? spare->Take(dir, tmp, was) : -1;
  const bool recycled = fd >= 0;
  if (!recycled) fd = CreateSaveTemp(dir, tmp);
  if (fd < 0) {
    // A folder that forbids new files may still let its existing files be written.
    if (way.exists && (errno == EACCES || errno == EPERM))
      return WriteInPlace(path, target, bytes, true, durable == Durable::Yes);
    throw EFCreateError(path);
  }
  mode_t mode;
  if (way.exists) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  bool chmod = !recycled || (was.st_mode & 07777) != mode;
  if (way.exists && (!recycled || was.st_uid != st.st_uid || was.st_gid != st.st_gid)) {
    // Keep the owner where permitted (root saving another user's file), else at least
    // the group; the mode is set after, since a change of owner clears set-id bits.
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
      [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
    }
    chmod = true;
  }
  // A recycled spare is overwritten and then cut to length: cheaper than freeing its
  // blocks first.
  const bool cut = recycled && static_cast<std::uint64_t>(was.st_size) > bytes.size();
  bool ok = WriteAll(fd, bytes) && (!cut || ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0) &&
            (!chmod || ::fchmod(fd, mode) == 0) && (durable == Durable::No || ::fsync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
  if (ok && way.exists && spare && spare->CanExchange(dir) && spare->Exchange(dir, tmp, target)) return;
  if (!ok || ::rename(tmp.c_str(), target.c_str()) != 0) {
    ::unlink(tmp.c_str());
    throw EWriteError(path);
  }
  if (durable == Durable::No) return;
  // Make the rename itself durable.
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
}

}  // namespace

void WriteWholeFile(const std::string& path, std::string_view bytes, Durable durable, SpareTemp* spare) {
  // Writes beyond a file-size limit must fail with EFBIG, not end the program.
  static const bool ignoreSizeSignal = (std::signal(SIGXFSZ, SIG_IGN), true);
  (void)ignoreSizeSignal;
  const WriteWay way = DecideWrite(path);
  if (way.kind == WriteWay::InPlace)
    WriteInPlace(path, way.target, bytes, way.truncate, way.truncate && durable == Durable::Yes);
  else
    ReplaceFile(path, way, bytes, durable, spare);
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
  WriteWholeFile(path, JoinLines(lines));
}

}  // namespace navforge
