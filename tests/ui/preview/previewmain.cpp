// The preview's scheme must be known before the application object exists.
#include <QApplication>
#include <gtest/gtest.h>

#include "ui/preview/previewscheme.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  navforge::preview::PreparePreviewEngine();
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
