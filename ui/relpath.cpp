#include "ui/relpath.h"

#include <cstddef>
#include <string_view>
#include <vector>

#include "support/strutil.h"

namespace navforge {
namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

// Up to and including the last separator; with none, a drive "X:" alone. Elsewhere
// ":" is part of a name ("/home/u/a:b.htm" lies in "/home/u/").
std::string_view FolderPart(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i)
    if (IsSep(path[i - 1])) return path.substr(0, i);
  return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string_view();
}

std::string_view DrivePart(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) {
    // Server name, then share name: the part ends before the separator after the share.
    std::size_t server_end = 2;
    while (server_end < path.size() && !IsSep(path[server_end])) ++server_end;
    std::size_t share_end = server_end < path.size() ? server_end + 1 : server_end;
    while (share_end < path.size() && !IsSep(path[share_end])) ++share_end;
    return path.substr(0, share_end);
  }
  return {};
}

// The pieces between two separators; what stands before the first and after the
// last separator is no folder name.
std::vector<std::string_view> FolderNames(std::string_view folder) {
  std::vector<std::string_view> names;
  std::size_t start = std::string_view::npos;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    if (!IsSep(folder[i])) continue;
    if (start != std::string_view::npos) names.push_back(folder.substr(start, i - start));
    start = i + 1;
  }
  return names;
}

bool Rooted(std::string_view pathAfterDrive) { return !pathAfterDrive.empty() && IsSep(pathAfterDrive[0]); }

}  // namespace

std::string MakeRelativePath(const std::string& baseFolder, const std::string& filePath) {
  std::string_view base = baseFolder;
  std::string_view file = filePath;
  std::string_view base_drive = DrivePart(base);
  std::string_view file_drive = DrivePart(file);
  if (!SameTextAscii(base_drive, file_drive)) return filePath;

  std::string_view base_rest = FolderPart(base).substr(base_drive.size());
  std::string_view file_folder = FolderPart(file);
  std::string_view file_rest = file_folder.substr(file_drive.size());
  // "/srv/a.htm" seen from "menu/": counting names would drop the root.
  bool mixed_roots = base_rest.empty() ? base_drive.empty() && Rooted(file_rest)
                                       : Rooted(base_rest) != Rooted(file_rest);
  if (mixed_roots) return filePath;

  std::vector<std::string_view> base_names = FolderNames(base_rest);
  std::vector<std::string_view> file_names = FolderNames(file_rest);
  std::size_t n = 0;
  while (n < base_names.size() && n < file_names.size() && SameTextAscii(base_names[n], file_names[n])) ++n;

  std::string result;
  for (std::size_t i = n; i < base_names.size(); ++i) result += "..\\";
  for (std::size_t i = n; i < file_names.size(); ++i) {
    result += file_names[i];
    result += '\\';
  }
  result += file.substr(file_folder.size());
  return result;
}

}  // namespace navforge
