#include "paths.h"

#include <climits>
#include <unistd.h>

namespace navforge {
namespace {

std::size_t DirectoryLength(std::string_view path) {
  std::size_t p = path.find_last_of("/\\");
  if (p != std::string_view::npos) return p + 1;
  if (path.size() >= 2 && path[1] == ':') return 2;
  return 0;
}

}  // namespace

std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, DirectoryLength(path))); }

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(DirectoryLength(path))); }

std::string ExtractFileExt(std::string_view path) {
  std::size_t d = DirectoryLength(path);
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || dot < d) return std::string();
  return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  std::size_t d = DirectoryLength(path);
  std::size_t dot = path.find_last_of('.');
  std::string out(path);
  if (dot != std::string_view::npos && dot >= d) out.resize(dot);
  out += ext;
  return out;
}

std::string ProgramFile() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  return std::string(buf, static_cast<std::size_t>(n));
}

std::string ProgramFolder() { return ExtractFilePath(ProgramFile()); }

}  // namespace navforge
