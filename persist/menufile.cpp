#include "persist/menufile.h"

#include <string_view>
#include <utility>
#include <vector>

#include "persist/entrylevels.h"
#include "support/errors.h"
#include "support/paths.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {
namespace {

constexpr const char* kHeader = "NFF 2";

// The fifth field: a sub-entry's depth 2 to kMaxLevel, written only for those. A reader
// of four fields sees a sub-entry there, so older readers get the menu in two levels.
int DepthField(std::string_view field) {
  return field.size() == 1 && field[0] >= '2' && field[0] <= '0' + kMaxLevel ? field[0] - '0' : 1;
}

void LoadVersion2(TMenutree& items, const std::string& path) {
  const std::vector<std::string> lines = ReadTextLines(path);
  const std::size_t first = items.size();
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    const bool sub = TextToBool(GetField(line, kFieldSeparator, 4));
    items.push_back(TMTItem{UnescapeField(GetField(line, kFieldSeparator, 1)),
                            UnescapeField(GetField(line, kFieldSeparator, 2)),
                            UnescapeField(GetField(line, kFieldSeparator, 3)), std::string(), sub,
                            sub ? DepthField(GetField(line, kFieldSeparator, 5)) : 1});
  }
  ClampLevels(items, first);
}

void LoadLegacy(TMenutree& items, const std::string& path) {
  for (const std::string& line : ReadTextLines(path))
    items.push_back(TMTItem{{}, {}, {}, {}, !line.empty() && line[0] == '\t'});
  const std::vector<std::string> texts = ReadTextLines(ChangeFileExt(path, ".mmf"));
  // Line k fills entry k of the whole array; lines beyond its end are ignored.
  for (std::size_t k = 0; k < texts.size() && k < items.size(); ++k) {
    items[k].Caption = GetField(texts[k], ';', 1);
    items[k].Link = GetField(texts[k], ';', 2);
    items[k].Target = GetField(texts[k], ';', 3);
  }
}

}  // namespace

std::int32_t ReadFileVersion(const std::string& path) {
  const std::vector<std::string> lines = ReadTextLines(path);
  if (lines.empty()) throw EListError(0);
  const std::string first = TrimControl(lines[0]);
  if (first.size() < 3 || UpperAscii(first.substr(0, 3)) != "NFF") return -1;
  return ParseInteger(std::string_view(first).substr(3)).value_or(-1);
}

void LoadItems(TMenutree& items, const std::string& path, std::int32_t version) {
  if (version == 2) LoadVersion2(items, path);
  else if (version == -1) LoadLegacy(items, path);
}

void SaveItems(const TMenutree& items, const std::string& path) {
  std::vector<std::string> lines;
  lines.reserve(items.size() + 1);
  lines.emplace_back(kHeader);
  for (const TMTItem& it : items) {
    std::string line = EscapeField(it.Caption) + kFieldSeparator + EscapeField(it.Link) + kFieldSeparator +
                       EscapeField(it.Target) + kFieldSeparator + BoolToText(it.IsSubItem);
    if (LevelOf(it) > 1) line += kFieldSeparator + std::to_string(LevelOf(it));
    lines.push_back(std::move(line));
  }
  WriteTextLines(path, lines);
}

}  // namespace navforge
