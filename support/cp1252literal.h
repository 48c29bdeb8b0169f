#pragma once
// "Das Menütemplate "_cp1252: a program text written in UTF-8, as the sources are, and
// stored as the Windows-1252 std::string every text inside the program is, so a message
// reads (and greps) in the source as it reads on screen. The compiler converts it: a
// character Windows-1252 lacks, or malformed UTF-8, stops the build.
#include <cstddef>
#include <string>
#include <string_view>

#include "support/cp1252.h"

namespace navforge {

// With another execution character set the literals would not hold the UTF-8 the
// conversion reads.
static_assert(static_cast<unsigned char>("ü"[0]) == 0xC3 && static_cast<unsigned char>("ü"[1]) == 0xBC,
              "string literals must be UTF-8 (-fexec-charset=UTF-8)");

namespace cp1252literal {
// Not constexpr on purpose: calling it while converting a literal makes the compile
// fail, and the compiler's message names it.
inline void NotWindows1252OrMalformedUtf8() {}
}  // namespace cp1252literal

// The converted bytes of one literal (never more than its UTF-8 bytes); a structural
// type, so the literal operator can take it as its template argument.
template <std::size_t N>
struct Cp1252Literal {
  char bytes[N] = {};
  std::size_t size = 0;

  consteval Cp1252Literal(const char (&utf8)[N]) {
    const std::string_view text(utf8, N - 1);
    for (std::size_t at = 0; at < text.size();) {
      const int byte = NextUtf8AsCp1252(text, at);
      if (byte < 0) {
        cp1252literal::NotWindows1252OrMalformedUtf8();
        return;
      }
      bytes[size++] = static_cast<char>(byte);
    }
  }
};

template <Cp1252Literal Text>
constexpr std::string operator""_cp1252() {
  return std::string(Text.bytes, Text.size);
}

}  // namespace navforge
