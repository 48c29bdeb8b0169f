#pragma once
// Windows-1252 is the encoding of every text inside the program; UTF-8 exists only
// at the edges (terminal, window). The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls U+0081 ...,
// as Windows does, so every byte survives a round trip.
#include <string>
#include <string_view>

namespace navforge {

char32_t Cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte for a code point, or -1 when the code page has none.
int UnicodeToCp1252(char32_t cp);

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
