// Page generation: identifiers, entry and page placeholders, the collapse of empty
// lines, the user variables, one page or a main page plus one page per main entry
// that has sub-entries.
#include <unordered_map>
#include <unordered_set>

#include "core/ovhtml.h"
#include "support/notifier.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {
namespace {

// Identifiers become file names of sub-menu pages, so they must differ in more than
// letter case; the Windows-1252 letters with accents fold as well as A-Z.
std::string FoldIdentifier(const std::string& s) {
  std::string out = s;
  for (char& ch : out) {
    auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<unsigned char>(c + 32);
    else if (c == 0x8A || c == 0x8C || c == 0x8E) c = static_cast<unsigned char>(c + 16);  // Š Œ Ž
    else if (c == 0x9F) c = 0xFF;                                                          // Ÿ
    ch = static_cast<char>(c);
  }
  return out;
}

void Fill(std::string& text, std::string_view placeholder, std::string_view value) {
  ReplaceAll(text, placeholder, value, false);
}

}  // namespace

std::string ColorToHTML(std::int32_t Color, bool WithHash) {
  if (Color == clNone) return std::string();
  static const char kHex[] = "0123456789ABCDEF";
  const auto v = static_cast<std::uint32_t>(Color);
  std::string out = WithHash ? "#" : "";
  for (int shift : {0, 8, 16}) {
    const unsigned byte = (v >> shift) & 0xFF;
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
  }
  return out;
}

std::pair<std::string, std::string> TovHTML::SplitFirstLetter(const std::string& Text) {
  if (Text.empty()) return {std::string(), std::string()};
  return {Text.substr(0, 1), Text.substr(1)};
}

std::string TovHTML::SubmenuExt() const {
  const std::string ext = TrimControl(fileext);
  if (!ext.empty()) return ext[0] == '.' ? ext : "." + ext;
  return ExtractFileExt(Filename);
}

