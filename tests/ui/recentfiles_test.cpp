// "Zuletzt geöffnet": the open button's drop-down lists the last eight menus.
#include <QMenu>

#include "formtest.h"

namespace navforge {
namespace {

class RecentFilesTest : public test::FormTest {
public:
  QStringList Shown() {
    emit form->RecentMenu->aboutToShow();
    QStringList texts;
    for (QAction* action : form->RecentMenu->actions()) texts << action->text();
    return texts;
  }
  QString Line(int number, const std::string& name) {
    return QStringLiteral("&%1 %2  (%3)").arg(number).arg(QString::fromStdString(name), PathToQ(menus).chopped(1));
  }
};

TEST_F(RecentFilesTest, lastEightMenus_newestFirstAndKeptForTheNextStart) {
  EXPECT_EQ(Shown(), QStringList{QStringLiteral("Noch kein Menü geöffnet")});
  for (int i = 1; i <= 9; ++i) Open(WriteMenu("m" + std::to_string(i) + ".nff", {"A"}));
  Open(menus + "m5.nff");  // again: to the top, not twice
  dialogs.SaveAnswers = {menus + "neu.nff"};
  form->BtnSaveAs->trigger();  // a menu saved under a new name counts as opened
  const QStringList expected{Line(1, "neu.nff"), Line(2, "m5.nff"), Line(3, "m9.nff"), Line(4, "m8.nff"),
                             Line(5, "m7.nff"),  Line(6, "m6.nff"), Line(7, "m4.nff"), Line(8, "m3.nff")};
  EXPECT_EQ(Shown(), expected);
  form = MakeForm();
  EXPECT_EQ(Shown(), expected);
}

TEST_F(RecentFilesTest, chosenMenu_opensAfterTheQuestionAboutChanges) {
  Open(WriteMenu("eins.nff", {"Eins"}));
  Open(WriteMenu("zwei.nff", {"Zwei"}));
  AddMain("Neu");
  dialogs.ConfirmAnswers = {TConfirmAnswer::No};
  Shown();
  form->RecentMenu->actions().at(1)->trigger();
  EXPECT_EQ(dialogs.Questions.size(), 1u);
  EXPECT_EQ(Lines(), std::vector<std::string>{"Eins"});
  EXPECT_EQ(Caption(), "eins.nff - HTML Navforge");
}

// A menu gone since is said so and leaves the list.
TEST_F(RecentFilesTest, menuGoneSince_isReportedAndLeavesTheList) {
  Open(WriteMenu("bleibt.nff", {"A"}));
  const std::string gone = WriteMenu("weg.nff", {"B"});
  Open(gone);
  std::remove(gone.c_str());
  Shown();
  form->RecentMenu->actions().at(0)->trigger();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(Shown(), QStringList{Line(1, "bleibt.nff")});
}

}  // namespace
}  // namespace navforge
