#include "check/casefold.h"

namespace navforge::check {

// A-Z, the accented capitals 0xC0-0xDE (but the multiplication sign), and the four
// capitals outside that block (Š Œ Ž Ÿ).
std::string FoldCaseCp1252(std::string_view text) {
  std::string s(text);
  for (char& ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
      ch = static_cast<char>(c + 0x20);
    else if (c == 0x8A || c == 0x8C || c == 0x8E)
      ch = static_cast<char>(c + 0x10);
    else if (c == 0x9F)
      ch = static_cast<char>(0xFF);
  }
  return s;
}

}  // namespace navforge::check
