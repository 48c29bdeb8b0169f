#include "import/pageencoding.h"

#include "support/cp1252.h"
#include "support/strutil.h"

namespace navforge::import {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at text[i]; advances i. Returns kReplacement and sets bad
// for a malformed, overlong or surrogate sequence (i then moves one byte).
char32_t NextCodePoint(std::string_view text, std::size_t& i, bool& bad) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  bad = false;
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  std::size_t len = 0;
  char32_t cp = 0, min = 0;
  if ((b0 & 0xE0) == 0xC0) len = 2, cp = b0 & 0x1F, min = 0x80;
  else if ((b0 & 0xF0) == 0xE0) len = 3, cp = b0 & 0x0F, min = 0x800;
  else if ((b0 & 0xF8) == 0xF0) len = 4, cp = b0 & 0x07, min = 0x10000;
  if (len == 0 || i + len > text.size()) {
    ++i;
    bad = true;
    return kReplacement;
  }
  for (std::size_t k = 1; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      bad = true;
      return kReplacement;
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    bad = true;
    return kReplacement;
  }
  i += len;
  return cp;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](std::size_t k) -> char32_t {
    const auto hi = static_cast<unsigned char>(bytes[bigEndian ? k : k + 1]);
    const auto lo = static_cast<unsigned char>(bytes[bigEndian ? k + 1 : k]);
    return (char32_t{hi} << 8) | lo;
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, cp >= 0xD800 && cp <= 0xDFFF ? kReplacement : cp);
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);  // an odd last byte
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  bool bad = false;
  for (std::size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    NextCodePoint(bytes, i, bad);
    if (bad) return false;
  }
  return true;
}

bool DetectBom(std::string_view bytes, PageEncoding& encoding, std::size_t& bomLength) {
  bomLength = 0;
  if (bytes.starts_with("\xEF\xBB\xBF")) encoding = PageEncoding::Utf8, bomLength = 3;
  else if (bytes.starts_with("\xFF\xFE")) encoding = PageEncoding::Utf16LE, bomLength = 2;
  else if (bytes.starts_with("\xFE\xFF")) encoding = PageEncoding::Utf16BE, bomLength = 2;
  return bomLength != 0;
}

bool EncodingFromLabel(std::string_view label, PageEncoding& encoding) {
  const std::string name = LowerAscii(TrimControl(label));
  if (name == "utf-8" || name == "utf8" || name == "unicode-1-1-utf-8") {
    encoding = PageEncoding::Utf8;
    return true;
  }
  // Browsers read all of these as Windows-1252.
  for (const char* l : {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1",
                        "latin1", "l1", "us-ascii", "ascii", "ansi_x3.4-1968", "iso-ir-100", "cp819"})
    if (name == l) {
      encoding = PageEncoding::Windows1252;
      return true;
    }
  return false;
}

std::string ToUtf8(std::string_view bytes, PageEncoding encoding) {
  switch (encoding) {
    case PageEncoding::Utf8:
      return std::string(bytes);  // the parser replaces malformed sequences itself
    case PageEncoding::Utf16LE:
      return Utf16ToUtf8(bytes, false);
    case PageEncoding::Utf16BE:
      return Utf16ToUtf8(bytes, true);
    case PageEncoding::Windows1252:
      break;
  }
  return Cp1252ToUtf8(bytes);
}

std::string Utf8ToCp1252Replacing(std::string_view utf8, bool& lostCharacters) {
  std::string out;
  out.reserve(utf8.size());
  bool bad = false;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i, bad);
    const int byte = bad ? -1 : UnicodeToCp1252(cp);
    if (byte < 0) {
      out += '?';
      lostCharacters = true;
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

}  // namespace navforge::import
