#pragma once
// The adapters through which the core fills the entry list, the debug memo and the
// variables grid.
#include "persist/vars.h"
#include "support/stringlist.h"

class QListWidget;
class QTableWidget;
class QPlainTextEdit;

namespace navforge {

class TListBoxLines : public IStringList {
public:
  explicit TListBoxLines(QListWidget* list) : list_(list) {}
  void Clear() override;
  void Add(const std::string& line) override;
private:
  QListWidget* list_;
};

class TMemoLines : public IStringList {
public:
  explicit TMemoLines(QPlainTextEdit* memo) : memo_(memo) {}
  void Clear() override;
  void Add(const std::string& line) override;
private:
  QPlainTextEdit* memo_;
};

// Row 0 of the core's grid is the fixed header row, which is the table's header.
class TStringGridCells : public IGrid {
public:
  explicit TStringGridCells(QTableWidget* grid) : grid_(grid) {}
  void SetRowCount(int rows) override;
  void SetCell(int column, int row, const std::string& text) override;
private:
  QTableWidget* grid_;
};

}  // namespace navforge
