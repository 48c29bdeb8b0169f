#include "core/pageassembler.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "support/cp1252.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {

namespace {

int RenderedItemCount(const TovHTML& doc) {
  int leading = 0;
  while (leading < static_cast<int>(doc.Items.size()) && doc.Items[static_cast<std::size_t>(leading)].IsSubItem)
    ++leading;
  return doc.MainItemCount() + leading;
}

}  // namespace

std::vector<std::string> PageAssembler::AssignLinkIDs(const TMenutree& Items) {
  std::vector<std::string> ids;
  ids.reserve(Items.size());
  std::unordered_set<std::string> taken;  // identifiers in lower case
  taken.reserve(Items.size() * 2);
  // Per lower-cased caption, the number to try next: every number tried before for the
  // same caption is still taken, so a search never has to start below it.
  std::unordered_map<std::string, unsigned long> nextNumber;
  for (const TMTItem& item : Items) {
    const std::string base = LowerCp1252(item.Caption);
    auto hint = nextNumber.find(base);
    unsigned long n = hint == nextNumber.end() ? 1 : hint->second;
    std::string candidate = n == 1 ? base : base + std::to_string(n);
    while (taken.count(candidate)) {
      ++n;
      candidate = base + std::to_string(n);
    }
    ids.push_back(n == 1 ? item.Caption : item.Caption + std::to_string(n));
    taken.insert(std::move(candidate));
    nextNumber[base] = n + 1;
  }
  return ids;
}

std::string PageAssembler::SubmenuExt(const TMenuFormat& Format) {
  const std::string ext = TrimControl(Format.fileext);
  if (ext.empty()) return ExtractFileExt(Format.Filename);
  return ext[0] == '.' ? ext : "." + ext;
}

PageAssembler::PageAssembler(const TovHTML& Doc, TTemplateSet Set, std::vector<std::string> LinkIDs)
    : doc_(Doc),
      set_(std::move(Set)),
      linkIDs_(std::move(LinkIDs)),
      count_(RenderedItemCount(Doc)),
      submenuExt_(SubmenuExt(Doc)) {
  // Every page walks the whole menu: where each walk step leads is worked out once.
  nextRendered_.resize(Doc.Items.size());
  int nextMain = Doc.LastIndex();  // the first main entry after i, else the last entry
  for (int i = Doc.LastIndex(); i >= 0; --i) {
    const bool sub = Doc.Items[static_cast<std::size_t>(i)].IsSubItem;
    nextRendered_[static_cast<std::size_t>(i)] = sub ? i + 1 : i == Doc.LastIndex() ? i : nextMain;
    if (!sub) nextMain = i;
  }
  // Placeholders 1 to 11 of a page do not depend on which page is written. None of
  // them holds a line break, and the parts of a page are joined by line breaks, so no
  // match can reach across two parts: filling them once per part and run gives the
  // same text as filling them in every whole page.
  fixed_ = {{"$TextColor$", ColorToHTML(Doc.TextColor, true)},
            {"$BackgroundColor$", ColorToHTML(Doc.BackgroundColor, true)},
            {"$LinkColor$", ColorToHTML(Doc.LinkColor, true)},
            {"$ALinkColor$", ColorToHTML(Doc.ALinkColor, true)},
            {"$VLinkColor$", ColorToHTML(Doc.VLinkColor, true)},
            {"$HoverColor$", ColorToHTML(Doc.HoverColor, true)},
            {"$FirstLetterColor$", ColorToHTML(Doc.FirstLetterColor, true)},
            {"$Title$", Value(Doc.Title)},
            {"$FontSize$", Value(Doc.FontSize)},
            {"$Font$", Value(Doc.Font)},
            {"$FileName$", Value(Doc.Filename)}};
  perPage_ = {{"$SubMenuFont$", Value(Doc.SubmenuFont)},
              {"$SubMenuFontSize$", Value(Doc.SubmenuFontSize)},
              {"$SubMenuLeftMargin$", Value(Doc.SubmenuLeftMargin)},
              {"$BackgroundImage$", Value(Doc.BackgroundImage)},
              {"$hr$", Value(Doc.hr)},
              // The parts were joined with a line break each; this takes out the empty lines.
              {"\r\n\r\n", "\r\n"}};
  variables_.reserve(Doc.Variables.Vars.size());
  for (const TVarItem& v : Doc.Variables.Vars) variables_.emplace_back(Value("$" + v.Name + "$"), Value(v.Value));

  // See PageFromParts.
  partsExact_ = true;
  for (std::size_t i = 0; i + 1 < perPage_.size(); ++i) {
    partsExact_ = partsExact_ && perPage_[i].second.find('$') == std::string::npos;
    longestValue_ = std::max(longestValue_, perPage_[i].second.size());
  }
  for (const auto& [placeholder, value] : variables_) {
    partsExact_ = partsExact_ && placeholder.find_first_of("\r\n") == std::string::npos &&
                  value.find('$') == std::string::npos;
    longestValue_ = std::max(longestValue_, value.size());
  }
  std::string header = set_.Header;
  Fill(header, fixed_);
  header_ = MakePart(header + "\r\n");
  std::string footer = set_.Footer;
  Fill(footer, fixed_);
  footer_ = MakePart(footer + "\r\n");
}

