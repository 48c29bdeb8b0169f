// "Zuletzt geöffnet": the open button's drop-down lists the last eight menus.
#include <QMenu>

#include "formtest.h"

namespace navforge {
namespace {

class RecentFilesTest : public test::FormTest {
public:
  QStringList Shown() {
    emit form->RecentMenu->aboutToShow();
    QStringList names;
    for (QAction* action : form->RecentMenu->actions()) names << action->text().section(QLatin1Char(' '), 1, 1);
    return names;
  }
};

// Newest first, a menu opened again moves up, one saved under a new name counts; the
// list outlives the window; a menu chosen opens after the question about changes, one
// gone since is reported and leaves the list.
TEST_F(RecentFilesTest, lastEightMenus_newestFirstKeptAndOpened) {
  EXPECT_EQ(Shown(), QStringList{QStringLiteral("kein")});  // "Noch kein Menü geöffnet"
  for (int i = 1; i <= 9; ++i) Open(WriteMenu("m" + std::to_string(i) + ".nff", {"A"}));
  Open(menus + "m5.nff");
  dialogs.SaveAnswers = {menus + "neu.nff"};
  form->BtnSaveAs->trigger();
  const QStringList expected = QString("neu.nff m5.nff m9.nff m8.nff m7.nff m6.nff m4.nff m3.nff").split(' ');
  EXPECT_EQ(Shown(), expected);
  form = MakeForm();
  EXPECT_EQ(Shown(), expected);
  AddMain("Neu");
  dialogs.ConfirmAnswers = {TConfirmAnswer::No};
  form->RecentMenu->actions().at(2)->trigger();
  EXPECT_EQ(dialogs.Questions.size(), 1u);
  EXPECT_EQ(Caption(), "m9.nff - HTML Navforge");
  std::remove((menus + "m8.nff").c_str());
  Shown();
  form->RecentMenu->actions().at(3)->trigger();
  EXPECT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_FALSE(Shown().contains(QStringLiteral("m8.nff")));
}

}  // namespace
}  // namespace navforge
