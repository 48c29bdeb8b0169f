// Entries dragged within the entry list: where they land, what they become, and a group
// dragged through the list's own drop handling as one undo step.
#include "formtest.h"
#include "ui/entrydrop.h"
#include "ui/undohistory.h"

namespace navforge {
namespace {

// "A,-a1,--a2,B" and back: main entries, and sub-entries with one "-" per level.
TMenutree Menu(const std::string& text) {
  TMenutree items;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(',', start), text.size());
    const int level = static_cast<int>(text.find_first_not_of('-', start) - start);
    items.push_back(TMTItem{text.substr(start + level, end - start - level), "", "", "", level > 0, std::max(level, 1)});
    start = end + 1;
  }
  return items;
}
std::string Shown(const TMenutree& items) {
  std::string text;
  for (const TMTItem& item : items)
    text += (text.empty() ? "" : ",") + std::string(static_cast<std::size_t>(LevelOf(item)), '-') + item.Caption;
  return text;
}

TEST(DropEntry, landsAndBecomesWhatTheRulesSay) {
  struct Case {
    const char* Name;
    const char* Before;
    int From, Gap;
    const char* After;
    int Index;  // of the moved entry afterwards, -1 for no move
  };
  const Case cases[] = {
      {"main entry down", "A,B,C", 0, 2, "B,A,C", 1},
      {"main entry to the top", "A,B,C", 2, 0, "C,A,B", 0},
      {"a group carries its sub-entries", "A,-a1,-a2,B,C", 0, 5, "B,C,A,-a1,-a2", 2},
      {"group among sub-entries from below", "A,-a1,-a2,C,B,-b1", 4, 2, "A,-a1,-a2,B,-b1,C", 3},
      {"group among sub-entries from above", "B,-b1,A,-a1,-a2,C", 0, 4, "A,-a1,-a2,B,-b1,C", 3},
      {"group before a first sub-entry", "A,-a1,C,B,-b1", 3, 1, "A,-a1,B,-b1,C", 2},
      {"single main entry between sub-entries", "A,-a1,-a2,B", 3, 2, "A,-a1,-B,-a2", 2},
      {"sub-entry to another group", "A,-a1,B,-b1", 1, 4, "A,B,-b1,-a1", 3},
      {"sub-entry to the very top", "A,-a1,B", 1, 0, "a1,A,B", 0},
      {"main entry after a group's last sub-entry", "A,-a1,B,C", 3, 2, "A,-a1,C,B", 2},
      {"just below itself", "A,B,C", 1, 2, "A,B,C", -1},
      {"a group inside itself", "A,-a1,-a2,B", 0, 2, "A,-a1,-a2,B", -1},
      {"a sub-entry carries the entries below it", "A,-b,--c,--d,E", 1, 5, "A,E,-b,--c,--d", 2},
      {"before a deeper entry a run takes its level", "A,-b,--c,-x,--y", 3, 2, "A,-b,--x,---y,--c", 2},
      {"a main group passes a deeper group", "B,-b1,A,-a1,--a2,-a3", 0, 4, "A,-a1,--a2,-a3,B,-b1", 4},
      {"a sub-entry's group to the very top", "A,-b,--c", 1, 0, "b,-c,A", 0},
      {"at most one below the entry before", "A,-b,--c,---d,E", 3, 5, "A,-b,--c,E,-d", 4},
      {"entries below stay at the deepest level", "A,-b,--c,---d,----e,-----f,-x,--y", 6, 5,
       "A,-b,--c,---d,----e,-----x,-----y,-----f", 5},
  };
  for (const Case& c : cases) {
    TMenutree items = Menu(c.Before);
    EXPECT_EQ(DropEntry(items, c.From, c.Gap), c.Index) << c.Name;
    EXPECT_EQ(Shown(items), c.After) << c.Name;
  }
}

class DragDropTest : public test::FormTest {};

