#pragma once
// String and field routines on Windows-1252 texts. None of them keeps state.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace navforge {

// The field separator of the program's line files, byte 0xB6 (the pilcrow).
inline constexpr char kFieldSeparator = '\xB6';
inline constexpr const char* kFieldSeparatorEscape = "&para;";

// Replaces every occurrence of pattern in text by replacement and searches again
// from the first character of the changed text after every replacement, so text that
// a replacement forms together with its neighbours is matched as well (CR LF CR LF ->
// CR LF collapses any run of line breaks). Without caseSensitive only A-Z and a-z are
// folded onto each other. An empty pattern or text never matches.
//
// The rescan is done in one pass over the text: after a replacement at position p no
// occurrence can start before p - length(pattern) + 1, so reading goes on from the
// replacement with the partial match of the text before it.
//
// Where rescanning would never end, the routine ends as follows:
//  - replacement holds pattern itself (under the chosen comparison): every replacement
//    re-creates an occurrence, so the rescan is infinite as soon as anything matches.
//    Then each occurrence of the original text is replaced once, scanning on behind
//    each inserted replacement; inserted text is not searched again.
//  - Otherwise a replacement no shorter than pattern that keeps re-forming pattern
//    with its neighbours can rescan for ever. Such re-formed occurrences are counted
//    (length(replacement) + length(pattern) bytes each); once they pass
//    4 * length(text) + kReplaceAllWorkLimit, the rest of the text is left as it stands.
// Within that bound every result is exactly the rescanning one, and the time taken is
// linear in the text, the output and the bound. A shorter replacement shrinks the text
// with every step, so it always ends with the exact result.
//
// work, when given, is increased by the re-formed occurrences' count above (past the
// bound when the routine stopped there): texts filled one by one whose works add up to
// no more than kReplaceAllWorkLimit were each filled exactly as their joined text would be.
void ReplaceAll(std::string& text, std::string_view pattern, std::string_view replacement,
                bool caseSensitive, std::size_t* work = nullptr);
inline constexpr std::size_t kReplaceAllWorkLimit = std::size_t{1} << 20;  // 1 MiB

// The fieldNumber-th field (from 1) of text split at separator; empty when text has
// fewer fields, and for fieldNumber 0.
std::string GetField(std::string_view text, char separator, std::uint8_t fieldNumber);

std::string BoolToText(bool value);        // "1" / "0"
bool TextToBool(std::string_view text);    // true exactly for "1"
std::string EscapeField(std::string text);    // 0xB6 -> "&para;"
std::string UnescapeField(std::string text);  // "&para;" in any letter case -> 0xB6

// A-Z <-> a-z only; every other byte stays.
char LowerAscii(char c);
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
// Whether pattern occurs in text, ASCII letters compared without regard to case, as
// ReplaceAll(..., false) finds it.
bool ContainsTextAscii(std::string_view text, std::string_view pattern);
// How often pattern occurs in text, side by side without overlap, compared as above.
std::size_t CountTextAscii(std::string_view text, std::string_view pattern);

// Removes every character with a code from 0 to 32 from both ends.
std::string TrimControl(std::string_view text);
// Removes blanks and tabs from both ends (profile and registry lines).
std::string_view TrimBlanks(std::string_view text);

// Reads a whole number: leading blanks skipped, then decimal digits with an optional
// "+" or "-" (32-bit signed range), or hexadecimal digits after "$", "x", "X", "0x"
// or "0X" (any 32 bits). Nothing may follow. Empty optional when the text is not
// such a number.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// "%" with two hexadecimal digits becomes that byte; any other "%" stays, as in a browser.
std::string PercentDecode(std::string_view text);

}  // namespace navforge
