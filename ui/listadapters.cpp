#include "ui/listadapters.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "ui/qtext.h"

namespace navforge {

void TListBoxLines::Clear() { list_->clear(); }
void TListBoxLines::Add(const std::string& line) { list_->addItem(ToQ(line)); }

void TMemoLines::Clear() { memo_->clear(); }
void TMemoLines::Add(const std::string& line) { memo_->appendPlainText(ToQ(line)); }

void TStringGridCells::SetRowCount(int rows) { grid_->setRowCount(rows > 1 ? rows - 1 : 0); }

void TStringGridCells::SetCell(int column, int row, const std::string& text) {
  if (row == 0) {
    grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(ToQ(text)));
    return;
  }
  QTableWidgetItem* item = grid_->item(row - 1, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    grid_->setItem(row - 1, column, item);
  }
  item->setText(ToQ(text));
}

}  // namespace navforge
