// Every page of the window rendered offscreen: the PNGs go to the build folder's
// artifacts, and no caption may run into its neighbour or out of its control.
#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "testsupport/tempdir.h"
#include "fakedialogs.h"
#include "ui/mainform.h"
#include "uitestapp.h"

namespace navforge {
namespace {

class PagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    test::UiApp();
    SetApplicationTitle("HTML Navforge");
    TMainformOptions options;
    options.ProgramFolder = tmp.path() + "/";
    options.VariablesFile = tmp.file("v.nfv");
    options.ModuleFolders = TModuleFolders{};
    options.Dialogs = &dialogs;
    form = std::make_unique<Tmainform>(options);
    form->show();
  }
  test::TempDir tmp;
  test::TScriptedDialogs dialogs;
  std::unique_ptr<Tmainform> form;
};

// Labels must not overlap the controls beside them, and a button's or group's
// caption must fit within it.
void ExpectCaptionsFit(QWidget* page) {
  for (QLabel* label : page->findChildren<QLabel*>()) {
    if (label->metaObject()->className() != QLatin1String("QLabel")) continue;  // swatches
    QRect text = label->geometry();
    text.setWidth(label->fontMetrics().horizontalAdvance(label->text()));
    for (QObject* o : label->parentWidget()->children()) {
      auto* w = qobject_cast<QWidget*>(o);
      if (!w || w == label || !w->isVisible()) continue;
      EXPECT_FALSE(text.intersects(w->geometry()))
          << label->objectName().toStdString() << " (to x " << text.right() << ") runs into "
          << w->objectName().toStdString() << " (from x " << w->x() << ")";
    }
  }
  for (QPushButton* button : page->findChildren<QPushButton*>())
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 6, button->width())
        << button->objectName().toStdString();
  for (QGroupBox* box : page->findChildren<QGroupBox*>())
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width())
        << box->objectName().toStdString();
}

void Shoot(QWidget* w, const char* name) {
  QDir().mkpath(QStringLiteral(NAVFORGE_ARTIFACTS_DIR));
  QImage image = w->grab().toImage();
  EXPECT_EQ(image.size(), QSize(460, 565));
  EXPECT_TRUE(image.save(QStringLiteral(NAVFORGE_ARTIFACTS_DIR "/%1.png").arg(QLatin1String(name))));
}

TEST_F(PagesTest, everyPage_rendersAndCaptionsFit) {
  Shoot(form.get(), "page-menu");
  ExpectCaptionsFit(form->TabSheet1);
  form->PageControl1->setCurrentWidget(form->TabSheet4);
  for (auto [sheet, name] : {std::pair{form->TabSheet3, "page-allgemein"}, std::pair{form->TabSheet5, "page-hyperlink-farben"},
                             std::pair{form->TabSheet6, "page-variablen"}}) {
    form->PageControl2->setCurrentWidget(sheet);
    Shoot(form.get(), name);
    ExpectCaptionsFit(sheet);
  }
}

TEST_F(PagesTest, tabCaptions_areShownWhole) {
  for (QTabWidget* tabs : {form->PageControl1, form->PageControl2})
    for (int i = 0; i < tabs->count(); ++i) {
      if (!tabs->isTabVisible(i)) continue;
      EXPECT_GE(tabs->tabBar()->tabRect(i).width(), tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)));
    }
}

}  // namespace
}  // namespace navforge
