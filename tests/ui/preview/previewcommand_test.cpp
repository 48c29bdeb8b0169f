// "Vorschau" on the real window: the button opens the preview, which follows the
// window's commands and reports what "HTML Menü erstellen" wrote.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

#include "testsupport/tempdir.h"
#include "ui/editbox.h"
#include "ui/fakedialogs.h"
#include "ui/mainform.h"
#include "ui/preview/previewcommand.h"
#include "ui/preview/previewwindow.h"
#include "webwait.h"

namespace navforge {
namespace {

using test::WaitFor;

QString Js(QWebEngineView* view, const QString& script) { return test::RunJs(view, script).toString(); }



TEST(PreviewCommand, followsTheWindowAndReportsWhatWasWritten) {
  test::TempDir tmp;
  const std::string prog = tmp.path() + "/prog/";
  test::WriteTemplateSet(prog + "Templates/Test",
                         {{"template.ini", "[Main]\r\nall_in_one=1\r\n"},
                          {"header.txt", "<html><head><style>body { color: $TextColor$; }</style></head><body><ul>"},
                          {"menupoint.txt", "<li>$Linkname$</li>"},
                          {"footer.txt", "</ul></body></html>"}});
  test::MakeDir(tmp.file("site"));
  test::TScriptedDialogs dialogs;
  TMainformOptions options;
  options.ProgramFolder = prog;
  options.VariablesFile = prog + "navforge.nfv";
  options.ModuleFolders = TModuleFolders{"", prog};
  options.Dialogs = &dialogs;
  Tmainform form(options);
  QAction* action = AddPreviewCommand(form);
  const QList<QAction*> actions = form.TBToolbar1->actions();
  ASSERT_EQ(actions.indexOf(action), actions.indexOf(form.TBItem5) + 1);
  EXPECT_EQ(action->toolTip(), QStringLiteral("Vorschau"));
  EXPECT_EQ(form.findChild<preview::TPreviewWindow*>(), nullptr);  // no engine until it is asked for

  form.show();
  action->trigger();
  auto* window = form.findChild<preview::TPreviewWindow*>();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  // Beside the editor on its screen, not over it.
  EXPECT_FALSE(window->frameGeometry().intersects(form.frameGeometry()));
  EXPECT_TRUE(form.screen()->availableGeometry().contains(window->frameGeometry()));
  form.cbTemplates->setCurrentIndex(form.cbTemplates->findText(QStringLiteral("Test")));
  form.efilename->SetText(tmp.file("site/menu.htm"));
  form.menuname->SetText("Kontakt");
  form.menulink->SetText("kontakt.htm");
  form.linktarget->SetText("inhalt");
  form.TBItem8->trigger();
  EXPECT_TRUE(WaitFor([&] { return Js(window->View, QStringLiteral("document.body ? document.body.innerText : ''"))
                                       .contains(QStringLiteral("Kontakt")); }, 1000));

  dialogs.ColorAnswers.push_back(0x0000FF);
  form.colorclick(form.Panel1);
  EXPECT_TRUE(WaitFor([&] {
    return Js(window->View, QStringLiteral("document.body ? getComputedStyle(document.body).color : ''")) ==
           QStringLiteral("rgb(255, 0, 0)");
  }));
  // The preview left the document and the output folder alone.
  EXPECT_TRUE(form.MenuDoc->Items.front().LinkID.empty());
  EXPECT_FALSE(test::ReadFile(tmp.file("site/menu.htm")).size());

  form.TBItem5->trigger();
  EXPECT_TRUE(window->Feedback->isVisible());
  EXPECT_TRUE(window->Feedback->text().startsWith(QStringLiteral("1 Seite geschrieben nach ") +
                                                  QString::fromStdString(tmp.file("site"))))
      << window->Feedback->text().toStdString();

  window->close();
  EXPECT_FALSE(action->isChecked());
  action->trigger();
  EXPECT_TRUE(window->isVisible());
  action->trigger();
  EXPECT_FALSE(window->isVisible());
  // F5 in the editor opens and closes it, too; Tab reaches its button after generate's.
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.TBToolbar1->widgetForAction(form.TBItem5)->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form.TBToolbar1->widgetForAction(action));
  QTest::keyClick(&form, Qt::Key_F5);
  EXPECT_TRUE(window->isVisible());
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_F5);
  EXPECT_FALSE(window->isVisible());
}

// As root, the engine with its sandbox would end the program; the preview says why instead.
TEST(PreviewCommand, asRootWithTheSandboxOn_saysWhyAndKeepsTheWindow) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root";
  const QByteArray saved = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
  const QByteArray savedFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  test::TempDir tmp;
  test::TScriptedDialogs dialogs;
  TMainformOptions options;
  options.ProgramFolder = tmp.path() + "/";
  options.VariablesFile = tmp.file("navforge.nfv");
  options.ModuleFolders = TModuleFolders{"", tmp.path() + "/"};
  options.Dialogs = &dialogs;
  Tmainform form(options);
  QAction* action = AddPreviewCommand(form);
  action->trigger();
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", saved);
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", savedFlags);
  EXPECT_EQ(form.findChild<preview::TPreviewWindow*>(), nullptr);
  EXPECT_FALSE(action->isChecked());
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_NE(dialogs.Messages[0].Text.find("Administratorrechten"), std::string::npos);
  EXPECT_FALSE(dialogs.Messages[0].Error);
}

}  // namespace
}  // namespace navforge
