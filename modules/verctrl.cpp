// The version-control module: shows the installed version of the program and the
// product key the program passes.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "extdlg/moduleapi.h"
#include "modules/dialogtexts.h"

using namespace navforge;
using namespace navforge::module;

extern "C" void showvercontroldialog(void* /*application*/, const unsigned char* /*text1*/,
                                                           const unsigned char* /*text2*/,
                                                           const unsigned char* productKey,
                                                           const unsigned char* /*text4*/) {
  // Qt's application object is process-wide; the pointer only keeps the calling convention.
  if (!QApplication::instance()) return;
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QStringLiteral("Versionskontrolle"));

  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("Produkt:"), new QLabel(ProgramVersionText("ProductName")));
  form->addRow(QStringLiteral("Produktschlüssel:"), new QLabel(FromCp1252(FromShortString(productKey))));
  form->addRow(QStringLiteral("Installierte Version:"), new QLabel(ProgramVersionText("ProductVersion")));
  form->addRow(QStringLiteral("Dateiversion:"), new QLabel(ProgramVersionText("FileVersion")));
  form->addRow(new QLabel(QStringLiteral("Eine Prüfung auf neuere Versionen findet nicht statt:\n"
                                         "das Programm greift nicht auf das Netz zu.")));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  dialog.exec();
}
