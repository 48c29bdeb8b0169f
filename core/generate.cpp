// Page generation: identifiers, the rendering of the entries and the pages.
//
// Sub-entries before the first main entry (the editor allows a sub-entry at index 0)
// are rendered as main entries of their own, each with the Menupoint fragment, its own
// link and target and no page of its own. The walks over the main entries take them
// first and then every main entry once, so nothing of the menu is lost; for a menu
// that starts with a main entry nothing changes.
#include <cstdio>
#include <unordered_map>
#include <unordered_set>

#include "core/ovhtml.h"
#include "core/pagepath.h"
#include "support/errors.h"
#include "support/notifier.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {

std::string ColorToHTML(std::int32_t Color, bool WithHash) {
  if (Color == clNone) return std::string();
  const auto c = static_cast<std::uint32_t>(Color);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", static_cast<unsigned>(c & 0xFF), static_cast<unsigned>((c >> 8) & 0xFF),
                static_cast<unsigned>((c >> 16) & 0xFF));
  return WithHash ? "#" + std::string(buf) : std::string(buf);
}

void TovHTML::Generate() {
  if (Filename.empty()) {
    ShowMessage("Kein Dateiname zum Speichern angegeben");
    return;
  }
  AssignLinkIDs();
  if (!LoadTemplate()) return;
  WritePages();
}

namespace {

// Lower case of Windows-1252: A-Z, the accented capitals, and the four capitals
// outside that block. Identifiers become file names, and the file systems the pages
// go to treat these pairs as one name.
std::string LowerCp1252(std::string_view text) {
  std::string s(text);
  for (char& ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
      ch = static_cast<char>(c + 0x20);
    else if (c == 0x8A || c == 0x8C || c == 0x8E)
      ch = static_cast<char>(c + 0x10);
    else if (c == 0x9F)
      ch = static_cast<char>(0xFF);
  }
  return s;
}

}  // namespace

void TovHTML::AssignLinkIDs() {
  std::unordered_set<std::string> taken;  // identifiers in lower case
  taken.reserve(Items.size() * 2);
  // Per lower-cased caption, the number to try next: every number tried before for the
  // same caption is still taken, so a search never has to start below it.
  std::unordered_map<std::string, unsigned long> nextNumber;
  for (TMTItem& item : Items) {
    const std::string base = LowerCp1252(item.Caption);
    auto hint = nextNumber.find(base);
    unsigned long n = hint == nextNumber.end() ? 1 : hint->second;
    std::string candidate = n == 1 ? base : base + std::to_string(n);
    while (taken.count(candidate)) {
      ++n;
      candidate = base + std::to_string(n);
    }
    item.LinkID = n == 1 ? item.Caption : item.Caption + std::to_string(n);
    taken.insert(std::move(candidate));
    nextNumber[base] = n + 1;
  }
}

std::string TovHTML::SubmenuExt() const {
  const std::string ext = TrimControl(fileext);
  if (ext.empty()) return ExtractFileExt(Filename);
  return ext[0] == '.' ? ext : "." + ext;
}

int TovHTML::RenderedItemCount() const {
  int leading = 0;
  while (leading < static_cast<int>(Items.size()) && Items[static_cast<std::size_t>(leading)].IsSubItem) ++leading;
  return MainItemCount() + leading;
}

int TovHTML::NextRenderedIndex(int Index) const {
  return Items[static_cast<std::size_t>(Index)].IsSubItem ? Index + 1 : NextMainIndex(Index);
}

void TovHTML::WritePages() {
  const int Count = RenderedItemCount();
  submenuExt_ = SubmenuExt();

  // Every page holds the whole menu; each entry is rendered once per form and reused.
  struct CacheScope {
    TovHTML& doc;
    explicit CacheScope(TovHTML& d) : doc(d) {
      doc.cachePlain_.assign(doc.Items.size(), std::nullopt);
      doc.cacheActive_.assign(doc.Items.size(), std::nullopt);
      doc.cacheOn_ = true;
      doc.fixedHeader_ = doc.Header;
      doc.FillFixedPagePlaceholders(doc.fixedHeader_);
      doc.fixedFooter_ = doc.Footer;
      doc.FillFixedPagePlaceholders(doc.fixedFooter_);
    }
    ~CacheScope() {
      doc.cacheOn_ = false;
      doc.cachePlain_.clear();
      doc.cacheActive_.clear();
    }
  } scope(*this);

  if (AllInOne) {
    WritePage(Filename, -1, Count);
    return;
  }
  WritePage(Filename, 0, Count);
  const std::string dir = ExtractFilePath(Filename);
  int EntryIndex = 0;
  for (int Ordinal = 1; Ordinal <= Count; ++Ordinal) {
    if (HasSubItems(EntryIndex)) {
      const std::string name = Items[static_cast<std::size_t>(EntryIndex)].LinkID + submenuExt_;
      if (!IsPageNameInFolder(name)) throw EFCreateError(dir + name);
      WritePage(dir + name, Ordinal, Count);
    }
    EntryIndex = NextRenderedIndex(EntryIndex);
  }
}

const std::string& TovHTML::CachedMainItem(int Active, int Ordinal, int EntryIndex, int Count) {
  const auto i = static_cast<std::size_t>(EntryIndex);
  const bool active = Active == -1 ? HasSubItems(EntryIndex) : Active == Ordinal;
  std::optional<std::string>& slot = active ? cacheActive_[i] : cachePlain_[i];
  if (!slot) {
    // Any Active value that selects the wanted form renders the same text.
    slot = RenderMainItem(active ? Ordinal : 0, Ordinal, EntryIndex, Count);
    FillFixedPagePlaceholders(*slot);
  }
  return *slot;
}

