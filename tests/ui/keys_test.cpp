// The keyboard alone: the commands' keys, Tab through every control of every page, and
// the focus shown where it is.
#include <QComboBox>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "formtest.h"
#include "ui/checkwindow.h"
#include "ui/colorswatch.h"

namespace navforge {
namespace {

using test::Texts;

class KeysTest : public test::FormTest {
public:
  // What the user sees focused: a combo box's edit part and a tab bar count as their control.
  static QWidget* Owner(QWidget* w) {
    if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget())) return combo;
    if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()); tabs && qobject_cast<QTabBar*>(w)) return tabs;
    return w;
  }
  std::vector<QWidget*> Buttons(QToolBar* bar) const {
    std::vector<QWidget*> buttons;
    for (QAction* a : bar->actions())
      if (!a->isSeparator() && a->isVisible()) buttons.push_back(bar->widgetForAction(a));
    return buttons;
  }
};

// Each key runs its command from the control the user would be in.
TEST_F(KeysTest, everyKey_runsItsCommand) {
  struct Case {
    const char* Name;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    std::function<void(KeysTest&)> Before;  // leaves the focus where the key goes
    std::function<bool(KeysTest&)> Done;
  };
  const auto nothing = [](KeysTest&) {};
  const Case cases[] = {
      {"Ctrl+N", Qt::Key_N, Qt::ControlModifier, nothing, [](KeysTest& t) { return t.Lines().empty(); }},
      {"Ctrl+O", Qt::Key_O, Qt::ControlModifier, [](KeysTest& t) { t.dialogs.OpenAnswers = {t.WriteMenu("o.nff", {"O"})}; },
       [](KeysTest& t) { return t.Lines() == Texts{"O"}; }},
      {"Ctrl+S", Qt::Key_S, Qt::ControlModifier, [](KeysTest& t) { t.AddMain("D"); },
       [](KeysTest& t) { return !t.form->Modified; }},
      {"Ctrl+Shift+S", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier,
       [](KeysTest& t) { t.dialogs.SaveAnswers = {t.menus + "k.nff"}; },
       [](KeysTest& t) { return t.form->CurrentFile == t.menus + "k.nff"; }},
      {"Ctrl+Q", Qt::Key_Q, Qt::ControlModifier, nothing, [](KeysTest& t) { return !t.form->isVisible(); }},
      {"Ctrl+B", Qt::Key_B, Qt::ControlModifier, [](KeysTest& t) { t.form->efilename->SetText(t.menus + "nav.htm"); },
       [](KeysTest& t) { return !test::ReadFile(t.menus + "nav.htm").empty(); }},
      {"F7", Qt::Key_F7, {}, nothing, [](KeysTest& t) { return t.form->findChild<TCheckWindow*>()->isVisible(); }},
      {"Entf in the list", Qt::Key_Delete, {}, [](KeysTest& t) { t.ClickLine(0); },
       [](KeysTest& t) { return t.Lines() == Texts{"B", "C"}; }},
      {"Entf in a box", Qt::Key_Delete, {}, [](KeysTest& t) { t.ClickLine(0); t.form->menuname->setFocus(); },
       [](KeysTest& t) { return t.Lines() == Texts{"A", "B", "C"}; }},
      {"Alt+Up", Qt::Key_Up, Qt::AltModifier, [](KeysTest& t) { t.ClickLine(1); },
       [](KeysTest& t) { return t.Lines() == Texts{"B", "A", "C"}; }},
      {"Alt+Down in a box", Qt::Key_Down, Qt::AltModifier, [](KeysTest& t) { t.ClickLine(1); t.form->menulink->setFocus(); },
       [](KeysTest& t) { return t.Lines() == Texts{"A", "C", "B"}; }},
      {"Alt+Right in the list", Qt::Key_Right, Qt::AltModifier, [](KeysTest& t) { t.ClickLine(1); },
       [](KeysTest& t) { return t.Lines() == Texts{"A", "- B", "C"}; }},
      {"Alt+Left in the list", Qt::Key_Left, Qt::AltModifier, [](KeysTest& t) { t.ClickLine(1), t.form->TBItem14->trigger(); },
       [](KeysTest& t) { return t.Lines() == Texts{"A", "B", "C"}; }},
      {"Alt+Right in a box", Qt::Key_Right, Qt::AltModifier, [](KeysTest& t) { t.ClickLine(1); t.form->menuname->setFocus(); },
       [](KeysTest& t) { return t.Lines() == Texts{"A", "B", "C"}; }},
      {"Einfg", Qt::Key_Insert, {}, [](KeysTest& t) { t.Boxes("D"); t.form->menuname->setFocus(); },
       [](KeysTest& t) { return t.Lines() == Texts{"A", "B", "C", "D"}; }},
      {"Alt+Down on the open button", Qt::Key_Down, Qt::AltModifier,
       [](KeysTest& t) {
         t.ButtonOf(t.form->TBToolbar1, t.form->BtnOpen)->setFocus();
         QObject::connect(t.form->RecentMenu, &QMenu::aboutToShow, t.form.get(),
                          [&t] { QTimer::singleShot(0, t.form->RecentMenu, &QMenu::close); });
       },
       [](KeysTest& t) { return !t.form->RecentMenu->actions().isEmpty(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    form = MakeForm();
    ShowActive();
    Open(WriteMenu("site.nff", {"A", "B", "C"}, [](TovHTML& d) { d.Template = "Blue"; }));
    form->ListBox1->setFocus();
    c.Before(*this);
    Key(c.Key, c.Modifiers);
    EXPECT_TRUE(c.Done(*this));
  }
}

// Tab goes round every control of the shown page in reading order, the toolbars'
// buttons included, and leaves the list and the grid from any line.
TEST_F(KeysTest, tab_reachesEveryControlOfEachPageInOrder) {
  ShowActive();
  for (const char* c : {"A", "B", "C"}) {
    AddMain(c);
    form->Edit1->setText(QLatin1String(c));
    form->TBItem16->trigger();
  }
  form->BtnUndo->trigger();  // "Rückgängig" and "Wiederholen" both on
  Tmainform& f = *form;
  const std::vector<QWidget*> menu = {f.ListBox1}, menuAfter = {f.menuname, f.menulink, f.linktarget, f.FlatButton1,
                                                                f.FlatButton2};
  struct Page {
    QWidget* Sheet;
    std::vector<QWidget*> Before;  // the page's controls, its toolbar's buttons between
    QToolBar* Bar;
    std::vector<QWidget*> After;
  };
  const Page pages[] = {
      {f.TabSheet1, menu, f.TBToolbar2, menuAfter},
      {f.TabSheet3,
       {f.PageControl2, f.cbfont, f.menufont, f.menufontsize, f.Panel1, f.Button10, f.Panel2, f.Button11, f.submenufont,
        f.ufontsize, f.leftmar, f.picfile, f.Button1, f.titlename, f.efilename, f.Button2, f.feedit, f.cbTemplates,
        f.hrline},
       nullptr, {}},
      {f.TabSheet5,
       {f.PageControl2, f.Panel3, f.Button4, f.Panel7, f.Button6, f.Panel4, f.Button7, f.Panel5, f.Button8, f.Panel6,
        f.Button9},
       nullptr, {}},
      {f.TabSheet6, {f.PageControl2}, f.TBToolbar3, {f.StringGrid1, f.Edit1, f.Edit2}},
  };
  for (const Page& page : pages) {
    SCOPED_TRACE(page.Sheet->objectName().toStdString());
    f.PageControl1->setCurrentWidget(page.Sheet == f.TabSheet1 ? page.Sheet : f.TabSheet4);
    f.PageControl2->setCurrentWidget(page.Sheet == f.TabSheet1 ? f.TabSheet3 : page.Sheet);
    f.ListBox1->setCurrentRow(1);
    f.StringGrid1->setCurrentCell(1, 0);
    std::vector<QWidget*> expected = Buttons(f.TBToolbar1);
    expected.push_back(f.PageControl1);
    expected.insert(expected.end(), page.Before.begin(), page.Before.end());
    if (page.Bar)
      for (QWidget* b : Buttons(page.Bar)) expected.push_back(b);
    expected.insert(expected.end(), page.After.begin(), page.After.end());
    std::vector<QWidget*> seen;
    expected.front()->setFocus(Qt::TabFocusReason);
    do {
      seen.push_back(Owner(QApplication::focusWidget()));
      Key(Qt::Key_Tab);
    } while (Owner(QApplication::focusWidget()) != expected.front() && seen.size() < 100);
    EXPECT_EQ(seen, expected);
    // Nothing shown on the page that takes the focus is left out.
    for (QWidget* w : page.Sheet->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(form.get()) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->inherits("QScrollBar"))
        continue;
      EXPECT_NE(std::find(seen.begin(), seen.end(), Owner(w)), seen.end()) << w->objectName().toStdString();
    }
  }
}

// Swatches and toolbar buttons show the focus; a swatch takes Space as a click.
TEST_F(KeysTest, focus_isVisibleOnSwatchesAndToolbarButtons) {
  ShowActive();
  form->PageControl1->setCurrentWidget(form->TabSheet4);
  for (QWidget* w : {static_cast<QWidget*>(form->Panel1), ButtonOf(form->TBToolbar1, form->BtnNew)}) {
    form->hrline->setFocus();
    const QImage plain = w->grab().toImage();
    w->setFocus(Qt::TabFocusReason);
    EXPECT_NE(w->grab().toImage(), plain) << w->objectName().toStdString();
  }
  dialogs.ColorAnswers = {0x00FF00};
  form->Panel1->setFocus(Qt::TabFocusReason);
  Key(Qt::Key_Space);
  EXPECT_EQ(form->Panel1->Color(), 0x00FF00);
}

}  // namespace
}  // namespace navforge
