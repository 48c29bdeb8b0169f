#include "core/pageassembler.h"

#include <algorithm>

namespace navforge {

PageAssembler::PageAssembler(const TovHTML& Doc, const TTemplateSet& Set, const PagePlan& Plan)
    : doc_(Doc), plan_(Plan), renderer_(Doc, Set, Plan), filler_(Doc, renderer_) {
  std::string header = Set.Header;
  filler_.FillFixed(header);
  header_ = filler_.MakePart(header + "\r\n");
  std::string footer = Set.Footer;
  filler_.FillFixed(footer);
  footer_ = filler_.MakePart(footer + "\r\n");
}

// Every page holds the whole menu; each entry is rendered once per form and reused.
const PageAssembler::Part& PageAssembler::MainItem(int Active, int Ordinal, int EntryIndex, int Count) {
  if (Count != cachedCount_) {
    cachePlain_.assign(doc_.Items.size(), std::nullopt);
    cacheActive_.assign(doc_.Items.size(), std::nullopt);
    cachedCount_ = Count;
  }
  const auto i = static_cast<std::size_t>(EntryIndex);
  const bool active = Active == -1 ? doc_.HasSubItems(EntryIndex) : Active == Ordinal;
  std::optional<Part>& slot = active ? cacheActive_[i] : cachePlain_[i];
  if (!slot) {
    // Any Active value that selects the wanted form renders the same text.
    std::string text = renderer_.RenderMainItem(active ? Ordinal : 0, Ordinal, EntryIndex, Count);
    filler_.FillFixed(text);
    slot = filler_.MakePart(text + "\r\n");
  }
  return *slot;
}

std::vector<const PageAssembler::Part*> PageAssembler::Parts(int Active, int Count) {
  std::vector<const Part*> parts;
  parts.reserve(static_cast<std::size_t>(std::max(Count, 0)) + 2);
  parts.push_back(&header_);
  int EntryIndex = 0;
  for (int Ordinal = 1; Ordinal <= Count; ++Ordinal) {
    parts.push_back(&MainItem(Active, Ordinal, EntryIndex, Count));
    EntryIndex = plan_.NextRendered[static_cast<std::size_t>(EntryIndex)];
  }
  parts.push_back(&footer_);
  return parts;
}

std::string PageAssembler::JoinedPage(int Active, int Count) {
  std::string joined;
  for (const Part* p : Parts(Active, Count)) joined += p->Text;
  return joined;
}

std::string PageAssembler::Page(const std::string& FileName, int Active, int Count) {
  const std::vector<const Part*> parts = Parts(Active, Count);
  if (filler_.PartsExact(parts, FileName)) {
    ++pagesFromParts_;
    return filler_.FromParts(parts, FileName);
  }
  std::string joined;
  for (const Part* p : parts) joined += p->Text;
  return filler_.WholePage(std::move(joined), FileName);
}

}  // namespace navforge
