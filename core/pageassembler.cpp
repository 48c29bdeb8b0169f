#include "core/pageassembler.h"

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
  fixedHeader_ = set_.Header;
  Fill(fixedHeader_, fixed_);
  fixedFooter_ = set_.Footer;
  Fill(fixedFooter_, fixed_);
}

std::string PageAssembler::Value(std::string_view Text) const {
  return set_.Utf8 ? Cp1252ToUtf8(Text) : std::string(Text);
}

void PageAssembler::Fill(std::string& Text, const Replacements& Values) {
  for (const auto& [placeholder, value] : Values) ReplaceAll(Text, placeholder, value, false);
}

int PageAssembler::NextRenderedIndex(int Index) const {
  return doc_.Items[static_cast<std::size_t>(Index)].IsSubItem ? Index + 1 : doc_.NextMainIndex(Index);
}

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
}

// Every page holds the whole menu; each entry is rendered once per form and reused.
const std::string& PageAssembler::CachedMainItem(int Active, int Ordinal, int EntryIndex, int Count) {
  if (Count != cachedCount_) {
    cachePlain_.assign(doc_.Items.size(), std::nullopt);
    cacheActive_.assign(doc_.Items.size(), std::nullopt);
    cachedCount_ = Count;
  }
  const auto i = static_cast<std::size_t>(EntryIndex);
  const bool active = Active == -1 ? doc_.HasSubItems(EntryIndex) : Active == Ordinal;
  std::optional<std::string>& slot = active ? cacheActive_[i] : cachePlain_[i];
  if (!slot) {
    // Any Active value that selects the wanted form renders the same text.
    slot = RenderMainItem(active ? Ordinal : 0, Ordinal, EntryIndex, Count);
    Fill(*slot, fixed_);
  }
  return *slot;
}

void PageAssembler::WritePage(IPageSink& Sink, const std::string& FileName, int Active, int Count) {
  std::string page = fixedHeader_;
  page += "\r\n";
  int EntryIndex = 0;
  for (int Ordinal = 1; Ordinal <= Count; ++Ordinal) {
    page += CachedMainItem(Active, Ordinal, EntryIndex, Count);
    page += "\r\n";
    EntryIndex = NextRenderedIndex(EntryIndex);
  }
  page += fixedFooter_;
  page += "\r\n";
  ReplaceAll(page, "$CurrentFilename$", Value(FileName), false);
  Fill(page, perPage_);
  Fill(page, variables_);
  Sink.WritePage(FileName, NormalizeLines(page));
}

std::string PageAssembler::RenderMainItem(int Active, int Ordinal, int EntryIndex, int Count) const {
  const std::string Sub = RenderSubItems(EntryIndex);
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
  ReplaceAll(s, "$submenu$", Sub, false);
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
