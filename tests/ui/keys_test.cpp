// The keyboard alone: the commands' keys, Tab through every control of every page, and
// the focus shown where it is.
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "formtest.h"
#include "ui/checkwindow.h"
#include "ui/colorswatch.h"

namespace navforge {
namespace {

using Texts = std::vector<std::string>;

class KeysTest : public test::FormTest {
public:
  // The control a user sees focused: an editable combo box's edit part and a page
  // control's tab bar count as the control itself.
  static QWidget* Owner(QWidget* w) {
    if (!w) return nullptr;
    if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget())) return combo;
    if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()); tabs && qobject_cast<QTabBar*>(w)) return tabs;
    return w;
  }
  // Tab from start round the window back to it: the controls in the order they got the focus.
  std::vector<QWidget*> TabRound(QWidget* start) {
    start->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> seen{Owner(QApplication::focusWidget())};
    for (int i = 0; i < 200; ++i) {
      Key(Qt::Key_Tab);
      QWidget* now = Owner(QApplication::focusWidget());
      if (now == seen.front()) break;
      seen.push_back(now);
    }
    return seen;
  }
  std::vector<QWidget*> Buttons(QToolBar* bar) const {
    std::vector<QWidget*> buttons;
    for (QAction* a : bar->actions())
      if (!a->isSeparator() && a->isVisible()) buttons.push_back(bar->widgetForAction(a));
    return buttons;
  }
  static std::string Names(const std::vector<QWidget*>& widgets) {
    std::string names;
    for (QWidget* w : widgets) names += (w ? w->objectName().toStdString() : "null") + " ";
    return names;
  }
};

struct KeyCase {
  const char* Name;
  Qt::Key Key;
  Qt::KeyboardModifiers Modifiers;
  std::function<void(KeysTest&)> Before;  // leaves the focus where the key goes
  std::function<bool(KeysTest&)> Done;
};

// Each key runs its command, from the control the user would be in.
TEST_F(KeysTest, everyKey_runsItsCommand) {
  const KeyCase cases[] = {
      {"Ctrl+N", Qt::Key_N, Qt::ControlModifier, [](KeysTest&) {}, [](KeysTest& t) { return t.Lines().empty(); }},
      {"Ctrl+O", Qt::Key_O, Qt::ControlModifier,
       [](KeysTest& t) { t.dialogs.OpenAnswers = {t.WriteMenu("other.nff", {"Other"})}; },
       [](KeysTest& t) { return t.Lines() == Texts{"Other"}; }},
      {"Ctrl+S", Qt::Key_S, Qt::ControlModifier, [](KeysTest& t) { t.AddMain("D"); },
       [](KeysTest& t) { return !t.form->Modified; }},
      {"Ctrl+Shift+S", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier,
       [](KeysTest& t) { t.dialogs.SaveAnswers = {t.menus + "kopie.nff"}; },
       [](KeysTest& t) { return t.form->CurrentFile == t.menus + "kopie.nff"; }},
      {"Ctrl+Q", Qt::Key_Q, Qt::ControlModifier, [](KeysTest&) {}, [](KeysTest& t) { return !t.form->isVisible(); }},
      {"Ctrl+B", Qt::Key_B, Qt::ControlModifier,
       [](KeysTest& t) {
         t.form->cbTemplates->setCurrentIndex(t.form->cbTemplates->findText(QStringLiteral("Blue")));
         t.form->efilename->SetText(t.menus + "nav.htm");
       },
       [](KeysTest& t) { return !test::ReadFile(t.menus + "nav.htm").empty(); }},
      {"F7", Qt::Key_F7, {}, [](KeysTest&) {},
       [](KeysTest& t) { return t.form->findChild<TCheckWindow*>()->isVisible(); }},
      {"Entf in the list", Qt::Key_Delete, {}, [](KeysTest& t) { t.ClickLine(0); },
       [](KeysTest& t) { return t.Lines() == Texts{"B", "C"}; }},
      {"Alt+Up", Qt::Key_Up, Qt::AltModifier, [](KeysTest& t) { t.ClickLine(1); },
       [](KeysTest& t) { return t.Lines() == Texts{"B", "A", "C"} && t.form->SelectedIndex() == 0; }},
      {"Alt+Down in a box", Qt::Key_Down, Qt::AltModifier,
       [](KeysTest& t) {
         t.ClickLine(1);
         t.form->menulink->setFocus();
       },
       [](KeysTest& t) { return t.Lines() == Texts{"A", "C", "B"}; }},
      {"Einfg", Qt::Key_Insert, {},
       [](KeysTest& t) {
         t.Boxes("D", "d.htm", "main");
         t.form->menuname->setFocus();
       },
       [](KeysTest& t) { return t.Lines() == Texts{"A", "B", "C", "D"}; }},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.Name);
    form = MakeForm();
    ShowActive();
    Open(WriteMenu("site.nff", {"A", "B", "C"}));
    form->ListBox1->setFocus();
    c.Before(*this);
    Key(c.Key, c.Modifiers);
    EXPECT_TRUE(c.Done(*this));
  }
}

