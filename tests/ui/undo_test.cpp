// "Rückgängig" and "Wiederholen": every kind of change undone and redone with the keys,
// checked by the bytes the window saves.
#include <QComboBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QTimer>

#include "formtest.h"
#include "ui/colorswatch.h"
#include "ui/importdialog.h"
#include "ui/undohistory.h"

namespace navforge {
namespace {

class UndoTest : public test::FormTest {
public:
  void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
  void Save() { Key(Qt::Key_S, Qt::ControlModifier); }
  void ShowPage(QWidget* page) {
    if (form->TabSheet1 != page) {
      form->PageControl1->setCurrentWidget(form->TabSheet4);
      form->PageControl2->setCurrentWidget(page);
    } else {
      form->PageControl1->setCurrentWidget(page);
    }
  }
  // Answers the folder dialog with folder and takes every proposed page.
  void Import(const std::string& folder) {
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
      QWidget* w = QApplication::activeModalWidget();
      if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
        dialog->setDirectory(QString::fromStdString(folder));
        static_cast<QDialog*>(dialog)->accept();
      } else if (auto* review = qobject_cast<TImportDialog*>(w); review && review->isVisible()) {
        review->accept();
      }
    });
    answer.start();
    form->TBItemImport->trigger();
    answer.stop();
  }
  void Drop(int from, int gap) {
    TEntryList* list = form->ListBox1;
    const int last = list->count() - 1;
    const QRect line = list->visualItemRect(list->item(gap <= last ? gap : last));
    const QPoint at = gap <= last ? line.topLeft() + QPoint(5, 1) : line.bottomLeft() + QPoint(5, -1);
    std::unique_ptr<QMimeData> data(list->DragData(from));
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &move);
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &drop);
  }
  std::string BaseMenu() {
    return WriteMenu("base.nff", {"A", "-a1", "B", "C"}, [](TovHTML& d) {
      d.Template = "Blue";
      d.Title = "T";
      d.TextColor = 0x0000FF;
      d.Variables.AddVariable("V1", "eins");
      d.Variables.AddVariable("V2", "zwei");
    });
  }
};

struct Change {
  const char* Name;
  std::function<void(UndoTest&)> Make;
  const char* Step;  // the step's name in the hints
};