std::string PageAssembler::Value(std::string_view Text) const {
  return set_.Utf8 ? Cp1252ToUtf8(Text) : std::string(Text);
}

void PageAssembler::Fill(std::string& Text, const Replacements& Values) {
  for (const auto& [placeholder, value] : Values) ReplaceAll(Text, placeholder, value, false);
}

int PageAssembler::NextRenderedIndex(int Index) const { return nextRendered_[static_cast<std::size_t>(Index)]; }

std::vector<std::pair<std::string, int>> PageAssembler::Pages() const {
  std::vector<std::pair<std::string, int>> pages;
  if (set_.AllInOne) {
    pages.emplace_back(doc_.Filename, -1);
    return pages;
  }
  pages.emplace_back(doc_.Filename, 0);
  const std::string dir = ExtractFilePath(doc_.Filename);
  int EntryIndex = 0;
  for (int Ordinal = 1; Ordinal <= count_; ++Ordinal) {
    if (doc_.HasSubItems(EntryIndex))
      pages.emplace_back(dir + linkIDs_[static_cast<std::size_t>(EntryIndex)] + submenuExt_, Ordinal);
    EntryIndex = NextRenderedIndex(EntryIndex);
  }
  return pages;
}

void PageAssembler::WritePages(IPageSink& Sink) {
  for (const auto& [name, active] : Pages()) WritePage(Sink, name, active, count_);
  Sink.Finish();
}

PageAssembler::Part PageAssembler::MakePart(std::string Text) const {
  Part part;
  part.Text = std::move(Text);
  part.Dollars = static_cast<std::size_t>(std::count(part.Text.begin(), part.Text.end(), '$'));
  if (partsExact_ && !ContainsTextAscii(part.Text, "$CurrentFilename$")) {
    std::string ready = part.Text;
    part.Lead = FinishPart(ready, std::string());
    part.Normalized = NormalizeOnItsOwn(ready);
    part.Ready = std::move(ready);
  }
  return part;
}

bool PageAssembler::NormalizeOnItsOwn(std::string& Text) {
  if (Text.find('\0') != std::string::npos) return false;
  Text = NormalizeLines(Text);
  return true;
}

bool PageAssembler::FinishPart(std::string& Text, const std::string& CurrentFilename) const {
  ReplaceAll(Text, "$CurrentFilename$", Value(CurrentFilename), false);
  Fill(Text, perPage_);
  const bool lead = Text.starts_with("\r\n");
  Fill(Text, variables_);
  return lead;
}

// Every page holds the whole menu; each entry is rendered once per form and reused.
const PageAssembler::Part& PageAssembler::CachedMainItem(int Active, int Ordinal, int EntryIndex, int Count) {
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
    std::string text = RenderMainItem(active ? Ordinal : 0, Ordinal, EntryIndex, Count);
    Fill(text, fixed_);
    slot = MakePart(text + "\r\n");
  }
  return *slot;
}

void PageAssembler::WritePage(IPageSink& Sink, const std::string& FileName, int Active, int Count) {
  std::vector<const Part*> parts;
  parts.reserve(static_cast<std::size_t>(std::max(Count, 0)) + 2);
  parts.push_back(&header_);
  int EntryIndex = 0;
  for (int Ordinal = 1; Ordinal <= Count; ++Ordinal) {
    parts.push_back(&CachedMainItem(Active, Ordinal, EntryIndex, Count));
    EntryIndex = NextRenderedIndex(EntryIndex);
  }
  parts.push_back(&footer_);

  bool fromParts = PerPartFilling && partsExact_ && Value(FileName).find('$') == std::string::npos;
  if (fromParts) {
    std::size_t dollars = 0;
    for (const Part* p : parts) dollars += p->Dollars;
    const std::size_t longest = std::max(longestValue_, Value(FileName).size());
    fromParts = longest == 0 || dollars <= kReplaceAllWorkLimit / longest;
  }
  pagesFromParts_ += fromParts;
  Sink.HandOver(FileName, fromParts ? PageFromParts(parts, FileName) : WholePage(parts, FileName));
}

// The page as the rule has it: the parts joined, then page placeholders 12 to 19 on the
// whole text.
std::string PageAssembler::WholePage(const std::vector<const Part*>& Parts, const std::string& FileName) const {
  std::string page;
  for (const Part* p : Parts) page += p->Text;
  ReplaceAll(page, "$CurrentFilename$", Value(FileName), false);
  Fill(page, perPage_);
  Fill(page, variables_);
  return NormalizeLines(page);
}

