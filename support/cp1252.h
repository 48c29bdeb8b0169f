#pragma once
// Windows-1252 is the encoding of every text inside the program; UTF-8 exists only
// at the edges (terminal, window). The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls U+0081 ...,
// as Windows does, so every byte survives a round trip.
#include <cstddef>
#include <string>
#include <string_view>

namespace navforge {

// Code points of the bytes 0x80 to 0x9F; the other bytes are their own code points.
inline constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t Cp1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

// The Windows-1252 byte for a code point, or -1 when the code page has none.
constexpr int UnicodeToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == cp) return 0x80 + i;
  return -1;
}

// The Windows-1252 byte of the UTF-8 character at utf8[at], moving at past it; -1
// (at then unspecified) for malformed UTF-8 or a character the code page lacks.
// constexpr, so program texts can be converted by the compiler (cp1252literal.h).
constexpr int NextUtf8AsCp1252(std::string_view utf8, std::size_t& at) {
  const auto c = static_cast<unsigned char>(utf8[at]);
  const std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
  if (len == 0 || at + len > utf8.size()) return -1;
  char32_t cp = len == 1 ? c : c & (0x7F >> len);
  for (std::size_t k = 1; k < len; ++k) {
    const auto cc = static_cast<unsigned char>(utf8[at + k]);
    if ((cc & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (cc & 0x3F);
  }
  // Overlong forms are not valid UTF-8.
  if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000)) return -1;
  at += len;
  return UnicodeToCp1252(cp);
}

// Appends the UTF-8 bytes of a code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t cp);

std::string Cp1252ToUtf8(std::string_view text);
// Converts UTF-8 to Windows-1252. Returns false (and leaves out unspecified) when
// the input is not valid UTF-8 or holds a character the code page cannot hold.
bool Utf8ToCp1252(std::string_view utf8, std::string& out);
// Like Utf8ToCp1252, for input known to be representable (program texts); throws
// std::invalid_argument otherwise.
std::string Utf8ToCp1252OrThrow(std::string_view utf8);

// Lower case of Windows-1252: A-Z, the accented capitals, and the four capitals
// outside that block (Š Œ Ž Ÿ). Identifiers become file names, and the file systems
// the pages go to may treat these pairs as one name.
std::string LowerCp1252(std::string_view text);

}  // namespace navforge
