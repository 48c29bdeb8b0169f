#include "core/pageassembler.h"

#include <algorithm>

namespace navforge {

PageAssembler::PageAssembler(const TovHTML& doc, const TTemplateSet& set, const PagePlan& plan)
    : doc_(doc), plan_(plan), renderer_(doc, set, plan), filler_(doc, renderer_) {
  header_ = filler_.FragmentPart(set.Header);
  footer_ = filler_.FragmentPart(set.Footer);
}

// Every page holds the whole menu; each entry is rendered once per form and reused.
const PageAssembler::Part& PageAssembler::MainItem(int active, int ordinal, int entryIndex, int count) {
  if (count != cachedCount_) {
    cachePlain_.assign(doc_.Items.size(), std::nullopt);
    cacheActive_.assign(doc_.Items.size(), std::nullopt);
    cachedCount_ = count;
  }
  const auto i = static_cast<std::size_t>(entryIndex);
  const bool activeForm = active == -1 ? doc_.HasSubItems(entryIndex) : active == ordinal;
  std::optional<Part>& slot = activeForm ? cacheActive_[i] : cachePlain_[i];
  if (!slot) {
    // Any active value that selects the wanted form renders the same text; a one-page
    // set keeps -1, for which no entry is the page's own.
    std::string text = renderer_.RenderMainItem(active == -1 ? -1 : activeForm ? ordinal : 0, ordinal, entryIndex, count);
    slot = filler_.FragmentPart(std::move(text));
  }
  return *slot;
}

std::vector<const PageAssembler::Part*> PageAssembler::Parts(int active, int count) {
  std::vector<const Part*> parts;
  parts.reserve(static_cast<std::size_t>(std::max(count, 0)) + 2);
  parts.push_back(&header_);
  int entryIndex = 0;
  for (int ordinal = 1; ordinal <= count; ++ordinal) {
    parts.push_back(&MainItem(active, ordinal, entryIndex, count));
    entryIndex = plan_.NextRendered[static_cast<std::size_t>(entryIndex)];
  }
  parts.push_back(&footer_);
  return parts;
}

std::string PageAssembler::JoinedPage(int active, int count) {
  std::string joined;
  for (const Part* p : Parts(active, count)) joined += p->Text;
  return joined;
}

std::string PageAssembler::Page(const std::string& fileName, int active, int count) {
  const std::vector<const Part*> parts = Parts(active, count);
  std::string page;
  if (filler_.PartsExact(parts) && filler_.FromParts(parts, fileName, page)) {
    ++pagesFromParts_;
    return page;
  }
  std::string joined;
  for (const Part* p : parts) joined += p->Text;
  return filler_.WholePage(std::move(joined), fileName);
}

}  // namespace navforge
