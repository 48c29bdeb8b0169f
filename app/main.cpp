// Starts the one window; the command line is not read.
#include <QApplication>

#include "ui/mainform.h"
#include "ui/preview/previewcommand.h"
#include "ui/preview/previewscheme.h"
#include "ui/widgets.h"

int main(int argc, char** argv) {
  navforge::preview::PreparePreviewEngine();
  QApplication app(argc, argv);
  navforge::InstallHintTimings();
  navforge::SetApplicationTitle("HTML Navforge");
  navforge::Tmainform mainform;
  navforge::AddPreviewCommand(mainform);
  mainform.show();
  return app.exec();
}
