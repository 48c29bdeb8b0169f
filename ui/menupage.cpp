// Page "Menü": the entry list, the entry editor's toolbar and boxes, and its commands.
#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>

#include "persist/entrylevels.h"
#include "support/cp1252literal.h"
#include "ui/editbox.h"
#include "ui/entrydrop.h"
#include "ui/entrylist.h"
#include "ui/formparts.h"
#include "ui/hints.h"
#include "ui/filefilters.h"
#include "ui/listadapters.h"
#include "ui/mainform.h"
#include "ui/qtext.h"
#include "ui/undohistory.h"

namespace navforge {
namespace {

// Hint of several lines, joined by CR LF.
const std::string kHintBrowseLink =
    "Im angezeigten Dialog feld können, die die datei auswählen, die gelinkt werden soll.\r\n"
    "Falls, sie den Speicherpfad und -dateinamen des fertigen Menüs angegeben haben, berechnet das "
    "Programm die relative Position."_cp1252;

// "Eintrag „Kontakt“ hinzufügen": the name of an entry command's undo step.
QString EntryStep(const std::string& caption, const char* doing, const char* kind = "Eintrag") {
  return QStringLiteral("%1 „%2“ %3").arg(QString::fromUtf8(kind), ToQ(caption), QString::fromUtf8(doing));
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
  // A click on the line already selected fetches its texts again, too (not a click
  // whose selection the user took back when asked about typed texts).
  connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (ListBox1->row(item) == SelectedIndex()) ListBox1Click();
  });
  connect(ListBox1, &TEntryList::EntryDropped, this, &Tmainform::DropEntry);

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

  // Keys of the page: Entf in the list, the others wherever the focus is on the page.
  auto key = [this](QKeySequence keys, QWidget* where, Qt::ShortcutContext context, Handler handler) {
    auto* shortcut = new QShortcut(keys, where, nullptr, nullptr, context);
    connect(shortcut, &QShortcut::activated, this, handler);
  };
  key(QKeySequence(Qt::Key_Delete), ListBox1, Qt::WidgetShortcut, &Tmainform::TBItem15Click);
  key(QKeySequence(Qt::Key_Insert), TabSheet1, Qt::WidgetWithChildrenShortcut, &Tmainform::TBItem8Click);
  key(QKeySequence(Qt::AltModifier | Qt::Key_Up), TabSheet1, Qt::WidgetWithChildrenShortcut, &Tmainform::TBItem11Click);
  key(QKeySequence(Qt::AltModifier | Qt::Key_Down), TabSheet1, Qt::WidgetWithChildrenShortcut, &Tmainform::TBItem12Click);

