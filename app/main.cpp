// Starts the one window. Qt's own options (-platform, -style, -reverse ...) are taken
// by the application object; the program reads no argument of its own.
#include <QApplication>

#include "ui/hints.h"
#include "ui/mainform.h"
#include "ui/translations.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  navforge::InstallGermanTranslations();
  navforge::InstallHintTimings();
  navforge::SetApplicationTitle("HTML Navforge");
  navforge::Tmainform mainform;
  mainform.show();
  return app.exec();
}
