// Page generation into files: the document's operations, each a generation run over
// the entries' LinkIDs and the document's fragment fields.
#include <cstdio>

#include "core/generationrun.h"
#include "core/menudocument.h"
#include "core/pagesink.h"
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

}  // namespace

std::string ColorToHTML(std::int32_t Color, bool WithHash) {
  if (Color == clNone) return std::string();
  const auto c = static_cast<std::uint32_t>(Color);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", static_cast<unsigned>(c & 0xFF), static_cast<unsigned>((c >> 8) & 0xFF),
                static_cast<unsigned>((c >> 16) & 0xFF));
  return WithHash ? "#" + std::string(buf) : std::string(buf);
}

RunResult TovHTML::Generate(const RunOptions& Options) {
  if (Filename.empty()) {
    ShowMessage("Kein Dateiname zum Speichern angegeben");
    return {};
  }
  AssignLinkIDs();
  if (!LoadTemplate()) return {};
  return WritePages(Options);
}

void TovHTML::AssignLinkIDs() {
  std::vector<std::string> ids = navforge::AssignLinkIDs(Items);
  for (std::size_t i = 0; i < Items.size(); ++i) Items[i].LinkID = std::move(ids[i]);
}

std::string TovHTML::SubmenuExt() const { return navforge::SubmenuExt(*this); }

RunResult TovHTML::WritePages(const RunOptions& Options) {
  DiskPageSink disk(Options.OnPageWritten, ExtractFilePath(MenuFile), Options.WriteOverlap);
  RunResult result = GenerationRun(*this, TemplateFields(), ItemLinkIDs(Items)).Run(disk);
  if (!result.Ok) ShowMessage(result.Message);
  result.Stats = disk.Stats();
  return result;
}

void TovHTML::WritePage(const std::string& FileName, int Active, int Count) {
  GenerationRun run(*this, TemplateFields(), ItemLinkIDs(Items));
  DiskPageSink sink({}, ExtractFilePath(MenuFile));
  sink.HandOver(FileName, run.Assembler().Page(FileName, Active, Count));
}

std::string TovHTML::RenderMainItem(int Active, int Ordinal, int EntryIndex, int Count) const {
  GenerationRun run(*this, TemplateFields(), ItemLinkIDs(Items));
  return run.Assembler().Renderer().RenderMainItem(Active, Ordinal, EntryIndex, Count);
}

std::string TovHTML::RenderSubItems(int EntryIndex) const {
  GenerationRun run(*this, TemplateFields(), ItemLinkIDs(Items));
  return run.Assembler().Renderer().RenderSubItems(EntryIndex);
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
