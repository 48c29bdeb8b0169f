// Page "Menü": the entry list, the entry editor's toolbar and boxes, and its commands.
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>

#include "support/cp1252literal.h"
#include "ui/editbox.h"
#include "ui/formparts.h"
#include "ui/hints.h"
#include "ui/filefilters.h"
#include "ui/listadapters.h"
#include "ui/mainform.h"
#include "ui/qtext.h"

namespace navforge {
namespace {

// Hint of several lines, joined by CR LF.
const std::string kHintBrowseLink =
    "Im angezeigten Dialog feld können, die die datei auswählen, die gelinkt werden soll.\r\n"
    "Falls, sie den Speicherpfad und -dateinamen des fertigen Menüs angegeben haben, berechnet das "
    "Programm die relative Position."_cp1252;

// The entry list: a click selects a line, and nothing but a command takes the
// selection away again (not a click beside the lines, not Ctrl with a click or Space).
class TEntryList : public QListWidget {
public:
  using QListWidget::QListWidget;

protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                      const QEvent* event) const override {
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
      return selectionModel()->isSelected(index) ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect;
    return flags;
  }
};

bool SameEntries(const TMenutree& a, const TMenutree& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TMTItem& x, const TMTItem& y) {
    return x.Caption == y.Caption && x.Link == y.Link && x.Target == y.Target && x.IsSubItem == y.IsSubItem;
  });
}

}  // namespace

void Tmainform::CreateMenuPage() {
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, QStringLiteral("Menü"));

  ListBox1 = new TEntryList(TabSheet1);
  Place(ListBox1, "ListBox1", 0, 0, 167, 506);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setItemDelegate(new TFixedRowHeight(13, ListBox1));
  ListBox1->setUniformItemSizes(true);
  connect(ListBox1, &QListWidget::itemSelectionChanged, this, &Tmainform::ListBox1Click);
  // A click on the line already selected fetches its texts again, too.
  connect(ListBox1, &QListWidget::itemClicked, this, &Tmainform::ListBox1Click);

  GroupBox1 = new QGroupBox(QStringLiteral("Menü"), TabSheet1);
  Place(GroupBox1, "GroupBox1", 172, 0, 261, 161);
  SetShowHint(GroupBox1, true);
  TBToolbar2 = MakeToolbar(GroupBox1, "TBToolbar2", "TBDock2", 2, 15, 257, false);
  TBItem8 = AddCommand(TBToolbar2, "TBItem8", "add", "Menüpunkt hinzufügen"_cp1252, &Tmainform::TBItem8Click);
  TBItem9 = AddCommand(TBToolbar2, "TBItem9", "addsub", "Menüunterpunkt hinzufügen"_cp1252, &Tmainform::TBItem9Click);
  AddSeparator(TBToolbar2, "TBSeparatorItem5");
  TBItem10 = AddCommand(TBToolbar2, "TBItem10", "change", "Ändern"_cp1252, &Tmainform::TBItem10Click);
  AddSeparator(TBToolbar2, "TBSeparatorItem8");
  TBItem15 = AddCommand(TBToolbar2, "TBItem15", "delete", "Löschen"_cp1252, &Tmainform::TBItem15Click);
  AddSeparator(TBToolbar2, "TBSeparatorItem6");
  TBItem11 = AddCommand(TBToolbar2, "TBItem11", "up", "Nach oben", &Tmainform::TBItem11Click);
  TBItem12 = AddCommand(TBToolbar2, "TBItem12", "down", "Nach unten", &Tmainform::TBItem12Click);
  AddSeparator(TBToolbar2, "TBSeparatorItem7");
  TBItem13 = AddCommand(TBToolbar2, "TBItem13", "left", "Zu Haupmenüpunkt machen"_cp1252, &Tmainform::TBItem13Click);
  TBItem14 = AddCommand(TBToolbar2, "TBItem14", "right", "zu Menüunterpunkt machen"_cp1252, &Tmainform::TBItem14Click);
  // The group box's width holds one more button, without a separator, when the bar
  // keeps no margin of its own.
  TBToolbar2->layout()->setContentsMargins(0, 0, 0, 0);
  TBItemImport =
      AddCommand(TBToolbar2, "TBItemImport", "import", "Seiten importieren...", &Tmainform::ImportPagesClick);
  auto* bevel = new QFrame(GroupBox1);
  Place(bevel, "Bevel1", 2, 41, 257, 2);
  bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);

  AddLabel(GroupBox1, "Label1", 5, 53, "Name");
  menuname = AddEdit(GroupBox1, "menuname", 73, 51, 176, "Geben Sie hier den Namen des Links an");
  AddLabel(GroupBox1, "Label2", 5, 78, "Link");
  menulink = AddEdit(GroupBox1, "menulink", 73, 76, 176,
                     "Geben Sie hier die Adresse des Links an. geben Sie den Link so an, wie er später im "
                     "Quelltext sethen soll, da keine relativen Pfadberechnungen vorgenommen werden."_cp1252);
  AddLabel(GroupBox1, "Label19", 5, 102, "Targetframe");
  linktarget = AddEdit(GroupBox1, "linktarget", 73, 100, 176,
                       "Geben Sie hier ggf. den Namen des Frames an, in dem die Seite angezeigt werden soll.");
  FlatButton1 = AddButton(GroupBox1, "FlatButton1", 168, 129, 81, "Durchsuchen...", &Tmainform::Button3Click);
  FlatButton1->setToolTip(ToQ(kHintBrowseLink));
  FlatButton2 = AddButton(TabSheet1, "FlatButton2", 172, 168, 109, "<-- Deselect Item", &Tmainform::Button12Click);
}