int TovHTML::LastSubItemIndex(int Start) const {
  int j = Start;
  while (!IsLastSubItem(j)) ++j;
  return j;
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

void TovHTML::AssignLinkIDs() {
  std::unordered_set<std::string> taken;
  // The first free number for a caption never goes down, since identifiers are only
  // ever added; remembering it keeps many equal captions linear.
  std::unordered_map<std::string, unsigned long> nextNumber;
  taken.reserve(Items.size() * 2);
  for (TMTItem& item : Items) {
    const std::string folded = FoldIdentifier(item.Caption);
    std::string candidate = item.Caption;
    if (taken.count(folded)) {
      unsigned long& n = nextNumber.try_emplace(folded, 1).first->second;
      do {
        ++n;
        candidate = item.Caption + std::to_string(n);
      } while (taken.count(FoldIdentifier(candidate)));
    }
    item.LinkID = candidate;
    taken.insert(FoldIdentifier(candidate));
  }
}

std::string TovHTML::RenderSubItems(int EntryIndex) {
  std::string result;
  if (!HasSubItems(EntryIndex)) return result;
  const int first = EntryIndex + 1;
  const int last = LastSubItemIndex(first);
  for (int i = first; i <= last; ++i) {
    const TMTItem& item = Items[static_cast<std::size_t>(i)];
    const auto [firstLetter, rest] = SplitFirstLetter(item.Caption);
    std::string s = SubmenuPoint;
    Fill(s, "$Linkname$", item.Caption);
    Fill(s, "$LinkTarget$", item.Target);
    Fill(s, "$LinkID$", item.LinkID);
    Fill(s, "$FirstLetter$", firstLetter);
    Fill(s, "$RestLetter$", rest);
    Fill(s, "$Link$", item.Link);
    result += s;
    result += "\r\n";
    if (i < last) {
      result += BetweenSubmenuPoints;
      result += "\r\n";
    }
  }
  return result;
}

std::string TovHTML::RenderMainItem(int Active, int Ordinal, int EntryIndex, int Count) {
  const std::string sub = RenderSubItems(EntryIndex);
  const bool hasSub = HasSubItems(EntryIndex);
  const bool active = Active == -1 ? hasSub : Active == Ordinal;
  const TMTItem& item = Items[static_cast<std::size_t>(EntryIndex)];
  const auto [firstLetter, rest] = SplitFirstLetter(item.Caption);
  std::string s = active ? ActiveMenupoint : Menupoint;
  Fill(s, "$Linkname$", item.Caption);
  Fill(s, "$LinkID$", item.LinkID);
  Fill(s, "$FirstLetter$", firstLetter);
  Fill(s, "$RestLetter$", rest);
  Fill(s, "$LinkTarget$", hasSub ? std::string("_self") : item.Target);
  Fill(s, "$Link$", hasSub ? item.LinkID + submenuExt_ : item.Link);
  Fill(s, "$submenu$", sub);
  if (Ordinal < Count) s += BetweenMenupoints;
  return s;
}

void TovHTML::WritePages() {
  const int count = MainItemCount();
  submenuExt_ = SubmenuExt();
  if (AllInOne) {
    WritePage(Filename, -1, count);
    return;
  }
  WritePage(Filename, 0, count);
  const std::string folder = ExtractFilePath(Filename);
  int entry = 0;
  while (entry <= LastIndex() && Items[static_cast<std::size_t>(entry)].IsSubItem) ++entry;
  for (int ordinal = 1; ordinal <= count; ++ordinal) {
    if (HasSubItems(entry))
      WritePage(folder + Items[static_cast<std::size_t>(entry)].LinkID + submenuExt_, ordinal, count);
    entry = NextMainIndex(entry);
  }
}

void TovHTML::WritePage(const std::string& FileName, int Active, int Count) {
  std::string text = Header;
  text += "\r\n";

  // Sub-entries above the first main entry belong to no main entry. They are shown
  // like main entries without sub-entries (their own link and target, never active),
  // so that nothing of the menu is lost and every main entry still appears once.
  int entry = 0;
  while (entry <= LastIndex() && Items[static_cast<std::size_t>(entry)].IsSubItem) {
    const TMTItem& item = Items[static_cast<std::size_t>(entry)];
    const auto [firstLetter, rest] = SplitFirstLetter(item.Caption);
    std::string s = Menupoint;
    Fill(s, "$Linkname$", item.Caption);
    Fill(s, "$LinkID$", item.LinkID);
    Fill(s, "$FirstLetter$", firstLetter);
    Fill(s, "$RestLetter$", rest);
    Fill(s, "$LinkTarget$", item.Target);
    Fill(s, "$Link$", item.Link);
    Fill(s, "$submenu$", "");
    ++entry;
    const bool more = Count > 0 || (entry <= LastIndex() && Items[static_cast<std::size_t>(entry)].IsSubItem);
    if (more) s += BetweenMenupoints;
    text += s;
    text += "\r\n";
  }

  for (int ordinal = 1; ordinal <= Count; ++ordinal) {
    text += RenderMainItem(Active, ordinal, entry, Count);
    text += "\r\n";
    entry = NextMainIndex(entry);
  }
  text += Footer;
  text += "\r\n";

  Fill(text, "$TextColor$", ColorToHTML(TextColor, true));
  Fill(text, "$BackgroundColor$", ColorToHTML(BackgroundColor, true));
  Fill(text, "$LinkColor$", ColorToHTML(LinkColor, true));
  Fill(text, "$ALinkColor$", ColorToHTML(ALinkColor, true));
  Fill(text, "$VLinkColor$", ColorToHTML(VLinkColor, true));
  Fill(text, "$HoverColor$", ColorToHTML(HoverColor, true));
  Fill(text, "$FirstLetterColor$", ColorToHTML(FirstLetterColor, true));
  Fill(text, "$Title$", Title);
  Fill(text, "$FontSize$", FontSize);
  Fill(text, "$Font$", Font);
  Fill(text, "$FileName$", Filename);
  Fill(text, "$CurrentFilename$", FileName);
  Fill(text, "$SubMenuFont$", SubmenuFont);
  Fill(text, "$SubMenuFontSize$", SubmenuFontSize);
  Fill(text, "$SubMenuLeftMargin$", SubmenuLeftMargin);
  Fill(text, "$BackgroundImage$", BackgroundImage);
  Fill(text, "$hr$", hr);
  ReplaceAll(text, "\r\n\r\n", "\r\n", false);
  for (const TVarItem& v : Variables.Vars) Fill(text, "$" + v.Name + "$", v.Value);

  WriteWholeFile(FileName, JoinLines(SplitLines(text)));
  if (OnPageWritten) OnPageWritten(FileName);
}

}  // namespace navforge