// Entf deletes an entry only from the list; in a box it deletes a character.
TEST_F(KeysTest, entfInABox_deletesACharacterNotTheEntry) {
  ShowActive();
  AddMain("A");
  form->menuname->setFocus();
  form->menuname->setCursorPosition(0);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Lines(), Texts{"A"});
  EXPECT_EQ(form->menuname->text(), QString());
}

// The hints stay as they were, the keys do not show in them.
TEST_F(KeysTest, hints_keepTheirTexts) {
  const std::pair<QAction*, const char*> hints[] = {
      {form->BtnExit, "Programm beenden"}, {form->BtnNew, "Neu"}, {form->BtnOpen, "Öffnen..."},
      {form->BtnSave, "Speichern"},       {form->BtnSaveAs, "Speichern unter..."},
      {form->TBItem5, "HTML Menü erstellen"}, {form->BtnCheck, "Menü prüfen"}};
  for (auto [action, hint] : hints) EXPECT_EQ(action->toolTip(), QString::fromUtf8(hint));
}

struct Page {
  const char* Name;
  QWidget* Tmainform::* Sheet;
  std::function<std::vector<QWidget*>(KeysTest&)> Controls;  // after the page controls' tabs
};

// Tab goes round every control of the shown page in reading order, the toolbars'
// buttons included, and leaves the lists; nothing the page shows is left out.
TEST_F(KeysTest, tab_reachesEveryControlOfEachPageInOrder) {
  const Page pages[] = {
      {"Menü", &Tmainform::TabSheet1,
       [](KeysTest& t) {
         Tmainform& f = *t.form;
         std::vector<QWidget*> c{f.ListBox1};
         for (QWidget* b : t.Buttons(f.TBToolbar2)) c.push_back(b);
         c.insert(c.end(), {f.menuname, f.menulink, f.linktarget, f.FlatButton1, f.FlatButton2});
         return c;
       }},
      {"Allgemein", &Tmainform::TabSheet3,
       [](KeysTest& t) {
         Tmainform& f = *t.form;
         return std::vector<QWidget*>{f.PageControl2, f.cbfont,    f.menufont,  f.menufontsize, f.Panel1,  f.Button10,
                                      f.Panel2,       f.Button11,  f.submenufont, f.ufontsize,  f.leftmar, f.picfile,
                                      f.Button1,      f.titlename, f.efilename, f.Button2,      f.feedit,  f.cbTemplates,
                                      f.hrline};
       }},
      {"Hyperlink-Farben", &Tmainform::TabSheet5,
       [](KeysTest& t) {
         Tmainform& f = *t.form;
         return std::vector<QWidget*>{f.PageControl2, f.Panel3, f.Button4, f.Panel7, f.Button6, f.Panel4,
                                      f.Button7,      f.Panel5, f.Button8, f.Panel6, f.Button9};
       }},
      {"Variablen", &Tmainform::TabSheet6,
       [](KeysTest& t) {
         Tmainform& f = *t.form;
         std::vector<QWidget*> c{f.PageControl2};
         for (QWidget* b : t.Buttons(f.TBToolbar3)) c.push_back(b);
         c.insert(c.end(), {f.StringGrid1, f.Edit1, f.Edit2});
         return c;
       }},
  };
  ShowActive();
  AddMain("A");
  AddMain("B");
  form->BtnUndo->trigger();  // "Rückgängig" and "Wiederholen" both on
  for (const Page& page : pages) {
    SCOPED_TRACE(page.Name);
    QWidget* sheet = form.get()->*page.Sheet;
    if (sheet == form->TabSheet1) {
      form->PageControl1->setCurrentWidget(sheet);
    } else {
      form->PageControl1->setCurrentWidget(form->TabSheet4);
      form->PageControl2->setCurrentWidget(sheet);
    }
    std::vector<QWidget*> expected = Buttons(form->TBToolbar1);
    expected.push_back(form->PageControl1);
    for (QWidget* w : page.Controls(*this)) expected.push_back(w);
    const std::vector<QWidget*> seen = TabRound(ButtonOf(form->TBToolbar1, form->BtnExit));
    EXPECT_EQ(seen, expected) << "seen:     " << Names(seen) << "\nexpected: " << Names(expected);
    // Every control shown on the page that takes the focus is among them.
    for (QWidget* w : sheet->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(form.get()) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
      if (qobject_cast<QComboBox*>(w->parentWidget()) || w->inherits("QScrollBar")) continue;
      EXPECT_NE(std::find(seen.begin(), seen.end(), Owner(w)), seen.end()) << w->objectName().toStdString();
    }
  }
}

