#pragma once
// The encodings a page may come in, and the conversions the import needs: everything
// is turned into UTF-8 for the parser, and captions end up in Windows-1252.
#include <string>
#include <string_view>

namespace navforge::import {

enum class PageEncoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

bool IsValidUtf8(std::string_view bytes);

// The encoding named by a BOM at the start of bytes, and the BOM's length (0 without).
bool DetectBom(std::string_view bytes, PageEncoding& encoding, std::size_t& bomLength);

// An encoding label from <meta charset> or a Content-Type: UTF-8 or Windows-1252 (and
// the labels browsers read as Windows-1252); false for anything else.
bool EncodingFromLabel(std::string_view label, PageEncoding& encoding);

// bytes (without BOM) in the given encoding as UTF-8. Malformed input becomes U+FFFD.
std::string ToUtf8(std::string_view bytes, PageEncoding encoding);

// UTF-8 to Windows-1252; every character the code page lacks becomes "?" and sets
// lostCharacters. Invalid UTF-8 counts as lost characters too.
std::string Utf8ToCp1252Replacing(std::string_view utf8, bool& lostCharacters);

}  // namespace navforge::import
