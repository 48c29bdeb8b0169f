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

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%" with two hexadecimal digits becomes that byte; any other "%" stays, as in a browser.
std::string PercentDecode(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
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