// Placeholders 1 to 11 of a page do not depend on which page is written. None of them
// holds a line break, and the parts of a page are joined by line breaks, so no match
// can reach across two parts: filling them once per part and generation gives the
// same text as filling them in every whole page.
void TovHTML::FillFixedPagePlaceholders(std::string& text) const {
  ReplaceAll(text, "$TextColor$", ColorToHTML(TextColor, true), false);
  ReplaceAll(text, "$BackgroundColor$", ColorToHTML(BackgroundColor, true), false);
  ReplaceAll(text, "$LinkColor$", ColorToHTML(LinkColor, true), false);
  ReplaceAll(text, "$ALinkColor$", ColorToHTML(ALinkColor, true), false);
  ReplaceAll(text, "$VLinkColor$", ColorToHTML(VLinkColor, true), false);
  ReplaceAll(text, "$HoverColor$", ColorToHTML(HoverColor, true), false);
  ReplaceAll(text, "$FirstLetterColor$", ColorToHTML(FirstLetterColor, true), false);
  ReplaceAll(text, "$Title$", Title, false);
  ReplaceAll(text, "$FontSize$", FontSize, false);
  ReplaceAll(text, "$Font$", Font, false);
  ReplaceAll(text, "$FileName$", Filename, false);
}

void TovHTML::FillPagePlaceholdersFrom(std::string& page, const std::string& FileName, bool withFixed) const {
  if (withFixed) FillFixedPagePlaceholders(page);
  ReplaceAll(page, "$CurrentFilename$", FileName, false);
  ReplaceAll(page, "$SubMenuFont$", SubmenuFont, false);
  ReplaceAll(page, "$SubMenuFontSize$", SubmenuFontSize, false);
  ReplaceAll(page, "$SubMenuLeftMargin$", SubmenuLeftMargin, false);
  ReplaceAll(page, "$BackgroundImage$", BackgroundImage, false);
  ReplaceAll(page, "$hr$", hr, false);
  // The parts were joined with a line break each; this takes out the empty lines.
  ReplaceAll(page, "\r\n\r\n", "\r\n", false);
  for (const TVarItem& v : Variables.Vars) ReplaceAll(page, "$" + v.Name + "$", v.Value, false);
}

void TovHTML::WritePage(const std::string& FileName, int Active, int Count) {
  std::string page = cacheOn_ ? fixedHeader_ : Header;
  page += "\r\n";
  int EntryIndex = 0;
  for (int Ordinal = 1; Ordinal <= Count; ++Ordinal) {
    if (cacheOn_)
      page += CachedMainItem(Active, Ordinal, EntryIndex, Count);
    else
      page += RenderMainItem(Active, Ordinal, EntryIndex, Count);
    page += "\r\n";
    EntryIndex = NextRenderedIndex(EntryIndex);
  }
  page += cacheOn_ ? fixedFooter_ : Footer;
  page += "\r\n";
  FillPagePlaceholdersFrom(page, FileName, !cacheOn_);

  WriteWholeFile(FileName, NormalizeLines(page), Durable::No);
  if (OnPageWritten) OnPageWritten(FileName);
}

std::string TovHTML::RenderMainItem(int Active, int Ordinal, int EntryIndex, int Count) {
  const std::string Sub = RenderSubItems(EntryIndex);
  const bool hasSub = HasSubItems(EntryIndex);
  const bool active = Active == -1 ? hasSub : Active == Ordinal;
  std::string s = active ? ActiveMenupoint : Menupoint;
  const TMTItem& item = Items[static_cast<std::size_t>(EntryIndex)];
  const auto [First, Rest] = SplitFirstLetter(item.Caption);
  ReplaceAll(s, "$Linkname$", item.Caption, false);
  ReplaceAll(s, "$LinkID$", item.LinkID, false);
  ReplaceAll(s, "$FirstLetter$", First, false);
  ReplaceAll(s, "$RestLetter$", Rest, false);
  ReplaceAll(s, "$LinkTarget$", hasSub ? std::string("_self") : item.Target, false);
  ReplaceAll(s, "$Link$", hasSub ? item.LinkID + SubmenuExt() : item.Link, false);
  ReplaceAll(s, "$submenu$", Sub, false);
  if (Ordinal < Count) s += BetweenMenupoints;
  return s;
}

std::string TovHTML::RenderSubItems(int EntryIndex) {
  std::string result;
  if (!HasSubItems(EntryIndex)) return result;
  const int First = EntryIndex + 1;
  const int Last = LastSubItemIndex(First);
  for (int i = First; i <= Last; ++i) {
    const TMTItem& item = Items[static_cast<std::size_t>(i)];
    const auto [FirstLetter, Rest] = SplitFirstLetter(item.Caption);
    std::string s = SubmenuPoint;
    ReplaceAll(s, "$Linkname$", item.Caption, false);
    ReplaceAll(s, "$LinkTarget$", item.Target, false);
    ReplaceAll(s, "$LinkID$", item.LinkID, false);
    ReplaceAll(s, "$FirstLetter$", FirstLetter, false);
    ReplaceAll(s, "$RestLetter$", Rest, false);
    ReplaceAll(s, "$Link$", item.Link, false);
    result += s;
    result += "\r\n";
    if (i < Last) {
      result += BetweenSubmenuPoints;
      result += "\r\n";
    }
  }
  return result;
}

int TovHTML::LastSubItemIndex(int Start) const {
  int j = Start;
  while (!IsLastSubItem(j)) ++j;
  return j;
}

std::pair<std::string, std::string> TovHTML::SplitFirstLetter(const std::string& Text) {
  if (Text.empty()) return {std::string(), std::string()};
  return {Text.substr(0, 1), Text.substr(1)};
}

}  // namespace navforge
