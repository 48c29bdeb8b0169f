#include "testsupport/randommenu.h"

namespace navforge::test {

std::string Random::MixCase(std::string s, int percent) {
  for (char& c : s)
    if (((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) && Chance(percent)) c = static_cast<char>(c ^ 0x20);
  return s;
}

MenuModel RandomMenu(Random& r, const MenuKnobs& k) {
  MenuModel m;
  for (int n = k.FewestEntries + r.Below(k.MostEntries - k.FewestEntries + 1); n > 0; --n) {
    ModelEntry e;
    if (!r.Chance(k.BlankPercent)) {
      e.Caption = k.Caption(r);
      e.Link = k.Link(r);
      e.Target = k.Target(r);
      e.Sub = r.Chance(k.SubPercent);
    }
    m.Items.push_back(e);
  }
  for (const FormatField& field : FormatFields) {
    if (field.Kind == FieldKind::Color && k.Colour) {
      m.Format.*field.Color = k.Colour(r);
    } else if (field.Kind == FieldKind::Text && k.Text) {
      if (std::optional<std::string> text = k.Text(r, field)) m.Format.*field.Text = *text;
    }
  }
  for (int n = k.FewestVars + r.Below(k.MostVars - k.FewestVars + 1); n > 0; --n) {
    std::string name = k.VarName(r);
    m.Vars.emplace_back(std::move(name), k.VarValue(r));
  }
  return m;
}

}  // namespace navforge::test
