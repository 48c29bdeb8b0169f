#pragma once
#include <QApplication>

#include "ui/application.h"

namespace navforge::test {
// The one application object of a test program, made on first use and prepared as the
// program prepares its own.
inline QApplication& UiApp() {
  static int argc = 1;
  static char name[] = "navforge-ui-test";
  static char* argv[] = {name, nullptr};
  // Run by hand the binary needs no display either.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: test-input devices and widgets of static lifetime outlive it.
  static QApplication* app = [] {
    auto* a = new QApplication(argc, argv);
    PrepareApplication();
    return a;
  }();
  return *app;
}
}  // namespace navforge::test
