// Test entry: offscreen Qt, a throw-away data folder, one QApplication with the
// program's Japanese Qt texts, and core's services filled as the program fills them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "mainwindow/mainwindow.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"

namespace {
// Sharding is decided before environments are set up; clearing the variables then keeps
// the child processes that some tests start from being sharded away from their one test.
class ForgetShardingInChildren : public ::testing::Environment {
 public:
  void SetUp() override {
    qunsetenv("GTEST_TOTAL_SHARDS");
    qunsetenv("GTEST_SHARD_INDEX");
  }
};
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir dataHome;
  qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new ForgetShardingInChildren);
  platform::Application app(argc, argv);
  // An error that escapes a handler is a fault of the product's code.
  platform::SetEscapedErrorRule([](const QString& what) {
    ADD_FAILURE() << "an error escaped a handler: " << what.toStdString();
  });
  platform::InstallFontSubstitutions();
  platform::InstallQtTranslations();
  mainwindow::Register();
  return RUN_ALL_TESTS();
}
