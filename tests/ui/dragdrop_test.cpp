// Entries dragged within the entry list: where they land, what they become, and the
// drag of a group through the list's own drop handling as one undo step.
#include <QDragEnterEvent>
#include <QMimeData>

#include "formtest.h"
#include "ui/entrydrop.h"
#include "ui/undohistory.h"

namespace navforge {
namespace {

// "A,-a1,B": main entries, and sub-entries with "-".
TMenutree Menu(const std::string& text) {
  TMenutree items;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(',', start), text.size());
    const std::string part = text.substr(start, end - start);
    const bool sub = !part.empty() && part[0] == '-';
    items.push_back(TMTItem{sub ? part.substr(1) : part, "", "", "", sub});
    start = end + 1;
  }
  return items;
}

std::string Shown(const TMenutree& items) {
  std::string text;
  for (const TMTItem& item : items) text += (text.empty() ? "" : ",") + std::string(item.IsSubItem ? "-" : "") + item.Caption;
  return text;
}

struct DropCase {
  const char* Name;
  const char* Before;
  int From, Gap;
  const char* After;
  int Index;  // of the moved entry afterwards, -1 for no move
};

TEST(DropEntry, landsAndBecomesWhatTheRulesSay) {
  const DropCase cases[] = {
      {"main entry down", "A,B,C", 0, 2, "B,A,C", 1},
      {"main entry to the end", "A,B,C", 0, 3, "B,C,A", 2},
      {"main entry to the top", "A,B,C", 2, 0, "C,A,B", 0},
      {"group carries its sub-entries", "A,-a1,-a2,B,C", 0, 5, "B,C,A,-a1,-a2", 2},
      {"group up", "A,B,-b1,C", 1, 0, "B,-b1,A,C", 0},
      {"group among another group's sub-entries lands after that group", "A,-a1,-a2,C,B,-b1", 4, 2,
       "A,-a1,-a2,B,-b1,C", 3},
      {"group between a main entry and its first sub-entry lands after that group", "A,-a1,C,B,-b1", 3, 1,
       "A,-a1,B,-b1,C", 2},
      {"group among sub-entries from above lands after their group", "B,-b1,A,-a1,-a2,C", 0, 4, "A,-a1,-a2,B,-b1,C", 3},
      {"single main entry between sub-entries becomes one", "A,-a1,-a2,B", 3, 2, "A,-a1,-B,-a2", 2},
      {"single main entry before a group's first sub-entry becomes its first", "A,-a1,B", 2, 1, "A,-B,-a1", 1},
      {"sub-entry to another group", "A,-a1,B,-b1", 1, 4, "A,B,-b1,-a1", 3},
      {"sub-entry between two main entries stays one", "A,-a1,B,C", 1, 3, "A,B,-a1,C", 2},
      {"sub-entry to the very top becomes a main entry", "A,-a1,B", 1, 0, "a1,A,B", 0},
      {"main entry after a group's last sub-entry stays one", "A,-a1,B,C", 3, 2, "A,-a1,C,B", 2},
      {"onto itself", "A,B,C", 1, 1, "A,B,C", -1},
      {"just below itself", "A,B,C", 1, 2, "A,B,C", -1},
      {"a group inside itself", "A,-a1,-a2,B", 0, 2, "A,-a1,-a2,B", -1},
      {"no such entry", "A,B", 2, 0, "A,B", -1},
  };
  for (const DropCase& c : cases) {
    TMenutree items = Menu(c.Before);
    EXPECT_EQ(DropEntry(items, c.From, c.Gap), c.Index) << c.Name;
    EXPECT_EQ(Shown(items), c.After) << c.Name;
  }
}

class DragDropTest : public test::FormTest {
public:
  // The drag of line from, let go over the upper half of line gap (below the last
  // line for gap == count), through the list's own drag events.
  bool Drop(int from, int gap, const QMimeData* data = nullptr) {
    TEntryList* list = form->ListBox1;
    const int last = list->count() - 1;
    const QRect line = list->visualItemRect(list->item(std::min(gap, last)));
    const QPoint at = gap <= last ? line.topLeft() + QPoint(5, 1) : line.bottomLeft() + QPoint(5, -1);
    std::unique_ptr<QMimeData> own(data ? nullptr : list->DragData(from));
    const QMimeData* carried = data ? data : own.get();
    QDragEnterEvent enter(at, Qt::MoveAction, carried, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, carried, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &move);
    QDropEvent drop(at, Qt::MoveAction, carried, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &drop);
    return drop.isAccepted();
  }
};

TEST_F(DragDropTest, groupDraggedInTheList_movesWithItsSubEntriesAsOneStep) {
  form->show();
  Open(WriteMenu("site.nff", {"A", "-a1", "-a2", "B", "-b1", "C"}));
  ClickLine(0);
  EXPECT_TRUE(Drop(0, 6));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"B", "- b1", "C", "A", "- a1", "- a2"}));
  EXPECT_EQ(form->SelectedIndex(), 3);
  EXPECT_EQ(form->menuname->Text(), "A");
  EXPECT_EQ(form->History->count(), 1);
  form->BtnUndo->trigger();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "- a1", "- a2", "B", "- b1", "C"}));
  EXPECT_EQ(form->SelectedIndex(), 0);
}

// Only this list's own drags are taken: not text from elsewhere, not another list's line.
TEST_F(DragDropTest, foreignDrags_areRefused) {
  form->show();
  Open(WriteMenu("site.nff", {"A", "B"}));
  QMimeData text;
  text.setText(QStringLiteral("A"));
  EXPECT_FALSE(Drop(0, 2, &text));
  TEntryList other(nullptr);
  other.addItems({QStringLiteral("X"), QStringLiteral("Y")});
  std::unique_ptr<QMimeData> foreign(other.DragData(0));
  EXPECT_FALSE(Drop(0, 2, foreign.get()));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(form->Modified);
}

}  // namespace
}  // namespace navforge
