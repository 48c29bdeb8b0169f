#include "check/locallink.h"

#include <cctype>

#include "support/cp1252.h"
#include "support/strutil.h"

namespace navforge::check {
namespace {

bool HasScheme(std::string_view link) {
  if (link.empty() || !std::isalpha(static_cast<unsigned char>(link[0]))) return false;
  for (char c : link.substr(1)) {
    if (c == ':') return true;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

}  // namespace

std::optional<std::string> LocalLinkFile(std::string_view link) {
  // Browsers drop leading and trailing blanks and control characters of an address.
  std::string s = TrimControl(link);
  for (char& c : s)
    if (c == '\\') c = '/';
  if (s.empty() || s[0] == '#' || s[0] == '/' || HasScheme(s)) return std::nullopt;
  s.resize(s.find_first_of("?#") == std::string::npos ? s.size() : s.find_first_of("?#"));
  if (s.empty()) return std::nullopt;  // "?x" names the page itself
  return PercentDecode(Cp1252ToUtf8(s));
}

}  // namespace navforge::check
