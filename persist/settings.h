#pragma once
// The formatting values of a menu and the settings file (".nfs", INI section "Main",
// 18 keys) with the read-only legacy settings file (".msf").
#include <cstdint>
#include <string>

namespace navforge {

inline constexpr std::int32_t clNone = 0x1FFFFFFF;

// The document's formatting fields, in their declared order.
struct TMenuFormat {
  std::int32_t TextColor = clNone;
  std::int32_t BackgroundColor = clNone;
  std::int32_t LinkColor = clNone;
  std::int32_t ALinkColor = clNone;
  std::int32_t VLinkColor = clNone;
  std::int32_t HoverColor = clNone;
  std::int32_t FirstLetterColor = clNone;
  std::string Title;
  std::string Font;
  std::string FontSize;
  std::string SubmenuFont;
  std::string SubmenuFontSize;
  std::string SubmenuLeftMargin;
  std::string BackgroundImage;
  std::string Template;
  std::string Filename;
  std::string hr = "<hr>";
  std::string fileext;
};

// Colour text rule: one of the 42 names, else "$" and eight upper-case hex digits.
std::string ColorToString(std::int32_t color);
// Names case-insensitively, else an integer (decimal or $/x/0x hex);
// throws EConvertError ("'%s' is not a valid integer value") otherwise.
std::int32_t StringToColor(const std::string& text);

// Version 2: basePath + ".nfs"; version -1: basePath + ".msf" (legacy keys);
// other versions read nothing. A missing file gives the defaults.
void LoadSettings(TMenuFormat& format, const std::string& basePath, std::int32_t version);
// Writes the 18 keys into section "Main" of the file at path, keeping every other line.
void SaveSettings(const TMenuFormat& format, const std::string& path);

}  // namespace navforge
