#include "core/locallink.h"

#include "support/cp1252.h"
#include "support/strutil.h"

namespace navforge {
namespace {

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
  // Browsers drop leading and trailing blanks and control characters of an address.
  std::string s = TrimControl(link);
  for (char& c : s)
    if (c == '\\') c = '/';
  if (s.empty() || s[0] == '#' || s[0] == '/' || HasScheme(s)) return std::nullopt;
  s.resize(std::min(s.size(), s.find_first_of("?#")));
  if (s.empty()) return std::nullopt;  // "?x" names the page itself
  return PercentDecode(Cp1252ToUtf8(s));
}

}  // namespace navforge
