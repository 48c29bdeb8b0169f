// Starts the one window; the command line is not read.
#include <QApplication>

#include "ui/mainform.h"
#include "ui/hints.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  navforge::InstallHintTimings();
  navforge::SetApplicationTitle("HTML Navforge");
  navforge::Tmainform mainform;
  mainform.show();
  return app.exec();
}
