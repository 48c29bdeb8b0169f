#include "apply/hostmenu.h"

#include "core/menumarkers.h"

namespace navforge::apply {

HostMenu::HostMenu(const TovHTML& doc, const TTemplateSet& set)
    : doc_(doc),
      set_(set),
      plan_(PlanPages(doc.Items, doc, AssignLinkIDs(doc.Items), set.AllInOne)),
      renderer_(doc, set_, plan_, &host_),
      filler_(doc, renderer_),
      plain_(doc.Items.size()),
      active_(doc.Items.size()) {
  std::string header = set.Header;
  filler_.FillFixed(header);
  header_ = filler_.MakePart(header + "\r\n");
  std::string footer = set.Footer;
  filler_.FillFixed(footer);
  footer_ = filler_.MakePart(footer + "\r\n");
}

int HostMenu::GroupOf(int index) const {
  if (index < 0 || index >= static_cast<int>(doc_.Items.size())) return -1;
  int main = index;
  while (main >= 0 && doc_.Items[static_cast<std::size_t>(main)].IsSubItem) --main;
  return main < 0 ? index : main;
}

const HostMenu::Part& HostMenu::Cached(std::vector<std::optional<Part>>& cache, int active, int ordinal, int entry) {
  std::optional<Part>& slot = cache[static_cast<std::size_t>(entry)];
  if (!slot) {
    std::string text = renderer_.RenderMainItem(active, ordinal, entry, plan_.Count);
    filler_.FillFixed(text);
    slot = filler_.MakePart(text + "\r\n");
  }
  return *slot;
}

std::optional<std::string> HostMenu::For(int current) {
  const int group = GroupOf(current);
  std::vector<const Part*> parts{&header_};
  std::optional<Part> currentPart;
  int entry = 0;
  for (int ordinal = 1; ordinal <= plan_.Count; ++ordinal) {
    // A set with a page per group opens the group of the page; a one-page set shows
    // every group as its page does.
    const bool open = doc_.HasSubItems(entry) && (set_.AllInOne || entry == group);
    const int active = set_.AllInOne ? -1 : open ? ordinal : 0;
    if (entry == group) {
      host_.Current = current;
      std::string text = renderer_.RenderMainItem(active, ordinal, entry, plan_.Count);
      host_.Current = -1;
      filler_.FillFixed(text);
      currentPart = filler_.MakePart(text + "\r\n");
      parts.push_back(&*currentPart);
    } else {
      parts.push_back(&Cached(open ? active_ : plain_, active, ordinal, entry));
    }
    entry = plan_.NextRendered[static_cast<std::size_t>(entry)];
  }
  parts.push_back(&footer_);
  const std::string& page = doc_.Filename;  // the menu stands as on its main page
  std::string text;
  if (filler_.PartsExact(parts, page)) {
    text = filler_.FromParts(parts, page);
  } else {
    for (const Part* p : parts) text += p->Text;
    text = filler_.WholePage(std::move(text), page);
  }
  const MarkedPart marked = FindMarkedPart(text);
  if (marked.Is != MarkedPart::Found) return std::nullopt;
  return text.substr(marked.Begin, marked.End - marked.Begin);
}

}  // namespace navforge::apply