  // The levels' commands, in the list's context menu with its keys (the toolbar has no
  // room for them), beside the moves.
  auto listCommand = [this](const char* name, const char* glyph, const QString& text, QKeySequence keys,
                            Handler handler) {
    auto* action = new QAction(QIcon(QStringLiteral(":/glyphs/%1.svg").arg(QLatin1String(glyph))), text, ListBox1);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  TBItemHigher = listCommand("TBItemHigher", "left", QStringLiteral("Eine Ebene höher"),
                             QKeySequence(Qt::AltModifier | Qt::Key_Left), &Tmainform::LevelHigherClick);
  TBItemDeeper = listCommand("TBItemDeeper", "right", QStringLiteral("Eine Ebene tiefer"),
                             QKeySequence(Qt::AltModifier | Qt::Key_Right), &Tmainform::LevelDeeperClick);
  auto* separator = new QAction(ListBox1);
  separator->setSeparator(true);
  ListBox1->addActions({TBItem11, TBItem12, separator, TBItemHigher, TBItemDeeper});
  ListBox1->setContextMenuPolicy(Qt::ActionsContextMenu);
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

// Only the lines that differ are touched: on a large menu a command changes a few.
void Tmainform::FillItemList() {
  QSignalBlocker block(ListBox1);
  const int shown = ListBox1->count();
  const int wanted = static_cast<int>(MenuDoc->Items.size());
  auto line = [this](int i) { return ToQ(ListLine(MenuDoc->Items[static_cast<std::size_t>(i)])); };
  int front = 0;
  while (front < shown && front < wanted && ListBox1->item(front)->text() == line(front)) ++front;
  int back = 0;
  while (back < shown - front && back < wanted - front &&
         ListBox1->item(shown - 1 - back)->text() == line(wanted - 1 - back))
    ++back;
  if (front == 0 && back == 0) {
    ListBox1->clear();
    QStringList lines;
    lines.reserve(wanted);
    for (int i = 0; i < wanted; ++i) lines << line(i);
    ListBox1->addItems(lines);
  } else {
    const int oldMiddle = shown - front - back, newMiddle = wanted - front - back;
    for (int i = 0; i < std::min(oldMiddle, newMiddle); ++i) ListBox1->item(front + i)->setText(line(front + i));
    for (int i = newMiddle; i < oldMiddle; ++i) delete ListBox1->takeItem(front + newMiddle);
    QStringList added;
    for (int i = oldMiddle; i < newMiddle; ++i) added << line(front + i);
    ListBox1->insertItems(front + oldMiddle, added);
  }
  ListBox1->clearSelection();
  ListBox1->setCurrentRow(-1);
  emit StateChanged();  // every command that changes entries shows them anew here
}

// ---- Texts typed into the boxes ----

void Tmainform::ShowInBoxes(int index) {
  if (index >= 0) {
    std::string caption, link, target;
    MenuDoc->GetItem(index, caption, link, target);
    menuname->SetText(caption);
    menulink->SetText(link);
    linktarget->SetText(target);
  }
  boxesFrom_ = index;
  boxesShown_ = {menuname->text(), menulink->text(), linktarget->text()};
}

// Boxes that name no entry hold nothing to lose while they are empty.
bool Tmainform::TypingPending() const {
  const std::array<QString, 3> now = {menuname->text(), menulink->text(), linktarget->text()};
  if (now == boxesShown_) return false;
  return boxesFrom_ >= 0 || !(now[0].isEmpty() && now[1].isEmpty() && now[2].isEmpty());
}

bool Tmainform::TypingHandled() {
  if (!TypingPending()) return true;
  const bool entry = boxesFrom_ >= 0 && boxesFrom_ < static_cast<int>(MenuDoc->Items.size());
  const std::string text =
      entry ? "Die Änderungen am Eintrag „"_cp1252 + MenuDoc->Items[static_cast<std::size_t>(boxesFrom_)].Caption +
                  "“ wurden noch nicht übernommen."_cp1252
            : "Der Eintrag „"_cp1252 + menuname->Text() + "“ wurde eingegeben, aber noch nicht hinzugefügt."_cp1252;
  switch (dialogs_->ApplyOrDiscard("Bestätigung"_cp1252, text)) {
    case TTypingAnswer::Apply:
      return Guard([&] { ApplyTyping(SelectedIndex()); });
    case TTypingAnswer::Discard:
      menuname->setText(boxesShown_[0]);
      menulink->setText(boxesShown_[1]);
      linktarget->setText(boxesShown_[2]);
      return true;
    case TTypingAnswer::Cancel:
      break;
  }
  return false;
}

// "Übernehmen": the typed texts go to the entry the boxes were filled from, or become a
// new main entry at the end, which moves no other line; reselect is selected after.
void Tmainform::ApplyTyping(int reselect) {
  const int before = boxesFrom_;
  const bool entry = boxesFrom_ >= 0 && boxesFrom_ < static_cast<int>(MenuDoc->Items.size());
  QString step;
  if (entry) {
    step = EntryStep(MenuDoc->Items[static_cast<std::size_t>(boxesFrom_)].Caption, "ändern");
    MenuDoc->SetItem(boxesFrom_, menuname->Text(), menulink->Text(), linktarget->Text());
  } else {
    step = EntryStep(menuname->Text(), "hinzufügen");
    MenuDoc->InsertItem(-1, menuname->Text(), menulink->Text(), linktarget->Text(), false);
  }
  FillItemList();
  SelectIndex(reselect);
  boxesShown_ = {menuname->text(), menulink->text(), linktarget->text()};
  RecordStep(step, before);
}

// ---- Commands ----

void Tmainform::ListBox1Click() {
  Guard([&] {
    int sel = SelectedIndex();
    if (sel < 0) return;  // the boxes keep what they hold
    if (!TypingHandled()) {
      SelectIndex(boxesFrom_);  // the selection goes back to what the boxes show
      return;
    }
    ShowInBoxes(SelectedIndex());
  });
}

void Tmainform::ShowEntry(int index) {
  PageControl1->setCurrentWidget(TabSheet1);
  if (index != boxesFrom_ && !TypingHandled()) return;
  SelectIndex(index);
  ListBox1->scrollToItem(ListBox1->item(index));
  ShowInBoxes(index);  // as after a click
}

void Tmainform::EntriesChanged(const QString& step, int select) {
  const int before = SelectedIndex();
  FillItemList();
  // Typed texts stay with the entry they belong to (an import goes after the selected
  // group and moves it not); otherwise the new selection shows in the boxes.
  if (TypingPending()) {
    SelectIndex(before);
  } else {
    SelectIndex(select);
    ShowInBoxes(select);
  }
  RecordStep(step, before);
}

// The new entry is selected and shown, so "Ändern" changes the entry the boxes show.
void Tmainform::AddEntry(bool subItem) {
  Guard([&] {
    if (menuname->text().isEmpty() || menulink->text().isEmpty() || linktarget->text().isEmpty()) return;
    const int sel = SelectedIndex();
    MenuDoc->InsertItem(sel, menuname->Text(), menulink->Text(), linktarget->Text(), subItem);
    const int added = sel < 0 ? MenuDoc->LastIndex() : sel + 1;
    ClampLevels(MenuDoc->Items, static_cast<std::size_t>(added));  // entries after it at most one below it
    FillItemList();
    SelectIndex(added);
    ShowInBoxes(added);
    RecordStep(EntryStep(menuname->Text(), "hinzufügen", subItem ? "Unterpunkt" : "Eintrag"), sel);
  });
}

void Tmainform::TBItem8Click() { AddEntry(false); }
void Tmainform::TBItem9Click() { AddEntry(true); }

template <typename Op, typename Reselect>
void Tmainform::EntryCommand(const char* doing, Op op, Reselect reselect) {
  Guard([&] {
    const int sel = SelectedIndex();
    if (sel < 0) return;
    const QString step = EntryStep(MenuDoc->Items[static_cast<std::size_t>(sel)].Caption, doing);
    op(sel);
    FillItemList();
    const int now = reselect(sel, ListBox1->count());
    SelectIndex(now);
    // Typed texts go with their entry, wherever the command moved it.
    if (boxesFrom_ == sel) boxesFrom_ = now;
    RecordStep(step, sel);
  });
}

namespace {
int Same(int sel, int) { return sel; }
}  // namespace

void Tmainform::TBItem10Click() {
  EntryCommand("ändern",
               [&](int sel) {
                 MenuDoc->SetItem(sel, menuname->Text(), menulink->Text(), linktarget->Text());
                 ShowInBoxes(sel);
               },
               Same);
}

void Tmainform::TBItem15Click() {
  EntryCommand("löschen",
               [&](int sel) {
                 MenuDoc->DeleteItem(sel);
                 ClampLevels(MenuDoc->Items, static_cast<std::size_t>(sel));  // the entries below it rise to fit
                 boxesFrom_ = -1;  // what the boxes still show of it may become a new entry
               },
               [](int, int) { return -1; });
}

// One entry moves, alone; the levels are then lifted where it left one too deep.
void Tmainform::TBItem11Click() {
  EntryCommand("nach oben verschieben",
               [&](int sel) {
                 MenuDoc->MoveItemUp(sel);
                 ClampLevels(MenuDoc->Items, static_cast<std::size_t>(std::max(sel - 1, 0)));
               },
               [](int sel, int) { return sel > 0 ? sel - 1 : 0; });
}

void Tmainform::TBItem12Click() {
  EntryCommand("nach unten verschieben",
               [&](int sel) {
                 MenuDoc->MoveItemDown(sel);
                 ClampLevels(MenuDoc->Items, static_cast<std::size_t>(sel));
               },
               [](int sel, int count) { return sel < count - 1 ? sel + 1 : count - 1; });
}

void Tmainform::TBItem13Click() {
  EntryCommand("zum Hauptmenüpunkt machen", [&](int sel) { MakeMainEntry(MenuDoc->Items, static_cast<std::size_t>(sel)); },
               Same);
}

void Tmainform::TBItem14Click() {
  EntryCommand("zum Menüunterpunkt machen", [&](int sel) { MakeSubEntry(MenuDoc->Items, static_cast<std::size_t>(sel)); },
               Same);
}

void Tmainform::LevelDeeperClick() {
  EntryCommand("eine Ebene tiefer setzen", [&](int sel) { LevelDeeper(MenuDoc->Items, static_cast<std::size_t>(sel)); },
               Same);
}

void Tmainform::LevelHigherClick() {
  EntryCommand("eine Ebene höher setzen", [&](int sel) { LevelHigher(MenuDoc->Items, static_cast<std::size_t>(sel)); },
               Same);
}

void Tmainform::DropEntry(int from, int gap) {
  Guard([&] {
    const std::string caption = MenuDoc->Items.at(static_cast<std::size_t>(from)).Caption;
    const int now = navforge::DropEntry(MenuDoc->Items, from, gap);
    if (now < 0) return;
    FillItemList();
    SelectIndex(now);
    if (boxesFrom_ == from) boxesFrom_ = now;
    RecordStep(EntryStep(caption, "verschieben"), from);
  });
}

void Tmainform::Button12Click() {
  SelectIndex(-1);
  boxesFrom_ = -1;  // what the boxes hold may become a new entry
}

void Tmainform::Button3Click() { BrowseRelativeToOutput(kHtmlFilter, menulink); }

}  // namespace navforge
