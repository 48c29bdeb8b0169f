#include "persist/vars.h"

#include <utility>

#include "support/errors.h"
#include "support/strutil.h"
#include "support/textfile.h"

namespace navforge {
namespace {

std::string WithoutDollars(std::string name) {
  ReplaceAll(name, "$", "", false);
  return name;
}

}  // namespace

void TParseList::AddVariable(const std::string& name, const std::string& value) {
  if (name.empty()) return;
  Vars.push_back(TVarItem{WithoutDollars(name), value});
}

void TParseList::SetVariable(std::int32_t index, const std::string& name, const std::string& value) {
  if (name.empty() || index < 0 || static_cast<std::size_t>(index) >= Vars.size()) return;
  Vars[static_cast<std::size_t>(index)] = TVarItem{WithoutDollars(name), value};
}

void TParseList::ClearVariables() { Vars.clear(); }

void TParseList::DeleteVariable(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Vars.size()) throw ERangeError();
  Vars.erase(Vars.begin() + index);
}

void TParseList::MoveVariableUp(std::int32_t index) {
  if (index > 0 && static_cast<std::size_t>(index) < Vars.size())
    std::swap(Vars[static_cast<std::size_t>(index - 1)], Vars[static_cast<std::size_t>(index)]);
}

void TParseList::MoveVariableDown(std::int32_t index) {
  if (index >= 0 && static_cast<std::size_t>(index) + 1 < Vars.size())
    std::swap(Vars[static_cast<std::size_t>(index)], Vars[static_cast<std::size_t>(index + 1)]);
}

void TParseList::FillGrid(IGrid& grid) const {
  if (Vars.empty()) {
    grid.SetRowCount(2);
    grid.SetCell(0, 1, std::string());
    grid.SetCell(1, 1, std::string());
    return;
  }
  grid.SetRowCount(static_cast<int>(Vars.size()) + 1);
  for (std::size_t k = 0; k < Vars.size(); ++k) {
    grid.SetCell(0, static_cast<int>(k) + 1, Vars[k].Name);
    grid.SetCell(1, static_cast<int>(k) + 1, Vars[k].Value);
  }
}

void TParseList::LoadFromFile(const std::string& path) {
  if (!FileExists(path)) return;
  // Read whole before adding anything, so a read error leaves the list unchanged.
  const std::vector<std::string> lines = ReadTextLines(path);
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    std::string value = UnescapeField(GetField(line, kFieldSeparator, 2));
    std::string name = UnescapeField(GetField(line, kFieldSeparator, 1));
    AddVariable(name, value);
  }
}

void TParseList::SaveToFile(const std::string& path) const {
  std::vector<std::string> lines;
  lines.reserve(Vars.size());
  for (const TVarItem& v : Vars) lines.push_back(EscapeField(v.Name) + kFieldSeparator + EscapeField(v.Value));
  WriteTextLines(path, lines);
}

}  // namespace navforge
