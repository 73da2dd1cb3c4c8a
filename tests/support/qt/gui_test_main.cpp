// Entry point of the GUI test programs: one QApplication for the whole run, on the
// offscreen platform unless the caller asked for a real display (Xvfb tests), with the
// Qt font engine installed so text measures and draws as in the programs.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/qt/qt_platform.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  quarlo::InstallQtPlatform();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
