// The document's template set: loaded into its fragment fields at every generation.
#include "core/menudocument.h"
#include "core/templateset.h"
#include "support/notifier.h"

namespace navforge {

TTemplateSet TovHTML::TemplateFields() const {
  TTemplateSet set;
  set.AllInOne = AllInOne;
  set.Header = Header;
  set.Footer = Footer;
  set.Menupoint = Menupoint;
  set.ActiveMenupoint = ActiveMenupoint;
  set.SubmenuPoint = SubmenuPoint;
  set.BetweenMenupoints = BetweenMenupoints;
  set.BetweenSubmenuPoints = BetweenSubmenuPoints;
  set.Utf8 = TemplateUtf8;
  set.Levels = TemplateLevels;
  set.Nests = TemplateNests;
  set.SubmenuGroupPoint = SubmenuGroupPoint;
  set.Includable = HoldsMarkers(set);
  return set;
}

void TovHTML::SetTemplateFields(TTemplateSet&& set) {
  AllInOne = set.AllInOne;
  Header = std::move(set.Header);
  Footer = std::move(set.Footer);
  Menupoint = std::move(set.Menupoint);
  ActiveMenupoint = std::move(set.ActiveMenupoint);
  SubmenuPoint = std::move(set.SubmenuPoint);
  BetweenMenupoints = std::move(set.BetweenMenupoints);
  BetweenSubmenuPoints = std::move(set.BetweenSubmenuPoints);
  TemplateUtf8 = set.Utf8;
  TemplateLevels = set.Levels;
  TemplateNests = set.Nests;
  SubmenuGroupPoint = std::move(set.SubmenuGroupPoint);
}

bool TovHTML::LoadTemplate() {
  std::string message;
  const std::optional<std::string> folder = FindTemplateSetFolder(TemplateRoot, Template, message, UserTemplateRoot);
  if (!folder) {
    ShowMessage(message);
    return false;
  }
  // A file error keeps what was read before it, as the fields read one by one would.
  TTemplateSet set = TemplateFields();
  try {
    ReadTemplateSetFiles(*folder, set);
  } catch (...) {
    SetTemplateFields(std::move(set));
    throw;
  }
  SetTemplateFields(std::move(set));
  return true;
}

std::string TovHTML::ReadFragment(const std::string& path) { return ReadFragmentFile(path); }

}  // namespace navforge
