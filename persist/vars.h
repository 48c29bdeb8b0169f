#pragma once
// The user's free text variables and the variables file (one line per variable:
// name, 0xB6, value, CR LF; both fields escaped).
#include <cstdint>
#include <string>
#include <vector>

namespace navforge {

struct TVarItem {
  std::string Name;  // never holds "$"
  std::string Value;
};

using TVarList = std::vector<TVarItem>;

// What FillGrid needs of the window's two-column grid.
class IGrid {
public:
  virtual ~IGrid() = default;
  virtual void SetRowCount(int rows) = 0;
  virtual void SetCell(int column, int row, const std::string& text) = 0;
};

// Indexes are the caller's to keep in range, except where noted.
class TParseList {
public:
  void AddVariable(const std::string& name, const std::string& value);
  // Does nothing for an empty name or an index that names no variable.
  void SetVariable(std::int32_t index, const std::string& name, const std::string& value);
  void ClearVariables();
  // Raises ERangeError ("Range check error") on an empty list or an index out of range.
  void DeleteVariable(std::int32_t index);
  void MoveVariableUp(std::int32_t index);
  void MoveVariableDown(std::int32_t index);
  void FillGrid(IGrid& grid) const;
  // Appends the variables of the file at path; a missing file adds nothing.
  // Throws EFOpenError when the file exists but cannot be read.
  void LoadFromFile(const std::string& path);
  // Replaces the file at path atomically; throws EFCreateError / EWriteError.
  void SaveToFile(const std::string& path) const;

  TVarList Vars;
};

}  // namespace navforge