// The same page from parts filled on their own, the page-independent ones once per run.
// Every part ends with CR LF, and no placeholder of steps 12 to 17 nor (checked) any
// variable's holds CR or LF, so no match can take in a join: filling each part gives
// what filling the whole gives. The line-break rule makes each run of CR LF one CR LF;
// a part ends with one, so a part that starts with one after the rule loses it at the
// join, and the variables, filled after the rule, cannot change where it begins. Where
// the whole-page fill would stop rescanning (ReplaceAll's bound on re-formed matches),
// the parts might not: so no value of steps 12 to 19 holds "$" (checked), every
// replacement takes two "$" away and adds none, and the rescanning work of one fill is
// at most its text's length + "$" count x longest value, which WritePage keeps within
// kReplaceAllWorkLimit beyond the text, so neither fill reaches the bound.
// Every finished part ends with CR LF, so without a zero byte in it (which ends the
// whole page) its lines are the same on its own as in the page: each part's line
// breaks are made CR LF once, and the page is not passed over again.
std::string PageAssembler::PageFromParts(const std::vector<const Part*>& Parts, const std::string& FileName) const {
  std::size_t size = 0;
  for (const Part* p : Parts) size += p->Ready ? p->Ready->size() : p->Text.size();
  std::string page;
  page.reserve(size);
  std::string finished;
  bool normalized = true;
  for (const Part* p : Parts) {
    const std::string* text = &finished;
    bool lead = p->Lead;
    if (p->Ready) {
      text = &*p->Ready;
      normalized = normalized && p->Normalized;
    } else {
      finished = p->Text;
      lead = FinishPart(finished, FileName);
      normalized = NormalizeOnItsOwn(finished) && normalized;
    }
    page.append(*text, !page.empty() && lead ? 2 : 0);
  }
  return normalized ? page : NormalizeLines(page);
}

std::string PageAssembler::RenderMainItem(int Active, int Ordinal, int EntryIndex, int Count) const {
  const bool hasSub = doc_.HasSubItems(EntryIndex);
  const bool active = Active == -1 ? hasSub : Active == Ordinal;
  std::string s = active ? set_.ActiveMenupoint : set_.Menupoint;
  const auto i = static_cast<std::size_t>(EntryIndex);
  const TMTItem& item = doc_.Items[i];
  const std::string& id = linkIDs_[i];
  // A Windows-1252 character is one byte: split first, then convert each part.
  const auto [First, Rest] = TovHTML::SplitFirstLetter(item.Caption);
  ReplaceAll(s, "$Linkname$", Value(item.Caption), false);
  ReplaceAll(s, "$LinkID$", Value(id), false);
  ReplaceAll(s, "$FirstLetter$", Value(First), false);
  ReplaceAll(s, "$RestLetter$", Value(Rest), false);
  ReplaceAll(s, "$LinkTarget$", hasSub ? std::string("_self") : Value(item.Target), false);
  ReplaceAll(s, "$Link$", Value(hasSub ? id + submenuExt_ : item.Link), false);
  // Most entries are rendered without their sub-menu: it is made only where it goes.
  if (ContainsTextAscii(s, "$submenu$")) ReplaceAll(s, "$submenu$", RenderSubItems(EntryIndex), false);
  if (Ordinal < Count) s += set_.BetweenMenupoints;
  return s;
}

std::string PageAssembler::RenderSubItems(int EntryIndex) const {
  std::string result;
  if (!doc_.HasSubItems(EntryIndex)) return result;
  const int First = EntryIndex + 1;
  const int Last = doc_.LastSubItemIndex(First);
  for (int i = First; i <= Last; ++i) {
    const TMTItem& item = doc_.Items[static_cast<std::size_t>(i)];
    const auto [FirstLetter, Rest] = TovHTML::SplitFirstLetter(item.Caption);
    std::string s = set_.SubmenuPoint;
    ReplaceAll(s, "$Linkname$", Value(item.Caption), false);
    ReplaceAll(s, "$LinkTarget$", Value(item.Target), false);
    ReplaceAll(s, "$LinkID$", Value(linkIDs_[static_cast<std::size_t>(i)]), false);
    ReplaceAll(s, "$FirstLetter$", Value(FirstLetter), false);
    ReplaceAll(s, "$RestLetter$", Value(Rest), false);
    ReplaceAll(s, "$Link$", Value(item.Link), false);
    result += s;
    result += "\r\n";
    if (i < Last) {
      result += set_.BetweenSubmenuPoints;
      result += "\r\n";
    }
  }
  return result;
}

}  // namespace navforge