// ---- Selection ----

int Tmainform::SelectedIndex() const {
  QList<QListWidgetItem*> items = ListBox1->selectedItems();
  return items.isEmpty() ? -1 : ListBox1->row(items.first());
}

void Tmainform::SelectIndex(int index) {
  QSignalBlocker block(ListBox1);
  if (index < 0 || index >= ListBox1->count()) {
    ListBox1->clearSelection();
    ListBox1->setCurrentRow(-1);
  } else {
    ListBox1->setCurrentRow(index);
  }
}

void Tmainform::FillItemList() {
  QSignalBlocker block(ListBox1);
  TListBoxLines lines(ListBox1);
  MenuDoc->FillItemList(lines);
  ListBox1->setCurrentRow(-1);
  emit StateChanged();  // every command that changes entries shows them anew here
}

// ---- Commands ----

void Tmainform::ListBox1Click() {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;  // the boxes keep what they hold
    std::string caption, link, target;
    MenuDoc->GetItem(sel, caption, link, target);
    menuname->SetText(caption);
    menulink->SetText(link);
    linktarget->SetText(target);
  });
}

void Tmainform::AddEntry(bool subItem) {
  Guard([&] {
    if (menuname->text().isEmpty() || menulink->text().isEmpty() || linktarget->text().isEmpty()) return;
    int sel = SelectedIndex();
    MenuDoc->InsertItem(sel, menuname->Text(), menulink->Text(), linktarget->Text(), subItem);
    Modified = true;
    FillItemList();
    SelectIndex(sel);
  });
}

void Tmainform::TBItem8Click() { AddEntry(false); }
void Tmainform::TBItem9Click() { AddEntry(true); }

template <typename Op, typename Reselect> void Tmainform::EntryCommand(Op op, Reselect reselect) {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;
    const TMenutree before = MenuDoc->Items;
    op(sel);
    if (!SameEntries(before, MenuDoc->Items)) Modified = true;
    FillItemList();
    SelectIndex(reselect(sel, ListBox1->count()));
  });
}

namespace {
int Same(int sel, int) { return sel; }
}  // namespace

void Tmainform::TBItem10Click() {
  EntryCommand([&](int sel) { MenuDoc->SetItem(sel, menuname->Text(), menulink->Text(), linktarget->Text()); }, Same);
}

void Tmainform::TBItem15Click() {
  EntryCommand([&](int sel) { MenuDoc->DeleteItem(sel); }, [](int, int) { return -1; });
}

void Tmainform::TBItem11Click() {
  EntryCommand([&](int sel) { MenuDoc->MoveItemUp(sel); }, [](int sel, int) { return sel > 0 ? sel - 1 : 0; });
}

void Tmainform::TBItem12Click() {
  EntryCommand([&](int sel) { MenuDoc->MoveItemDown(sel); },
               [](int sel, int count) { return sel < count - 1 ? sel + 1 : count - 1; });
}

void Tmainform::TBItem13Click() {
  EntryCommand([&](int sel) { MenuDoc->SetSubItem(sel, false); }, Same);
}

void Tmainform::TBItem14Click() {
  EntryCommand([&](int sel) { MenuDoc->SetSubItem(sel, true); }, Same);
}

void Tmainform::Button12Click() { SelectIndex(-1); }

void Tmainform::Button3Click() { BrowseRelativeToOutput(kHtmlFilter, menulink); }

}  // namespace navforge
