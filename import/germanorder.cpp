#include "import/germanorder.h"

#include <array>
#include <string>

namespace navforge::import {
namespace {

// The base letters of the Windows-1252 letters from 0x80 on; "" for a byte that is
// no letter, which then sorts by itself.
constexpr std::array<const char*, 128> kHighBase = [] {
  std::array<const char*, 128> t{};
  for (auto& e : t) e = "";
  const auto set = [&t](unsigned char byte, const char* base) { t[byte - 0x80] = base; };
  set(0x8A, "s"); set(0x9A, "s"); set(0x8C, "oe"); set(0x9C, "oe"); set(0x8E, "z"); set(0x9E, "z");
  set(0x9F, "y"); set(0xDF, "ss"); set(0xFF, "y");
  for (unsigned char upper = 0xC0; upper <= 0xDE; ++upper) {
    const char* base = "";
    if (upper <= 0xC5) base = "a";
    else if (upper == 0xC6) base = "ae";
    else if (upper == 0xC7) base = "c";
    else if (upper <= 0xCB) base = "e";
    else if (upper <= 0xCF) base = "i";
    else if (upper == 0xD0) base = "d";
    else if (upper == 0xD1) base = "n";
    else if (upper <= 0xD6 || upper == 0xD8) base = "o";
    else if (upper <= 0xDC && upper != 0xD7) base = "u";
    else if (upper == 0xDD) base = "y";
    else if (upper == 0xDE) base = "th";
    set(upper, base);
    set(static_cast<unsigned char>(upper + 0x20), base);  // the small letter
  }
  return t;
}();

unsigned char LowerByte(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);
  if (c == 0x9F) return 0xFF;
  return c;
}

// The text with every letter replaced by its small base letter(s).
std::string PrimaryKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80 && *kHighBase[c - 0x80]) key += kHighBase[c - 0x80];
    else key += static_cast<char>(LowerByte(c));
  }
  return key;
}

// The text in small letters, accents kept: plain letters (below 0x80) sort before
// accented ones.
std::string SecondaryKey(std::string_view text) {
  std::string key(text);
  for (char& c : key) c = static_cast<char>(LowerByte(static_cast<unsigned char>(c)));
  return key;
}

int Compare(const std::string& a, const std::string& b) { return a < b ? -1 : (b < a ? 1 : 0); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Byte order, except that runs of digits compare as the numbers they spell: "2." before
// "10.". Numbers of equal value written with different leading zeros compare equal here.
int CompareNatural(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      while (i + 1 < a.size() && a[i] == '0' && IsDigit(a[i + 1])) ++i;
      while (j + 1 < b.size() && b[j] == '0' && IsDigit(b[j + 1])) ++j;
      std::size_t ei = i, ej = j;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      // Without leading zeros, the longer run is the larger number.
      if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;
      if (int c = a.compare(i, ei - i, b, j, ej - j)) return c < 0 ? -1 : 1;
      i = ei;
      j = ej;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  return j < b.size() ? -1 : 0;
}

}  // namespace

int CompareGerman(std::string_view a, std::string_view b) {
  if (int c = CompareNatural(PrimaryKey(a), PrimaryKey(b))) return c;
  if (int c = Compare(SecondaryKey(a), SecondaryKey(b))) return c;
  // Small letters before capitals: invert the byte order of the case difference.
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) {
      const bool aSmall = LowerByte(static_cast<unsigned char>(a[i])) == static_cast<unsigned char>(a[i]);
      const bool bSmall = LowerByte(static_cast<unsigned char>(b[i])) == static_cast<unsigned char>(b[i]);
      if (aSmall != bSmall) return aSmall ? -1 : 1;
      return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    }
  return Compare(std::string(a), std::string(b));
}

std::optional<std::uint64_t> LeadingNumber(std::string_view fileName) {
  if (fileName.empty() || fileName[0] < '0' || fileName[0] > '9') return std::nullopt;
  constexpr std::uint64_t kMax = ~std::uint64_t{0};
  std::uint64_t n = 0;
  for (char c : fileName) {
    if (c < '0' || c > '9') break;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    n = n > (kMax - digit) / 10 ? kMax : n * 10 + digit;
  }
  return n;
}

}  // namespace navforge::import
