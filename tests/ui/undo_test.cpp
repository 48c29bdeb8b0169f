// "Rückgängig" and "Wiederholen": every kind of change undone and redone with the keys,
// checked by the bytes the window saves.
#include <QComboBox>
#include <QFileDialog>
#include <QTableWidget>
#include <QTimer>

#include "formtest.h"
#include "ui/colorswatch.h"
#include "ui/importdialog.h"
#include "ui/undohistory.h"

namespace navforge {
namespace {

using test::FormTest;

// The folder dialog answered with folder, every page of it taken.
void Import(FormTest& t, const std::string& folder) {
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
  t.form->TBItemImport->trigger();
}

void Variable(FormTest& t, int row, QAction* command, const char* value = "") {
  t.form->StringGrid1->setCurrentCell(row, 0);
  t.form->Edit1->setText(row < 0 ? QStringLiteral("V3") : t.form->Edit1->text());
  t.form->Edit2->setText(QLatin1String(value));
  command->trigger();
}

struct Change {
  const char* Step;  // the step's name, as the hints give it
  std::function<void(FormTest&)> Make;
};

// One row per kind of change: each entry command, a drag, an import, a typed formatting
// value, values chosen by commands, colours, the set, each variable command.
const Change kChanges[] = {
    {"Eintrag „Kontakt“ hinzufügen", [](FormTest& t) { t.AddMain("Kontakt"); }},
    {"Unterpunkt „b1“ hinzufügen", [](FormTest& t) { t.ClickLine(2); t.Boxes("b1"); t.form->TBItem9->trigger(); }},
    {"Eintrag „B“ ändern", [](FormTest& t) { t.ClickLine(2); t.Boxes("B2"); t.form->TBItem10->trigger(); }},
    {"Eintrag „C“ löschen", [](FormTest& t) { t.ClickLine(3); t.Key(Qt::Key_Delete); }},
    {"Eintrag „C“ nach oben verschieben", [](FormTest& t) { t.ClickLine(3); t.Key(Qt::Key_Up, Qt::AltModifier); }},
    {"Eintrag „B“ nach unten verschieben", [](FormTest& t) { t.ClickLine(2); t.Key(Qt::Key_Down, Qt::AltModifier); }},
    {"Eintrag „B“ zum Menüunterpunkt machen", [](FormTest& t) { t.ClickLine(2); t.form->TBItem14->trigger(); }},
    {"Eintrag „a1“ zum Hauptmenüpunkt machen", [](FormTest& t) { t.ClickLine(1); t.form->TBItem13->trigger(); }},
    {"Eintrag „A“ verschieben", [](FormTest& t) { t.ClickLine(0); t.Drop(0, 4); }},
    {"Eintrag „C“ eine Ebene tiefer setzen", [](FormTest& t) { t.ClickLine(3); t.Key(Qt::Key_Right, Qt::AltModifier); }},
    {"Eintrag „c2“ eine Ebene höher setzen", [](FormTest& t) { t.ClickLine(5); t.Key(Qt::Key_Left, Qt::AltModifier); }},
    {"Eintrag „c1“ verschieben", [](FormTest& t) { t.ClickLine(4); t.Drop(4, 2); }},
    {"Seiten importieren",
     [](FormTest& t) {
       test::MakeDir(t.tmp.file("site"));
       test::WriteFile(t.tmp.file("site/seite.htm"), "<html><head><title>Seite</title></head></html>");
       Import(t, t.tmp.file("site"));
     }},
    {"Titel ändern",
     [](FormTest& t) {
       t.form->PageControl1->setCurrentWidget(t.form->TabSheet4);
       t.form->titlename->setFocus();
       QTest::keyClicks(t.form->titlename, QStringLiteral("itel"));
       t.Key(Qt::Key_Tab);
     }},
    {"Linkfarbe ändern", [](FormTest& t) { t.dialogs.ColorAnswers = {0x00FF00}; QTest::mouseClick(t.form->Panel3, Qt::LeftButton); }},
    {"Schriftfarbe ändern", [](FormTest& t) { t.Click(t.form->Button10); }},
    {"Template ändern", [](FormTest& t) { t.form->cbTemplates->setCurrentIndex(t.form->cbTemplates->findText("Green")); }},
    {"Schrift ändern",
     [](FormTest& t) { t.form->cbfont->setEditText("Verdana"); QTest::mouseDClick(t.form->menufont, Qt::LeftButton); }},
    {"Dateiname ändern", [](FormTest& t) { t.dialogs.SaveAnswers = {t.menus + "nav.htm"}; t.Click(t.form->Button2); }},
    {"Hintergrundbild ändern", [](FormTest& t) { t.dialogs.OpenAnswers = {t.menus + "b.png"}; t.Click(t.form->Button1); }},
    {"Variable „V3“ hinzufügen", [](FormTest& t) { Variable(t, -1, t.form->TBItem16, "drei"); }},
    {"Variable „V2“ ändern", [](FormTest& t) { Variable(t, 1, t.form->TBItem17, "zwo"); }},
    {"Variable „V1“ löschen", [](FormTest& t) { Variable(t, 0, t.form->TBItem18); }},
    {"Variable „V1“ nach unten verschieben", [](FormTest& t) { Variable(t, 0, t.form->TBItem20); }},
};

class UndoTest : public FormTest {
public:
  std::string BaseMenu() {
    return WriteMenu("base.nff", {"A", "-a1", "B", "C", "-c1", "--c2"}, [](TovHTML& d) {
      d.Template = "Blue";
      d.Title = "T";
      d.TextColor = 0x0000FF;
      d.Variables.AddVariable("V1", "eins");
      d.Variables.AddVariable("V2", "zwei");
    });
  }
};

// Undone, a change leaves the files as saved before it, redone as saved after it, byte
// for byte; back at the saved state the menu counts as unchanged (a title typed letter
// by letter is one step).
TEST_F(UndoTest, everyKindOfChange_roundTripsTheSavedFiles) {
  for (const Change& change : kChanges) {
    SCOPED_TRACE(change.Step);
    const std::string base = BaseMenu();
    form = MakeForm();
    ShowActive();
    Open(base);
    form->ListBox1->setFocus();
    Key(Qt::Key_S, Qt::ControlModifier);
    const auto before = SavedFiles(base);
    change.Make(*this);
    ShowActive();  // again after a dialog
    ASSERT_EQ(Caption(), "base.nff* - HTML Navforge");
    EXPECT_EQ(ApplicationTitle(), "base.nff - HTML Navforge");  // message boxes keep theirs
    EXPECT_EQ(form->BtnUndo->toolTip(), QStringLiteral("Rückgängig: ") + QString::fromUtf8(change.Step));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(form->Modified);
    EXPECT_EQ(form->BtnRedo->toolTip(), QStringLiteral("Wiederholen: ") + QString::fromUtf8(change.Step));
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_S, Qt::ControlModifier);
    const auto after = SavedFiles(base);
    ASSERT_NE(after, before);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(SavedFiles(base), before);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(SavedFiles(base), after);
    EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages[0].Text;
  }
}

// In a box with typing to undo, Ctrl+Z and Ctrl+Y act on the typing; then on the menu.
TEST_F(UndoTest, keysInABox_undoTheTypingFirst) {
  ShowActive();
  AddMain("A");
  form->menuname->setFocus();
  QTest::keyClicks(form->menuname, QStringLiteral("xy"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("A"));
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(form->menuname->text(), QStringLiteral("Axy"));
  EXPECT_EQ(Lines(), test::Texts{"A"});
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Lines(), test::Texts{});
}

}  // namespace
}  // namespace navforge
