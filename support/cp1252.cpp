#include "cp1252.h"

#include <stdexcept>

namespace navforge {
void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (unsigned char c : text) AppendUtf8(out, Cp1252ToUnicode(c));
  return out;
}

bool Utf8ToCp1252(std::string_view s, std::string& out) {
  out.clear();
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const int b = NextUtf8AsCp1252(s, i);
    if (b < 0) return false;
    out += static_cast<char>(b);
  }
  return true;
}

std::string Utf8ToCp1252OrThrow(std::string_view utf8) {
  std::string out;
  if (!Utf8ToCp1252(utf8, out)) throw std::invalid_argument("text not representable in Windows-1252");
  return out;
}

std::string LowerCp1252(std::string_view text) {
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

}  // namespace navforge
