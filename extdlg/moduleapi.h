#pragma once
// The calling convention between the program and its two dialog modules, "about.dll"
// and "verctrl.dll" (shared libraries despite the name). Both sides include this file.
//
// Each module exports one C function. The application object travels as a pointer,
// each text as a pointer to a length-prefixed string: one length byte, then up to 255
// Windows-1252 bytes (no terminating zero needed). Nothing is returned.
#include <cstdint>
#include <string>
#include <string_view>

// Declared visible so that modules built with hidden visibility export exactly these.
#define NAVFORGE_MODULE_EXPORT __attribute__((visibility("default")))

extern "C" {

// Exported by "about.dll": the application object, the program text (product line), a
// text, the legal notice, a text, and an integer. The program passes the product line
// only; the other texts are empty and the integer is 0.
NAVFORGE_MODULE_EXPORT void showaboutdialog(void* application, const unsigned char* programText,
                                            const unsigned char* text2, const unsigned char* legalNotice,
                                            const unsigned char* text4, std::int32_t value);

// Exported by "verctrl.dll": the application object and four texts; the program passes
// the product key as the third.
NAVFORGE_MODULE_EXPORT void showvercontroldialog(void* application, const unsigned char* text1,
                                                 const unsigned char* text2, const unsigned char* productKey,
                                                 const unsigned char* text4);

}  // extern "C"

namespace navforge {

inline constexpr const char* kAboutModuleFile = "about.dll";
inline constexpr const char* kVersionModuleFile = "verctrl.dll";
inline constexpr const char* kAboutEntryName = "showaboutdialog";
inline constexpr const char* kVersionEntryName = "showvercontroldialog";

using TShowAboutDialog = decltype(&showaboutdialog);
using TShowVerControlDialog = decltype(&showvercontroldialog);

// A length-prefixed text: Bytes[0] is the length, Bytes[1..] the characters.
struct TShortString {
  unsigned char Bytes[256] = {};

  TShortString() = default;
  // Texts longer than 255 bytes are cut.
  explicit TShortString(std::string_view text) {
    std::size_t n = text.size() < 255 ? text.size() : 255;
    Bytes[0] = static_cast<unsigned char>(n);
    for (std::size_t i = 0; i < n; ++i) Bytes[i + 1] = static_cast<unsigned char>(text[i]);
  }
  const unsigned char* data() const { return Bytes; }
};

// The text a module received; the empty text for a null pointer.
inline std::string FromShortString(const unsigned char* s) {
  if (!s) return std::string();
  return std::string(reinterpret_cast<const char*>(s + 1), s[0]);
}

}  // namespace navforge
