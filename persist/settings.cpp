#include "persist/settings.h"

#include <cstdio>
#include <iterator>

#include "persist/formatfields.h"
#include "support/errors.h"
#include "support/profile.h"
#include "support/strutil.h"

namespace navforge {
namespace {

struct NamedColor {
  const char* Name;
  std::uint32_t Value;
};

// The 16 basic colours, clNone, and the 25 system colours at 0x80000000 + position.
constexpr NamedColor kColors[] = {
    {"clBlack", 0x00000000},   {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},   {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},  {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},    {"clWhite", 0x00FFFFFF},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0x80000000}, {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002}, {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004}, {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006}, {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008}, {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A}, {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C}, {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E}, {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010}, {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012}, {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014}, {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016}, {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
};
static_assert(std::size(kColors) == 42);

constexpr const char* kSection = "Main";

// One key: read with its default, converted, stored at once, so a bad colour ends the
// load with the earlier fields already set.
void ReadField(const TProfileFile& f, std::string_view key, const FormatField& field, TMenuFormat& format) {
  SetFieldText(format, field, f.ReadString(kSection, key, DefaultFieldText(field)));
}

}  // namespace

std::string ColorToString(std::int32_t color) {
  const auto u = static_cast<std::uint32_t>(color);
  for (const NamedColor& c : kColors)
    if (c.Value == u) return c.Name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(u));
  return buf;
}

std::int32_t StringToColor(const std::string& text) {
  for (const NamedColor& c : kColors)
    if (SameTextAscii(text, c.Name)) return static_cast<std::int32_t>(c.Value);
  if (std::optional<std::int32_t> v = ParseInteger(text)) return *v;
  throw EConvertError(text);
}

void LoadSettings(TMenuFormat& format, const std::string& basePath, std::int32_t version) {
  if (version == 2) {
    const TProfileFile f = TProfileFile::Load(basePath + ".nfs");
    for (const FormatField& field : FormatFields) ReadField(f, field.Key, field, format);
  } else if (version == -1) {
    const TProfileFile f = TProfileFile::Load(basePath + ".msf");
    for (std::size_t i : LegacyReadOrder) ReadField(f, FormatFields[i].LegacyKey, FormatFields[i], format);
  }
}

void SaveSettings(const TMenuFormat& format, const std::string& path) {
  // All 18 keys go into one whole-file write, so a failed save leaves the old file.
  TProfileFile f = TProfileFile::LoadForUpdate(path);
  for (const FormatField& field : FormatFields) f.WriteString(kSection, field.Key, FieldText(format, field));
  f.Save(path);
}

}  // namespace navforge