// One row per kind of change: the entries (each command, a drag, an import), the
// formatting values (typed, chosen by a command, colours, the set) and the variables.
const Change kChanges[] = {
    {"add", [](UndoTest& t) { t.AddMain("Kontakt"); }, "Eintrag „Kontakt“ hinzufügen"},
    {"add sub", [](UndoTest& t) { t.ClickLine(2); t.AddSub("b1"); }, "Unterpunkt „b1“ hinzufügen"},
    {"change",
     [](UndoTest& t) {
       t.ClickLine(2);
       t.Boxes("B2", "b2.htm", "f");
       t.form->TBItem10->trigger();
     },
     "Eintrag „B“ ändern"},
    {"delete with Entf", [](UndoTest& t) { t.ClickLine(3); t.Key(Qt::Key_Delete); }, "Eintrag „C“ löschen"},
    {"up with Alt+Up", [](UndoTest& t) { t.ClickLine(3); t.Key(Qt::Key_Up, Qt::AltModifier); },
     "Eintrag „C“ nach oben verschieben"},
    {"down with Alt+Down", [](UndoTest& t) { t.ClickLine(2); t.Key(Qt::Key_Down, Qt::AltModifier); },
     "Eintrag „B“ nach unten verschieben"},
    {"make sub", [](UndoTest& t) { t.ClickLine(2); t.form->TBItem14->trigger(); }, "Eintrag „B“ zum Menüunterpunkt machen"},
    {"make main", [](UndoTest& t) { t.ClickLine(1); t.form->TBItem13->trigger(); }, "Eintrag „a1“ zum Hauptmenüpunkt machen"},
    {"drag group", [](UndoTest& t) { t.ClickLine(0); t.Drop(0, 4); }, "Eintrag „A“ verschieben"},
    {"import",
     [](UndoTest& t) {
       test::MakeDir(t.tmp.file("site"));
       test::WriteFile(t.tmp.file("site/seite.htm"), "<html><head><title>Seite</title></head><body></body></html>");
       t.Import(t.tmp.file("site"));
     },
     "Seiten importieren"},
    {"typed title",
     [](UndoTest& t) {
       t.ShowPage(t.form->TabSheet3);
       t.TypeInto(t.form->titlename, QStringLiteral("Neuer Titel"));
     },
     "Titel ändern"},
    {"colour chosen",
     [](UndoTest& t) {
       t.dialogs.ColorAnswers.push_back(0x00FF00);
       QTest::mouseClick(t.form->Panel3, Qt::LeftButton);
     },
     "Linkfarbe ändern"},
    {"colour cleared", [](UndoTest& t) { t.Click(t.form->Button10); }, "Schriftfarbe ändern"},
    {"set chosen", [](UndoTest& t) { t.form->cbTemplates->setCurrentIndex(t.form->cbTemplates->findText("Green")); },
     "Template ändern"},
    {"font double-clicked",
     [](UndoTest& t) {
       t.form->cbfont->setEditText(QStringLiteral("Verdana"));
       QTest::mouseDClick(t.form->menufont, Qt::LeftButton);
     },
     "Schrift ändern"},
    {"output file chosen",
     [](UndoTest& t) {
       t.dialogs.SaveAnswers.push_back(t.menus + "nav.htm");
       t.Click(t.form->Button2);
     },
     "Dateiname ändern"},
    {"image chosen",
     [](UndoTest& t) {
       t.dialogs.OpenAnswers.push_back(t.menus + "bild.png");
       t.Click(t.form->Button1);
     },
     "Hintergrundbild ändern"},
    {"add variable",
     [](UndoTest& t) {
       t.form->Edit1->setText(QStringLiteral("V3"));
       t.form->Edit2->setText(QStringLiteral("drei"));
       t.form->TBItem16->trigger();
     },
     "Variable „V3“ hinzufügen"},
    {"change variable",
     [](UndoTest& t) {
       t.form->StringGrid1->setCurrentCell(1, 0);
       t.form->Edit2->setText(QStringLiteral("zwo"));
       t.form->TBItem17->trigger();
     },
     "Variable „V2“ ändern"},
    {"delete variable", [](UndoTest& t) { t.form->StringGrid1->setCurrentCell(0, 0); t.form->TBItem18->trigger(); },
     "Variable „V1“ löschen"},
    {"variable down", [](UndoTest& t) { t.form->StringGrid1->setCurrentCell(0, 0); t.form->TBItem20->trigger(); },
     "Variable „V1“ nach unten verschieben"},
};

// Undone, a change leaves the files as they were saved before it; redone, as they were
// saved after it, byte for byte. Back at the saved state the menu is unmodified.
TEST_F(UndoTest, everyKindOfChange_roundTripsTheSavedFiles) {
  for (const Change& change : kChanges) {
    SCOPED_TRACE(change.Name);
    const std::string base = BaseMenu();
    form = MakeForm();
    ShowActive();
    Open(base);
    form->ListBox1->setFocus();
    Save();
    const auto before = SavedFiles(base);
    change.Make(*this);
    ShowActive();  // again after a dialog
    ASSERT_TRUE(form->Modified);
    ASSERT_EQ(form->BtnUndo->toolTip(), QStringLiteral("Rückgängig: ") + QString::fromUtf8(change.Step));
    form->ListBox1->setFocus();
    Undo();
    EXPECT_FALSE(form->Modified);
    EXPECT_EQ(Caption(), "base.nff - HTML Navforge");
    EXPECT_EQ(form->BtnRedo->toolTip(), QStringLiteral("Wiederholen: ") + QString::fromUtf8(change.Step));
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(form->Modified);
    Save();
    const auto after = SavedFiles(base);
    ASSERT_NE(after, before);
    Undo();
    Save();
    EXPECT_EQ(SavedFiles(base), before);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Save();
    EXPECT_EQ(SavedFiles(base), after);
    EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages[0].Text;
  }
}

