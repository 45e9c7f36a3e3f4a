// Entry point of every test program: a headless application object makes
// fonts, painting and (offscreen) windows available without a display.

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

#include "platform/drawing/FontSubstitution.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  mirto::InstallFontSubstitutions();
  return RUN_ALL_TESTS();
}
