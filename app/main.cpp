// Starts the one window. Qt's own options (-platform, -style, -reverse ...) are taken
// by the application object; the program reads no argument of its own.
#include <QApplication>

#include "ui/application.h"
#include "ui/mainform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  navforge::PrepareApplication();
  navforge::Tmainform mainform;
  mainform.show();
  return app.exec();
}
