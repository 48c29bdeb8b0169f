#pragma once
// The menu as it stands inside a page of the site: the set's page rendered for that
// page (entries with their own links, the page's entry current, its group open) and
// cut to the part between the markers. Parts that do not depend on the page are made
// once, so a site of thousands of pages costs little more than its bytes.
#include <optional>
#include <string>
#include <vector>

#include "core/entryrenderer.h"
#include "core/menudocument.h"
#include "core/pagefiller.h"
#include "core/pageplan.h"
#include "core/templateset.h"

namespace navforge::apply {

class HostMenu {
public:
  // doc and set must outlive the menu; set must be include-ready.
  HostMenu(const TovHTML& doc, const TTemplateSet& set);
  HostMenu(const HostMenu&) = delete;
  HostMenu& operator=(const HostMenu&) = delete;

  // The text between the markers for a page whose entry is current (-1: none), in the
  // set's encoding (UTF-8 for a UTF-8 set, else Windows-1252); nothing when the filled
  // page does not hold the markers once each (a value holding one). Throws what a page
  // of the generation would throw (a page grown too large).
  std::optional<std::string> For(int current);

private:
  using Part = PageFiller::Part;
  // The main entry whose group holds entry index (a leading sub-entry stands alone).
  int GroupOf(int index) const;
  const Part& Cached(std::vector<std::optional<Part>>& cache, int active, int ordinal, int entry);

  const TovHTML& doc_;
  const TTemplateSet& set_;
  PagePlan plan_;
  HostPage host_;
  EntryRenderer renderer_;
  PageFiller filler_;
  Part header_, footer_;
  std::vector<std::optional<Part>> plain_, active_;  // per entry, with nothing current
};

}  // namespace navforge::apply
