// The keyboard's way through the window: every control in one Tab order, page by page
// as the eye reads it, the toolbars' buttons included. The keys of the commands are
// given where the commands are made.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <vector>

#include "ui/colorswatch.h"
#include "ui/editbox.h"
#include "ui/formparts.h"
#include "ui/mainform.h"

namespace navforge {

void Tmainform::SetUpKeyboard() {
  std::vector<QWidget*> chain;
  // A toolbar's buttons take no focus of their own; here they take it from Tab.
  auto bar = [&chain](QToolBar* toolbar) {
    for (QAction* action : toolbar->actions()) {
      QWidget* button = toolbar->widgetForAction(action);
      if (action->isSeparator() || !button) continue;
      button->setFocusPolicy(Qt::TabFocus);
      if (auto* tool = qobject_cast<QToolButton*>(button)) RaiseWhileFocused(tool);
      chain.push_back(button);
    }
  };
  auto add = [&chain](std::initializer_list<QWidget*> widgets) { chain.insert(chain.end(), widgets); };

  bar(TBToolbar1);
  add({GenerateResult, PageControl1});
  // Page "Menü".
  add({ListBox1});
  bar(TBToolbar2);
  add({menuname, menulink, linktarget, FlatButton1, FlatButton2});
  // Page "Formatierung": "Allgemein" group by group, left before right.
  add({PageControl2, cbfont, menufont, menufontsize, Panel1, Button10, Panel2, Button11, submenufont, ufontsize, leftmar,
       picfile, Button1, titlename, efilename, Button2, feedit, cbTemplates, hrline});
  // "Hyperlink-Farben".
  add({Panel3, Button4, Panel7, Button6, Panel4, Button7, Panel5, Button8, Panel6, Button9});
  // "Variablen".
  bar(TBToolbar3);
  add({StringGrid1, Edit1, Edit2, Memo1, Button5});
  for (std::size_t i = 0; i + 1 < chain.size(); ++i) QWidget::setTabOrder(chain[i], chain[i + 1]);
}

}  // namespace navforge