// Tab leaves the entry list and the variables grid from any line; arrows move inside.
TEST_F(KeysTest, tab_leavesTheListAndTheGrid) {
  ShowActive();
  for (const char* c : {"A", "B", "C"}) {
    AddMain(c);
    form->Edit1->setText(QLatin1String(c));
    form->TBItem16->trigger();
  }
  struct Case {
    const char* Name;
    QWidget* Page;
    QAbstractItemView* View;
    QWidget* Next;
  };
  for (const Case& c : {Case{"list", form->TabSheet1, form->ListBox1, ButtonOf(form->TBToolbar2, form->TBItem8)},
                        Case{"grid", form->TabSheet6, form->StringGrid1, form->Edit1}}) {
    SCOPED_TRACE(c.Name);
    form->PageControl1->setCurrentWidget(c.Page == form->TabSheet1 ? c.Page : form->TabSheet4);
    form->PageControl2->setCurrentWidget(form->TabSheet6);
    c.View->setFocus();
    c.View->setCurrentIndex(c.View->model()->index(1, 0));
    Key(Qt::Key_Down);
    EXPECT_EQ(c.View->currentIndex().row(), 2);
    c.View->setCurrentIndex(c.View->model()->index(0, 0));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), c.Next);
  }
}

// A focused swatch or toolbar button looks different from an unfocused one.
TEST_F(KeysTest, focus_isVisibleOnSwatchesAndToolbarButtons) {
  ShowActive();
  form->PageControl1->setCurrentWidget(form->TabSheet4);
  for (QWidget* w : {static_cast<QWidget*>(form->Panel1), ButtonOf(form->TBToolbar1, form->BtnNew),
                     ButtonOf(form->TBToolbar1, form->TBItem5)}) {
    SCOPED_TRACE(w->objectName().toStdString());
    form->ListBox1->setFocus();  // away from it (the list is on the hidden page)
    form->hrline->setFocus();
    const QImage plain = w->grab().toImage();
    w->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(w->hasFocus());
    EXPECT_NE(w->grab().toImage(), plain);
  }
}

// A swatch with the focus takes Space and Enter as a click.
TEST_F(KeysTest, swatch_opensTheColourDialogWithSpaceOrEnter) {
  ShowActive();
  form->PageControl1->setCurrentWidget(form->TabSheet4);
  for (auto [key, colour] : {std::pair{Qt::Key_Space, 0x00FF00}, std::pair{Qt::Key_Return, 0x0000FF}}) {
    dialogs.ColorAnswers = {colour};
    form->Panel1->setFocus();
    Key(key);
    EXPECT_EQ(form->Panel1->Color(), colour);
  }
}

// Alt+Down on the focused open button shows "Zuletzt geöffnet".
TEST_F(KeysTest, altDownOnTheOpenButton_showsTheRecentMenus) {
  ShowActive();
  ButtonOf(form->TBToolbar1, form->BtnOpen)->setFocus();
  bool shown = false;
  QObject::connect(form->RecentMenu, &QMenu::aboutToShow, [&] {
    shown = true;
    QTimer::singleShot(0, form->RecentMenu, &QMenu::close);
  });
  Key(Qt::Key_Down, Qt::AltModifier);
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace navforge
