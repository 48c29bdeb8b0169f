#include "persist/formatfields.h"

namespace navforge {

std::string FieldText(const TMenuFormat& format, const FormatField& field) {
  return field.Kind == FieldKind::Color ? ColorToString(format.*field.Color) : format.*field.Text;
}

void SetFieldText(TMenuFormat& format, const FormatField& field, const std::string& text) {
  if (field.Kind == FieldKind::Color)
    format.*field.Color = StringToColor(text);
  else
    format.*field.Text = text;
}

std::string DefaultFieldText(const FormatField& field) { return FieldText(TMenuFormat{}, field); }

}  // namespace navforge
