#include "apply/hostmenu.h"

#include <algorithm>

#include "core/menumarkers.h"
#include "support/errors.h"

namespace navforge::apply {
namespace {

void ToLineFeeds(std::string& text) { std::erase(text, '\r'); }

}  // namespace

std::string HostForm::Key() const {
  return Folder + '\0' + static_cast<char>('0' + static_cast<int>(Encoding)) + (LineFeeds ? 'n' : 'r');
}

HostMenu::HostMenu(const TovHTML& doc, const TTemplateSet& set)
    : doc_(doc),
      set_(set),
      plan_(PlanPages(doc.Items, doc, AssignLinkIDs(doc.Items), set.AllInOne)),
      renderer_(doc, set_, plan_, &host_),
      filler_(doc, renderer_),
      plain_(doc.Items.size()),
      active_(doc.Items.size()) {
  header_ = filler_.FragmentPart(set.Header);
  footer_ = filler_.FragmentPart(set.Footer);
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
    slot = filler_.FragmentPart(std::move(text));
  }
  return *slot;
}

std::vector<const HostMenu::Part*> HostMenu::Parts(int current, std::optional<Part>& currentPart) {
  const int group = GroupOf(current);
  std::vector<const Part*> parts{&header_};
  parts.reserve(static_cast<std::size_t>(plan_.Count) + 2);
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
      currentPart = filler_.FragmentPart(std::move(text));
      parts.push_back(&*currentPart);
    } else {
      parts.push_back(&Cached(open ? active_ : plain_, active, ordinal, entry));
    }
    entry = plan_.NextRendered[static_cast<std::size_t>(entry)];
  }
  parts.push_back(&footer_);
  return parts;
}

// A filled part as it joins the page (without the CR LF the line-break rule takes
// where it follows another part), then converted for the form. Each step reads the
// part alone: a fragment is whole markup, so no URL or character spans two parts.
HostMenu::Segment HostMenu::MakeSegment(const Part& part, bool first, const HostForm& form, bool utf8) {
  Segment segment;
  segment.Text = form.Rebase.Html(std::string_view(*part.Ready).substr(!first && part.Lead ? 2 : 0));
  ToHostEncoding(segment.Text, utf8, form.Encoding);
  if (form.LineFeeds) ToLineFeeds(segment.Text);
  segment.Marked = FindMarkedPart(segment.Text).Is != MarkedPart::None;
  return segment;
}

const HostMenu::Segment& HostMenu::CachedSegment(Segments& cache, const Part& part, bool first,
                                                 const HostForm& form) const {
  auto it = cache.find(&part);
  if (it == cache.end()) it = cache.emplace(&part, MakeSegment(part, first, form, set_.Utf8)).first;
  return it->second;
}

bool HostMenu::Whole(const std::vector<const Part*>& parts, const HostForm& form, std::string& text) const {
  const std::string& page = doc_.Filename;
  std::string whole;
  if (!filler_.PartsExact(parts) || !filler_.FromParts(parts, page, whole)) {
    std::string joined;
    for (const Part* p : parts) joined += p->Text;
    whole = filler_.WholePage(std::move(joined), page);
  }
  whole = form.Rebase.Html(whole);
  ToHostEncoding(whole, set_.Utf8, form.Encoding);
  if (form.LineFeeds) ToLineFeeds(whole);
  const MarkedPart marked = FindMarkedPart(whole);
  if (marked.Is != MarkedPart::Found) return false;
  text.append(whole, marked.Begin, marked.End - marked.Begin);
  return true;
}

bool HostMenu::For(int current, const HostForm& form, std::string& text) {
  constexpr std::size_t kFormsKept = 8;
  const std::string key = form.Key();
  if (!forms_.count(key) && forms_.size() >= kFormsKept) forms_.clear();
  Segments& cache = forms_[key];
  std::optional<Part> currentPart;
  const std::vector<const Part*> parts = Parts(current, currentPart);
  const std::string& page = doc_.Filename;  // the menu stands as on its main page
  const bool partwise =
      filler_.PartsExact(parts) && std::all_of(parts.begin(), parts.end(), [](const Part* p) {
        return p->Ready && p->Normalized;
      });
  if (!partwise) return Whole(parts, form, text);

  std::size_t size = 0, assembled = 0;
  for (const Part* p : parts) {
    size += p->Ready->size();
    assembled += p->Text.size();
  }
  if (const std::size_t limit = PageFiller::SizeLimit(assembled); size > limit) throw EPageTooLarge(page, limit);
  const Segment& head = CachedSegment(cache, header_, true, form);
  const Segment& foot = CachedSegment(cache, footer_, false, form);
  const MarkedPart begin = FindMarkedPart(head.Text + std::string(kMenuEnd));
  const MarkedPart end = FindMarkedPart(std::string(kMenuBegin) + foot.Text);
  if (begin.Is != MarkedPart::Found || end.Is != MarkedPart::Found) return Whole(parts, form, text);

  const std::size_t start = text.size();
  text.reserve(start + size + size / 8);
  text.append(head.Text, begin.Begin, std::string::npos);
  for (std::size_t i = 1; i + 1 < parts.size(); ++i) {
    if (currentPart && parts[i] == &*currentPart) {
      const Segment fresh = MakeSegment(*currentPart, false, form, set_.Utf8);
      if (fresh.Marked) return text.resize(start), Whole(parts, form, text);
      text += fresh.Text;
    } else {
      const Segment& cached = CachedSegment(cache, *parts[i], false, form);
      if (cached.Marked) return text.resize(start), Whole(parts, form, text);
      text += cached.Text;
    }
  }
  text.append(foot.Text, 0, end.End - kMenuBegin.size());
  return true;
}

}  // namespace navforge::apply
