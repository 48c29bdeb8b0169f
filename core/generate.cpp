// Page generation into files: the document's operations, each a run of a PageAssembler
// over the entries' LinkIDs and the document's fragment fields.
#include <cstdio>

#include "core/ovhtml.h"
#include "core/pageassembler.h"
#include "core/pagefiles.h"
#include "support/notifier.h"
#include "support/paths.h"

namespace navforge {

namespace {

std::vector<std::string> ItemLinkIDs(const TMenutree& Items) {
  std::vector<std::string> ids;
  ids.reserve(Items.size());
  for (const TMTItem& item : Items) ids.push_back(item.LinkID);
  return ids;
}

PageAssembler AssemblerOf(const TovHTML& doc) { return PageAssembler(doc, doc.TemplateFields(), ItemLinkIDs(doc.Items)); }

// A page named like the menu file (the output file browse proposes its name after a
// Save As) would replace the menu: refused, after a message, before any page is written.
bool PagesSpareMenuFiles(const TovHTML& doc, const std::vector<std::pair<std::string, int>>& pages) {
  const std::string base = ExtractFilePath(doc.MenuFile);
  std::vector<std::string> files;
  files.reserve(pages.size());
  for (const auto& page : pages) files.push_back(PageFile(base, page.first));
  const std::optional<std::size_t> hit = FirstPageOverOwnFile(files, MenuOwnFiles(doc.MenuFile, doc.VariablesFile));
  if (!hit) return true;
  ShowMessage("Die HTML-Seite " + pages[*hit].first +
              " w\xFCrde eine Datei des Men\xFCs \xFC" "berschreiben. Es wurde nichts geschrieben.");
  return false;
}

}  // namespace

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

void TovHTML::AssignLinkIDs() {
  std::vector<std::string> ids = PageAssembler::AssignLinkIDs(Items);
  for (std::size_t i = 0; i < Items.size(); ++i) Items[i].LinkID = std::move(ids[i]);
}

std::string TovHTML::SubmenuExt() const { return PageAssembler::SubmenuExt(*this); }

void TovHTML::WritePages() {
  PageAssembler assembler = AssemblerOf(*this);
  if (!PagesSpareMenuFiles(*this, assembler.Pages())) return;
  DiskPageSink sink(OnPageWritten, ExtractFilePath(MenuFile));
  assembler.WritePages(sink);
}

void TovHTML::WritePage(const std::string& FileName, int Active, int Count) {
  DiskPageSink sink(OnPageWritten, ExtractFilePath(MenuFile));
  AssemblerOf(*this).WritePage(sink, FileName, Active, Count);
}

std::string TovHTML::RenderMainItem(int Active, int Ordinal, int EntryIndex, int Count) const {
  return AssemblerOf(*this).RenderMainItem(Active, Ordinal, EntryIndex, Count);
}

std::string TovHTML::RenderSubItems(int EntryIndex) const { return AssemblerOf(*this).RenderSubItems(EntryIndex); }

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
