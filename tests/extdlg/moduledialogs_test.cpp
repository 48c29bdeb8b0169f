// The built dialog modules, called through the loader on Qt's offscreen platform: each
// shows a dialog with the texts it was given and the running program's version texts.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "extdlg/modules.h"
#include "navforge_version.h"

namespace navforge {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "moduledialogs_test";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// Runs show() and gives back the texts of every label of the modal dialog it opens,
// closing that dialog as soon as it is up.
QStringList LabelsOfDialogShownBy(const std::function<void()>& show, QString* title) {
  QStringList labels;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    poll.stop();
    *title = dialog->windowTitle();
    for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    dialog->reject();
  });
  poll.start(10);
  show();
  return labels;
}

class ModuleDialogs : public ::testing::Test {
protected:
  void SetUp() override { App(); }
  void TearDown() override { ReleaseModules(); }
};

TEST_F(ModuleDialogs, about_showsProductLineCopyrightAndVersion) {
  ASSERT_TRUE(LoadAboutModule(TModuleFolders{"", NAVFORGE_BIN_DIR}));
  QString title;
  QStringList labels = LabelsOfDialogShownBy(
      [] { ShowAboutDialog(&App(), "HTML Navforge 2.1", "", "", "", 0); }, &title);
  EXPECT_EQ(title, "Info");
  EXPECT_TRUE(labels.contains("HTML Navforge 2.1")) << labels.join("|").toStdString();
  EXPECT_TRUE(labels.contains(QString::fromUtf8("Copyright \u00A9 2026 Orvane Software")))
      << labels.join("|").toStdString();
  EXPECT_TRUE(labels.contains("Version " NAVFORGE_PRODUCT_VERSION " (Datei " NAVFORGE_FILE_VERSION ")"))
      << labels.join("|").toStdString();
}

TEST_F(ModuleDialogs, about_convertsWindows1252Texts) {
  ASSERT_TRUE(LoadAboutModule(TModuleFolders{"", NAVFORGE_BIN_DIR}));
  QString title;
  QStringList labels = LabelsOfDialogShownBy(
      [] { ShowAboutDialog(&App(), "Men\xFC" " 2.1", "", "Hinweis f\xFC" "r alle", "", 0); }, &title);
  EXPECT_TRUE(labels.contains(QString::fromUtf8("Menü 2.1"))) << labels.join("|").toStdString();
  EXPECT_TRUE(labels.contains(QString::fromUtf8("Hinweis für alle"))) << labels.join("|").toStdString();
}

TEST_F(ModuleDialogs, versionControl_showsInstalledVersionAndProductKey) {
  ASSERT_TRUE(LoadVersionModule(TModuleFolders{"", NAVFORGE_BIN_DIR}));
  QString title;
  QStringList labels =
      LabelsOfDialogShownBy([] { ShowVersionControlDialog(&App(), "", "", "navforge", ""); }, &title);
  EXPECT_EQ(title, "Versionskontrolle");
  EXPECT_TRUE(labels.contains("navforge")) << labels.join("|").toStdString();
  EXPECT_TRUE(labels.contains(NAVFORGE_PRODUCT_VERSION)) << labels.join("|").toStdString();
  EXPECT_TRUE(labels.contains(NAVFORGE_FILE_VERSION)) << labels.join("|").toStdString();
  EXPECT_TRUE(labels.contains("HTML Navforge")) << labels.join("|").toStdString();
}

}  // namespace
}  // namespace navforge
