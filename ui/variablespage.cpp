// Sub-page "Variablen": the variables grid, its two boxes and its commands.
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <algorithm>

#include "support/cp1252literal.h"
#include "ui/editbox.h"
#include "ui/formparts.h"
#include "ui/hints.h"
#include "ui/listadapters.h"
#include "ui/mainform.h"
#include "ui/qtext.h"

namespace navforge {

void Tmainform::CreateVariablesPage() {
  TabSheet6 = new QWidget;
  TabSheet6->setObjectName(QStringLiteral("TabSheet6"));
  PageControl2->addTab(TabSheet6, QStringLiteral("Variablen"));
  TBToolbar3 = MakeToolbar(TabSheet6, "TBToolbar3", "TBDock3", 0, 0, 437, false);
  SetShowHint(TBToolbar3, false);
  TBItem16 = AddCommand(TBToolbar3, "TBItem16", "add", "Hinzufügen"_cp1252, &Tmainform::TBItem16Click);
  AddSeparator(TBToolbar3, "TBSeparatorItem9");
  TBItem17 = AddCommand(TBToolbar3, "TBItem17", "change", "Ändern"_cp1252, &Tmainform::TBItem17Click);
  AddSeparator(TBToolbar3, "TBSeparatorItem10");
  TBItem18 = AddCommand(TBToolbar3, "TBItem18", "delete", "Löschen"_cp1252, &Tmainform::TBItem18Click);
  AddSeparator(TBToolbar3, "TBSeparatorItem11");
  TBItem19 = AddCommand(TBToolbar3, "TBItem19", "up", "Nach oben", &Tmainform::TBItem19Click);
  TBItem20 = AddCommand(TBToolbar3, "TBItem20", "down", "Nach  unten", &Tmainform::TBItem20Click);

  StringGrid1 = new QTableWidget(1, 2, TabSheet6);
  Place(StringGrid1, "StringGrid1", 0, 26, 437, 419);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setMinimumSectionSize(1);
  StringGrid1->verticalHeader()->setDefaultSectionSize(15);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setDefaultSectionSize(210);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  StringGrid1->horizontalHeader()->setFixedHeight(17);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setShowGrid(true);
  StringGrid1->setWordWrap(false);
  StringGrid1->setTabKeyNavigation(false);  // Tab leaves the grid, as it leaves every list
  connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this] { StringGrid1Click(); });
  connect(StringGrid1, &QTableWidget::cellClicked, this, [this] { StringGrid1Click(); });

  auto* bottom = new QWidget(TabSheet6);
  Place(bottom, "Panel10", 0, 445, 437, 25);
  Edit1 = AddEdit(bottom, "Edit1", 0, 2, 210, "");
  Edit2 = AddEdit(bottom, "Edit2", 212, 2, 210, "");
}

// ---- Grid ----

int Tmainform::GridRow() const { return StringGrid1->currentRow() + 1; }

void Tmainform::SetGridRow(int row) {
  QSignalBlocker block(StringGrid1);
  if (row >= 1 && row <= StringGrid1->rowCount()) StringGrid1->setCurrentCell(row - 1, 0);
}

void Tmainform::FillGrid() {
  int row = GridRow();
  {
    QSignalBlocker block(StringGrid1);
    TStringGridCells cells(StringGrid1);
    MenuDoc->Variables.FillGrid(cells);
  }
  // The row number stays; past the end it is the last row, as the grid keeps it.
  SetGridRow(row < 1 ? 1 : std::min(row, StringGrid1->rowCount()));
  emit StateChanged();  // likewise every change of the variables
}

// ---- Commands ----

void Tmainform::StringGrid1Click() {
  Guard([&] {
    int index = GridRow() - 1;
    // The blank row of an empty list names no variable: the boxes keep their texts.
    if (index < 0 || index >= static_cast<int>(MenuDoc->Variables.Vars.size())) return;
    Edit1->SetText(MenuDoc->Variables.Vars[static_cast<std::size_t>(index)].Name);
    Edit2->SetText(MenuDoc->Variables.Vars[static_cast<std::size_t>(index)].Value);
  });
}

template <typename Op> void Tmainform::VariablesCommand(const std::string& name, const char* doing, Op op) {
  Guard([&] {
    const int selected = SelectedIndex();
    op(MenuDoc->Variables, GridRow() - 1);
    FillGrid();
    RecordStep(QStringLiteral("Variable „%1“ %2").arg(ToQ(name), QString::fromUtf8(doing)), selected);
  });
}

// The name of the variable in the grid's selected row, for a step's name.
static std::string RowName(const TParseList& vars, int row) {
  const int index = row - 1;
  return index >= 0 && index < static_cast<int>(vars.Vars.size()) ? vars.Vars[static_cast<std::size_t>(index)].Name
                                                                    : std::string();
}

void Tmainform::TBItem16Click() {
  VariablesCommand(Edit1->Text(), "hinzufügen",
                   [&](TParseList& vars, int) { vars.AddVariable(Edit1->Text(), Edit2->Text()); });
}

void Tmainform::TBItem17Click() {
  VariablesCommand(Edit1->Text(), "ändern",
                   [&](TParseList& vars, int index) { vars.SetVariable(index, Edit1->Text(), Edit2->Text()); });
}

void Tmainform::TBItem18Click() {
  VariablesCommand(RowName(MenuDoc->Variables, GridRow()), "löschen",
                   [](TParseList& vars, int index) { vars.DeleteVariable(index); });
}

void Tmainform::TBItem19Click() {
  VariablesCommand(RowName(MenuDoc->Variables, GridRow()), "nach oben verschieben",
                   [](TParseList& vars, int index) { vars.MoveVariableUp(index); });
}

void Tmainform::TBItem20Click() {
  VariablesCommand(RowName(MenuDoc->Variables, GridRow()), "nach unten verschieben",
                   [](TParseList& vars, int index) { vars.MoveVariableDown(index); });
}

}  // namespace navforge