TEST_F(DragDropTest, groupDraggedInTheList_movesWithItsSubEntriesAsOneStep) {
  form->show();
  Open(WriteMenu("site.nff", {"A", "-a1", "-a2", "B", "-b1", "C"}));
  ClickLine(0);
  EXPECT_TRUE(Drop(0, 6));
  EXPECT_EQ(Lines(), (test::Texts{"B", "- b1", "C", "A", "- a1", "- a2"}));
  EXPECT_EQ(form->SelectedIndex(), 3);
  EXPECT_EQ(form->History->count(), 1);
  form->BtnUndo->trigger();
  EXPECT_EQ(Lines(), (test::Texts{"A", "- a1", "- a2", "B", "- b1", "C"}));
  // Only the list's own drags: not text from elsewhere, not another list's line.
  QMimeData text;
  text.setText(QStringLiteral("A"));
  TEntryList other(nullptr);
  other.addItems({QStringLiteral("X"), QStringLiteral("Y")});
  std::unique_ptr<QMimeData> foreign(other.DragData(0));
  for (const QMimeData* data : {static_cast<const QMimeData*>(&text), static_cast<const QMimeData*>(foreign.get())})
    EXPECT_FALSE(Drop(0, 6, data));
  EXPECT_EQ(Lines()[0], "A");
}

// The levels' commands through their keys, the context menu's actions, the moves and a
// drag, each one undo step that brings the list back.
TEST_F(DragDropTest, levelCommands_moveTheEntriesBelowAlongAsOneStep) {
  struct Case {
    const char* Name;
    int Line;  // clicked first
    std::function<void(DragDropTest&)> Do;
    test::Texts After;
  };
  const Case cases[] = {
      {"Alt+Right", 4, [](DragDropTest& t) { t.Key(Qt::Key_Right, Qt::AltModifier); },
       {"A", "- a1", "- - a2", "- a3", "- B", "- - b1"}},
      {"Alt+Right deeper than one below the entry before", 1, [](DragDropTest& t) { t.Key(Qt::Key_Right, Qt::AltModifier); },
       {"A", "- a1", "- - a2", "- a3", "B", "- b1"}},
      {"Alt+Left", 1, [](DragDropTest& t) { t.Key(Qt::Key_Left, Qt::AltModifier); }, {"A", "a1", "- a2", "- a3", "B", "- b1"}},
      {"Eine Ebene tiefer", 3, [](DragDropTest& t) { t.form->TBItemDeeper->trigger(); },
       {"A", "- a1", "- - a2", "- - a3", "B", "- b1"}},
      {"Eine Ebene höher", 2, [](DragDropTest& t) { t.form->TBItemHigher->trigger(); },
       {"A", "- a1", "- a2", "- a3", "B", "- b1"}},
      {"Nach unten, alone", 1, [](DragDropTest& t) { t.Key(Qt::Key_Down, Qt::AltModifier); },
       {"A", "- a2", "- a1", "- a3", "B", "- b1"}},
      {"Nach oben, alone", 4, [](DragDropTest& t) { t.form->TBItem11->trigger(); },
       {"A", "- a1", "- - a2", "B", "- a3", "- b1"}},
      {"Zu Menüunterpunkt", 4, [](DragDropTest& t) { t.form->TBItem14->trigger(); },
       {"A", "- a1", "- - a2", "- a3", "- B", "- - b1"}},
      {"Zu Hauptmenüpunkt", 1, [](DragDropTest& t) { t.form->TBItem13->trigger(); },
       {"A", "a1", "- a2", "- a3", "B", "- b1"}},
      {"Löschen", 1, [](DragDropTest& t) { t.Key(Qt::Key_Delete); }, {"A", "- a2", "- a3", "B", "- b1"}},
      {"dragged", 1, [](DragDropTest& t) { t.Drop(1, 6); }, {"A", "- a3", "B", "- b1", "- a1", "- - a2"}},
  };
  const test::Texts before = {"A", "- a1", "- - a2", "- a3", "B", "- b1"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    form = MakeForm();
    ShowActive();
    Open(WriteMenu("site.nff", {"A", "-a1", "--a2", "-a3", "B", "-b1"}));
    ClickLine(c.Line);
    form->ListBox1->setFocus();
    c.Do(*this);
    EXPECT_EQ(Lines(), c.After);
    EXPECT_EQ(form->History->count(), c.After == before ? 0 : 1);
    form->BtnUndo->trigger();
    EXPECT_EQ(Lines(), before);
  }
  // Both are in the list's context menu, beside the moves.
  EXPECT_EQ(form->ListBox1->contextMenuPolicy(), Qt::ActionsContextMenu);
  for (QAction* action : {form->TBItem11, form->TBItem12, form->TBItemHigher, form->TBItemDeeper})
    EXPECT_TRUE(form->ListBox1->actions().contains(action)) << action->text().toStdString();
}

}  // namespace
}  // namespace navforge
