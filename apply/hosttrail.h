#pragma once
// The trail from the top of the menu to a page of the site ("Produkte › Möbel ›
// Regale"), set between the page's second pair of markers: a nav of its own with an
// ordered list, the last step the page itself. A set words it with PathHeader,
// PathPoint, PathCurrentPoint and PathFooter ("$Linkname$", "$Link$", "$Level$" and the
// page's values); without them a plain list with "›" between the steps.
#include <string>

#include "apply/hostmenu.h"
#include "core/entryrenderer.h"
#include "core/menudocument.h"
#include "core/pagefiller.h"
#include "core/pageplan.h"
#include "core/templateset.h"

namespace navforge::apply {

class HostTrail {
public:
  // doc and set must outlive the trail.
  HostTrail(const TovHTML& doc, const TTemplateSet& set);

  // Appends to text the trail for a page of that form whose entry is current; nothing
  // for a page no entry names (-1).
  void For(int current, const HostForm& form, std::string& text) const;

private:
  std::string Step(int entry, const std::string& fragment) const;

  const TovHTML& doc_;
  const TTemplateSet& set_;
  PagePlan plan_;
  EntryRenderer renderer_;
  PageFiller filler_;
};

}  // namespace navforge::apply
