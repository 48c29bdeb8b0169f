#pragma once
// The 18 formatting fields of a menu, declared once: the settings file's key, the legacy
// settings file's key and the document member. Loading, saving, the window's formatting
// page and navforge-cli's "show" all walk this table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "persist/settings.h"

namespace navforge {

enum class FieldKind { Text, Color };

// Exactly one of Text and Color is set, as Kind says. LegacyKey is empty for the fields
// the legacy settings file does not hold.
struct FormatField {
  std::string_view Key;
  std::string_view LegacyKey;
  FieldKind Kind;
  std::string TMenuFormat::* Text;
  std::int32_t TMenuFormat::* Color;
};

// In the order the settings file is written and read.
inline constexpr std::array<FormatField, 18> FormatFields = {{
    {"TextColor", "panel1", FieldKind::Color, nullptr, &TMenuFormat::TextColor},
    {"BackgroundColor", "panel2", FieldKind::Color, nullptr, &TMenuFormat::BackgroundColor},
    {"LinkColor", "panel3", FieldKind::Color, nullptr, &TMenuFormat::LinkColor},
    {"ALinkColor", "panel5", FieldKind::Color, nullptr, &TMenuFormat::ALinkColor},
    {"VLinkColor", "panel4", FieldKind::Color, nullptr, &TMenuFormat::VLinkColor},
    {"HoverColor", "panel6", FieldKind::Color, nullptr, &TMenuFormat::HoverColor},
    {"FirstLetterColor", "panel7", FieldKind::Color, nullptr, &TMenuFormat::FirstLetterColor},
    {"Title", "titlename", FieldKind::Text, &TMenuFormat::Title, nullptr},
    {"Font", "cbfont", FieldKind::Text, &TMenuFormat::Font, nullptr},
    {"FontSize", "fontsize", FieldKind::Text, &TMenuFormat::FontSize, nullptr},
    {"SubmenuFont", "cbfont2", FieldKind::Text, &TMenuFormat::SubmenuFont, nullptr},
    {"SubmenuFontSize", "", FieldKind::Text, &TMenuFormat::SubmenuFontSize, nullptr},
    {"SubmenuLeftMargin", "leftmar", FieldKind::Text, &TMenuFormat::SubmenuLeftMargin, nullptr},
    {"BackgroundImage", "picfile", FieldKind::Text, &TMenuFormat::BackgroundImage, nullptr},
    {"Template", "", FieldKind::Text, &TMenuFormat::Template, nullptr},
    {"Filename", "filename", FieldKind::Text, &TMenuFormat::Filename, nullptr},
    {"hr", "", FieldKind::Text, &TMenuFormat::hr, nullptr},
    {"fileext", "", FieldKind::Text, &TMenuFormat::fileext, nullptr},
}};

// The legacy file is read colour by colour in the numbering of its keys, which is the
// window's swatch order ("panel4", the visited-link colour, before "panel5"), then its
// texts in table order. Holds positions in FormatFields.
constexpr std::size_t LegacyFieldCount() {
  std::size_t count = 0;
  for (const FormatField& f : FormatFields) count += f.LegacyKey.empty() ? 0 : 1;
  return count;
}
constexpr std::array<std::size_t, LegacyFieldCount()> MakeLegacyReadOrder() {
  std::array<std::size_t, LegacyFieldCount()> order{};
  std::size_t n = 0;
  for (std::size_t i = 0; i < FormatFields.size(); ++i) {
    const FormatField& f = FormatFields[i];
    if (f.LegacyKey.empty()) continue;
    // Insertion: a colour goes before every text and every colour with a later key.
    std::size_t at = n;
    while (at > 0 && f.Kind == FieldKind::Color) {
      const FormatField& before = FormatFields[order[at - 1]];
      if (before.Kind == FieldKind::Color && !(f.LegacyKey < before.LegacyKey)) break;
      order[at] = order[at - 1];
      --at;
    }
    order[at] = i;
    ++n;
  }
  return order;
}
inline constexpr auto LegacyReadOrder = MakeLegacyReadOrder();
static_assert(FormatFields[LegacyReadOrder[3]].LegacyKey == "panel4" &&
              FormatFields[LegacyReadOrder[7]].LegacyKey == "titlename");

// The field's value as the settings file holds it (colours by the colour text rule).
std::string FieldText(const TMenuFormat& format, const FormatField& field);
// Stores a value read from a settings file; a colour that is neither a name nor an
// integer throws EConvertError and leaves the field as it was.
void SetFieldText(TMenuFormat& format, const FormatField& field, const std::string& text);
// The value a settings file gives when the key is missing: the field's initial value.
std::string DefaultFieldText(const FormatField& field);

}  // namespace navforge
