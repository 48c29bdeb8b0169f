#pragma once
// The ".navforgeignore" file of a site folder: one glob per line naming files and
// folders the import passes over.
#include <string>
#include <string_view>
#include <vector>

namespace navforge::import {

inline constexpr const char* kIgnoreFileName = ".navforgeignore";

// Lines of the file: blank lines and lines starting with "#" say nothing. A pattern
// ("*", "?", "[...]" as in a shell) without "/" matches a name at any depth; one with
// "/" matches the path from the site folder ("/" at its start anchors it there); a
// trailing "/" makes it match folders only. A matched folder is skipped whole.
class IgnoreRules {
public:
  IgnoreRules() = default;
  explicit IgnoreRules(std::string_view fileText);
  // The rules of siteFolder's ignore file; none when it has none.
  static IgnoreRules ForSite(const std::string& siteFolder);

  // relPath: the path from the site folder with "/" between the parts.
  bool Ignores(std::string_view relPath, bool isFolder) const;

private:
  struct Rule {
    std::string pattern;
    bool hasSlash = false;
    bool foldersOnly = false;
  };
  std::vector<Rule> rules_;
};

}  // namespace navforge::import
