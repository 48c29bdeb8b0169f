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

std::vector<std::string> ItemLinkIDs(const TMenutree& items) {
  std::vector<std::string> ids;
  ids.reserve(items.size());
  for (const TMTItem& item : items) ids.push_back(item.LinkID);
  return ids;
}

}  // namespace

std::string ColorToHTML(std::int32_t color, bool withHash) {
  if (color == clNone) return std::string();
  const auto c = static_cast<std::uint32_t>(color);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", static_cast<unsigned>(c & 0xFF), static_cast<unsigned>((c >> 8) & 0xFF),
                static_cast<unsigned>((c >> 16) & 0xFF));
  return withHash ? "#" + std::string(buf) : std::string(buf);
}

RunResult TovHTML::Generate(const RunOptions& options) {
  if (Filename.empty()) {
    ShowMessage("Kein Dateiname zum Speichern angegeben");
    return {};
  }
  AssignLinkIDs();
  if (!LoadTemplate()) return {};
  return WritePages(options);
}

void TovHTML::AssignLinkIDs() {
  std::vector<std::string> ids = navforge::AssignLinkIDs(Items);
  for (std::size_t i = 0; i < Items.size(); ++i) Items[i].LinkID = std::move(ids[i]);
}

std::string TovHTML::SubmenuExt() const { return navforge::SubmenuExt(*this); }

RunResult TovHTML::WritePages(const RunOptions& options) {
  DiskPageSink disk(options.OnPageWritten, ExtractFilePath(MenuFile), options.WriteOverlap);
  RunResult result = GenerationRun(*this, TemplateFields(), ItemLinkIDs(Items)).Run(disk);
  if (!result.Ok) ShowMessage(result.Message);
  result.Stats = disk.Stats();
  return result;
}

void TovHTML::WritePage(const std::string& fileName, int active, int count) {
  GenerationRun run(*this, TemplateFields(), ItemLinkIDs(Items));
  DiskPageSink sink({}, ExtractFilePath(MenuFile));
  sink.HandOver(fileName, run.Assembler().Page(fileName, active, count));
}

std::string TovHTML::RenderMainItem(int active, int ordinal, int entryIndex, int count) const {
  GenerationRun run(*this, TemplateFields(), ItemLinkIDs(Items));
  return run.Assembler().Renderer().RenderMainItem(active, ordinal, entryIndex, count);
}

std::string TovHTML::RenderSubItems(int entryIndex) const {
  GenerationRun run(*this, TemplateFields(), ItemLinkIDs(Items));
  return run.Assembler().Renderer().RenderSubItems(entryIndex);
}

int TovHTML::LastSubItemIndex(int start) const {
  int j = start;
  while (!IsLastSubItem(j)) ++j;
  return j;
}

std::pair<std::string, std::string> TovHTML::SplitFirstLetter(const std::string& text) {
  if (text.empty()) return {std::string(), std::string()};
  return {text.substr(0, 1), text.substr(1)};
}

}  // namespace navforge
