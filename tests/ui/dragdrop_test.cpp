// Entries dragged within the entry list: where they land, what they become, and a group
// dragged through the list's own drop handling as one undo step.
#include "formtest.h"
#include "ui/entrydrop.h"
#include "ui/undohistory.h"

namespace navforge {
namespace {

// "A,-a1,B" and back: main entries, and sub-entries with "-".
TMenutree Menu(const std::string& text) {
  TMenutree items;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(',', start), text.size());
    const bool sub = text[start] == '-';
    items.push_back(TMTItem{text.substr(start + sub, end - start - sub), "", "", "", sub});
    start = end + 1;
  }
  return items;
}
std::string Shown(const TMenutree& items) {
  std::string text;
  for (const TMTItem& item : items) text += (text.empty() ? "" : ",") + std::string(item.IsSubItem ? "-" : "") + item.Caption;
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

}  // namespace
}  // namespace navforge