TEST_F(UndoTest, withoutSteps_theButtonsAreOffAndHintTheCommandAlone) {
  EXPECT_FALSE(form->BtnUndo->isEnabled());
  EXPECT_FALSE(form->BtnRedo->isEnabled());
  EXPECT_EQ(form->BtnUndo->toolTip(), QStringLiteral("Rückgängig"));
  AddMain("A");
  EXPECT_TRUE(form->BtnUndo->isEnabled());
  form->BtnUndo->trigger();
  EXPECT_FALSE(form->BtnUndo->isEnabled());
  EXPECT_EQ(form->BtnUndo->toolTip(), QStringLiteral("Rückgängig"));
  EXPECT_TRUE(form->BtnRedo->isEnabled());
}

// Typed into a formatting box, a value is one step when the box is left, whatever the
// number of keys.
TEST_F(UndoTest, typedValue_isOneStepWhenItsBoxIsLeft) {
  ShowActive();
  ShowPage(form->TabSheet3);
  form->titlename->setFocus();
  QTest::keyClicks(form->titlename, QStringLiteral("Titel"));
  EXPECT_EQ(form->History->count(), 0);
  EXPECT_TRUE(form->Modified);  // typed and not yet left is unsaved, too
  QTest::keyClick(form->titlename, Qt::Key_Tab);
  EXPECT_EQ(form->History->count(), 1);
  form->BtnUndo->trigger();
  EXPECT_EQ(form->titlename->text(), QString());
  EXPECT_FALSE(form->Modified);
}

// In a box with typing to undo, Ctrl+Z takes back the typing; then the menu's steps.
TEST_F(UndoTest, ctrlZInABox_undoesTheTypingFirst) {
  ShowActive();
  AddMain("A");
  form->menuname->setFocus();
  QTest::keyClicks(form->menuname, QStringLiteral("xy"));
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Axy"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("A"));
  EXPECT_EQ(Lines(), std::vector<std::string>{"A"});
  Key(Qt::Key_Y, Qt::ControlModifier);  // the box's own redo
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Axy"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);  // nothing typed left: the entry goes
  EXPECT_EQ(Lines(), std::vector<std::string>{});
}

// The caption marks unsaved changes after the file name; message captions stay.
TEST_F(UndoTest, caption_marksUnsavedChangesAfterTheFileName) {
  struct Case {
    bool WithFile;
    const char* Clean;
    const char* Changed;
  };
  for (const Case& c : {Case{false, "HTML Navforge", "HTML Navforge*"},
                        Case{true, "base.nff - HTML Navforge", "base.nff* - HTML Navforge"}}) {
    form = MakeForm();
    if (c.WithFile) Open(BaseMenu());
    EXPECT_EQ(Caption(), c.Clean);
    AddMain("X");
    EXPECT_EQ(Caption(), c.Changed);
    EXPECT_EQ(ApplicationTitle(), c.WithFile ? "base.nff - HTML Navforge" : "HTML Navforge");
    form->BtnUndo->trigger();
    EXPECT_EQ(Caption(), c.Clean);
  }
}

// A large menu keeps one copy of its entries for every step that leaves them alone.
TEST_F(UndoTest, formattingSteps_shareTheEntries) {
  for (int i = 0; i < 50; ++i) AddMain(("E" + std::to_string(i)).c_str());
  const auto entries = form->History->Current().Items;
  form->titlename->setText(QStringLiteral("x"));
  form->SetColor(form->Panel2, 0x112233);
  EXPECT_EQ(form->History->count(), 52);
  EXPECT_EQ(form->History->Current().Items, entries);
}

}  // namespace
}  // namespace navforge
