#pragma once
// A site page keeps its encoding when the menu is set in: the menu's text is converted
// to it, and a character the page's encoding lacks becomes a character reference.
#include <optional>
#include <string>
#include <string_view>

namespace navforge::apply {

enum class HostEncoding { Utf8, Windows1252 };

// The page's encoding: a UTF-8 byte order mark, else the <meta charset> or http-equiv
// Content-Type in its first 1,024 bytes, else UTF-8 when the bytes are valid UTF-8,
// else Windows-1252. Nothing for an encoding the page declares that is neither (UTF-16
// and the like), which the menu cannot be written into safely.
std::optional<HostEncoding> DetectHostEncoding(std::string_view page);

// text (UTF-8 when utf8, else Windows-1252) in the page's encoding, in place.
void ToHostEncoding(std::string& text, bool utf8, HostEncoding encoding);

}  // namespace navforge::apply
