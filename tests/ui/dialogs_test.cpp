// The window's dialogs: filters, and Qt's own dialogs as the user sees them (German
// texts, icons); the open-file dialog is kept as a picture in the artifacts.
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <gtest/gtest.h>

#include "modal.h"
#include "testsupport/tempdir.h"
#include "ui/mainform.h"
#include "ui/dialogs.h"
#include "ui/editbox.h"
#include "ui/filefilters.h"
#include "ui/qtdialogs.h"
#include "uitestapp.h"

namespace navforge {
namespace {

using test::WithModal;

void Shoot(QWidget* w, const char* name) {
  QDir().mkpath(QStringLiteral(NAVFORGE_ARTIFACTS_DIR));
  EXPECT_TRUE(w->grab().save(QStringLiteral(NAVFORGE_ARTIFACTS_DIR "/%1.png").arg(QLatin1String(name))));
}

QString ButtonText(QWidget* dialog, QDialogButtonBox::StandardButton which) {
  auto* box = dialog->findChild<QDialogButtonBox*>();
  return box && box->button(which) ? box->button(which)->text() : QString();
}

TEST(FileDialogs, defaultExtension_onlyForNamesWithoutOne) {
  EXPECT_EQ(AddDefaultExt("/m/site", "nff"), "/m/site.nff");
  EXPECT_EQ(AddDefaultExt("/m/site.txt", "nff"), "/m/site.txt");
  EXPECT_EQ(AddDefaultExt("/m.d/site", "htm"), "/m.d/site.htm");  // a dot in a folder counts not
  EXPECT_EQ(AddDefaultExt("C:\\m.d\\site", "htm"), "C:\\m.d\\site.htm");
  EXPECT_EQ(AddDefaultExt("/m/site", ""), "/m/site");
}

TEST(FileDialogs, filterPairs_becomeQtNameFiltersAndAllFilesMeansEveryName) {
  EXPECT_EQ(QtNameFilters(kHtmlFilter), QStringLiteral("HTML (*.htm, *html) (*.htm *.html);;Alle Dateien (*.*) (*)"));
  EXPECT_EQ(QtNameFilters("Navforge File (*.nff)|*.nff;"), QStringLiteral("Navforge File (*.nff) (*.nff)"));
}

TEST(QtDialogs, openDialog_isGermanAndShowsTheFilterTextsAsGiven) {
  test::UiApp();
  test::TempDir tmp;
  test::WriteFile(tmp.file("menu.htm"), "x");
  test::MakeDir(tmp.file("pages"));
  TQtDialogs dialogs(nullptr);
  TFileDialog open{kHtmlFilter, "", "", tmp.path()};
  WithModal([&] { EXPECT_FALSE(dialogs.ExecuteOpen(open)); },
            [](QWidget* w) {
              ASSERT_NE(qobject_cast<QFileDialog*>(w), nullptr);
              EXPECT_EQ(ButtonText(w, QDialogButtonBox::Cancel), QStringLiteral("Abbrechen"));
              auto* look = w->findChild<QLabel*>(QStringLiteral("lookInLabel"));
              ASSERT_NE(look, nullptr);
              EXPECT_EQ(look->text(), QStringLiteral("Suchen in:"));
              auto* types = w->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
              ASSERT_NE(types, nullptr);
              ASSERT_EQ(types->count(), 2);
              EXPECT_EQ(types->itemText(0), QStringLiteral("HTML (*.htm, *html)"));
              EXPECT_EQ(types->itemText(1), QStringLiteral("Alle Dateien (*.*)"));
              Shoot(w, "dialog-open-file");
            });
}

TEST(QtDialogs, colourDialog_isGerman) {
  test::UiApp();
  TQtDialogs dialogs(nullptr);
  std::int32_t color = 0x123456;
  WithModal([&] { EXPECT_FALSE(dialogs.ExecuteColor(color)); },
            [](QWidget* w) { EXPECT_EQ(ButtonText(w, QDialogButtonBox::Cancel), QStringLiteral("Abbrechen")); });
  EXPECT_EQ(color, 0x123456);
}

TEST(QtDialogs, ownMessages_arePlainErrorsCarryAWarningIcon) {
  test::UiApp();
  TQtDialogs dialogs(nullptr);
  for (auto [error, icon] : {std::pair{false, QMessageBox::NoIcon}, std::pair{true, QMessageBox::Warning}}) {
    WithModal([&, error = error] { error ? dialogs.Error("HTML Navforge", "Text") : dialogs.Message("HTML Navforge", "Text"); },
              [icon = icon](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->icon(), icon);
                EXPECT_EQ(box->text(), QStringLiteral("Text"));
                EXPECT_EQ(box->windowTitle(), QStringLiteral("HTML Navforge"));
              });
  }
}

// The question before unsaved changes are lost, as the window shows it.
TEST(QtDialogs, unsavedChangesQuestion_offersJaNeinAbbrechen) {
  test::UiApp();
  test::TempDir tmp;
  TMainformOptions options;
  options.ProgramFolder = tmp.path() + "/";
  options.VariablesFile = tmp.file("v.nfv");
  options.ModuleFolders = TModuleFolders{};
  Tmainform form(options);
  form.show();
  form.titlename->setText(QStringLiteral("changed"));
  WithModal([&] { form.BtnNew->trigger(); },
            [](QWidget* w) {
              auto* box = qobject_cast<QMessageBox*>(w);
              ASSERT_NE(box, nullptr);
              EXPECT_EQ(box->icon(), QMessageBox::Question);
              EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Bestätigung"));
              QStringList buttons;
              for (QAbstractButton* b : box->buttons()) buttons << b->text();
              buttons.sort();
              EXPECT_EQ(buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein"), QStringLiteral("Abbrechen")}));
              Shoot(w, "dialog-unsaved-changes");
              for (QAbstractButton* b : box->buttons())
                if (b->text() == QStringLiteral("Abbrechen")) b->click();
            });
  EXPECT_EQ(form.titlename->text(), QStringLiteral("changed"));  // cancelled: New did not run
  EXPECT_TRUE(form.Modified);
}

}  // namespace
}  // namespace navforge
