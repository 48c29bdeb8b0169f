#include "import/sitelinks.h"

#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "core/locallink.h"
#include "support/fsname.h"
#include "support/strutil.h"

namespace navforge::import {
namespace {

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i)
    if (i == path.size() || path[i] == '/' || path[i] == '\\') {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  return parts;
}

}  // namespace

std::string AbsolutePath(std::string_view path) {
  std::string full;
  if (path.empty() || (path[0] != '/' && path[0] != '\\')) {
    std::error_code ec;
    full = FromFsName(std::filesystem::current_path(ec).string()) + "/";
  }
  full += path;
  std::vector<std::string_view> kept;
  for (std::string_view part : SplitPath(full)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::string out;
  for (std::string_view part : kept) (out += '/') += part;
  return out.empty() ? "/" : out;
}

std::string RelativeLink(std::string_view fromFolder, std::string_view toFile) {
  const std::vector<std::string_view> from = SplitPath(fromFolder), to = SplitPath(toFile);
  std::size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string link;
  for (std::size_t i = common; i < from.size(); ++i) link += "../";
  for (std::size_t i = common; i < to.size(); ++i) {
    if (i > common) link += '/';
    for (char c : to[i]) {
      if (c == '%') link += "%25";
      else if (c == '#') link += "%23";
      else if (c == '?') link += "%3F";
      else link += c;
    }
  }
  return link;
}

bool IsBelowFolder(std::string_view path, std::string_view folder) {
  if (!folder.empty() && folder.back() == '/') folder.remove_suffix(1);  // the root "/" too
  return path.size() > folder.size() + 1 && path.starts_with(folder) && path[folder.size()] == '/';
}

std::optional<std::string> LocalLinkTarget(std::string_view link, std::string_view pageFolder) {
  const std::optional<std::string> file = LocalLinkPath(link, StoredPathToFs(AbsolutePath(pageFolder)));
  if (!file) return std::nullopt;
  return FromFsName(*file);
}

bool LinkNamesMissingPage(std::string_view link, std::string_view pageFolder) {
  const std::optional<std::string> target = LocalLinkTarget(link, pageFolder);
  struct stat st;
  return target && ::stat(StoredPathToFs(*target).c_str(), &st) != 0;
}

}  // namespace navforge::import
