// Test entry: offscreen Qt, a throw-away data folder, one QApplication.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/fonts.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir dataHome;
  qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  platform::InstallFontSubstitutions();
  return RUN_ALL_TESTS();
}
