#include "textfile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "errors.h"
#include "fsname.h"
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
  return !path.empty() && ::stat(ToFsName(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string ReadWholeFile(const std::string& path) {
  const UniqueFd file(::open(ToFsName(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) throw EFOpenError(path);
  const int fd = file.Get();
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) throw EFOpenError(path);
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

}  // namespace

void WriteWholeFile(const std::string& path, std::string_view bytes, Durable durable) {
  if (path.empty() || path.back() == '/') throw EFCreateError(path);
  // Write through a symbolic link to the file it names.
  // From here on target is the file-system name.
  std::string target = ToFsName(path);
  struct stat lst;
  if (::lstat(target.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(target.c_str(), resolved)) target = resolved;
  }
  mode_t mode = 0666;
  struct stat st;
  bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists) {
    if (S_ISDIR(st.st_mode) || ::access(target.c_str(), W_OK) != 0) throw EFCreateError(path);
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  std::string dir = DirectoryOf(target);
  std::string tmpl = dir + "/.nf-write-XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) throw EFCreateError(path);
  std::string tmp(name.data());
  bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && (durable == Durable::No || ::fsync(fd) == 0);
  ok = (::close(fd) == 0) && ok;
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

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
  WriteWholeFile(path, JoinLines(lines));
}

}  // namespace navforge
