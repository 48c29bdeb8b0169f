#include "import/ignorerules.h"

#include <fnmatch.h>

#include "import/pageencoding.h"
#include "support/fsname.h"
#include "support/cp1252.h"
#include "support/textfile.h"

namespace navforge::import {

IgnoreRules::IgnoreRules(std::string_view fileText) {
  for (std::string line : SplitLines(fileText)) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    Rule rule;
    if (line.back() == '/') {
      rule.foldersOnly = true;
      line.pop_back();
    }
    if (!line.empty() && line[0] == '/') {
      line.erase(0, 1);
      rule.hasSlash = true;
    }
    if (line.empty()) continue;
    rule.hasSlash = rule.hasSlash || line.find('/') != std::string::npos;
    rule.pattern = std::move(line);
    rules_.push_back(std::move(rule));
  }
}

IgnoreRules IgnoreRules::ForSite(const std::string& siteFolder) {
  const std::string path = StoredPathToFs(siteFolder + "/" + kIgnoreFileName);
  if (!FileExists(path)) return {};
  std::string text = ReadWholeFile(path);
  // Written on this system the file is most likely UTF-8; names inside are Windows-1252.
  std::string converted;
  if (IsValidUtf8(text) && Utf8ToCp1252(text, converted)) text = std::move(converted);
  return IgnoreRules(text);
}

bool IgnoreRules::Ignores(std::string_view relPath, bool isFolder) const {
  const std::string path(relPath);
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (const Rule& rule : rules_) {
    if (rule.foldersOnly && !isFolder) continue;
    const std::string& subject = rule.hasSlash ? path : name;
    if (::fnmatch(rule.pattern.c_str(), subject.c_str(), rule.hasSlash ? FNM_PATHNAME : 0) == 0) return true;
  }
  return false;
}

}  // namespace navforge::import
