#include "core/locallink.h"

#include <filesystem>

#include "support/cp1252.h"
#include "support/strutil.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;

// "name:" at the start of a link: a letter, then letters, digits, "+", "-" or ".".
bool HasScheme(std::string_view link) {
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (link.empty() || !letter(link[0])) return false;
  for (char c : link.substr(1)) {
    if (c == ':') return true;
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

}  // namespace

std::string LinkWithVariables(const std::string& link, const TParseList& variables) {
  std::string filled = link;
  if (filled.find('$') != std::string::npos)
    for (const TVarItem& v : variables.Vars) ReplaceAll(filled, "$" + v.Name + "$", v.Value, false);
  return filled;
}

std::optional<std::string> LocalLinkFile(std::string_view link) {
  // Browsers drop leading and trailing blanks and control characters of an address,
  // and tabs and line breaks anywhere in it.
  std::string s = TrimControl(link);
  std::erase_if(s, [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
  for (char& c : s)
    if (c == '\\') c = '/';
  if (s.empty() || s[0] == '#' || s[0] == '/' || HasScheme(s)) return std::nullopt;
  s.resize(std::min(s.size(), s.find_first_of("?#")));
  if (s.empty()) return std::nullopt;  // "?x" names the page itself
  return PercentDecode(Cp1252ToUtf8(s));
}

std::optional<std::string> IndexPageIn(const std::string& folder) {
  std::error_code ec;
  for (std::string_view name : kIndexPageNames) {
    const fs::path page = fs::path(folder) / name;
    if (fs::is_regular_file(page, ec)) return page.string();
  }
  return std::nullopt;
}

std::optional<std::string> LocalLinkPath(std::string_view link, std::string_view pageFolder) {
  const std::optional<std::string> file = LocalLinkFile(link);
  if (!file) return std::nullopt;
  fs::path path = (fs::path(pageFolder) / *file).lexically_normal();
  if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) path = path.parent_path();
  std::error_code ec;
  if (fs::is_directory(path, ec))
    if (std::optional<std::string> index = IndexPageIn(path.string())) return index;
  return path.string();
}

}  // namespace navforge
