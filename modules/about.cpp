// The about module: a small dialog with the product line the program passes, its
// copyright and version texts, and the licence note.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "extdlg/moduleapi.h"
#include "modules/dialogtexts.h"

using namespace navforge;
using namespace navforge::module;

extern "C" void showaboutdialog(void* /*application*/, const unsigned char* programText,
                                                      const unsigned char* /*text2*/, const unsigned char* legalNotice,
                                                      const unsigned char* /*text4*/, std::int32_t /*value*/) {
  // Qt's application object is process-wide; the pointer only keeps the calling convention.
  if (!QApplication::instance()) return;
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QStringLiteral("Info"));

  auto* layout = new QVBoxLayout(&dialog);
  QString product = FromCp1252(FromShortString(programText));
  if (product.isEmpty()) product = ProgramVersionText("ProductName");
  auto* title = new QLabel(product);
  QFont font = title->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.4);
  title->setFont(font);
  layout->addWidget(title);

  layout->addWidget(new QLabel(ProgramVersionText("LegalCopyright")));
  layout->addWidget(new QLabel(QString::fromUtf8("Version %1 (Datei %2)")
                                   .arg(ProgramVersionText("ProductVersion"), ProgramVersionText("FileVersion"))));
  const QString notice = FromCp1252(FromShortString(legalNotice));
  if (!notice.isEmpty()) layout->addWidget(new QLabel(notice));

  auto* licence = new QLabel(QString::fromUtf8(
      "Dieses Programm wird ohne jede Gewährleistung bereitgestellt.\n"
      "Es darf frei genutzt und weitergegeben werden; die damit erstellten\n"
      "Menüs gehören ihren Urhebern."));
  licence->setWordWrap(true);
  layout->addWidget(licence);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.exec();
}
