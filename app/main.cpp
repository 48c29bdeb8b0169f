// Starts the one window. Qt's own options (-platform, -style, -reverse ...) are taken
// by the application object; the program reads no argument of its own.
#include <QApplication>

#include "ui/application.h"
#include "ui/mainform.h"
#include "ui/preview/previewcommand.h"
#include "ui/preview/previewscheme.h"

int main(int argc, char** argv) {
  navforge::preview::PreparePreviewEngine();
  QApplication app(argc, argv);
  navforge::PrepareApplication();
  navforge::Tmainform mainform;
  navforge::AddPreviewCommand(mainform);
  mainform.show();
  return app.exec();
}
